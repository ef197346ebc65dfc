#include "controls/Sheet.h"

#include "controls/SheetVts.h"
#include "controls/SheetXlsx.h"
#include "model/DataFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Room for the cell margins on both sides, in characters.
constexpr double kFitMargin = 1.0;
// Bold letters run wider than the default font's.
constexpr double kBoldFactor = 1.1;

const CSheetCell kEmptyCell;

// A cell that holds nothing and is formatted as the default is the same as
// no cell at all.
std::map<std::pair<int, int>, CSheetCell>
UsedCells(const std::map<std::pair<int, int>, CSheetCell>& aCells) {
    std::map<std::pair<int, int>, CSheetCell> aUsed;
    for (const auto& [position, cell] : aCells)
        if (!(cell == kEmptyCell))
            aUsed.emplace(position, cell);
    return aUsed;
}

} // namespace

CSheet::CSheet() = default;

bool CSheet::IsValidCell(int nRow, int nCol) {
    return nRow >= 1 && nRow <= kMaxRow && nCol >= 1 && nCol <= kMaxCol;
}

CSheetCell& CSheet::EditCell(int nRow, int nCol) { return m_aCells[{nRow, nCol}]; }

const CSheetCell& CSheet::Cell(int nRow, int nCol) const {
    auto it = m_aCells.find({nRow, nCol});
    return it == m_aCells.end() ? kEmptyCell : it->second;
}

void CSheet::SetTextRC(int nRow, int nCol, const std::string& strText) {
    if (!IsValidCell(nRow, nCol))
        return;
    CSheetCell& cell = EditCell(nRow, nCol);
    cell.kind = CSheetCell::EKind::Text;
    cell.strText = strText;
    cell.dValue = 0.0;
}

void CSheet::SetNumberRC(int nRow, int nCol, double dValue) {
    if (!IsValidCell(nRow, nCol))
        return;
    CSheetCell& cell = EditCell(nRow, nCol);
    cell.kind = CSheetCell::EKind::Number;
    cell.strText.clear();
    cell.dValue = dValue;
}

void CSheet::ClearValueRC(int nRow, int nCol) {
    auto it = m_aCells.find({nRow, nCol});
    if (it == m_aCells.end())
        return;
    CSheetCell& cell = it->second;
    cell.kind = CSheetCell::EKind::Empty;
    cell.strText.clear();
    cell.dValue = 0.0;
    if (cell == kEmptyCell)
        m_aCells.erase(it);
}

void CSheet::SetActiveCell(int nRow, int nCol) {
    if (!IsValidCell(nRow, nCol))
        return;
    m_nActiveRow = nRow;
    m_nActiveCol = nCol;
}

int CSheet::FontPoints(const CSheetCell& cell) const {
    return cell.nFontPoints > 0 ? cell.nFontPoints : kDefaultFontPoints;
}

int CSheet::GetFontSize() const { return FontPoints(Cell(m_nActiveRow, m_nActiveCol)); }

void CSheet::SetFontSize(int nSize) {
    if (nSize == 0)
        return;
    EditCell(m_nActiveRow, m_nActiveCol).nFontPoints = std::min(std::abs(nSize), 409);
}

bool CSheet::GetFontBold() const { return Cell(m_nActiveRow, m_nActiveCol).bBold; }

void CSheet::SetFontBold(bool bOn) { EditCell(m_nActiveRow, m_nActiveCol).bBold = bOn; }

bool CSheet::GetFontUnderline() const { return Cell(m_nActiveRow, m_nActiveCol).bUnderline; }

void CSheet::SetFontUnderline(bool bOn) { EditCell(m_nActiveRow, m_nActiveCol).bUnderline = bOn; }

int CSheet::GetColWidth(int nCol) const {
    auto it = m_anColWidth.find(nCol);
    return it == m_anColWidth.end() ? kDefaultColWidth : it->second;
}

void CSheet::SetColWidth(int nCol, int nWidth) {
    if (nCol < 1 || nCol > kMaxCol)
        return;
    m_anColWidth[nCol] = std::clamp(nWidth, 0, kMaxColWidth);
}

