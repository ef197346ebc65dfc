#include "link/ControllerProtocol.h"
#include "model/System.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/CaptionFitter.h"
#include "shell/CommandLine.h"
#include "shell/CorvelApp.h"
#include "shell/DesktopShell.h"
#include "shell/Settings.h"
#include "shell/Text.h"
#include "shell/WorkingFiles.h"
#include "shell/Workspace.h"

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
    CControllerProtocol comm(system, shell);
    CSettings param(system.GetLaunchDir(), shell);
    CModuleTypes moduleTypes(system.GetLaunchDir(), shell);
    QSettings profile(CCorvelApp::kProfileOrganisation, CCorvelApp::kProfileApplication);
    int nResult = EXIT_FAILURE;
    {
        CCorvelApp corvelApp(system, comm, param, moduleTypes, shell, profile);
        if (corvelApp.InitInstance(PathFromQString(commandLine.FileName())))
            nResult = app.exec();
    }
    CWorkingFiles::WriteAtExit(system, param, moduleTypes, shell);
    return nResult;
}
