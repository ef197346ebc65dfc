// Writes a picture of every dialog and window of Corvel (or of the ones
// named) into a folder, as PNG files named after them:
//   corvel-shots [--scale FACTOR] FOLDER [NAME...]
// Runs headless unless a display platform is chosen.

#include "ShotScene.h"
#include "ShotTable.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: corvel-shots [--scale FACTOR] FOLDER [NAME...]\nnames:");
    for (const CShot& shot : AllShots())
        std::fprintf(stderr, " %s", shot.szName);
    std::fprintf(stderr, "\n");
    return 2;
}

bool IsWanted(const std::vector<std::string>& astrNames, const char* szName) {
    if (astrNames.empty())
        return true;
    for (const std::string& strName : astrNames)
        if (strName == szName)
            return true;
    return false;
}

// A window the table gave a size keeps it; the others take the size their
// layout asks for.
bool Save(QWidget& window, const QDir& folder, const char* szName) {
    if (!window.testAttribute(Qt::WA_Resized))
        window.adjustSize();
    window.show();
    QApplication::processEvents();
    QString strPath = folder.filePath(QString(szName) + ".png");
    bool bSaved = window.grab().save(strPath);
    std::printf("%s %s\n", bSaved ? "wrote" : "FAILED", qPrintable(strPath));
    return bSaved;
}

} // namespace

int main(int argc, char* argv[]) {
    int nArg = 1;
    if (nArg + 1 < argc && std::strcmp(argv[nArg], "--scale") == 0) {
        qputenv("QT_SCALE_FACTOR", argv[nArg + 1]);
        nArg += 2;
    }
    if (nArg >= argc || argv[nArg][0] == '-')
        return Usage();
    const QString strFolder = QString::fromLocal8Bit(argv[nArg++]);
    std::vector<std::string> astrNames(argv + nArg, argv + argc);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QDir folder;
    if (!folder.mkpath(strFolder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(strFolder));
        return 1;
    }
    folder.setPath(strFolder);
    int nFailed = 0;
    int nWritten = 0;
    for (const CShot& shot : AllShots()) {
        if (!IsWanted(astrNames, shot.szName))
            continue;
        // A scene of its own for every picture: a main window starts a new
        // system, and what one picture sets up must not show in the next.
        QTemporaryDir launchDir;
        if (!launchDir.isValid()) {
            std::fprintf(stderr, "cannot create a launch folder\n");
            return 1;
        }
        CShotScene scene(QDir(launchDir.path()).absolutePath().toStdString());
        std::unique_ptr<QWidget> pWindow = shot.make(scene);
        nFailed += Save(*pWindow, folder, shot.szName) ? 0 : 1;
        ++nWritten;
    }
    if (nWritten == 0)
        return Usage();
    return nFailed == 0 ? 0 : 1;
}
