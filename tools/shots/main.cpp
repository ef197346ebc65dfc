// Writes a picture of every dialog and window of Corvel (or of the ones
// named) into a folder, as PNG files named after them:
//   corvel-shots [--scale FACTOR] FOLDER [NAME...]
// Runs headless unless a display platform is chosen.

#include "ShotScene.h"
#include "ShotTable.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <cstdio>
#include <cstdlib>
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

// The headless screen is as large as a desktop's at every scale: on its
// small default screen message boxes wrap early and windows are cut to it.
bool UseDesktopSizedScreen(QTemporaryFile& config, double dScale) {
    if (!config.open())
        return false;
    const int nWidth = static_cast<int>(1920 * dScale);
    const int nHeight = static_cast<int>(1080 * dScale);
    config.write(QString(R"({"screens": [{"name": "shots", "x": 0, "y": 0, "width": %1, )"
                         R"("height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                     .arg(nWidth)
                     .arg(nHeight)
                     .toUtf8());
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    int nArg = 1;
    double dScale = 1;
    if (nArg + 1 < argc && std::strcmp(argv[nArg], "--scale") == 0) {
        qputenv("QT_SCALE_FACTOR", argv[nArg + 1]);
        dScale = std::atof(argv[nArg + 1]);
        nArg += 2;
    }
    if (nArg >= argc || argv[nArg][0] == '-' || dScale <= 0)
        return Usage();
    const QString strFolder = QString::fromLocal8Bit(argv[nArg++]);
    std::vector<std::string> astrNames(argv + nArg, argv + argc);
    QTemporaryFile screenConfig;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !UseDesktopSizedScreen(screenConfig, dScale)) {
        std::fprintf(stderr, "cannot write the screen settings\n");
        return 1;
    }

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
