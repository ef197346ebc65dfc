#include "model/LaunchDir.h"

#include "model/ShellServices.h"

#include <filesystem>
#include <system_error>

namespace LaunchDir {

std::string Resolve(const std::string& strLaunchDir, const std::string& strName) {
    std::filesystem::path name(strName);
    if (name.is_absolute())
        return strName;
    return (std::filesystem::path(strLaunchDir) / name).string();
}

bool Return(const std::string& strLaunchDir, CShellServices& shell) {
    std::error_code error;
    std::filesystem::current_path(strLaunchDir, error);
    if (!error)
        return true;
    shell.MessageBox("ERROR. Could not return to launch directory.");
    return false;
}

} // namespace LaunchDir
