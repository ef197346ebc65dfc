#include "ShotTable.h"

#include "ShotScene.h"
#include "controls/AnimateCtrl.h"
#include "editors/EditBool.h"
#include "editors/PickChl.h"
#include "editors/SelGroup.h"
#include "editors/SelectLoop.h"
#include "editors/selchl.h"
#include "editors/selmod.h"
#include "link/SelComm.h"
#include "link/SerialView.h"
#include "link/WaitAviDlg.h"
#include "moduletypes/AssignModuleTypeDlg.h"
#include "moduletypes/ModuleTypeDlg.h"
#include "moduletypes/ModuleTypePreferencesDlg.h"
#include "moduletypes/PickModuleTypeDlg.h"
#include "shell/AboutDlg.h"
#include "shell/DataFiles.h"
#include "shell/DesktopShell.h"
#include "shell/MainFrm.h"
#include "shell/TipDlg.h"

#include <QLabel>
#include <QMessageBox>

namespace {

using Shot = std::unique_ptr<QWidget>;

Shot MainFrame(CShotScene& s) {
    auto pFrame = std::make_unique<CMainFrame>(s.sys, s.param, s.types, s.shell, s.profile);
    pFrame->resize(900, 560);
    return pFrame;
}

Shot SerialViewer(CShotScene&) {
    auto pView = std::make_unique<CSerialView>();
    for (const char* szFrame : {":E0\r", ":E0\r", ":I0\r", ":CA\r", ":X01\r"})
        pView->AddOutboundLine(szFrame);
    for (const char* szLine : {"OK\r", "\nOK\r", "\nOK\r", "\nOK\r"})
        pView->AddInboundLine(szLine);
    return pView;
}

Shot WaitIndicator(CShotScene& s) {
    auto pWait = std::make_unique<CWaitAviDlg>(s.sys.GetLaunchDir(), s.shell);
    pWait->OnInitDialog();
    pWait->TextLine().setText("Transmitting Booleans to DVX CPU ...");
    return pWait;
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
        {"EditBool", [](CShotScene& s) -> Shot { return std::make_unique<CEditBool>(s.sys); }},
        {"PickChl",
         [](CShotScene& s) -> Shot { return std::make_unique<CPickChl>(s.sys, s.types); }},
        {"selmod", [](CShotScene& s) -> Shot { return std::make_unique<CSelMod>(s.sys, s.types); }},
        {"selchl", [](CShotScene& s) -> Shot { return std::make_unique<CSelChl>(s.sys); }},
        {"SelGroup", [](CShotScene& s) -> Shot { return std::make_unique<CSelGroup>(s.sys); }},
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
        {"SelComm",
         [](CShotScene& s) -> Shot { return std::make_unique<CSelComm>(s.shell, s.profile); }},
        {"SerialView", SerialViewer},
        {"WaitAviDlg", WaitIndicator},
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
