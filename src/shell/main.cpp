#include "link/zlvcomm.h"
#include "model/system.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/CaptionFitter.h"
#include "shell/CommandLine.h"
#include "shell/DesktopShell.h"
#include "shell/Text.h"
#include "shell/WorkingFiles.h"
#include "shell/Workspace.h"
#include "shell/param1.h"
#include "shell/winzlv4.h"

#include <QApplication>
#include <QSettings>

#include <cstdio>

// The process-wide objects live in this order from here to the end of main,
// after the application (a message box needs it) and before the windows, and
// go in the reverse order. Each reads its working file as it is made; the
// exit sequence writes them all back once the main window has gone. The
// workspace, when asked for, is entered first: the system record takes the
// folder it is made in as the launch directory.
namespace {

int PrintAndExit(const CCommandLine& commandLine) {
    std::fputs(qPrintable(commandLine.ExitText()), commandLine.ExitCode() == 0 ? stdout : stderr);
    return commandLine.ExitCode();
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList astrRawArguments;
    for (int i = 0; i < argc; ++i)
        astrRawArguments << QString::fromLocal8Bit(argv[i]);
    if (CCommandLine::AsksForTextOnly(astrRawArguments))
        return PrintAndExit(CCommandLine(astrRawArguments));
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(CORVEL_APP_ID);
    const CCommandLine commandLine(QApplication::arguments());
    if (commandLine.ShouldExit())
        return PrintAndExit(commandLine);
    CCaptionFitter captionFitter;
    app.installEventFilter(&captionFitter);
    CDesktopShell shell;
    if (commandLine.UseWorkspace() && !CWorkspace::Enter(shell))
        return EXIT_FAILURE;
    CSystem system(shell);
    theSystem = &system;
    CZlvComm comm(system, shell);
    theComm = &comm;
    CParam1 param(system.GetLaunchDir(), shell);
    theParam = &param;
    CModuleTypes moduleTypes(system.GetLaunchDir(), shell);
    theModuleTypes = &moduleTypes;
    QSettings profile(CWinzlv4App::kProfileOrganisation, CWinzlv4App::kProfileApplication);
    int nResult = EXIT_FAILURE;
    {
        CWinzlv4App winApp(system, comm, param, moduleTypes, shell, profile);
        theApp = &winApp;
        if (winApp.InitInstance(PathFromQString(commandLine.FileName())))
            nResult = app.exec();
        theApp = nullptr;
    }
    CWorkingFiles::WriteAtExit(system, param, moduleTypes, shell);
    theModuleTypes = nullptr;
    theParam = nullptr;
    theComm = nullptr;
    theSystem = nullptr;
    return nResult;
}
