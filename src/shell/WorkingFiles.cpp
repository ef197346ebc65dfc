#include "shell/WorkingFiles.h"

#include "model/DataFile.h"
#include "model/LaunchDir.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/Settings.h"

#include <filesystem>
#include <system_error>

namespace {

bool KeepBackup(CSystem& system, CShellServices& shell) {
    std::filesystem::path working = system.LaunchPath(CSystem::kWorkingFile);
    std::error_code error;
    if (!std::filesystem::exists(working, error))
        return true;
    if (CDataFile::Copy(working, system.LaunchPath(CWorkingFiles::kBackupFile), error))
        return true;
    if (LaunchDir::ReportReadOnly(system.GetLaunchDir(), shell))
        return false;
    shell.MessageBox(std::string("Could not keep the previous ") + CSystem::kWorkingFile + " as " +
                         CWorkingFiles::kBackupFile + ".\n" + error.message(),
                     EBoxButtons::Ok, EBoxIcon::Stop);
    return false;
}

} // namespace

bool CWorkingFiles::WriteAtExit(CSystem& system, CSettings& param, CModuleTypes& moduleTypes,
                                CShellServices& shell) {
    bool bBackup = KeepBackup(system, shell);
    bool bTypes = moduleTypes.Save();
    bool bParam = param.Save();
    bool bSystem = system.SaveWorkingFiles();
    return bBackup && bTypes && bParam && bSystem;
}
