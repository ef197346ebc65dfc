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
// As WriteFile, for the working files Corvel keeps there by itself: when the
// launch directory cannot be written at all, that is said once (see
// ReportReadOnly) instead of once for every file every time.
bool WriteWorkingFile(const std::string& strLaunchDir, CShellServices& shell,
                      const std::string& strName, const std::vector<unsigned char>& data);
// Writes strName as WriteFile does, or, when strName is empty, the working
// file strWorkingFile as WriteWorkingFile does.
bool SaveFile(const std::string& strLaunchDir, CShellServices& shell, const std::string& strName,
              const std::string& strWorkingFile, const std::vector<unsigned char>& data);

constexpr const char* kReadOnlyText = "Corvel cannot write in the folder it was started from:\n";
constexpr const char* kReadOnlyNotSavedText =
    "\nSYSTEM6C.DAT, SYSTEM6C.BAK, PARAM1A.DAT, ModuleTypes.dat and Corvel_SS.VTS will not be "
    "saved in this run. Keep your system with File > Save As in another folder, or start Corvel "
    "from a folder you may write in.";
// True when the launch directory cannot be written, judged by its mode bits
// as files are, or by the system. The first time in a run for that folder
// it says so, with the reason and what will not be saved; after that it
// says nothing.
bool ReportReadOnly(const std::string& strLaunchDir, CShellServices& shell);

} // namespace LaunchDir
