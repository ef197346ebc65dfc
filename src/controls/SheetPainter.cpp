#include "controls/SheetPainter.h"

#include "controls/Sheet.h"
#include "shell/Text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

// Space between a cell's edge and its text, in characters.
constexpr double kCellPadding = 0.35;
// A row is this much taller than its largest font.
constexpr double kRowPerLine = 1.25;
constexpr int kMinCols = 1;
// How far a text may run past the last column: as far as there is room.
constexpr double kUnbounded = 1e7;

QFont BaseFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(CSheet::kDefaultFontPoints);
    return font;
}

QString FooterText(int nPage, int nPages) {
    return QString("Page %1 of %2").arg(nPage).arg(nPages);
}

} // namespace

CSheetPainter::CSheetPainter(const CSheet& sheet, QPaintDevice* pDevice)
    : m_sheet(sheet), m_pDevice(pDevice) {
    QFontMetricsF metrics(BaseFont(), pDevice);
    m_dCharWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    m_dDefaultRow = metrics.height() * kRowPerLine;
    m_nCols = std::max(sheet.LastCol(), kMinCols);
    m_nRows = sheet.LastRow();
    m_adColX.assign(1, 0.0);
    for (int nCol = 1; nCol <= m_nCols; ++nCol)
        m_adColX.push_back(m_adColX.back() + ColWidth(nCol));
    std::vector<double> adHeight(static_cast<std::size_t>(m_nRows) + 1, m_dDefaultRow);
    for (const auto& [position, cell] : sheet.Cells())
        if (cell.kind != CSheetCell::EKind::Empty)
            adHeight[static_cast<std::size_t>(position.first)] =
                std::max(adHeight[static_cast<std::size_t>(position.first)],
                         QFontMetricsF(CellFont(sheet, cell), pDevice).height() * kRowPerLine);
    m_adRowY.assign(1, 0.0);
    for (int nRow = 1; nRow <= m_nRows; ++nRow)
        m_adRowY.push_back(m_adRowY.back() + adHeight[static_cast<std::size_t>(nRow)]);
}

QString CSheetPainter::ColumnName(int nCol) {
    QString strName;
    for (; nCol > 0; nCol = (nCol - 1) / 26)
        strName.prepend(QChar('A' + (nCol - 1) % 26));
    return strName;
}

QFont CSheetPainter::CellFont(const CSheet& sheet, const CSheetCell& cell) {
    QFont font = BaseFont();
    font.setPointSize(sheet.FontPoints(cell));
    font.setBold(cell.bBold);
    font.setUnderline(cell.bUnderline);
    return font;
}

double CSheetPainter::ColWidth(int nCol) const {
    return (static_cast<double>(m_sheet.GetColWidth(nCol)) / CSheet::kWidthPerChar +
            2 * kCellPadding) *
           m_dCharWidth;
}

double CSheetPainter::RowHeight(int nRow) const { return RowY(nRow + 1) - RowY(nRow); }

double CSheetPainter::ColX(int nCol) const {
    if (nCol <= m_nCols)
        return m_adColX[static_cast<std::size_t>(std::max(nCol, 1) - 1)];
    return m_adColX.back() + (nCol - m_nCols - 1) * ColWidth(m_nCols + 1);
}

double CSheetPainter::RowY(int nRow) const {
    if (nRow <= m_nRows)
        return m_adRowY[static_cast<std::size_t>(std::max(nRow, 1) - 1)];
    return m_adRowY.back() + (nRow - m_nRows - 1) * m_dDefaultRow;
}

int CSheetPainter::ColAt(double dX) const {
    if (dX < 0)
        return 0;
    int nCol = 1;
    while (nCol < CSheet::kMaxCol && ColX(nCol + 1) <= dX)
        ++nCol;
    return nCol;
}

int CSheetPainter::RowAt(double dY) const {
    if (dY < 0)
        return 0;
    if (dY >= m_adRowY.back())
        return m_nRows + 1 + static_cast<int>((dY - m_adRowY.back()) / m_dDefaultRow);
    auto it = std::upper_bound(m_adRowY.begin(), m_adRowY.end(), dY);
    return static_cast<int>(it - m_adRowY.begin());
}

double CSheetPainter::TextRight(int nRow, int nCol) const {
    int nLast = nCol;
    while (nLast < m_nCols && m_sheet.CellText(nRow, nLast + 1).empty())
        ++nLast;
    return nLast < m_nCols ? ColX(nLast + 1) : kUnbounded;
}

double CSheetPainter::UsedWidth() const {
    double dWidth = ColX(m_nCols + 1);
    for (const auto& [position, cell] : m_sheet.Cells())
        if (cell.kind == CSheetCell::EKind::Text && !cell.strText.empty())
            dWidth = std::max(dWidth, ColX(position.second) + 2 * kCellPadding * m_dCharWidth +
                                          QFontMetricsF(CellFont(m_sheet, cell), m_pDevice)
                                              .horizontalAdvance(ToQString(cell.strText)));
    return dWidth;
}

