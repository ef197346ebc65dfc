#pragma once

#include <string>
#include <vector>

// What corvel-cli is asked to do, read from its arguments.
struct CCliRequest {
    std::string strCommand;
    std::vector<std::string> astrFiles;
    std::string strOutput;
    int nPort = 0;
    std::string strDevice;
    int nTimeoutSeconds = 5;
    bool bJson = false;
    bool bQuiet = false;
    bool bHelp = false;
    bool bVersion = false;
};

// The exit statuses scripts rely on.
enum ECliExit : int {
    kExitOk = 0,
    kExitDifferences = 1,
    kExitFindings = 1,
    kExitUsage = 2,
    kExitFile = 3,
    kExitController = 4,
};

namespace CliOptions {

constexpr const char* kProgram = "corvel-cli";

// False with the reason in strError when the arguments are not a valid
// request; --help and --version are valid with or without a command.
bool Parse(const std::vector<std::string>& astrArgs, CCliRequest& request, std::string& strError);

// The program's help, or a command's when one is named.
std::string HelpText(const std::string& strCommand);
std::string VersionText();

// Whether the command talks to the controller.
bool IsControllerCommand(const std::string& strCommand);

} // namespace CliOptions
