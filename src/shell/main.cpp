#include "link/zlvcomm.h"
#include "model/system.h"
#include "shell/DesktopShell.h"
#include "shell/winzlv4.h"

#include <QApplication>
#include <QSettings>

// The process-wide objects live in this order from here to the end of main,
// after the application (a message box needs it) and before the windows, and
// go in the reverse order.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    CDesktopShell shell;
    CSystem system(shell);
    theSystem = &system;
    CZlvComm comm(system, shell);
    theComm = &comm;
    QSettings profile(CWinzlv4App::kProfileOrganisation, CWinzlv4App::kProfileApplication);
    int nResult = EXIT_FAILURE;
    {
        CWinzlv4App winApp(system, comm, shell, profile);
        theApp = &winApp;
        if (winApp.InitInstance())
            nResult = app.exec();
        theApp = nullptr;
    }
    theComm = nullptr;
    theSystem = nullptr;
    return nResult;
}
