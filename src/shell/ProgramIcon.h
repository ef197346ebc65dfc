#pragma once

#include <QBrush>
#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QPainterPath>
#include <QPen>

#include <vector>

// The program's picture: a controller with its column of lamps and three
// wires. It is kept as outlines on a 24 x 24 grid, so that the window icon,
// the installed bitmaps and the installed scalable file are drawn from the
// same geometry and cannot drift apart.
class CProgramIcon {
public:
    static constexpr int kGrid = 24;
    // The bitmap sizes a desktop's icon theme looks for.
    static constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

    struct CPart {
        QPainterPath path;
        QPen pen;
        QBrush brush;
    };
    static std::vector<CPart> Parts();

    static void Paint(QPainter& painter);
    static QImage Image(int nSize);
    static QIcon Icon();
    // The picture as a scalable vector file.
    static QByteArray Svg();
};
