#include "ShotTable.h"

#include "ShotComposite.h"
#include "ShotScene.h"
#include "controls/Animation.h"
#include "diagnostics/LiveLogic.h"
#include "diagnostics/LogicView.h"
#include "diagnostics/LoopStatusController.h"
#include "diagnostics/LoopStatusViewer.h"
#include "editors/BooleanCopyDlg.h"
#include "editors/BooleanEditor.h"
#include "editors/ChannelLabelDlg.h"
#include "editors/ChannelNumberDlg.h"
#include "editors/ChannelPicker.h"
#include "editors/HiSpeedDlg.h"
#include "editors/ModuleLabelDlg.h"
#include "editors/ModulePicker.h"
#include "editors/ObjectGroupDlg.h"
#include "editors/SelectLoop.h"
#include "editors/SleepModeDlg.h"
#include "editors/SystemLabelDlg.h"
#include "editors/TimerDlg.h"
#include "link/CompareDlg.h"
#include "link/PortSettingsDlg.h"
#include "link/SerialView.h"
#include "link/WaitIndicator.h"
#include "moduletypes/AssignModuleTypeDlg.h"
#include "moduletypes/ModuleTypeDlg.h"
#include "moduletypes/ModuleTypePreferencesDlg.h"
#include "moduletypes/PickModuleTypeDlg.h"
#include "reports/SystemCheckDlg.h"
#include "reports/WhereUsedDlg.h"
#include "shell/AboutDlg.h"
#include "shell/DataFiles.h"
#include "shell/DesktopShell.h"
#include "shell/MainFrame.h"
#include "shell/TipDlg.h"

#include <QLabel>
#include <QMessageBox>

#include <chrono>

