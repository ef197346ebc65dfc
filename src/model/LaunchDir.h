#pragma once

#include "model/DataFile.h"

#include <string>
#include <vector>

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

// A working file read or written whole from the launch directory, made
// current first. Failures to read or write are reported here in the words
// all working files share, so each caller only decides what a missing file
// means and how its bytes are laid out.
CDataFile::EReadResult ReadFile(const std::string& strLaunchDir, CShellServices& shell,
                                const std::string& strName, std::vector<unsigned char>& data);
bool WriteFile(const std::string& strLaunchDir, CShellServices& shell, const std::string& strName,
               const std::vector<unsigned char>& data);

} // namespace LaunchDir
