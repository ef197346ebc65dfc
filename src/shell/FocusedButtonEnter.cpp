#include "shell/FocusedButtonEnter.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace {

bool IsEnter(const QKeyEvent& event) {
    if (event.modifiers() & ~Qt::KeypadModifier)
        return false;
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

} // namespace

void CFocusedButtonEnter::Install(QWidget& window) {
    auto* pFilter = new CFocusedButtonEnter(&window);
    for (QAbstractButton* pButton : window.findChildren<QAbstractButton*>()) {
        if (qobject_cast<QPushButton*>(pButton) || qobject_cast<QToolButton*>(pButton))
            pButton->installEventFilter(pFilter);
    }
}

bool CFocusedButtonEnter::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() != QEvent::KeyPress || !IsEnter(static_cast<QKeyEvent&>(*pEvent)))
        return false;
    auto* pButton = qobject_cast<QAbstractButton*>(pWatched);
    if (!pButton || !pButton->hasFocus() || !pButton->isEnabled())
        return false;
    pButton->click();
    return true;
}