namespace {

using Shot = std::unique_ptr<QWidget>;

Shot MainFrame(CShotScene& s) {
    auto pFrame = std::make_unique<CMainFrame>(s.sys, s.param, s.types, s.shell, s.profile);
    pFrame->resize(900, 560);
    return pFrame;
}

void FillSerialView(CSerialView& view) {
    for (const char* szFrame : {":E0\r", ":E0\r", ":I0\r", ":CA\r", ":X01\r"})
        view.AddOutboundLine(szFrame);
    for (const char* szLine : {"OK\r", "\nOK\r", "\nOK\r", "\nOK\r"})
        view.AddInboundLine(szLine);
}

Shot SerialViewer(CShotScene&) {
    auto pView = std::make_unique<CSerialView>();
    FillSerialView(*pView);
    return pView;
}

Shot WaitIndicator(CShotScene& s) {
    auto pWait = std::make_unique<CWaitIndicator>(s.sys.GetLaunchDir(), s.shell);
    pWait->OnInitDialog();
    pWait->TextLine().setText("Transmitting Booleans to DVX CPU ...");
    return pWait;
}

// A system transfer a third of the way through.
Shot WaitIndicatorWithProgress(CShotScene& s) {
    auto pWait = std::make_unique<CWaitIndicator>(s.sys.GetLaunchDir(), s.shell);
    pWait->OnInitDialog();
    pWait->TextLine().setText("Transmitting timers to DVX CPU ...");
    pWait->SetProgress(412, 1189, std::chrono::seconds(97));
    return pWait;
}

Shot HiSpeed(CShotScene& s) {
    s.sys.SetHiSpeedInput(0, CSystem::MakeIndex(0, 0, 6));
    s.sys.SetHiSpeedOutput(0, CSystem::MakeIndex(0, 0, 0));
    return std::make_unique<CHiSpeedDlg>(s.sys, s.types, s.shell, [](short, short) {});
}

Shot Compare(CShotScene& s) {
    const std::vector<CSystemDifference> aDiffs = {
        {"BLUE LOOP A1 label", "HEADLIGHTS LEFT", "Blue_Chl_A1", false},
        {"BLUE LOOP A3 equation", "A1 + A2", "A1", false},
        {"Timer 12 reload", "4.5 s", "10.0 s", false},
        {"Timer 12 current", "0.0 s", "3.2 s", true},
        {"High speed pair 1 input", "A7", "_", false},
    };
    return std::make_unique<CCompareDlg>(aDiffs, s.shell);
}

// The sample system with what a hurried edit leaves: two Virtual channels
// flipping each other, a lamp over a Virtual channel nobody drives, a
// timer never enabled and a label given twice.
Shot SystemCheck(CShotScene& s) {
    auto equation = [&s](short nIndex, short nSource, bool bNot) {
        CChannelRecord& record = s.sys.Channel(CSystem::ModuleOf(nIndex),
                                               CSystem::ChannelOf(nIndex), CSystem::LoopOf(nIndex));
        record.m_anTermA[0] = nSource;
        record.m_abTermNotA[0] = bNot;
        record.m_bOutput = 1;
    };
    equation(CSystem::MakeIndex(2, 4, 0), CSystem::MakeIndex(2, 4, 1), false);
    equation(CSystem::MakeIndex(2, 4, 1), CSystem::MakeIndex(2, 4, 0), true);
    equation(CSystem::MakeIndex(0, 6, 2), CSystem::MakeIndex(2, 9, 9), false);
    equation(CSystem::MakeIndex(1, 3, 0), CSystem::MakeIndex(4, 7, 3), false);
    s.sys.StoreChannelLabel(6, 2, 0, "WIPER");
    s.sys.StoreChannelLabel(6, 3, 0, "WIPER");
    s.sys.StoreChannelLabel(4, 0, 2, "Door logic");
    return std::make_unique<CSystemCheckDlg>(s.sys, s.types, s.shell,
                                             CSystemCheckDlg::COpeners{[] {}, [] {}});
}

// Three viewers side by side over the main window, lamps lit.
Shot LoopViewers(CShotScene& s) {
    CMainFrame frame(s.sys, s.param, s.types, s.shell, s.profile);
    frame.resize(1280, 560);
    s.FillSystem();
    for (short nLoop : {0, 1, 2})
        for (short nModule = 0; nModule < 16; nModule += 3 + nLoop)
            s.sys.SetChannelStateAt(nModule, static_cast<short>((nModule + nLoop) % 10), nLoop, 1);
    std::vector<CPlacedWindow> aWindows{{&frame, {0, 0}}};
    int nX = 30;
    for (short nLoop : {0, 1, 2}) {
        frame.OpenLoopStatusViewer(nLoop);
        CLoopStatusViewer& viewer = *frame.LoopStatusViewer(nLoop);
        viewer.RefreshDisplay();
        viewer.adjustSize();
        aWindows.push_back({&viewer, {nX, 110 + 30 * nLoop}});
        nX += viewer.width() + 20;
    }
    return ComposeWindows(aWindows);
}

// The serial viewer beside the wait indicator while a system goes to the
// controller.
Shot SerialViewerDuringTransfer(CShotScene& s) {
    CMainFrame frame(s.sys, s.param, s.types, s.shell, s.profile);
    frame.resize(900, 560);
    frame.OnSerialViewer();
    FillSerialView(*frame.SerialView());
    frame.StartWaitIndicator("Transmitting timers to DVX CPU ...");
    frame.WaitIndicator()->SetProgress(412, 1189, std::chrono::seconds(97));
    frame.WaitIndicator()->adjustSize();
    return ComposeWindows(
        {{&frame, {0, 0}}, {frame.SerialView(), {440, 90}}, {frame.WaitIndicator(), {30, 260}}});
}

Shot LoopController(CShotScene& s) {
    CMainFrame frame(s.sys, s.param, s.types, s.shell, s.profile);
    s.FillSystem();
    s.sys.SetChannelStateAt(0, 0, 0, 1);
    s.sys.SetChannelStateAt(0, 2, 0, 1);
    CLoopStatusController monitor(s.sys, frame, &frame);
    monitor.adjustSize();
    return ComposeWindows({{&monitor, {0, 0}}});
}

// A dome lamp on while the door is open and the ignition off, and for a
// while after the door closes, explained with the door closed and the
// ignition on.
Shot LogicView(CShotScene& s) {
    CSystem& sys = s.sys;
    const short kDoorSwitch = 10, kIgnition = 11, kDomeLamp = 2, kDoorOpen = 320;
    const short kDelayEnable = 480, kDelayRunning = 800;
    const std::pair<short, const char*> aLabels[] = {
        {kDoorSwitch, "DOOR SWITCH"}, {kIgnition, "IGNITION"},       {kDomeLamp, "DOME LAMP"},
        {kDoorOpen, "DOOR OPEN"},     {kDelayEnable, "DOOR CLOSED"}, {kDelayRunning, "DOME DELAY"}};
    for (const auto& [nIndex, szLabel] : aLabels)
        sys.StoreChannelLabel(CSystem::ModuleOf(nIndex), CSystem::ChannelOf(nIndex),
                              CSystem::LoopOf(nIndex), szLabel);
    CChannelRecord& doorOpen = sys.Channel(0, 0, 2);
    doorOpen.m_anTermA[0] = kDoorSwitch;
    CChannelRecord& delay = sys.Channel(0, 0, 3);
    delay.m_anTermA[0] = kDoorSwitch;
    delay.m_abTermNotA[0] = 1;
    sys.SetTimerReload(0, 20.0f);
    CChannelRecord& lamp = sys.Channel(0, 2, 0);
    lamp.m_anTermA[0] = kDoorOpen;
    lamp.m_anTermA[1] = kIgnition;
    lamp.m_abTermNotA[1] = 1;
    lamp.m_anTermB[0] = kDelayRunning;
    lamp.m_bOutput = 1;
    sys.SetChannelStateAt(1, 1, 0, 1);
    sys.SetChannelStateAt(0, 0, 3, 1);
    // Every loop counts as reported: each question finds a line more.
    CLoopReports::CActions actions;
    actions.fnLinesReceived = [nLines = 0L](short) mutable { return ++nLines; };
    CLiveLogic live(sys, std::move(actions), [] { return true; });
    CLogicView view(sys, &live, kDomeLamp);
    view.SetEditor([](QWidget*) {});
    view.resize(940, 460);
    view.RefreshStates();
    return ComposeWindows({{&view, {0, 0}}});
}

Shot Box(const char* szText, EBoxButtons buttons, EBoxIcon icon) {
    return CDesktopShell::MakeBox(szText, buttons, icon, nullptr);
}

} // namespace

