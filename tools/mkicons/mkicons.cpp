// Writes the program icon as an icon theme wants it: a bitmap for each usual
// size and a scalable file, under OUTDIR/hicolor/<size>/apps/NAME.
#include "shell/ProgramIcon.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

bool WriteSvg(const QString& strPath) {
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly) && file.write(CProgramIcon::Svg()) > 0 && file.flush();
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkicons OUTDIR NAME\n");
        return 2;
    }
    const QString strRoot = QString::fromLocal8Bit(argv[1]) + "/hicolor/";
    const QString strName = QString::fromLocal8Bit(argv[2]);
    for (int nSize : CProgramIcon::kSizes) {
        const QString strFolder = strRoot + QString("%1x%1/apps").arg(nSize);
        const QString strPath = strFolder + "/" + strName + ".png";
        if (!QDir().mkpath(strFolder) || !CProgramIcon::Image(nSize).save(strPath, "PNG")) {
            std::fprintf(stderr, "mkicons: could not write %s\n", qPrintable(strPath));
            return 1;
        }
    }
    const QString strFolder = strRoot + "scalable/apps";
    const QString strPath = strFolder + "/" + strName + ".svg";
    if (!QDir().mkpath(strFolder) || !WriteSvg(strPath)) {
        std::fprintf(stderr, "mkicons: could not write %s\n", qPrintable(strPath));
        return 1;
    }
    return 0;
}
