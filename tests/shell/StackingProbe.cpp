// A main window with the serial viewer, the please-wait indicator and the
// Blue loop's status viewer open, on the display the test gives it. Prints
// the four X window ids as "main=ID viewer=ID wait=ID loop=ID" once all are
// shown and runs until the test ends it, so the test can click, minimise and
// read the window manager's stacking order from outside.

#include "diagnostics/LoopStatus.h"
#include "link/SerialView.h"
#include "link/WaitAviDlg.h"
#include "model/ShellServices.h"
#include "model/system.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/MainFrm.h"
#include "shell/param1.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

class CSilentShell : public CShellServices {
public:
    EBoxAnswer MessageBox(const std::string&, EBoxButtons, EBoxIcon) override {
        return EBoxAnswer::Ok;
    }
    bool AskFileName(const CFileDialogRequest&, std::string&) override { return false; }
    void SetStatusText(const std::string&) override {}
    void UpdateTitle() override {}
    void Trace(const std::string&) override {}
    void SendChannelState(short, short, short, int) override {}
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const std::string strDir = dir.path().toStdString();
    CSilentShell shell;
    CSystem system(shell, strDir);
    CParam1 param(strDir, shell);
    CModuleTypes types(strDir, shell);
    QSettings profile(dir.filePath("profile.ini"), QSettings::IniFormat);
    CMainFrame frame(system, param, types, shell, profile);
    frame.resize(800, 600);
    frame.show();
    frame.OnSerialViewer();
    frame.StartWaitIndicator("Transmitting Booleans to DVX CPU ...");
    frame.OpenLoopStatusViewer(0);

    QTimer::singleShot(300, &app, [&] {
        std::printf("main=%llu viewer=%llu wait=%llu loop=%llu\n",
                    static_cast<unsigned long long>(frame.winId()),
                    static_cast<unsigned long long>(frame.SerialView()->winId()),
                    static_cast<unsigned long long>(frame.WaitIndicator()->winId()),
                    static_cast<unsigned long long>(frame.LoopStatusViewer(0)->winId()));
        std::fflush(stdout);
    });
    return app.exec();
}
