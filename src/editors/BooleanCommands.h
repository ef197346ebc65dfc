#pragma once

#include <functional>

class CLiveLogic;
class CModuleTypes;
class CShellServices;
class CSystem;
class CTransferHost;
class CControllerProtocol;
class QWidget;

// The commands of the Booleans menu: the editor, which steps through the
// channels one after another, the copy of one channel's equation onto many,
// and the clear. Each equation edited, copied or cleared goes to the
// controller at once when the port is open, so the vehicle runs what the
// technician sees.
//
// EditCurrentEquation is the editor on its own, for windows that already
// know their channel (it makes no choice and refuses nothing).
class CBooleanCommands {
public:
    static constexpr const char* kHiSpeedText =
        "CAN NOT PROCEED, YOUR CHOICE IS A HIGH SPEED CHANNEL.";
    static constexpr const char* kStrictText = "CAN NOT PROCEED, STRICT MODULE TYPE CHECKING "
                                               "ENABLED. BOOLEAN CAN NOT BE DEFINED.";
    static constexpr const char* kClearAnotherText =
        "BOOLEAN CLEARED. DO YOU WISH TO CLEAR ANOTHER CHANNEL";

    CBooleanCommands(CSystem& sys, const CModuleTypes& types, CShellServices& shell,
                     QWidget* pParent);

    // The controller link: its host gives the port state, the pause and
    // continue frames and the transmit error report; without one (or
    // without a protocol object) the commands act as with the port closed.
    void SetLink(CTransferHost* pHost, CControllerProtocol* pComm) {
        m_pHost = pHost;
        m_pComm = pComm;
    }

    // The live states for the editor's lamps and the logic explorer.
    void SetLiveLogic(CLiveLogic* pLive) { m_pLive = pLive; }

    void OnBooleanEditor();
    void EditCurrentEquation();
    void OnBooleanClear();
    void OnBooleanCopy();

private:
    bool PickChannel();
    // The explorer is editable only where no editor is open.
    void ShowExplorer(QWidget* pParent, short nIndex, bool bEditable);
    bool MayCarryBoolean() const;
    bool IsPortOpen() const;
    void ReportFailure(bool bOk);
    void SendCurrentEquation();
    void SendMarkedChannels();

    CSystem& m_sys;
    const CModuleTypes& m_types;
    CShellServices& m_shell;
    QWidget* m_pParent;
    CTransferHost* m_pHost = nullptr;
    CControllerProtocol* m_pComm = nullptr;
    CLiveLogic* m_pLive = nullptr;
};
