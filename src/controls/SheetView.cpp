#include "controls/SheetView.h"

#include "controls/SheetDesigner.h"
#include "controls/SheetPainter.h"
#include "model/DataFile.h"
#include "model/ShellServices.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>

#include <algorithm>
#include <cctype>

namespace {

constexpr int kRowsBeyond = 5;

} // namespace

CSheetView::CSheetView(QWidget* pParent) : QAbstractScrollArea(pParent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    m_sheet.SetMeasure(
        [this](const CSheetCell& cell) { return CSheetPainter::MeasureChars(m_sheet, cell); });
}

CSheetView::~CSheetView() = default;

void CSheetView::SheetChanged() {
    UpdateScrollBars();
    viewport()->update();
    emit Changed();
}

void CSheetView::LaunchDesigner() {
    if (!m_sheet.GetAllowDesigner())
        return;
    if (!m_pDesigner)
        m_pDesigner = new CSheetDesigner(*this);
    m_pDesigner->show();
    m_pDesigner->raise();
    m_pDesigner->activateWindow();
}

short CSheetView::FileTypeOf(const std::string& strPath) {
    std::string strEnd = strPath.size() >= 4 ? strPath.substr(strPath.size() - 4) : "";
    for (char& ch : strEnd)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return strEnd == ".VTS" ? CSheet::FileVts : CSheet::FileXlsx;
}

bool CSheetView::Write(const std::string& strPath, short nType) {
    std::error_code error;
    if (m_sheet.Write(strPath, nType, error))
        return true;
    if (m_pShell)
        m_pShell->MessageBox(CDataFile::CreateFailedText(strPath, error), EBoxButtons::Ok,
                             EBoxIcon::Stop);
    return false;
}