void CSheetPainter::DrawCell(QPainter& painter, int nRow, int nCol, double dTop) const {
    const CSheetCell& cell = m_sheet.Cell(nRow, nCol);
    const QString strText = ToQString(m_sheet.CellText(nRow, nCol));
    if (strText.isEmpty())
        return;
    const double dPad = kCellPadding * m_dCharWidth;
    const bool bNumber = cell.kind == CSheetCell::EKind::Number;
    const double dLeft = ColX(nCol) + dPad;
    const double dRight = (bNumber ? ColX(nCol + 1) : TextRight(nRow, nCol)) - dPad;
    const QRectF rect(dLeft, dTop, std::max(dRight - dLeft, 0.0), RowHeight(nRow));
    painter.setFont(CellFont(m_sheet, cell));
    painter.save();
    painter.setClipRect(rect.adjusted(-dPad, 0, dPad, 0), Qt::IntersectClip);
    painter.drawText(rect, (bNumber ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, strText);
    painter.restore();
}

void CSheetPainter::Draw(QPainter& painter, int nRow1, int nRow2, bool bGridLines) const {
    const double dOrigin = RowY(nRow1);
    const double dWidth = ColX(m_nCols + 1);
    if (bGridLines) {
        painter.save();
        painter.setPen(QPen(QColor(200, 200, 200), 0));
        for (int nRow = nRow1; nRow <= nRow2 + 1; ++nRow)
            painter.drawLine(QPointF(0, RowY(nRow) - dOrigin),
                             QPointF(dWidth, RowY(nRow) - dOrigin));
        for (int nCol = 1; nCol <= m_nCols + 1; ++nCol)
            painter.drawLine(QPointF(ColX(nCol), 0),
                             QPointF(ColX(nCol), RowY(nRow2 + 1) - dOrigin));
        painter.restore();
    }
    painter.setPen(Qt::black);
    for (int nRow = nRow1; nRow <= nRow2; ++nRow)
        for (int nCol = 1; nCol <= m_nCols; ++nCol)
            DrawCell(painter, nRow, nCol, RowY(nRow) - dOrigin);
}

double CSheetPainter::MeasureChars(const CSheet& sheet, const CSheetCell& cell) {
    const std::string strText =
        cell.kind == CSheetCell::EKind::Number ? CSheet::NumberText(cell.dValue) : cell.strText;
    return QFontMetricsF(CellFont(sheet, cell)).horizontalAdvance(ToQString(strText)) /
           QFontMetricsF(BaseFont()).horizontalAdvance(QLatin1Char('0'));
}

double CSheetPainter::TitleHeight() const {
    if (!m_sheet.HasPrintTitleRows() || m_sheet.GetPrintTitleLast() > m_nRows)
        return 0.0;
    return RowY(m_sheet.GetPrintTitleLast() + 1) - RowY(m_sheet.GetPrintTitleFirst());
}

std::vector<CSheetPainter::CPage> CSheetPainter::PageBreaks(double dRowsHeight) const {
    const double dTitle = TitleHeight();
    std::vector<CPage> aPages;
    for (int nRow = 1; nRow <= m_nRows;) {
        const bool bTitles = dTitle > 0 && nRow > m_sheet.GetPrintTitleLast();
        const double dRoom = dRowsHeight - (bTitles ? dTitle : 0.0);
        int nLast = nRow;
        while (nLast < m_nRows && RowY(nLast + 2) - RowY(nRow) <= dRoom)
            ++nLast;
        aPages.push_back({nRow, nLast, bTitles});
        nRow = nLast + 1;
    }
    if (aPages.empty())
        aPages.push_back({1, 0, false});
    return aPages;
}

int CSheetPainter::Print(const CSheet& sheet, QPrinter& printer) {
    printer.setPageOrientation(sheet.GetPrintLandscape() ? QPageLayout::Landscape
                                                         : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    const CSheetPainter layout(sheet, &printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QFontMetricsF footer(BaseFont(), &printer);
    const double dFooter = footer.height() * 2;
    const double dScale = std::min(1.0, page.width() / layout.UsedWidth());
    const double dRowsHeight = (page.height() - dFooter) / dScale;

    const std::vector<CPage> aPages = layout.PageBreaks(dRowsHeight);
    const int nPages = static_cast<int>(aPages.size());
    for (int nPage = 0; nPage < nPages; ++nPage) {
        const CPage& current = aPages[static_cast<std::size_t>(nPage)];
        if (nPage > 0)
            printer.newPage();
        painter.save();
        painter.scale(dScale, dScale);
        if (current.bTitles) {
            layout.Draw(painter, sheet.GetPrintTitleFirst(), sheet.GetPrintTitleLast(),
                        sheet.GetPrintGridLines());
            painter.translate(0, layout.TitleHeight());
        }
        layout.Draw(painter, current.nFirst, current.nLast, sheet.GetPrintGridLines());
        painter.restore();
        painter.setFont(BaseFont());
        painter.drawText(QRectF(0, page.height() - dFooter, page.width(), dFooter),
                         Qt::AlignRight | Qt::AlignBottom, FooterText(nPage + 1, nPages));
    }
    painter.end();
    return nPages;
}
