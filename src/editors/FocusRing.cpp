#include "editors/FocusRing.h"

#include <QEvent>
#include <QPainter>

namespace {

// In device-independent pixels, so the ring keeps its weight at 200%.
constexpr qreal kRingWidth = 2.0;

} // namespace

void CFocusRing::Attach(QWidget& control) {
    if (control.findChild<CFocusRing*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    new CFocusRing(control);
}

CFocusRing::CFocusRing(QWidget& control) : QWidget(&control) {
    setObjectName("FocusRing");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    control.installEventFilter(this);
    FollowControl();
}

bool CFocusRing::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == parent()) {
        const QEvent::Type type = pEvent->type();
        if (type == QEvent::FocusIn || type == QEvent::FocusOut || type == QEvent::Resize ||
            type == QEvent::Show)
            FollowControl();
    }
    return QWidget::eventFilter(pWatched, pEvent);
}

void CFocusRing::FollowControl() {
    const QWidget& control = *parentWidget();
    setGeometry(control.rect());
    setVisible(control.hasFocus());
    raise();
}

void CFocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Active, QPalette::Highlight), kRingWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    const qreal nInset = kRingWidth / 2;
    painter.drawRect(QRectF(rect()).adjusted(nInset, nInset, -nInset, -nInset));
}
