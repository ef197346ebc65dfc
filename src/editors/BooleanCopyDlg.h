#pragma once

#include <QDialog>

#include <memory>
#include <string>

class CModuleTypes;
class CSystem;
namespace Ui {
class CBooleanCopyDlg;
}

// Copies the equation of one source channel onto any number of destination
// channels. The source is the current channel of the system (browsing the
// source moves it); the destination lives in the dialog. Every copy goes
// through the clipboard into the destination at once and marks it, so the
// command can send exactly the channels that received a copy, or put
// everything back on Cancel.
class CBooleanCopyDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kSourceHiSpeedText =
        "CAN NOT COPY, SOURCE IS A HIGH SPEED CHANNEL.";
    static constexpr const char* kDestinationHiSpeedText =
        "CAN NOT COPY, DESTINATION IS A HIGH SPEED CHANNEL.";
    static constexpr const char* kSourceStrictText =
        "CAN NOT COPY, STRICT MODULE TYPE CHECKING ENABLED, SOURCE CHANNEL CAN NOT HAVE VALID "
        "BOOLEAN.";
    static constexpr const char* kDestinationStrictText =
        "CAN NOT COPY, STRICT MODULE TYPE CHECKING ENABLED, DESTINATION CHANNEL CAN NOT HAVE "
        "VALID BOOLEAN.";

    CBooleanCopyDlg(CSystem& sys, const CModuleTypes& types, QWidget* pParent = nullptr);
    ~CBooleanCopyDlg() override;

    void RefreshTexts();
    void OnCopySourceToDestination();

    short m_nSrcModule = 0;
    short m_nDstModule = 0;
    short m_nSrcChannel = 0;
    short m_nDstChannel = 0;
    short m_nSrcLoop = 0;
    short m_nDstLoop = 0;

private:
    void OnInitDialog();
    void SetScrollBars();
    // The refusal that stops a copy, nullptr when the copy may go ahead.
    const char* Refusal() const;
    bool MayCarryBoolean(short nModule, short nChannel, short nLoop) const;

    CSystem& m_sys;
    const CModuleTypes& m_types;
    std::unique_ptr<Ui::CBooleanCopyDlg> m_ui;
};
