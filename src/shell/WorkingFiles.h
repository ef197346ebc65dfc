#pragma once

class CModuleTypes;
class CSettings;
class CShellServices;
class CSystem;

// The exit sequence: every working file is written back into the launch
// directory, changed or not. The system file written last time is kept as
// "SYSTEM6C.BAK" first: Corvel starts on a default system, so without it the
// next exit would replace a backup made with Save current work. The backup
// is written like every other file, so an exit cut short leaves the old
// backup whole.
class CWorkingFiles {
public:
    static constexpr const char* kBackupFile = "SYSTEM6C.BAK";

    // False when any file could not be written (each failure is reported).
    static bool WriteAtExit(CSystem& system, CSettings& param, CModuleTypes& moduleTypes,
                            CShellServices& shell);
};
