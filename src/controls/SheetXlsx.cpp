#include "controls/SheetXlsx.h"

#include "controls/Sheet.h"
#include "model/CodePage.h"
#include "model/DataFile.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <tuple>
#include <vector>

namespace {

// The longest text a workbook cell holds.
constexpr std::size_t kMaxCellText = 32767;
// Row height in points for a font size, as spreadsheet programs lay it out.
constexpr double kRowPerPoint = 1.3;

using CFormatKey = std::tuple<bool, bool, int>;

class CWorkbookWriter {
public:
    CWorkbookWriter(const CSheet& sheet, lxw_workbook* pBook)
        : m_sheet(sheet), m_pBook(pBook), m_pSheet(workbook_add_worksheet(pBook, nullptr)) {}

    bool Fill() {
        if (!m_pSheet)
            return false;
        bool bOk = true;
        for (const auto& [nCol, nWidth] : m_sheet.ColWidths())
            bOk = worksheet_set_column(m_pSheet, static_cast<lxw_col_t>(nCol - 1),
                                       static_cast<lxw_col_t>(nCol - 1),
                                       static_cast<double>(nWidth) / CSheet::kWidthPerChar,
                                       nullptr) == LXW_NO_ERROR &&
                  bOk;
        for (const auto& [position, cell] : m_sheet.Cells())
            bOk = WriteCell(position.first - 1, position.second - 1, cell) && bOk;
        bOk = SetRowHeights() && bOk;
        if (m_sheet.GetPrintLandscape())
            worksheet_set_landscape(m_pSheet);
        bOk = SetPageFit() && bOk;
        worksheet_gridlines(m_pSheet, m_sheet.GetPrintGridLines() ? LXW_SHOW_ALL_GRIDLINES
                                                                  : LXW_SHOW_SCREEN_GRIDLINES);
        return bOk;
    }

private:
    // As Corvel prints it: one page wide, as many tall as needed, the
    // heading rows on every page, so a long equation column stays beside
    // its channel instead of going to pages of its own.
    bool SetPageFit() {
        worksheet_fit_to_pages(m_pSheet, 1, 0);
        if (!m_sheet.HasPrintTitleRows())
            return true;
        return worksheet_repeat_rows(
                   m_pSheet, static_cast<lxw_row_t>(m_sheet.GetPrintTitleFirst() - 1),
                   static_cast<lxw_row_t>(m_sheet.GetPrintTitleLast() - 1)) == LXW_NO_ERROR;
    }

    lxw_format* Format(const CSheetCell& cell) {
        const int nPoints = m_sheet.FontPoints(cell);
        CFormatKey key{cell.bBold, cell.bUnderline, nPoints};
        auto it = m_aFormats.find(key);
        if (it != m_aFormats.end())
            return it->second;
        lxw_format* pFormat = workbook_add_format(m_pBook);
        format_set_font_name(pFormat, SheetXlsx::kFontName);
        format_set_font_size(pFormat, nPoints);
        if (cell.bBold)
            format_set_bold(pFormat);
        if (cell.bUnderline)
            format_set_underline(pFormat, LXW_UNDERLINE_SINGLE);
        m_aFormats[key] = pFormat;
        return pFormat;
    }

    bool WriteCell(int nRow, int nCol, const CSheetCell& cell) {
        const auto row = static_cast<lxw_row_t>(nRow);
        const auto col = static_cast<lxw_col_t>(nCol);
        switch (cell.kind) {
        case CSheetCell::EKind::Text: {
            std::string strText = CodePage::ToUtf8(cell.strText.substr(0, kMaxCellText));
            return worksheet_write_string(m_pSheet, row, col, strText.c_str(), Format(cell)) ==
                   LXW_NO_ERROR;
        }
        case CSheetCell::EKind::Number:
            return worksheet_write_number(m_pSheet, row, col, cell.dValue, Format(cell)) ==
                   LXW_NO_ERROR;
        case CSheetCell::EKind::Empty:
            break;
        }
        return worksheet_write_blank(m_pSheet, row, col, Format(cell)) == LXW_NO_ERROR;
    }

    // Rows holding a larger font than the default get the height it needs:
    // not every program fits rows to their fonts when it opens a file.
    bool SetRowHeights() {
        std::map<int, int> anRowPoints;
        for (const auto& [position, cell] : m_sheet.Cells())
            if (cell.kind != CSheetCell::EKind::Empty)
                anRowPoints[position.first] =
                    std::max(anRowPoints[position.first], m_sheet.FontPoints(cell));
        bool bOk = true;
        for (const auto& [nRow, nPoints] : anRowPoints)
            if (nPoints > CSheet::kDefaultFontPoints)
                bOk =
                    worksheet_set_row(m_pSheet, static_cast<lxw_row_t>(nRow - 1),
                                      std::ceil(nPoints * kRowPerPoint), nullptr) == LXW_NO_ERROR &&
                    bOk;
        return bOk;
    }

    const CSheet& m_sheet;
    lxw_workbook* m_pBook;
    lxw_worksheet* m_pSheet;
    std::map<CFormatKey, lxw_format*> m_aFormats;
};

std::filesystem::path TempWorkbookPath() {
    std::random_device random;
    std::error_code error;
    std::filesystem::path dir = std::filesystem::temp_directory_path(error);
    if (error)
        dir = ".";
    return dir / ("corvel-sheet-" + std::to_string(random()) + std::to_string(random()) + ".xlsx");
}

bool ReadWhole(const std::filesystem::path& path, std::vector<unsigned char>& data) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

namespace SheetXlsx {

// The library writes to a file of its own choosing; it goes to a temporary
// file first so the target is then replaced in one step. The library says
// little about why it failed, so its own file failing is told as an
// input/output error.
bool Write(const CSheet& sheet, const std::string& strPath, std::error_code& error) {
    error = std::make_error_code(std::errc::io_error);
    const std::filesystem::path temp = TempWorkbookPath();
    lxw_workbook* pBook = workbook_new(temp.string().c_str());
    if (!pBook)
        return false;
    bool bOk = CWorkbookWriter(sheet, pBook).Fill();
    bOk = workbook_close(pBook) == LXW_NO_ERROR && bOk;
    std::vector<unsigned char> data;
    bOk = bOk && ReadWhole(temp, data) && CDataFile::Write(strPath, data, error);
    std::error_code removeError;
    std::filesystem::remove(temp, removeError);
    if (bOk)
        error.clear();
    return bOk;
}

} // namespace SheetXlsx
