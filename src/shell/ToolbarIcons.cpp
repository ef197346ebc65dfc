#include "shell/ToolbarIcons.h"

#include "shell/CommandIds.h"
#include "shell/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

using Painter = std::function<void(QPainter&)>;

const QColor kInk(40, 40, 48);
const QColor kPaper(252, 252, 250);
const QColor kBlue(38, 96, 190);
const QColor kGreen(40, 160, 70);
const QColor kRed(210, 50, 40);

// Draws on a 24 x 24 grid at twice the size, for high-density screens.
QIcon Draw(const Painter& paint) {
    QIcon icon;
    for (int nScale : {1, 2}) {
        QPixmap pixmap(24 * nScale, 24 * nScale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(nScale, nScale);
        paint(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPen Pen(const QColor& colour, qreal width = 1.5) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Sheet(QPainter& p) {
    p.setPen(Pen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 4.5, 17, 15));
    p.fillRect(QRectF(4.1, 5.1, 15.8, 3.4), QColor(200, 220, 245));
    p.setPen(Pen(kInk, 0.9));
    for (qreal x : {9.0, 14.5})
        p.drawLine(QPointF(x, 4.5), QPointF(x, 19.5));
    for (qreal y : {8.5, 12.2, 15.9})
        p.drawLine(QPointF(3.5, y), QPointF(20.5, y));
    p.setPen(Pen(kGreen, 1.6));
    p.drawLine(QPointF(16.5, 1.5), QPointF(22.5, 7.5));
}

void Floppy(QPainter& p) {
    QPainterPath body;
    body.moveTo(4, 3.5);
    body.lineTo(17.5, 3.5);
    body.lineTo(20.5, 6.5);
    body.lineTo(20.5, 20.5);
    body.lineTo(3.5, 20.5);
    body.lineTo(3.5, 3.5);
    p.setPen(Pen(kInk, 1.2));
    p.setBrush(kBlue);
    p.drawPath(body);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 3.5, 9, 6));
    p.fillRect(QRectF(12.5, 4.5, 2, 4), kInk);
    p.drawRect(QRectF(6.5, 12.5, 11, 8));
    p.setPen(Pen(QColor(150, 150, 150), 0.9));
    p.drawLine(QPointF(8.5, 15), QPointF(15.5, 15));
    p.drawLine(QPointF(8.5, 17.5), QPointF(15.5, 17.5));
}

void Scissors(QPainter& p) {
    p.setPen(Pen(QColor(120, 120, 130), 1.6));
    p.drawLine(QPointF(7, 2.5), QPointF(15.5, 15));
    p.drawLine(QPointF(17, 2.5), QPointF(8.5, 15));
    p.setPen(Pen(kRed, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(7, 18), 3.3, 3.3);
    p.drawEllipse(QPointF(17, 18), 3.3, 3.3);
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12, 9.3), 1.1, 1.1);
}

void Page(QPainter& p, QRectF rect) {
    p.setPen(Pen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(rect);
    p.setPen(Pen(QColor(140, 140, 150), 0.9));
    for (qreal y = rect.top() + 3.5; y < rect.bottom() - 1.5; y += 2.6)
        p.drawLine(QPointF(rect.left() + 2, y), QPointF(rect.right() - 2, y));
}

void Copy(QPainter& p) {
    Page(p, QRectF(3.5, 2.5, 11, 14));
    Page(p, QRectF(9.5, 7.5, 11, 14));
}

void Paste(QPainter& p) {
    p.setPen(Pen(kInk, 1.2));
    p.setBrush(QColor(196, 150, 90));
    p.drawRoundedRect(QRectF(3.5, 4.5, 14, 17), 1.5, 1.5);
    p.setBrush(QColor(170, 170, 175));
    p.drawRoundedRect(QRectF(7, 2.5, 7, 4), 1, 1);
    Page(p, QRectF(10.5, 9.5, 10, 12));
}

void Printer(QPainter& p) {
    p.setPen(Pen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 2.5, 10, 7));
    p.setBrush(QColor(170, 175, 185));
    p.drawRoundedRect(QRectF(2.5, 9, 19, 8.5), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 14.5, 10, 7));
    p.setPen(Pen(QColor(140, 140, 150), 0.9));
    p.drawLine(QPointF(9, 17), QPointF(15, 17));
    p.drawLine(QPointF(9, 19.3), QPointF(15, 19.3));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(18.5, 11.8), 1, 1);
}

void Badge(QPainter& p, const QColor& colour, const QString& strGlyph) {
    p.setPen(Pen(colour.darker(130), 1.2));
    p.setBrush(colour);
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(15);
    font.setFamily("serif");
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 2.5, 20, 20), Qt::AlignCenter, strGlyph);
}

