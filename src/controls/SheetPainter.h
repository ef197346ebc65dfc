#pragma once

#include <QFont>
#include <QRectF>

#include <vector>

class CSheet;
struct CSheetCell;
class QPaintDevice;
class QPainter;
class QPrinter;

// Lays a sheet out on one paint device (the screen or a printer, whose
// resolutions differ) and draws it: column widths from the width of a digit
// of the default font, row heights from the largest font in each row, and
// texts running on into empty cells to their right as spreadsheets show
// them.
class CSheetPainter {
public:
    CSheetPainter(const CSheet& sheet, QPaintDevice* pDevice);

    static QFont CellFont(const CSheet& sheet, const CSheetCell& cell);
    // Column letters as spreadsheets show them: A..Z, AA, AB, ...
    static QString ColumnName(int nCol);
    // Width of a digit of the default font, the unit of column widths.
    double CharWidth() const { return m_dCharWidth; }
    double ColWidth(int nCol) const;
    double RowHeight(int nRow) const;
    // Left edge of column nCol and top edge of row nRow, from column and
    // row 1 at 0.
    double ColX(int nCol) const;
    double RowY(int nRow) const;
    // The column and row at a point, 0 outside them.
    int ColAt(double dX) const;
    int RowAt(double dY) const;
    int LastCol() const { return m_nCols; }
    // Width of the used columns, or further where a text runs on past them.
    double UsedWidth() const;
    int LastRow() const { return m_nRows; }

    // Draws rows nRow1..nRow2 of columns 1..LastCol with row nRow1 at the
    // painter's origin.
    void Draw(QPainter& painter, int nRow1, int nRow2, bool bGridLines) const;

    // Width of a cell's content in characters of the default font, for
    // fitting columns with the fonts the windows draw.
    static double MeasureChars(const CSheet& sheet, const CSheetCell& cell);

    // Prints the sheet on pages of the printer, scaled down when its used
    // columns are wider than a page, its title rows heading every page after
    // the one they stand on; returns the number of pages.
    static int Print(const CSheet& sheet, QPrinter& printer);

private:
    struct CPage {
        int nFirst;
        int nLast;
        bool bTitles;
    };
    // Rows go on a page while they fit in dRowsHeight, less the title rows
    // where they head the page; a row taller than a page gets one.
    std::vector<CPage> PageBreaks(double dRowsHeight) const;
    double TitleHeight() const;
    void DrawCell(QPainter& painter, int nRow, int nCol, double dTop) const;
    // How far a cell's text may run: to the right edge of the last empty
    // cell that follows it.
    double TextRight(int nRow, int nCol) const;

    const CSheet& m_sheet;
    QPaintDevice* m_pDevice;
    double m_dCharWidth = 7.0;
    double m_dDefaultRow = 17.0;
    int m_nCols = 0;
    int m_nRows = 0;
    std::vector<double> m_adColX;
    std::vector<double> m_adRowY;
};
