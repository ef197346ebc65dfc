#include "support/Screenshot.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

void SaveScreenshot(QWidget& widget, const QString& strName) {
    const QString strDir = qEnvironmentVariable("CORVEL_SHOT_DIR");
    if (strDir.isEmpty())
        return;
    widget.adjustSize();
    widget.grab().save(QDir(strDir).filePath(strName + ".png"));
}
