#pragma once

#include "QuietShell.h"
#include "model/System.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/Settings.h"

#include <QSettings>

#include <string>

// What the windows of the pictures are built over: a system, a module type
// library, settings and a profile in a throwaway launch folder, filled with
// sample labels and types so that every field of a dialog shows something.
class CShotScene {
public:
    explicit CShotScene(const std::string& strLaunchDir);

    // Puts the sample labels and equations into the system, again after a
    // main window started a new one.
    void FillSystem();

    CQuietShell shell;
    CSystem sys;
    CSettings param;
    CModuleTypes types;
    QSettings profile;
};