const std::vector<CShot>& AllShots() {
    static const std::vector<CShot> kShots = {
        {"MainFrame", MainFrame},
        {"AboutDlg", [](CShotScene&) -> Shot { return std::make_unique<CAboutDlg>(); }},
        {"TipDlg",
         [](CShotScene& s) -> Shot {
             return std::make_unique<CTipDlg>(
                 s.profile, FindDataFile(s.sys.GetLaunchDir(), "tips.txt"), s.shell);
         }},
        {"BooleanEditor",
         [](CShotScene& s) -> Shot { return std::make_unique<CBooleanEditor>(s.sys); }},
        {"ChannelPicker",
         [](CShotScene& s) -> Shot { return std::make_unique<CChannelPicker>(s.sys, s.types); }},
        {"ModulePicker",
         [](CShotScene& s) -> Shot { return std::make_unique<CModulePicker>(s.sys, s.types); }},
        {"ChannelNumberDlg",
         [](CShotScene& s) -> Shot { return std::make_unique<CChannelNumberDlg>(s.sys); }},
        {"ObjectGroupDlg",
         [](CShotScene& s) -> Shot { return std::make_unique<CObjectGroupDlg>(s.sys); }},
        {"SelectLoop",
         [](CShotScene& s) -> Shot { return std::make_unique<CSelectLoop>(s.sys, nullptr); }},
        {"ModuleTypeDlg",
         [](CShotScene& s) -> Shot { return std::make_unique<CModuleTypeDlg>(s.types, s.shell); }},
        {"PickModuleTypeDlg",
         [](CShotScene& s) -> Shot { return std::make_unique<CPickModuleTypeDlg>(s.types); }},
        {"AssignModuleTypeDlg",
         [](CShotScene& s) -> Shot {
             return std::make_unique<CAssignModuleTypeDlg>(s.sys, s.types);
         }},
        {"ModuleTypePreferencesDlg",
         [](CShotScene& s) -> Shot {
             return std::make_unique<CModuleTypePreferencesDlg>(s.types);
         }},
        {"PortSettingsDlg",
         [](CShotScene& s) -> Shot {
             return std::make_unique<CPortSettingsDlg>(s.shell, s.profile);
         }},
        {"SerialView", SerialViewer},
        {"WaitIndicator", WaitIndicator},
        {"WaitIndicatorProgress", WaitIndicatorWithProgress},
        {"SerialViewDuringTransfer", SerialViewerDuringTransfer},
        {"HiSpeedDlg", HiSpeed},
        {"TimerDlg",
         [](CShotScene& s) -> Shot {
             return std::make_unique<CTimerDlg>(
                 s.sys, s.shell, [] {}, [] {});
         }},
        {"SleepModeDlg",
         [](CShotScene& s) -> Shot { return std::make_unique<CSleepModeDlg>(s.sys, s.shell); }},
        {"ChannelLabelDlg",
         [](CShotScene& s) -> Shot { return std::make_unique<CChannelLabelDlg>(s.sys, s.shell); }},
        {"ModuleLabelDlg",
         [](CShotScene& s) -> Shot { return std::make_unique<CModuleLabelDlg>(s.sys, s.shell); }},
        {"SystemLabelDlg",
         [](CShotScene& s) -> Shot { return std::make_unique<CSystemLabelDlg>(s.sys); }},
        {"BooleanCopyDlg",
         [](CShotScene& s) -> Shot { return std::make_unique<CBooleanCopyDlg>(s.sys, s.types); }},
        {"LoopStatusController", LoopController},
        {"LogicView", LogicView},
        {"LoopStatusViewer", LoopViewers},
        {"CompareDlg", Compare},
        {"SystemCheckDlg", SystemCheck},
        {"WhereUsedDlg",
         [](CShotScene& s) -> Shot { return std::make_unique<CWhereUsedDlg>(s.sys); }},
        {"BoxResult",
         [](CShotScene&) {
             return Box("UPLOAD SUCCESSFUL", EBoxButtons::Ok, EBoxIcon::Information);
         }},
        {"BoxQuestion",
         [](CShotScene&) {
             return Box("Changes have been made. Do you wish to save?", EBoxButtons::YesNo,
                        EBoxIcon::Question);
         }},
        {"BoxRefusal",
         [](CShotScene&) {
             return Box("COM PORT NOT OPEN.", EBoxButtons::Ok, EBoxIcon::Exclamation);
         }},
        {"BoxFailure",
         [](CShotScene&) {
             return Box("Could not open/create data file FIRE TRUCK 12.DVX", EBoxButtons::Ok,
                        EBoxIcon::Stop);
         }},
    };
    return kShots;
}
