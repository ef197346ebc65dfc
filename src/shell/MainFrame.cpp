#include "shell/MainFrame.h"

#include "controls/SerialControl.h"
#include "diagnostics/LiveLogic.h"
#include "diagnostics/LoopStatusViewer.h"
#include "editors/BooleanCommands.h"
#include "editors/HiSpeedCommand.h"
#include "editors/LabelCommands.h"
#include "editors/SleepModeCommand.h"
#include "editors/TimerSetupCommand.h"
#include "link/FrameTransferHost.h"
#include "link/SerialView.h"
#include "link/SimulatedCpu.h"
#include "link/TransferCommands.h"
#include "model/LinkControl.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "moduletypes/ModuleTypeCommands.h"
#include "shell/AboutDlg.h"
#include "shell/CommandIds.h"
#include "shell/CommandTable.h"
#include "shell/DataFiles.h"
#include "shell/DocumentationWindow.h"
#include "shell/HelpRouter.h"
#include "shell/HelpWindow.h"
#include "shell/KeyIndicators.h"
#include "shell/PortPane.h"
#include "shell/Settings.h"
#include "shell/Text.h"
#include "shell/TipDlg.h"
#include "shell/ToolbarIcons.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

namespace {

// Commands nothing handles: their items and keys stay disabled.
const int kNeverEnabled[] = {ID_EDIT_CUT,  ID_EDIT_COPY, ID_EDIT_PASTE,
                             ID_EDIT_UNDO, ID_NEXT_PANE, ID_PREV_PANE};

const char* const kIndicatorTexts[3] = {"CAP", "NUM", "SCRL"};

} // namespace

CMainFrame::CMainFrame(CSystem& system, CSettings& param, CModuleTypes& moduleTypes,
                       CShellServices& shell, QSettings& profile, QWidget* pParent)
    : QMainWindow(pParent), m_system(system), m_param(param), m_moduleTypes(moduleTypes),
      m_shell(shell), m_profile(profile) {
    setObjectName("MainFrame");
    setWindowIcon(CToolbarIcons::ProgramIcon());
    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setObjectName("DocumentArea");
    setCentralWidget(m_pMdiArea);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    // The serial control, window id 2001 of the original resources.
    m_pCommCtrl = new CSerialControl(this);
    m_pCommCtrl->setObjectName("CommControl");
    m_pSimulation = new CSimulatedCpu(this);
    connect(m_pSimulation, &CSimulatedCpu::Ended, this, &CMainFrame::OnSimulationEnded);
    m_pBooleans = std::make_unique<CBooleanCommands>(m_system, m_moduleTypes, m_shell, this);
    CreateLiveLogic();
    ShowPortState();
    ConnectHandlers();
    new CHelpRouter(this, [this](const QString& strSection) { ShowHelp(strSection); });
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, [this] { UpdateDocumentCommands(); });
    UpdateDocumentCommands();

    m_systemTimer.setInterval(kSystemTimerPeriod);
    connect(&m_systemTimer, &QTimer::timeout, this, &CMainFrame::OnTimer);
    m_systemTimer.start();

    // The technician always starts on a default system, whatever the working
    // file held.
    m_system.ResetToDefaults();
    UpdateTitle();
}

// The loop status viewers go first, while the window they report their
// closing to is still whole. The documentation windows go after this
// destructor, when the window is no longer a main window, so they must not
// report their activation to it.
CMainFrame::~CMainFrame() {
    disconnect(m_pMdiArea, nullptr, this, nullptr);
    for (const QPointer<CLoopStatusViewer>& pViewer : m_apLoopStatus)
        delete pViewer.data();
    // Exit is refused while the port is open, but a window destroyed
    // otherwise must not leave the simulator running.
    if (IsSimulating()) {
        if (m_pComm)
            m_pComm->SetPortOpen(false);
        m_pCommCtrl->SetPortOpen(false);
    }
    m_pSimulation->Stop();
}

QAction* CMainFrame::Action(int nId) const {
    auto it = m_actions.find(nId);
    return it == m_actions.end() ? nullptr : it->second;
}

// --- building the window ---

