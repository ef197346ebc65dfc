#include "editors/FieldColour.h"

#include "model/System.h"

#include <QPalette>
#include <QWidget>

namespace {

// Perceived brightness on the 0..255 scale (ITU-R BT.601 weights).
bool IsDark(const CRgb& colour) {
    return colour.r * 299 + colour.g * 587 + colour.b * 114 < 128 * 1000;
}

} // namespace

void PaintField(QWidget& field, const CRgb& colour) {
    const QColor background(colour.r, colour.g, colour.b);
    const QColor text = IsDark(colour) ? Qt::white : Qt::black;
    QPalette palette = field.palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, background);
        palette.setColor(group, QPalette::Window, background);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::WindowText, text);
    }
    field.setPalette(palette);
    field.setAutoFillBackground(true);
}
