#pragma once

#include <QObject>

// Widens every dialog, message boxes included, so that the window manager
// can show its whole caption: several captions ("SELECT  OBJECT  GROUP")
// are wider than the few controls under them.
class CCaptionFitter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
};
