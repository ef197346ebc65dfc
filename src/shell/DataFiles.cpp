#include "shell/DataFiles.h"

#include "shell/Text.h"

#include <QDir>
#include <QFileInfo>

QString FindDataFile(const std::string& strLaunchDir, const QString& strName) {
    QString strLaunchPath = QDir(PathToQString(strLaunchDir)).filePath(strName);
    for (const QString& strFolder : {PathToQString(strLaunchDir), QStringLiteral(CORVEL_DATA_DIR),
                                     QStringLiteral(CORVEL_SOURCE_DATA_DIR)}) {
        QString strPath = QDir(strFolder).filePath(strName);
        if (QFileInfo(strPath).isFile())
            return strPath;
    }
    return strLaunchPath;
}