double CSheet::Measure(const CSheetCell& cell) const {
    if (m_measure)
        return m_measure(cell);
    double dChars =
        static_cast<double>(cell.kind == CSheetCell::EKind::Number ? NumberText(cell.dValue).size()
                                                                   : cell.strText.size());
    dChars *= static_cast<double>(FontPoints(cell)) / kDefaultFontPoints;
    return cell.bBold ? dChars * kBoldFactor : dChars;
}

void CSheet::SetColWidthAuto(int nRow1, int nCol1, int nRow2, int nCol2, bool bSetDefaults) {
    for (int nCol = std::max(nCol1, 1); nCol <= std::min(nCol2, kMaxCol); ++nCol) {
        double dWidest = -1.0;
        for (const auto& [position, cell] : m_aCells) {
            const auto [nRow, nCellCol] = position;
            if (nCellCol != nCol || nRow < nRow1 || nRow > nRow2 ||
                cell.kind == CSheetCell::EKind::Empty)
                continue;
            dWidest = std::max(dWidest, Measure(cell));
        }
        if (dWidest >= 0.0)
            SetColWidth(nCol, static_cast<int>(std::ceil((dWidest + kFitMargin) * kWidthPerChar)));
        else if (bSetDefaults)
            m_anColWidth.erase(nCol);
    }
}

std::string CSheet::NumberText(double dValue) {
    char szText[32];
    std::snprintf(szText, sizeof szText, "%.15g", dValue);
    return szText;
}

std::string CSheet::CellText(int nRow, int nCol) const {
    const CSheetCell& cell = Cell(nRow, nCol);
    switch (cell.kind) {
    case CSheetCell::EKind::Text:
        return cell.strText;
    case CSheetCell::EKind::Number:
        return NumberText(cell.dValue);
    case CSheetCell::EKind::Empty:
        break;
    }
    return {};
}

int CSheet::LastRow() const { return m_aCells.empty() ? 0 : m_aCells.rbegin()->first.first; }

int CSheet::LastCol() const {
    int nLast = 0;
    for (const auto& entry : m_aCells)
        nLast = std::max(nLast, entry.first.second);
    return nLast;
}

void CSheet::Clear() {
    m_aCells.clear();
    m_anColWidth.clear();
    m_nActiveRow = m_nActiveCol = 1;
}

bool CSheet::Write(const std::string& strPath, short nType, std::error_code& error) const {
    error.clear();
    switch (nType) {
    case FileVts:
        return CDataFile::Write(strPath, SheetVts::Format(*this), error);
    case FileXlsx:
        return SheetXlsx::Write(*this, strPath, error);
    default:
        return false;
    }
}

bool CSheet::Write(const std::string& strPath, short nType) const {
    std::error_code error;
    return Write(strPath, nType, error);
}

bool CSheet::Read(const std::string& strPath, std::string& strError) {
    std::vector<unsigned char> data;
    if (CDataFile::Read(strPath, data) != CDataFile::EReadResult::Ok) {
        strError = "the file could not be read";
        return false;
    }
    CSheet read;
    if (!SheetVts::Parse(data, read, strError))
        return false;
    read.m_measure = m_measure;
    *this = std::move(read);
    return true;
}

void CSheet::SetPrintTitleRows(int nFirst, int nLast) {
    const bool bValid = nFirst >= 1 && nLast >= nFirst && nLast <= kMaxRow;
    m_nPrintTitleFirst = bValid ? nFirst : 0;
    m_nPrintTitleLast = bValid ? nLast : 0;
}

bool CSheet::SameContent(const CSheet& other) const {
    return UsedCells(m_aCells) == UsedCells(other.m_aCells) && m_anColWidth == other.m_anColWidth &&
           m_bAllowDesigner == other.m_bAllowDesigner &&
           m_bPrintLandscape == other.m_bPrintLandscape &&
           m_bPrintGridLines == other.m_bPrintGridLines &&
           m_nPrintTitleFirst == other.m_nPrintTitleFirst &&
           m_nPrintTitleLast == other.m_nPrintTitleLast;
}