QPrinter& CSheetView::Printer() {
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

bool CSheetView::FilePrint(bool bShowDialog) {
    QPrinter& printer = Printer();
    printer.setPageOrientation(m_sheet.GetPrintLandscape() ? QPageLayout::Landscape
                                                           : QPageLayout::Portrait);
    if (bShowDialog) {
        QPrintDialog dialog(&printer, this);
        dialog.setObjectName("PrintDialog");
        if (dialog.exec() != QDialog::Accepted)
            return false;
    }
    return CSheetPainter::Print(m_sheet, printer) > 0;
}

double CSheetView::HeaderWidth() const { return fontMetrics().horizontalAdvance("00000") + 8; }

double CSheetView::HeaderHeight() const { return fontMetrics().height() + 6; }

// A text running on past the last column, such as a long equation, widens
// the scrolled area, so the end of it can be reached.
void CSheetView::UpdateScrollBars() {
    const CSheetPainter layout(m_sheet, viewport());
    const double dWidth = HeaderWidth() + layout.UsedWidth();
    const double dHeight = HeaderHeight() + layout.RowY(layout.LastRow() + kRowsBeyond);
    horizontalScrollBar()->setRange(0, std::max(0, static_cast<int>(dWidth) - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(dHeight) - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(static_cast<int>(layout.RowHeight(layout.LastRow() + 1)));
}

void CSheetView::resizeEvent(QResizeEvent* pEvent) {
    QAbstractScrollArea::resizeEvent(pEvent);
    UpdateScrollBars();
}

void CSheetView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const CSheetPainter layout(m_sheet, viewport());
    const double dLeft = HeaderWidth(), dTop = HeaderHeight();
    const double dX = horizontalScrollBar()->value(), dY = verticalScrollBar()->value();
    const int nRow1 = std::max(1, layout.RowAt(dY));
    const int nRow2 = layout.RowAt(dY + viewport()->height());
    const double dRight = dLeft + layout.ColX(layout.LastCol() + 1) - dX;

    painter.save();
    painter.setClipRect(QRectF(dLeft, dTop, viewport()->width(), viewport()->height()));
    painter.translate(dLeft - dX, dTop + layout.RowY(nRow1) - dY);
    layout.Draw(painter, nRow1, nRow2, true);
    painter.restore();

    // The active cell, framed.
    const int nActiveRow = m_sheet.GetActiveRow(), nActiveCol = m_sheet.GetActiveCol();
    QRectF active(dLeft - dX + layout.ColX(nActiveCol), dTop - dY + layout.RowY(nActiveRow),
                  layout.ColWidth(nActiveCol), layout.RowHeight(nActiveRow));
    painter.save();
    painter.setClipRect(QRectF(dLeft, dTop, viewport()->width(), viewport()->height()));
    painter.setPen(QPen(palette().highlight().color(), 2));
    painter.drawRect(active);
    painter.restore();

    // Headers: column letters across the top, row numbers down the side.
    painter.setFont(font());
    painter.fillRect(QRectF(0, 0, viewport()->width(), dTop), palette().button());
    painter.fillRect(QRectF(0, 0, dLeft, viewport()->height()), palette().button());
    painter.setPen(palette().buttonText().color());
    for (int nCol = 1; nCol <= layout.LastCol(); ++nCol) {
        QRectF cell(dLeft - dX + layout.ColX(nCol), 0, layout.ColWidth(nCol), dTop);
        if (cell.right() < dLeft)
            continue;
        painter.save();
        painter.setClipRect(QRectF(dLeft, 0, viewport()->width(), dTop));
        painter.drawText(cell, Qt::AlignCenter, CSheetPainter::ColumnName(nCol));
        painter.drawLine(cell.topRight(), cell.bottomRight());
        painter.restore();
    }
    for (int nRow = nRow1; nRow <= nRow2; ++nRow) {
        QRectF cell(0, dTop - dY + layout.RowY(nRow), dLeft, layout.RowHeight(nRow));
        painter.save();
        painter.setClipRect(QRectF(0, dTop, dLeft, viewport()->height()));
        painter.drawText(cell, Qt::AlignCenter, QString::number(nRow));
        painter.drawLine(cell.bottomLeft(), cell.bottomRight());
        painter.restore();
    }
    painter.drawLine(QPointF(0, dTop), QPointF(std::min(dRight, 1e6), dTop));
    painter.drawLine(QPointF(dLeft, 0), QPointF(dLeft, viewport()->height()));
}

void CSheetView::MoveActiveCell(int nRow, int nCol) {
    if (!CSheet::IsValidCell(nRow, nCol))
        return;
    m_sheet.SetActiveCell(nRow, nCol);
    const CSheetPainter layout(m_sheet, viewport());
    const int nTop = static_cast<int>(layout.RowY(nRow));
    const int nBottom = static_cast<int>(layout.RowY(nRow + 1) + HeaderHeight());
    if (nTop < verticalScrollBar()->value())
        verticalScrollBar()->setValue(nTop);
    else if (nBottom > verticalScrollBar()->value() + viewport()->height())
        verticalScrollBar()->setValue(nBottom - viewport()->height());
    viewport()->update();
}

void CSheetView::mousePressEvent(QMouseEvent* pEvent) {
    const CSheetPainter layout(m_sheet, viewport());
    const QPointF at = pEvent->position();
    const int nCol = layout.ColAt(at.x() - HeaderWidth() + horizontalScrollBar()->value());
    const int nRow = layout.RowAt(at.y() - HeaderHeight() + verticalScrollBar()->value());
    if (at.x() >= HeaderWidth() && at.y() >= HeaderHeight())
        MoveActiveCell(nRow, nCol);
}

// The designer opens on a double click with the right button.
void CSheetView::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::RightButton) {
        LaunchDesigner();
        return;
    }
    QAbstractScrollArea::mouseDoubleClickEvent(pEvent);
}

void CSheetView::keyPressEvent(QKeyEvent* pEvent) {
    const int nRow = m_sheet.GetActiveRow(), nCol = m_sheet.GetActiveCol();
    switch (pEvent->key()) {
    case Qt::Key_Up:
        MoveActiveCell(nRow - 1, nCol);
        break;
    case Qt::Key_Down:
        MoveActiveCell(nRow + 1, nCol);
        break;
    case Qt::Key_Left:
        MoveActiveCell(nRow, nCol - 1);
        break;
    case Qt::Key_Right:
        MoveActiveCell(nRow, nCol + 1);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(pEvent);
    }
}
