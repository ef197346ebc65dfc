#pragma once

#include <string>

class CShellServices;

// The folder the program started in, where the working files live. File
// dialogs may move the process's working directory, so working files are
// always named through the launch directory, and every access to them also
// makes it current again.
namespace LaunchDir {

// A file name resolved against the launch directory (absolute names stay).
std::string Resolve(const std::string& strLaunchDir, const std::string& strName);
// Makes the launch directory current again; a failure is reported.
bool Return(const std::string& strLaunchDir, CShellServices& shell);

} // namespace LaunchDir
