#pragma once

#include "shell/RepaintThrottle.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <map>
#include <memory>
#include <string>

class CBooleanCommands;
class CDocumentationWindow;
class CFrameTransferHost;
class CHelpWindow;
class CLinkControl;
class CLiveLogic;
class CLoopStatusViewer;
class CModuleTypes;
class CSerialControl;
class CSettings;
class CPortPane;
class CSerialLinkHost;
class CSerialView;
class CShellServices;
class CSimulatedCpu;
class CSystem;
class CSystemCheckDlg;
class CTransferCommands;
class CWaitIndicator;
class CDocumentationView;
class CControllerProtocol;
class QLabel;
class QMdiArea;
class QMenu;
class QSettings;

// The one top-level window: menus, toolbar, status bar, the documentation
// windows in a multiple-document area, and the handlers of the commands.
// It keeps no system data of its own; the system record and the other
// process-wide objects are given to it, so tests can build one over their
// own objects and answer its boxes and file dialogs through the shell.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kSystemTimerId = 1726;
    static constexpr int kSystemTimerPeriod = 1000;
    static constexpr const char* kIdleText = "For Help, press F1";
    static constexpr const char* kHelpMenuText = "&Help";
    // Every top-level menu has a letter of its own; S is Spreadsheet's.
    static constexpr const char* kSetupMenuText = "DVX S&etup";
    static constexpr const char* kTitleText = "CorvelII 6.63";
    static constexpr const char* kTransmitErrorText = "ERROR WHILE TRANSMITTING TO DVX CPU";
    static constexpr const char* kNotAnsweringText =
        "The DVX CPU is not answering. Close the port to stop.";
    // Appended to the title while the simulated DVX CPU runs, so nobody takes
    // it for a vehicle.
    static constexpr const char* kSimulationTitleText = " - SIMULATION";
    static constexpr const char* kLoadSimulationText =
        "LOAD THE SYSTEM IN MEMORY INTO THE SIMULATED DVX CPU?";
    static constexpr const char* kStartingSimulationText = "Starting the DVX CPU simulator ...";
    static constexpr const char* kSimulationLostText =
        "The simulated DVX CPU has stopped and the port has been closed.";

    CMainFrame(CSystem& system, CSettings& param, CModuleTypes& moduleTypes, CShellServices& shell,
               QSettings& profile, QWidget* pParent = nullptr);
    ~CMainFrame() override;

    // What the port state is read from: the protocol object (the serial
    // control's open state); tests may stand in a fake.
    void SetLinkControl(CLinkControl* pLink) { m_pLink = pLink; }
    // Makes the serial control the protocol object's way to the controller,
    // as the running program has it; tests may give the protocol object a
    // scripted controller instead.
    void UseSerialControl();
    CSerialControl& CommControl() const { return *m_pCommCtrl; }

    // --- controller link ---
    // Whether the serial device really is open.
    bool IsPortOpen() const;
    // The protocol object the controller commands talk through; without one
    // they act as with the port closed.
    void SetComm(CControllerProtocol* pComm);
    CControllerProtocol* Comm() const { return m_pComm; }
    void OnOpenClosePort();
    void OnSelectCommPort();
    // Starts the simulated DVX CPU and opens the port on it, or closes the
    // port and stops it.
    void OnSimulateCpu();
    bool IsSimulating() const;
    CSimulatedCpu& Simulation() const { return *m_pSimulation; }
    // One event of the serial control, by its event value.
    void OnCommEvent(short nEvent);
    // Sends one frame the way every frame leaves: through the protocol
    // object, which drops it while the link is closed.
    void TransmitText(const std::string& strText);
    void ShowSendMark();
    void ShowLinkIdle();
    void ShowLinkStatus(const std::string& strText);
    // The pause and continue frames around an exchange, when the port is
    // open; both always return true.
    bool PauseLink();
    bool ContinueLink();

    // --- services every controller command shares ---
    void ReportTransmitError();
    bool ShowWaitIndicator();
    void PlayWaitAnimation(int nRepeat);
    void SetWaitText(const std::string& strText);
    void StartWaitIndicator(const std::string& strText);
    void CloseWaitIndicator();
    CWaitIndicator* WaitIndicator() const;
    // While a wait hears nothing from the controller, the indicator (opened
    // for it when none is open) says so and offers Stop, which closes the
    // port; afterwards it is put back as it was.
    void ShowNotAnswering(bool bNotAnswering);
    // The indicator's bar and time left for a counted sequence; the first
    // and last step show at once, the ones between at most 25 times a
    // second, and the status pane likewise while the sequence runs.
    void ShowFrameProgress(int nDone, int nTotal, std::chrono::milliseconds timeLeft);

    // The Booleans menu's commands, linked to the controller as the
    // transfer commands are; other windows open the editor through them.
    CBooleanCommands& Booleans() const { return *m_pBooleans; }

    QAction* Action(int nId) const;
    QMdiArea* MdiArea() const { return m_pMdiArea; }
    CHelpWindow* HelpWindow() const;
    bool IsSystemTimerActive() const { return m_systemTimer.isActive(); }

    void UpdateTitle();
    void SetStatusText(const std::string& strText);
    // What a command ended with ("System files written"): it stays until the
    // next status text, but characters arriving do not replace it.
    void ShowResultText(const std::string& strText);
    QString StatusText() const;
    CPortPane& PortPane() const { return *m_pPortPane; }
    // Makes sure the Help menu starts with the tip of the day item.
    void OnInitMenu();
    // Opens the user manual at a section ("" for its contents).
    void ShowHelp(const QString& strSection);

    enum class ESaveResult { Saved, Cancelled, Failed };
    // Save As, and how it ended: the commands that replace the system need
    // to know whether the changes are safe.
    ESaveResult SaveSystemAs();
    // What Open and Import ZLV file do with the file chosen, for every way a
    // file is chosen (the dialog, the command line).
    void OpenSystemFile(const std::string& strPath);
    void ImportZlvFile(const std::string& strPath);
    void ImportTextFile(const std::string& strPath);
    // A file named on the command line: a ".ZLV" file is imported, any
    // other is opened. A missing file is reported, never created.
    void OpenCommandLineFile(const std::string& strPath);

    // --- command handlers ---
    void OnFileOpenSystem();
    void OnFileSaveSystemAs();
    void OnImportZlv();
    void OnExportZlv();
    void OnImportText();
    void OnExportText();
    void OnSaveCurrentWork();
    void OnClearAll();
    void OnReadModuleLibrary();
    void OnWriteModuleLibrary();
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFilePrint();
    void OnTipOfTheDay();
    void OnAppAbout();
    void OnHelpFinder();
    void OnHelp();
    void OnContextHelp();
    void OnTimer();

    // --- controller commands ---
    void OnTransfer();
    void OnRetrieve();
    // Reads the controller into a scratch record and shows where it holds
    // something else than the technician's system.
    void OnCompare();
    void OnStartLink();
    void OnStopLink();
    void OnCpuProcessingTime();
    void OnSerialViewer();

    // --- serial viewer ---
    // Lines reach the viewer only while it is open.
    void AddOutboundLine(const std::string& strLine);
    void AddInboundLine(const std::string& strLine);
    void OnSerialViewerClosed();
    CSerialView* SerialView() const;

    // --- system check ---
    // Opens the findings window, or brings it to the front with its list
    // made again.
    void OnCheckSystem();
    CSystemCheckDlg* SystemCheck() const;

    // --- loop status windows ---
    void OnLoopStatusController();
    void OnLoopStatusViewer();
    // Opens the viewer of a loop unless it has one; switches the loop's
    // reports on when the port is open.
    void OpenLoopStatusViewer(short nLoop);
    void OnLoopStatusViewerClosed(short nLoop);
    CLoopStatusViewer* LoopStatusViewer(short nLoop) const;
    // Switches a loop's reports for the loop status controller, leaving
    // alone a loop a viewer had switched on before the controller opened.
    void MonitorLoopForController(short nLoop, bool bOn);
    // Every loop's reports back to the flags saved when the controller opened.
    void RestoreLoopMonitoring();
    bool SendChannelStateToCpu(short nModule, short nChannel, int nState, short nLoop);
    // The live states of the logic windows and the shared users of the loop
    // reports, which the loop status controller switches through as well.
    CLiveLogic& LiveLogic() const { return *m_pLiveLogic; }
    // The logic explorer on a channel: editable (through the Boolean editor)
    // unless a reason for read-only is given.
    void ShowLogicExplorer(short nIndex, QWidget* pParent, const std::string& strReadOnlyReason);
    // A state forced from a lamp: the link is paused twice first.
    void SendForcedChannelState(short nLoop, short nModule, short nChannel, int nState);
    bool SetBoolProcessor(bool bOn);