void CMainFrame::ShareCommandKeys(QWidget& window) const {
    for (const auto& [nId, pAction] : m_actions)
        if (!pAction->shortcuts().isEmpty())
            window.addAction(pAction);
}

void CMainFrame::BringToFront(QWidget& window) {
    window.showNormal();
    window.raise();
    window.activateWindow();
}

void CMainFrame::CreateActions() {
    for (const CCommandInfo& info : CCommandTable::All()) {
        auto* pAction = new QAction(QString::fromUtf8(info.szText), this);
        pAction->setObjectName(QString("ID_%1").arg(info.nId));
        pAction->setData(info.nId);
        pAction->setStatusTip(QString::fromUtf8(info.szPrompt));
        pAction->setToolTip(QString::fromUtf8(info.szTooltip));
        pAction->setIcon(CToolbarIcons::ForCommand(info.nId));
        pAction->setIconVisibleInMenu(false);
        pAction->setShortcuts(QKeySequence::listFromString(QString::fromUtf8(info.szShortcuts)));
        pAction->setShortcutContext(Qt::WindowShortcut);
        addAction(pAction);
        m_actions[info.nId] = pAction;
    }
    for (int nId : kNeverEnabled)
        Action(nId)->setEnabled(false);
    Action(ID_VIEW_TOOLBAR)->setCheckable(true);
    Action(ID_VIEW_STATUS_BAR)->setCheckable(true);
    Action(ID_SIMULATE_CPU)->setCheckable(true);
}

QMenu* CMainFrame::AddMenu(QMenu* pParent, const QString& strText,
                           std::initializer_list<int> anIds) {
    QMenu* pMenu = pParent ? pParent->addMenu(strText) : menuBar()->addMenu(strText);
    pMenu->setObjectName(QString(strText).remove('&').remove(' ') + "Menu");
    for (int nId : anIds)
        pMenu->addAction(Action(nId));
    return pMenu;
}

void CMainFrame::CreateMenus() {
    AddMenu(nullptr, "&File",
            {ID_FILE_OPEN_SYSTEM, ID_FILE_SAVE_SYSTEM_AS, ID_IMPORT_ZLV, ID_EXPORT_ZLV,
             ID_IMPORT_TEXT, ID_EXPORT_TEXT, ID_APP_EXIT});
    AddMenu(nullptr, "&View", {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR});
    QMenu* pHelp = AddMenu(nullptr, kHelpMenuText, {ID_HELP_FINDER});
    pHelp->addSeparator();
    pHelp->addAction(Action(ID_APP_ABOUT));
    QMenu* pComm = AddMenu(nullptr, "&CPU Comm",
                           {ID_PORT_OPEN, ID_TRANSFER_TO_CPU, ID_RETRIEVE_FROM_CPU,
                            ID_COMPARE_WITH_CPU, ID_SELECT_COMM_PORT});
    pComm->addSeparator();
    pComm->addAction(Action(ID_SIMULATE_CPU));
    connect(pComm, &QMenu::aboutToShow, this, &CMainFrame::ShowPortState);
    QMenu* pLabels = AddMenu(nullptr, "DVX &Labels", {ID_MODULE_LABELS, ID_CHANNEL_LABELS});
    AddMenu(pLabels, "Module &Type",
            {ID_ASSIGN_MODULE_TYPE, ID_CREATE_MODULE_TYPE, ID_EDIT_MODULE_TYPE,
             ID_DELETE_MODULE_TYPE, ID_READ_MODULE_LIBRARY, ID_WRITE_MODULE_LIBRARY,
             ID_MODULE_TYPE_PREFERENCES});
    pLabels->addAction(Action(ID_SYSTEM_LABELS));
    pLabels->addAction(Action(ID_CLEAR_ALL));
    QMenu* pSetup = AddMenu(nullptr, kSetupMenuText, {});
    AddMenu(pSetup, "&Booleans", {ID_BOOLEAN_EDITOR, ID_BOOLEAN_CLEAR, ID_BOOLEAN_COPY});
    pSetup->addAction(Action(ID_TIMER_SETUP));
    pSetup->addAction(Action(ID_SLEEP_MODE));
    pSetup->addAction(Action(ID_HIGH_SPEED_CHANNELS));
    AddMenu(nullptr, "&Spreadsheet", {ID_FILE_NEW});
    AddMenu(
        nullptr, "&Diagnostic",
        {ID_LOOP_STATUS_CONTROLLER, ID_LOOP_STATUS_VIEWER, ID_START_DVX_LINK, ID_STOP_DVX_LINK});
    AddMenu(nullptr, "&Utility",
            {ID_CPU_PROCESSING_TIME, ID_SERIAL_VIEWER, ID_CHECK_SYSTEM, ID_SAVE_CURRENT_WORK});
    for (QAction* pTop : menuBar()->actions())
        connect(pTop->menu(), &QMenu::aboutToShow, this, &CMainFrame::OnInitMenu);
}

