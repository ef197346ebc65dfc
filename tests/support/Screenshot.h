#pragma once

#include <QString>

class QWidget;

// Saves a picture of widget as <name>.png in the folder named by the
// environment variable CORVEL_SHOT_DIR, for looking at dialogs by eye;
// does nothing when the variable is unset.
void SaveScreenshot(QWidget& widget, const QString& strName);
