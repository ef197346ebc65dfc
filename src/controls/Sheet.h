#pragma once

#include <functional>
#include <map>
#include <string>
#include <system_error>
#include <utility>

// One cell of a sheet: a text or a number with its font emphasis. Texts
// hold 8-bit Windows-1252, like every model text.
struct CSheetCell {
    enum class EKind { Empty, Text, Number };
    EKind kind = EKind::Empty;
    std::string strText;
    double dValue = 0.0;
    bool bBold = false;
    bool bUnderline = false;
    // Points; 0 is the sheet's default size.
    int nFontPoints = 0;

    bool operator==(const CSheetCell&) const = default;
};

// The workbook behind the spreadsheet control: cells by row and column
// (both from 1), the active cell the font settings act on, column widths in
// 1/256 of a character, the print settings and the designer permission. It
// is plain C++ so that the documentation can be built and written without a
// window; the control on screen shows and prints one of these.
class CSheet {
public:
    enum EFileType : short { FileVts = 1, FileXlsx = 4 };
    static constexpr int kDefaultFontPoints = 10;
    // 8.43 characters, the usual default column of a workbook.
    static constexpr int kDefaultColWidth = 2158;
    static constexpr int kWidthPerChar = 256;
    static constexpr int kMaxColWidth = 255 * kWidthPerChar;
    static constexpr int kMaxRow = 1048576;
    static constexpr int kMaxCol = 16384;

    // How wide a cell's content is, in characters of the default font.
    using CMeasure = std::function<double(const CSheetCell&)>;

    CSheet();

    void SetTextRC(int nRow, int nCol, const std::string& strText);
    void SetNumberRC(int nRow, int nCol, double dValue);
    // Empties a cell's value and keeps its formatting.
    void ClearValueRC(int nRow, int nCol);
    void SetActiveCell(int nRow, int nCol);
    int GetActiveRow() const { return m_nActiveRow; }
    int GetActiveCol() const { return m_nActiveCol; }

    // Font settings of the active cell. A size is given in points; the
    // minus sign of a negative size is dropped, so minus twice the size
    // read doubles it. Zero leaves the size alone.
    int GetFontSize() const;
    void SetFontSize(int nSize);
    bool GetFontBold() const;
    void SetFontBold(bool bOn);
    bool GetFontUnderline() const;
    void SetFontUnderline(bool bOn);

    int GetColWidth(int nCol) const;
    void SetColWidth(int nCol, int nWidth);
    bool IsColWidthSet(int nCol) const { return m_anColWidth.count(nCol) != 0; }
    // Fits the widths of columns nCol1..nCol2 to the widest content of rows
    // nRow1..nRow2; with bSetDefaults, columns with nothing in the block go
    // back to the default width, otherwise they keep theirs.
    void SetColWidthAuto(int nRow1, int nCol1, int nRow2, int nCol2, bool bSetDefaults);
    // The windows measure with the fonts they draw; without a measure a
    // character counts as one, scaled by font size and emphasis.
    void SetMeasure(CMeasure measure) { m_measure = std::move(measure); }

    bool GetAllowDesigner() const { return m_bAllowDesigner; }
    void SetAllowDesigner(bool bOn) { m_bAllowDesigner = bOn; }
    bool GetPrintLandscape() const { return m_bPrintLandscape; }
    void SetPrintLandscape(bool bOn) { m_bPrintLandscape = bOn; }
    bool GetPrintGridLines() const { return m_bPrintGridLines; }
    void SetPrintGridLines(bool bOn) { m_bPrintGridLines = bOn; }
    // Rows nFirst..nLast head every printed page; 0, 0 for none. A printed
    // sheet is always as wide as one page and as many pages tall as it needs.
    void SetPrintTitleRows(int nFirst, int nLast);
    int GetPrintTitleFirst() const { return m_nPrintTitleFirst; }
    int GetPrintTitleLast() const { return m_nPrintTitleLast; }
    bool HasPrintTitleRows() const { return m_nPrintTitleFirst > 0; }

    // The cell, or an empty default one when nothing was ever set there.
    const CSheetCell& Cell(int nRow, int nCol) const;
    CSheetCell& EditCell(int nRow, int nCol);
    // What a cell shows: its text, or its number in the shortest form.
    std::string CellText(int nRow, int nCol) const;
    static std::string NumberText(double dValue);
    int LastRow() const;
    int LastCol() const;
    const std::map<std::pair<int, int>, CSheetCell>& Cells() const { return m_aCells; }
    const std::map<int, int>& ColWidths() const { return m_anColWidth; }
    int FontPoints(const CSheetCell& cell) const;
    static bool IsValidCell(int nRow, int nCol);

    void Clear();
    // Writes the workbook: type 1 the sheet's own text format, type 4 an
    // Office Open XML workbook. The file is replaced whole or not at all;
    // false when it could not be written or the type is unknown, with the
    // system's reason in error when there is one.
    bool Write(const std::string& strPath, short nType, std::error_code& error) const;
    bool Write(const std::string& strPath, short nType) const;
    // Reads a file of the sheet's own format. On failure the sheet is left
    // as it was and strError says what is wrong with the file.
    bool Read(const std::string& strPath, std::string& strError);

    // Equal content and settings; the active cell is not part of a sheet's
    // content.
    bool SameContent(const CSheet& other) const;

private:
    double Measure(const CSheetCell& cell) const;

    std::map<std::pair<int, int>, CSheetCell> m_aCells;
    std::map<int, int> m_anColWidth;
    int m_nActiveRow = 1;
    int m_nActiveCol = 1;
    bool m_bAllowDesigner = false;
    bool m_bPrintLandscape = false;
    bool m_bPrintGridLines = true;
    int m_nPrintTitleFirst = 0;
    int m_nPrintTitleLast = 0;
    CMeasure m_measure;
};
