#pragma once

#include <string>
#include <vector>

class CSheet;

// The sheet's own file format (".VTS"): plain 8-bit text, one setting or
// cell a line, so a sheet can be read back exactly as it was written and
// still be looked at in any text editor.
//
//   CORVEL SHEET 1
//   DESIGNER 1                      designer allowed (0 or 1)
//   LANDSCAPE 0                     print settings (0 or 1)
//   GRIDLINES 1
//   WIDTH 3 20480                   column, width in 1/256 of a character
//   CELL 1 1 T B- 20 Norvane DVX    row, column, kind, bold and underline
//                                   marks, points (0 default), value
//
// The kind is T (text), N (number) or E (no value, formatting only). A text
// runs to the end of the line; a backslash, a carriage return, a line feed
// and the other control characters are written \\, \r, \n and \xNN.
namespace SheetVts {

constexpr const char* kHeader = "CORVEL SHEET 1";

std::vector<unsigned char> Format(const CSheet& sheet);
// Fills an empty sheet; false with the reason when the data is not a sheet
// of this format.
bool Parse(const std::vector<unsigned char>& data, CSheet& sheet, std::string& strError);

} // namespace SheetVts