void CMainFrame::CreateToolBar() {
    m_pToolBar = addToolBar("Standard");
    m_pToolBar->setObjectName("ToolBar");
    m_pToolBar->setIconSize(QSize(24, 24));
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int nId : {ID_FILE_NEW, ID_FILE_SAVE, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        m_pToolBar->addAction(Action(nId));
    m_pToolBar->addSeparator();
    for (int nId : {ID_FILE_PRINT, ID_APP_ABOUT, ID_CONTEXT_HELP})
        m_pToolBar->addAction(Action(nId));
    m_pToolBar->addSeparator();
    for (int nId : {ID_BOOLEAN_EDITOR_BUTTON, ID_LOOP_CONTROLLER_BUTTON, ID_LOOP_VIEWER_BUTTON})
        m_pToolBar->addAction(Action(nId));
    QAction* pToggle = Action(ID_VIEW_TOOLBAR);
    pToggle->setChecked(true);
    connect(pToggle, &QAction::toggled, m_pToolBar, &QToolBar::setVisible);
    connect(m_pToolBar, &QToolBar::visibilityChanged, pToggle, &QAction::setChecked);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* pBar = statusBar();
    pBar->setObjectName("StatusBar");
    m_pMessagePane = new QLabel(kIdleText, pBar);
    m_pMessagePane->setObjectName("MessagePane");
    m_pMessagePane->setMinimumWidth(1);
    pBar->addWidget(m_pMessagePane, 1);
    m_pPortPane = new CPortPane(pBar);
    pBar->addPermanentWidget(m_pPortPane);
    for (int i = 0; i < 3; ++i) {
        m_apIndicator[i] = new QLabel(kIndicatorTexts[i], pBar);
        m_apIndicator[i]->setObjectName(QString(kIndicatorTexts[i]) + "Pane");
        m_apIndicator[i]->setAlignment(Qt::AlignCenter);
        m_apIndicator[i]->setMinimumWidth(
            m_apIndicator[i]->fontMetrics().horizontalAdvance("SCRL") + 12);
        m_apIndicator[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pBar->addPermanentWidget(m_apIndicator[i]);
    }
    UpdateKeyIndicators();
    QAction* pToggle = Action(ID_VIEW_STATUS_BAR);
    pToggle->setChecked(true);
    connect(pToggle, &QAction::toggled, pBar, &QStatusBar::setVisible);
}

void CMainFrame::ConnectHandlers() {
    const std::pair<int, void (CMainFrame::*)()> aHandlers[] = {
        {ID_FILE_OPEN_SYSTEM, &CMainFrame::OnFileOpenSystem},
        {ID_FILE_SAVE_SYSTEM_AS, &CMainFrame::OnFileSaveSystemAs},
        {ID_IMPORT_ZLV, &CMainFrame::OnImportZlv},
        {ID_EXPORT_ZLV, &CMainFrame::OnExportZlv},
        {ID_IMPORT_TEXT, &CMainFrame::OnImportText},
        {ID_EXPORT_TEXT, &CMainFrame::OnExportText},
        {ID_SAVE_CURRENT_WORK, &CMainFrame::OnSaveCurrentWork},
        {ID_CLEAR_ALL, &CMainFrame::OnClearAll},
        {ID_PORT_OPEN, &CMainFrame::OnOpenClosePort},
        {ID_SELECT_COMM_PORT, &CMainFrame::OnSelectCommPort},
        {ID_SIMULATE_CPU, &CMainFrame::OnSimulateCpu},
        {ID_READ_MODULE_LIBRARY, &CMainFrame::OnReadModuleLibrary},
        {ID_WRITE_MODULE_LIBRARY, &CMainFrame::OnWriteModuleLibrary},
        {ID_FILE_NEW, &CMainFrame::OnFileNew},
        {ID_FILE_OPEN, &CMainFrame::OnFileOpen},
        {ID_FILE_SAVE, &CMainFrame::OnFileSave},
        {ID_FILE_PRINT, &CMainFrame::OnFilePrint},
        {ID_TIP_OF_THE_DAY, &CMainFrame::OnTipOfTheDay},
        {ID_APP_ABOUT, &CMainFrame::OnAppAbout},
        {ID_HELP_FINDER, &CMainFrame::OnHelpFinder},
        {ID_HELP, &CMainFrame::OnHelp},
        {ID_CONTEXT_HELP, &CMainFrame::OnContextHelp},
        {ID_TRANSFER_TO_CPU, &CMainFrame::OnTransfer},
        {ID_RETRIEVE_FROM_CPU, &CMainFrame::OnRetrieve},
        {ID_COMPARE_WITH_CPU, &CMainFrame::OnCompare},
        {ID_START_DVX_LINK, &CMainFrame::OnStartLink},
        {ID_STOP_DVX_LINK, &CMainFrame::OnStopLink},
        {ID_CPU_PROCESSING_TIME, &CMainFrame::OnCpuProcessingTime},
        {ID_SERIAL_VIEWER, &CMainFrame::OnSerialViewer},
        {ID_CHECK_SYSTEM, &CMainFrame::OnCheckSystem},
        {ID_LOOP_STATUS_CONTROLLER, &CMainFrame::OnLoopStatusController},
        {ID_LOOP_STATUS_VIEWER, &CMainFrame::OnLoopStatusViewer},
        {ID_LOOP_VIEWER_BUTTON, &CMainFrame::OnLoopStatusViewer},
    };
    for (const auto& [nId, pHandler] : aHandlers)
        connect(Action(nId), &QAction::triggered, this, pHandler);
    const std::pair<int, void (CModuleTypeCommands::*)()> aTypeCommands[] = {
        {ID_ASSIGN_MODULE_TYPE, &CModuleTypeCommands::OnAssignModuleType},
        {ID_MODULE_TYPE_PREFERENCES, &CModuleTypeCommands::OnModuleTypePreferences},
        {ID_CREATE_MODULE_TYPE, &CModuleTypeCommands::OnCreateModuleType},
        {ID_EDIT_MODULE_TYPE, &CModuleTypeCommands::OnEditModuleType},
        {ID_DELETE_MODULE_TYPE, &CModuleTypeCommands::OnDeleteModuleType},
    };
    for (const auto& [nId, pCommand] : aTypeCommands)
        connect(Action(nId), &QAction::triggered, this, [this, pCommand] {
            CModuleTypeCommands commands(m_system, m_moduleTypes, m_shell, this);
            (commands.*pCommand)();
        });
    const std::pair<int, void (CBooleanCommands::*)()> aBooleanCommands[] = {
        {ID_BOOLEAN_EDITOR, &CBooleanCommands::OnBooleanEditor},
        {ID_BOOLEAN_EDITOR_BUTTON, &CBooleanCommands::OnBooleanEditor},
        {ID_BOOLEAN_CLEAR, &CBooleanCommands::OnBooleanClear},
        {ID_BOOLEAN_COPY, &CBooleanCommands::OnBooleanCopy},
    };
    for (const auto& [nId, pCommand] : aBooleanCommands)
        connect(Action(nId), &QAction::triggered, this,
                [this, pCommand] { (m_pBooleans.get()->*pCommand)(); });
    ConnectEditorCommands();
    // The toolbar button recomposes the title before the controller opens.
    connect(Action(ID_LOOP_CONTROLLER_BUTTON), &QAction::triggered, this, [this] {
        UpdateTitle();
        OnLoopStatusController();
    });
    connect(Action(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
}

// The setup and label editors: each command object lives for one run.
void CMainFrame::ConnectEditorCommands() {
    const std::pair<int, void (CLabelCommands::*)()> aLabelCommands[] = {
        {ID_CHANNEL_LABELS, &CLabelCommands::OnChannelLabels},
        {ID_MODULE_LABELS, &CLabelCommands::OnModuleLabels},
        {ID_SYSTEM_LABELS, &CLabelCommands::OnSystemLabels},
    };
    for (const auto& [nId, pCommand] : aLabelCommands)
        connect(Action(nId), &QAction::triggered, this, [this, pCommand] {
            CLabelCommands commands(*this, m_system, m_shell, m_moduleTypes);
            (commands.*pCommand)();
        });
    connect(Action(ID_SLEEP_MODE), &QAction::triggered, this,
            [this] { CSleepModeCommand(*this, m_system, m_shell, m_moduleTypes).OnSleepMode(); });
    connect(Action(ID_TIMER_SETUP), &QAction::triggered, this,
            [this] { CTimerSetupCommand(*this, m_system, m_shell, m_moduleTypes).OnTimerSetup(); });
    connect(Action(ID_HIGH_SPEED_CHANNELS), &QAction::triggered, this, [this] {
        CHiSpeedCommand(*this, m_system, m_shell, m_moduleTypes).OnHighSpeedChannels();
    });
}

// --- enable rules and item texts ---

// Save and Print act on the active documentation window and have nothing to
// act on without one.
void CMainFrame::UpdateDocumentCommands() {
    bool bDocument = ActiveDocumentWindow() != nullptr;
    Action(ID_FILE_SAVE)->setEnabled(bDocument);
    Action(ID_FILE_PRINT)->setEnabled(bDocument);
}

void CMainFrame::ShowPortState() {
    const bool bOpen = IsPortOpen();
    Action(ID_PORT_OPEN)
        ->setText(bOpen ? CCommandTable::kPortCloseText : CCommandTable::kPortOpenText);
    Action(ID_SIMULATE_CPU)->setChecked(IsSimulating());
    short nPort = bOpen ? m_nOpenPort : m_param.GetCommPort();
    CPortPane::EState state = !bOpen                    ? CPortPane::EState::Closed
                              : m_system.IsLinkActive() ? CPortPane::EState::LinkRunning
                                                        : CPortPane::EState::Open;
    if (bOpen && IsSimulating())
        m_pPortPane->ShowSimulation(state, m_pSimulation->LinkPath());
    else
        m_pPortPane->Show(nPort, state, CSerialControl::DeviceName(nPort));
    if (!bOpen)
        ForgetLinkText();
}

void CMainFrame::UpdateKeyIndicators() {
    const CKeyIndicators::EKey aKeys[3] = {CKeyIndicators::CapsLock, CKeyIndicators::NumLock,
                                           CKeyIndicators::ScrollLock};
    for (int i = 0; i < 3; ++i)
        m_apIndicator[i]->setEnabled(CKeyIndicators::IsLit(aKeys[i]));
}

void CMainFrame::OnTimer() { UpdateKeyIndicators(); }

// --- title and status line ---

void CMainFrame::UpdateTitle() {
    m_strTitle = QString(kTitleText) + " [ " + ToQString(m_system.GetFilePath()) + " ]";
    if (IsSimulating())
        m_strTitle += kSimulationTitleText;
    setWindowTitle(m_strTitle);
}

// A sequence sets the pane at every frame, far more often than anyone can
// read it; while one runs the pane is repainted at most 25 times a second,
// its last text always shown, and not at all while its text stays the same.
void CMainFrame::SetStatusText(const std::string& strText) {
    m_bResultShown = false;
    auto fnShow = [this, strNew = QString::fromStdString(strText)] {
        if (m_pMessagePane->text() == strNew)
            return;
        m_pMessagePane->setText(strNew);
        m_pMessagePane->repaint();
    };
    if (m_bInSequence)
        m_statusThrottle.Show(fnShow);
    else
        m_statusThrottle.ShowNow(fnShow);
}

void CMainFrame::ShowResultText(const std::string& strText) {
    SetStatusText(strText);
    m_bResultShown = true;
}

QString CMainFrame::StatusText() const { return m_pMessagePane->text(); }

// Menu and toolbar prompts go to the message pane; when the pointer leaves
// them the pane falls back to the idle text.
bool CMainFrame::event(QEvent* pEvent) {
    if (pEvent->type() == QEvent::StatusTip) {
        QString strTip = static_cast<QStatusTipEvent*>(pEvent)->tip();
        m_pMessagePane->setText(strTip.isEmpty() ? QString(kIdleText) : strTip);
        return true;
    }
    // A maximised documentation window would append its name to the title;
    // the title shows the system's file path only.
    if (pEvent->type() == QEvent::WindowTitleChange && windowTitle() != m_strTitle)
        setWindowTitle(m_strTitle);
    if (pEvent->type() == QEvent::KeyRelease || pEvent->type() == QEvent::WindowActivate)
        UpdateKeyIndicators();
    return QMainWindow::event(pEvent);
}

void CMainFrame::OnInitMenu() {
    QAction* pHelpItem = nullptr;
    for (QAction* pTop : menuBar()->actions())
        if (pTop->text() == kHelpMenuText && pTop->menu())
            pHelpItem = pTop;
    QAction* pTip = Action(ID_TIP_OF_THE_DAY);
    if (pHelpItem) {
        QMenu* pHelp = pHelpItem->menu();
        QList<QAction*> apItems = pHelp->actions();
        if (apItems.isEmpty() || apItems.front()->text() != pTip->text()) {
            QAction* pFirst = apItems.isEmpty() ? nullptr : apItems.front();
            pHelp->insertSeparator(pFirst);
            pHelp->insertAction(pHelp->actions().front(), pTip);
        }
        return;
    }
    if (!m_pTipMenu) {
        m_pTipMenu = new QMenu(kHelpMenuText, this);
        m_pTipMenu->addAction(pTip);
    }
    menuBar()->addMenu(m_pTipMenu);
    menuBar()->update();
}

// --- help ---

void CMainFrame::ShowHelp(const QString& strSection) {
    if (!m_pHelp)
        m_pHelp = new CHelpWindow(FindDataFile(m_system.GetLaunchDir(), "manual/index.html"), this);
    m_pHelp->ShowSection(strSection);
}

CHelpWindow* CMainFrame::HelpWindow() const { return m_pHelp.data(); }

void CMainFrame::OnHelpFinder() { ShowHelp({}); }

void CMainFrame::OnHelp() { ShowHelp({}); }

void CMainFrame::OnContextHelp() { CHelpRouter::Of(this)->StartContextHelp(); }

// --- about and tips ---

void CMainFrame::OnAppAbout() {
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::OnTipOfTheDay() {
    CTipDlg dialog(m_profile, FindDataFile(m_system.GetLaunchDir(), "tips.txt"), m_shell, this);
    // At start the window manager may not have maximised this window yet;
    // centre the tip on the screen it is being maximised to.
    if (isMaximized()) {
        dialog.adjustSize();
        dialog.move(screen()->availableGeometry().center() - dialog.rect().center());
    }
    dialog.exec();
}

// --- close protocol ---

void CMainFrame::closeEvent(QCloseEvent* pEvent) {
    if (OnClose())
        pEvent->accept();
    else
        pEvent->ignore();
}

bool CMainFrame::OnClose() {
    // Closing goes on whatever the save did: the final question still lets
    // the technician stay.
    OfferSave();
    if (IsPortOpen() && !IsSimulating()) {
        m_shell.MessageBox(
            "Please close the comm port first, before terminating the Corvel application.",
            EBoxButtons::Ok, EBoxIcon::Exclamation);
        return false;
    }
    if (m_shell.MessageBox("Are you sure you wish to close the entire Corvel application?",
                           EBoxButtons::YesNo, EBoxIcon::Question) != EBoxAnswer::Yes)
        return false;
    // The simulation is Corvel's own: it goes with it.
    if (IsSimulating()) {
        m_bRealPortBeforeSimulation = false;
        ClosePort();
    }
    PauseLink();
    m_systemTimer.stop();
    // The manual's window would otherwise keep the application running.
    if (m_pHelp)
        m_pHelp->close();
    return true;
}
