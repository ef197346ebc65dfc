#include "shell/Workspace.h"

#include "model/ShellServices.h"
#include "shell/Text.h"

#include <QDir>

QString CWorkspace::Folder() {
    const QString strFolder = qEnvironmentVariable(kEnvironment);
    if (!strFolder.isEmpty())
        return strFolder;
    return QDir::home().filePath(kDefaultName);
}

bool CWorkspace::Enter(CShellServices& shell) {
    const QString strFolder = Folder();
    if (QDir().mkpath(strFolder) && QDir::setCurrent(strFolder))
        return true;
    shell.MessageBox("Could not create or enter the workspace folder " + PathFromQString(strFolder),
                     EBoxButtons::Ok, EBoxIcon::Stop);
    return false;
}
