#include "editors/ReadOnlyLook.h"

#include <QLineEdit>
#include <QPalette>

void ShowReadOnlyLook(QWidget& widget) {
    QPalette palette = widget.palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, palette.color(group, QPalette::Window));
    widget.setPalette(palette);
}

void ShowReadOnlyFields(QWidget& dialog) {
    for (QLineEdit* pField : dialog.findChildren<QLineEdit*>())
        if (pField->isReadOnly())
            ShowReadOnlyLook(*pField);
}
