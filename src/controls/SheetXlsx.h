#pragma once

#include <string>
#include <system_error>

class CSheet;

// Writes a sheet as an Office Open XML workbook through libxlsxwriter: the
// same cells, bold, underline, font sizes, column widths and print settings.
namespace SheetXlsx {

// The font every written cell carries, so the workbook looks the same in
// every spreadsheet program.
constexpr const char* kFontName = "Arial";

// The file is replaced whole or not at all; false when it could not be
// written, with the system's reason in error.
bool Write(const CSheet& sheet, const std::string& strPath, std::error_code& error);

} // namespace SheetXlsx
