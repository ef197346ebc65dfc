#pragma once

#include <QDialog>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

class CLampColumn;
class CLampGrid;
class CMainFrame;
class CSystem;
namespace Ui {
class CLoopStatusController;
}

// LOOP STATUS CONTROLLER: the live states of the 160 channels of one loop as
// sixteen lamp columns, redrawn every 40 ms from the stored channel states,
// which the controller's status lines keep up to date. A click on a lamp
// shows that channel's equation, a double click forces its state in the
// controller, and the processor button switches the controller's Boolean
// processor off and on. From the keyboard, the lamp the grid's ring is on is
// the chosen channel, as a click makes it, and Space forces it as a double
// click does.
//
// While it is open its loop reports to the PC, unless a loop status viewer
// had switched those reports on already; it is one of the users of the
// shared loop reports, so a logic explorer opened from it leaves its loop
// reporting. Closing it, by OK, Cancel or its window going away, returns
// every loop's reports to what they were at opening and always switches
// the Boolean processor back on.
class CLoopStatusController : public QDialog {
    Q_OBJECT

public:
    static constexpr int kTimerId = 1725;
    static constexpr int kTimerPeriod = 40;
    static constexpr const char* kTimerErrorText = "Could not create status monitor timer";
    static constexpr const char* kNoBooleansText = "Current loop does not support BOOLEANs.";
    // The processor button's texts, with their Alt letters.
    static constexpr const char* kDisableText = "&DISABLE BOOLEAN PROCESSOR";
    static constexpr const char* kEnableText = "&ENABLE BOOLEAN PROCESSOR";
    static constexpr const char* kReadOnlyText = "the loop status controller is open";

    // Everything of the opening happens here: the loop, module and channel
    // are taken from the current selection, the refresh starts, the monitor
    // flags are saved and the loop's reports are switched on.
    CLoopStatusController(CSystem& system, CMainFrame& frame, QWidget* pParent = nullptr);
    ~CLoopStatusController() override;

    // What the icons run on the current channel: the main window's Boolean
    // editor (reading the channel from the controller and sending it back on
    // OK) and the where-used report, unless told otherwise.
    void SetBooleanEditor(std::function<void(QWidget*)> editor) { m_editor = std::move(editor); }
    void SetWhereUsedReport(std::function<void(QWidget*)> report) {
        m_whereUsed = std::move(report);
    }
    // What the explorer icon runs on the chosen channel: the logic explorer,
    // read-only while this dialog is open.
    void SetLogicExplorer(std::function<void(QWidget*, short)> explorer) {
        m_explorer = std::move(explorer);
    }

    void done(int nResult) override;

    // --- handlers, by the lamp column of module nModule ---
    void OnLedMouseDown(int nModule);
    void OnLedClick(int nModule);
    void OnLedDblClick(int nModule);
    void OnLampChosen(int nModule, int nChannel);
    void OnLampForced(int nModule, int nChannel);
    void OnLoopChanged();
    void OnToggleBoolProcessor();
    void OnEditorIcon();
    void OnWhereUsedIcon();
    void OnExplorerIcon();
    void OnTimer() { RefreshDisplay(); }

    void SetLedColours();
    void RefreshDisplay();
    void ShowEquationText();
    void MonitorLoop(short nLoop, bool bOn);

    short Loop() const { return m_nLoop; }
    short Module() const { return m_nModule; }
    short Channel() const { return m_nChannel; }
    bool IsProcessorOff() const { return m_bProcessorOff != 0; }
    bool IsRefreshing() const { return m_timer.isActive(); }
    CLampGrid& Lamps() const;
    CLampColumn& Column(int nModule) const;

private:
    void OnInitDialog();
    void CloseDown();
    void MakeChosenChannelCurrent();
    bool IsEquationLoop() const;

    CSystem& m_system;
    CMainFrame& m_frame;
    std::unique_ptr<Ui::CLoopStatusController> m_ui;
    QTimer m_timer;
    std::function<void(QWidget*)> m_editor;
    std::function<void(QWidget*)> m_whereUsed;
    std::function<void(QWidget*, short)> m_explorer;

    short m_nLoop = 0;
    short m_nModule = 0;
    short m_nChannel = 0;
    int m_bProcessorOff = 0;
    std::string m_strModuleLetter;
    std::string m_strModuleLabel;
    std::string m_strChannelLabel;
    int m_nChannelNumber = 1;
    // Closing runs once, whichever way the dialog goes.
    bool m_bClosedDown = false;
    // The loop shown is one of the users of the shared loop reports.
    bool m_bReportsHeld = false;
};
