#include "shell/CaptionFitter.h"

#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {

// Room for the window icon and the three title bar buttons beside the text.
constexpr int kTitleBarExtra = 150;

int CaptionWidth(const QWidget& dialog) {
    QFont font = dialog.font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(dialog.windowTitle()) + kTitleBarExtra;
}

// A message box sizes itself from its layout, so the width goes in as a
// spacer below the buttons.
void WidenMessageBox(QMessageBox& box, int nWidth) {
    auto* pGrid = qobject_cast<QGridLayout*>(box.layout());
    if (!pGrid)
        return;
    pGrid->addItem(new QSpacerItem(nWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                   pGrid->rowCount(), 0, 1, pGrid->columnCount());
}

} // namespace

bool CCaptionFitter::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() != QEvent::Show)
        return false;
    auto* pDialog = qobject_cast<QDialog*>(pWatched);
    if (!pDialog || pDialog->property("captionFitted").toBool())
        return false;
    pDialog->setProperty("captionFitted", true);
    int nWidth = CaptionWidth(*pDialog);
    if (pDialog->width() >= nWidth)
        return false;
    if (auto* pBox = qobject_cast<QMessageBox*>(pDialog))
        WidenMessageBox(*pBox, nWidth);
    else
        pDialog->resize(nWidth, pDialog->height());
    return false;
}
