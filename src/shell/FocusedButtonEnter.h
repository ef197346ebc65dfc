#pragma once

#include <QObject>

class QWidget;

// Makes Enter press the button that has the focus in a dialog. Qt's dialogs
// give Enter to the default button unless the focused button is a push
// button that may become the default; a tool button or a push button kept
// from ever being the default would let Enter run OK instead of itself.
// With this, the default button answers Enter only when no other button has
// the focus.
class CFocusedButtonEnter : public QObject {
    Q_OBJECT

public:
    // Watches every push and tool button of the window, from now on.
    static void Install(QWidget& window);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    explicit CFocusedButtonEnter(QObject* pParent) : QObject(pParent) {}
};
