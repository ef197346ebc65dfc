#include "shell/ProgramIcon.h"

#include <QPainter>

#include <iterator>

namespace {

const QColor kInk(40, 40, 48);
const QColor kBlue(38, 96, 190);
const QColor kGreen(40, 160, 70);
const QColor kAmber(240, 170, 30);
const QColor kLampHousing(60, 60, 66);
const QColor kLampOff(30, 70, 40);
const int kLamps = 5;
const int kLampsLit = 4;

QPen Pen(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPainterPath RoundedRect(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath Circle(const QPointF& centre, qreal radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath Line(const QPointF& from, const QPointF& to) {
    QPainterPath path;
    path.moveTo(from);
    path.lineTo(to);
    return path;
}

QString Number(qreal value) { return QString::number(value, 'g', 6); }

// SVG path data: QPainterPath keeps curves as cubic segments whose two
// control points and end point are three elements in a row.
QString PathData(const QPainterPath& path) {
    QString strData;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        if (element.isMoveTo())
            strData += " M";
        else if (element.isLineTo())
            strData += " L";
        else if (element.isCurveTo())
            strData += " C";
        strData += " " + Number(element.x) + " " + Number(element.y);
    }
    return strData.trimmed();
}

QString FillOf(const QBrush& brush) {
    return brush.style() == Qt::NoBrush ? QStringLiteral("none") : brush.color().name();
}

QString StrokeOf(const QPen& pen) {
    if (pen.style() == Qt::NoPen)
        return QStringLiteral(" stroke=\"none\"");
    return QString(" stroke=\"%1\" stroke-width=\"%2\" stroke-linecap=\"round\""
                   " stroke-linejoin=\"round\"")
        .arg(pen.color().name(), Number(pen.widthF()));
}

} // namespace

std::vector<CProgramIcon::CPart> CProgramIcon::Parts() {
    std::vector<CPart> aParts;
    aParts.push_back({RoundedRect(QRectF(1.5, 1.5, 21, 21), 4), Pen(kInk, 1.2), kBlue});
    aParts.push_back({RoundedRect(QRectF(4, 1.5, 7, 21), 1.5), Pen(kInk, 1.0), kLampHousing});
    for (int i = 0; i < kLamps; ++i)
        aParts.push_back({Circle(QPointF(7.5, 4.8 + i * 3.6), 1.5), Qt::NoPen,
                          i < kLampsLit ? kGreen.lighter(130) : kLampOff});
    for (qreal y : {7.0, 12.0, 17.0})
        aParts.push_back({Line(QPointF(13, y), QPointF(19, y)), Pen(kAmber, 2.2), Qt::NoBrush});
    return aParts;
}

void CProgramIcon::Paint(QPainter& painter) {
    for (const CPart& part : Parts()) {
        painter.setPen(part.pen);
        painter.setBrush(part.brush);
        painter.drawPath(part.path);
    }
}

QImage CProgramIcon::Image(int nSize) {
    QImage image(nSize, nSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(nSize) / kGrid, qreal(nSize) / kGrid);
    Paint(painter);
    return image;
}

QIcon CProgramIcon::Icon() {
    QIcon icon;
    for (int nSize : kSizes)
        icon.addPixmap(QPixmap::fromImage(Image(nSize)));
    return icon;
}

QByteArray CProgramIcon::Svg() {
    QString strSvg = QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" "
                             "height=\"%1\" viewBox=\"0 0 %2 %2\">\n")
                         .arg(kSizes[std::size(kSizes) - 1])
                         .arg(kGrid);
    for (const CPart& part : Parts())
        strSvg += QString("  <path d=\"%1\" fill=\"%2\"%3/>\n")
                      .arg(PathData(part.path), FillOf(part.brush), StrokeOf(part.pen));
    strSvg += "</svg>\n";
    return strSvg.toUtf8();
}
