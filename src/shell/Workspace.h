#pragma once

#include <QString>

class CShellServices;

// The folder Corvel works in when the desktop starts it: the run command's
// workspace, so the working files of a menu start and of a run from the
// source tree are the same ones.
class CWorkspace {
public:
    static constexpr const char* kEnvironment = "CORVEL_WORKSPACE";
    static constexpr const char* kDefaultName = "corvel-workspace";

    // $CORVEL_WORKSPACE when set, otherwise ~/corvel-workspace.
    static QString Folder();
    // Creates the folder when missing and makes it the current folder, which
    // becomes the launch directory. A folder that cannot be made or entered
    // is reported; the program then must not go on in a folder nobody chose.
    static bool Enter(CShellServices& shell);
};
