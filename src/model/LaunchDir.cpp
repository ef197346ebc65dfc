#include "model/LaunchDir.h"

#include "model/ShellServices.h"

#include <filesystem>
#include <set>
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
    shell.MessageBox("ERROR. Could not return to launch directory.", EBoxButtons::Ok,
                     EBoxIcon::Stop);
    return false;
}

CDataFile::EReadResult ReadFile(const std::string& strLaunchDir, CShellServices& shell,
                                const std::string& strName, std::vector<unsigned char>& data) {
    Return(strLaunchDir, shell);
    CDataFile::EReadResult result = CDataFile::Read(Resolve(strLaunchDir, strName), data);
    if (result == CDataFile::EReadResult::Unreadable)
        shell.MessageBox(CDataFile::UnreadableText(strName), EBoxButtons::Ok,
                         EBoxIcon::Exclamation);
    return result;
}

bool WriteFile(const std::string& strLaunchDir, CShellServices& shell, const std::string& strName,
               const std::vector<unsigned char>& data) {
    Return(strLaunchDir, shell);
    std::error_code error;
    if (CDataFile::Write(Resolve(strLaunchDir, strName), data, error))
        return true;
    shell.MessageBox(CDataFile::CreateFailedText(strName, error), EBoxButtons::Ok, EBoxIcon::Stop);
    return false;
}

bool WriteWorkingFile(const std::string& strLaunchDir, CShellServices& shell,
                      const std::string& strName, const std::vector<unsigned char>& data) {
    Return(strLaunchDir, shell);
    std::error_code error;
    if (CDataFile::Write(Resolve(strLaunchDir, strName), data, error))
        return true;
    if (!ReportReadOnly(strLaunchDir, shell))
        shell.MessageBox(CDataFile::CreateFailedText(strName, error), EBoxButtons::Ok,
                         EBoxIcon::Stop);
    return false;
}

bool SaveFile(const std::string& strLaunchDir, CShellServices& shell, const std::string& strName,
              const std::string& strWorkingFile, const std::vector<unsigned char>& data) {
    if (strName.empty())
        return WriteWorkingFile(strLaunchDir, shell, strWorkingFile, data);
    return WriteFile(strLaunchDir, shell, strName, data);
}

bool ReportReadOnly(const std::string& strLaunchDir, CShellServices& shell) {
    std::error_code error = CDataFile::FolderRefusal(strLaunchDir);
    if (!error)
        return false;
    static std::set<std::string> astrSaid;
    if (astrSaid.insert(strLaunchDir).second)
        shell.MessageBox(kReadOnlyText + strLaunchDir + "\n" + error.message() +
                             kReadOnlyNotSavedText,
                         EBoxButtons::Ok, EBoxIcon::Exclamation);
    return true;
}

} // namespace LaunchDir