void ContextHelp(QPainter& p) {
    QPainterPath arrow;
    arrow.moveTo(3, 2);
    arrow.lineTo(3, 17);
    arrow.lineTo(6.6, 13.6);
    arrow.lineTo(9.2, 19.5);
    arrow.lineTo(11.6, 18.4);
    arrow.lineTo(9.1, 12.6);
    arrow.lineTo(14, 12.6);
    arrow.closeSubpath();
    p.setPen(Pen(kInk, 1.1));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(13);
    p.setFont(font);
    p.setPen(kBlue);
    p.drawText(QRectF(12, 1, 11, 14), Qt::AlignCenter, "?");
}

void Gate(QPainter& p) {
    QPainterPath body;
    body.moveTo(6, 5);
    body.lineTo(12, 5);
    body.arcTo(QRectF(6, 5, 12, 14), 90, -180);
    body.lineTo(6, 19);
    body.closeSubpath();
    p.setPen(Pen(kInk, 1.3));
    for (qreal y : {8.5, 12.0, 15.5})
        p.drawLine(QPointF(1.5, y), QPointF(6, y));
    p.drawLine(QPointF(18, 12), QPointF(22.5, 12));
    p.setBrush(QColor(255, 236, 160));
    p.drawPath(body);
}

void Lamps(QPainter& p, qreal x, int nLit) {
    p.setPen(Pen(kInk, 1.0));
    p.setBrush(QColor(60, 60, 66));
    p.drawRoundedRect(QRectF(x, 1.5, 7, 21), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        p.setBrush(i < nLit ? kGreen.lighter(130) : QColor(30, 70, 40));
        p.drawEllipse(QPointF(x + 3.5, 4.8 + i * 3.6), 1.5, 1.5);
    }
}

void LoopController(QPainter& p) {
    Lamps(p, 2.5, 3);
    p.setPen(Pen(kInk, 1.2));
    p.setBrush(QColor(200, 200, 205));
    p.drawRoundedRect(QRectF(12.5, 8, 9, 13), 2, 2);
    p.setBrush(kRed);
    p.drawRoundedRect(QRectF(14.5, 9.5, 5, 5), 1, 1);
}

void LoopViewer(QPainter& p) {
    Lamps(p, 2.5, 2);
    p.setPen(Pen(kInk, 1.3));
    p.setBrush(kPaper);
    QPainterPath eye;
    eye.moveTo(11, 13);
    eye.quadTo(16.5, 6.5, 22, 13);
    eye.quadTo(16.5, 19.5, 11, 13);
    p.drawPath(eye);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(16.5, 13), 2.4, 2.4);
}

} // namespace

QIcon CToolbarIcons::ForCommand(int nId) {
    switch (nId) {
    case ID_FILE_NEW:
        return Draw(Sheet);
    case ID_FILE_SAVE:
        return Draw(Floppy);
    case ID_EDIT_CUT:
        return Draw(Scissors);
    case ID_EDIT_COPY:
        return Draw(Copy);
    case ID_EDIT_PASTE:
        return Draw(Paste);
    case ID_FILE_PRINT:
        return Draw(Printer);
    case ID_APP_ABOUT:
        return Draw([](QPainter& p) { Badge(p, kBlue, "i"); });
    case ID_CONTEXT_HELP:
        return Draw(ContextHelp);
    case ID_BOOLEAN_EDITOR_BUTTON:
        return Draw(Gate);
    case ID_LOOP_CONTROLLER_BUTTON:
        return Draw(LoopController);
    case ID_LOOP_VIEWER_BUTTON:
        return Draw(LoopViewer);
    default:
        return {};
    }
}

QIcon CToolbarIcons::ProgramIcon() { return CProgramIcon::Icon(); }

QIcon CToolbarIcons::TipBulb() {
    return Draw([](QPainter& p) {
        QPainterPath glass;
        glass.moveTo(9, 15.5);
        glass.cubicTo(9, 12.5, 5, 11, 5, 7.8);
        glass.cubicTo(5, 3.8, 8.2, 1.5, 12, 1.5);
        glass.cubicTo(15.8, 1.5, 19, 3.8, 19, 7.8);
        glass.cubicTo(19, 11, 15, 12.5, 15, 15.5);
        glass.closeSubpath();
        p.setPen(Pen(QColor(150, 110, 0), 1.1));
        p.setBrush(QColor(255, 225, 90));
        p.drawPath(glass);
        p.setPen(Pen(QColor(200, 140, 0), 0.9));
        p.drawLine(QPointF(10.5, 15), QPointF(11.3, 9.5));
        p.drawLine(QPointF(13.5, 15), QPointF(12.7, 9.5));
        p.setPen(Pen(kInk, 1.0));
        p.setBrush(QColor(170, 170, 175));
        p.drawRoundedRect(QRectF(8.8, 15.5, 6.4, 5), 1, 1);
        p.drawLine(QPointF(8.8, 17.2), QPointF(15.2, 17.2));
        p.drawLine(QPointF(8.8, 18.9), QPointF(15.2, 18.9));
        p.setBrush(kInk);
        p.drawRoundedRect(QRectF(10.5, 20.5, 3, 1.8), 0.8, 0.8);
    });
}
