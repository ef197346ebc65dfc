#include "cli/CliMain.h"

#include "cli/CliController.h"
#include "cli/CliOffline.h"
#include "cli/CliOptions.h"
#include "cli/CliProgress.h"
#include "cli/CliShell.h"

#include <filesystem>

namespace CliMain {

int Run(const std::vector<std::string>& astrArgs, std::ostream& out, std::ostream& err,
        bool bErrIsTerminal, CCliController::ErrorSourceFactory fnErrorSource) {
    CCliShell shell(err);
    CCliRequest request;
    std::string strError;
    if (!CliOptions::Parse(astrArgs, request, strError)) {
        shell.Error(strError);
        return kExitUsage;
    }
    if (request.bHelp) {
        out << CliOptions::HelpText(request.strCommand);
        return kExitOk;
    }
    if (request.bVersion) {
        out << CliOptions::VersionText();
        return kExitOk;
    }
    std::error_code error;
    std::string strLaunchDir = std::filesystem::current_path(error).string();
    CCliOffline files(shell, out, strLaunchDir);
    CCliProgress progress(err, bErrIsTerminal, request.bQuiet);
    CCliController controller(request, shell, files, progress, std::move(fnErrorSource));
    const std::string& strCommand = request.strCommand;
    if (strCommand == "show")
        return files.Show(request);
    if (strCommand == "listing")
        return files.Listing(request);
    if (strCommand == "convert")
        return files.Convert(request);
    if (strCommand == "document")
        return files.Document(request);
    if (strCommand == "check")
        return files.Check(request);
    if (strCommand == "diff")
        return files.Diff(request);
    if (strCommand == "transfer")
        return controller.Transfer();
    if (strCommand == "retrieve")
        return controller.Retrieve();
    return controller.Verify();
}

} // namespace CliMain
