#include "shell/DataFiles.h"

#include "shell/Text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString FindDataFile(const std::string& strLaunchDir, const QString& strName) {
    QString strLaunchPath = QDir(PathToQString(strLaunchDir)).filePath(strName);
    // Beside the program, an installation moved to another prefix still
    // finds its data.
    QString strBesideProgram = QCoreApplication::applicationDirPath() + "/../share/corvel";
    for (const QString& strFolder :
         {PathToQString(strLaunchDir), strBesideProgram, QStringLiteral(CORVEL_DATA_DIR),
          QStringLiteral(CORVEL_SOURCE_DATA_DIR)}) {
        QString strPath = QDir(strFolder).filePath(strName);
        if (QFileInfo(strPath).isFile())
            return strPath;
    }
    return strLaunchPath;
}
