#include "controls/LampColumn.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace {

const int kValueMask = (1 << CLampColumn::kLamps) - 1;
const QColor kPanel(24, 24, 24);
const QColor kDarkLamp(58, 58, 58);
const QColor kDarkLampEdge(34, 34, 34);
// White on the dark panel: the ring stands out whatever the loop's colour.
const QColor kFocusRing(255, 255, 255);
const qreal kFocusRingScale = 1.22;

} // namespace

CLampColumn::CLampColumn(QWidget* pParent) : QWidget(pParent) {
    // The painting covers every pixel, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

CLampColumn::~CLampColumn() = default;

void CLampColumn::SetValue(int32_t nValue) {
    nValue &= kValueMask;
    if (nValue == m_nValue)
        return;
    const int32_t nChanged = nValue ^ m_nValue;
    m_nValue = nValue;
    update();
    emit LampsChanged(nChanged);
}

void CLampColumn::SetStyleOnColor(uint32_t nColorRef) {
    nColorRef &= 0xFFFFFF;
    if (nColorRef == m_nOnColor)
        return;
    m_nOnColor = nColorRef;
    update();
}

void CLampColumn::SetFocusLamp(int nLamp) {
    nLamp = nLamp >= 0 && nLamp < kLamps ? nLamp : -1;
    if (nLamp == m_nFocusLamp)
        return;
    m_nFocusLamp = nLamp;
    update();
}

QColor CLampColumn::OnColour() const {
    return QColor(static_cast<int>(m_nOnColor & 0xFF), static_cast<int>(m_nOnColor >> 8 & 0xFF),
                  static_cast<int>(m_nOnColor >> 16 & 0xFF));
}

short CLampColumn::LampAt(int nY) const {
    const int nHeight = std::max(1, height());
    return static_cast<short>(std::clamp(nY * kLamps / nHeight, 0, kLamps - 1));
}

QRect CLampColumn::LampRect(int nLamp) const {
    const qreal dRow = height() / qreal(kLamps);
    const qreal dSide = std::min<qreal>(width(), dRow);
    return QRectF(QPointF((width() - dSide) / 2, dRow * nLamp + (dRow - dSide) / 2),
                  QSizeF(dSide, dSide))
        .toRect();
}

QSize CLampColumn::sizeHint() const { return {18, 180}; }

QSize CLampColumn::minimumSizeHint() const { return {10, 100}; }

// Each lamp sits centred in its tenth of the height, so the lamps line up
// with rows of ten equal labels beside the column whatever the size.
void CLampColumn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kPanel);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal dRow = height() / qreal(kLamps);
    const qreal dDiameter = std::min<qreal>(width(), dRow) * 0.78;
    const qreal dRadius = dDiameter / 2;
    const QColor on = OnColour();
    for (int nLamp = 0; nLamp < kLamps; ++nLamp) {
        const QPointF centre(width() / 2.0, dRow * (nLamp + 0.5));
        QRadialGradient glow(centre - QPointF(dRadius / 3, dRadius / 3), dRadius * 1.3);
        if (IsLit(nLamp)) {
            glow.setColorAt(0, on.lighter(170));
            glow.setColorAt(0.45, on);
            glow.setColorAt(1, on.darker(140));
        } else {
            glow.setColorAt(0, kDarkLamp);
            glow.setColorAt(1, kDarkLampEdge);
        }
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(glow);
        painter.drawEllipse(centre, dRadius, dRadius);
        if (nLamp == m_nFocusLamp)
            PaintFocusRing(painter, centre, dRadius);
    }
}

void CLampColumn::PaintFocusRing(QPainter& painter, QPointF centre, qreal dRadius) const {
    const qreal dRing = dRadius * kFocusRingScale;
    painter.save();
    painter.setPen(QPen(kFocusRing, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, dRing, dRing);
    painter.restore();
}

void CLampColumn::Press(QMouseEvent* pEvent) {
    m_nLEDIndex = LampAt(qRound(pEvent->position().y()));
}

void CLampColumn::mousePressEvent(QMouseEvent* pEvent) {
    Press(pEvent);
    m_bPressed = true;
    emit MouseDown(static_cast<short>(pEvent->button()),
                   static_cast<short>(pEvent->modifiers() >> 25), qRound(pEvent->position().x()),
                   qRound(pEvent->position().y()));
}

void CLampColumn::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (!m_bPressed)
        return;
    m_bPressed = false;
    if (rect().contains(pEvent->position().toPoint()))
        emit Click();
}

void CLampColumn::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    Press(pEvent);
    m_bPressed = false;
    emit DblClick();
}