protected:
    bool event(QEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void ConnectHandlers();
    void ConnectEditorCommands();
    void CreateLiveLogic();
    QMenu* AddMenu(QMenu* pParent, const QString& strText, std::initializer_list<int> anIds);
    void UpdateDocumentCommands();
    // The commands' keys (F1, Ctrl+O, ...) also work while one of the main
    // window's own windows, such as a viewer, is the active one.
    void ShareCommandKeys(QWidget& window) const;
    static void BringToFront(QWidget& window);
    const QWidget* LastLoopStatusViewer() const;
    static void CascadeBelow(QWidget& window, const QWidget& previous);
    // The port's state as the technician sees it: the Open/Close item's text
    // and the port pane. Every handler that opens or closes the port, starts
    // or stops the link or picks another port shows it when it is done.
    void ShowPortState();
    void UpdateKeyIndicators();
    void ShowCommEventText(short nEvent, const char* szText);
    bool OnClose();
    void SendSysLabelsToController();
    // The path a save command writes: the chosen name trimmed, its file name
    // in capitals and ending in the extension; "" when the technician did
    // not want a file of that name replaced.
    std::string FinalSavePath(const std::string& strChosen, const std::string& strExt);
    std::string FinalTextPath(const std::string& strChosen);
    // Asks whether unsaved changes are to be saved first and saves them when
    // wanted; false when that save failed, so the changes exist only in memory.
    bool OfferSave();
    void OpenPort();
    void ClosePort();
    void OnDeviceLost();
    void StartSimulation();
    // After the port has closed: stops the simulator and puts the port's
    // own device back for the next opening.
    void StopSimulation();
    // The port the simulation took the place of is opened again.
    void ReopenRealPort();
    // With the port closed the message pane says nothing of the link.
    void ForgetLinkText();
    // The simulator ended or its line went away: reported once, the port
    // closed.
    void OnSimulationEnded();
    void ReportSerialError(const char* szText);
    void OnStopWaiting();
    QString PortName(short nPort) const;
    CDocumentationWindow* NewDocumentWindow(const QString& strTitle, const QString& strPath);
    CDocumentationWindow* ActiveDocumentWindow() const;
    CDocumentationView* ActiveDocumentView() const;

    CSystem& m_system;
    CSettings& m_param;
    CModuleTypes& m_moduleTypes;
    CShellServices& m_shell;
    QSettings& m_profile;
    CLinkControl* m_pLink = nullptr;
    CSerialControl* m_pCommCtrl = nullptr;
    CSimulatedCpu* m_pSimulation = nullptr;
    // The number the open port was opened with; a port chosen meanwhile is
    // used from the next opening.
    short m_nOpenPort = 0;
    CSerialLinkHost* m_pLinkHost = nullptr;
    CControllerProtocol* m_pComm = nullptr;
    QPointer<CWaitIndicator> m_pWait;
    bool m_bWaitOpenedForSilence = false;
    // A real port was open when the simulation started.
    bool m_bRealPortBeforeSimulation = false;
    // A serial error's box is open.
    bool m_bSerialErrorShown = false;
    bool m_bResultShown = false;
    bool m_bInSequence = false;
    CRepaintThrottle m_statusThrottle;
    CRepaintThrottle m_progressThrottle;

    std::map<int, QAction*> m_actions;
    QMdiArea* m_pMdiArea = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pMessagePane = nullptr;
    QLabel* m_apIndicator[3] = {};
    CPortPane* m_pPortPane = nullptr;
    QMenu* m_pTipMenu = nullptr;
    QPointer<CHelpWindow> m_pHelp;
    QPointer<CSerialView> m_pSerialView;
    QPointer<CSystemCheckDlg> m_pSystemCheck;
    QPointer<CLoopStatusViewer> m_apLoopStatus[6];
    QPointer<CLoopStatusViewer> m_pNewestLoopStatus;
    std::unique_ptr<CFrameTransferHost> m_pTransferHost;
    std::unique_ptr<CTransferCommands> m_pTransfer;
    std::unique_ptr<CBooleanCommands> m_pBooleans;
    std::unique_ptr<CLiveLogic> m_pLiveLogic;
    QTimer m_systemTimer;
    QString m_strTitle;
    int m_nNextDocument = 1;
};
