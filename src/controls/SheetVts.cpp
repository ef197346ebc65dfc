#include "controls/SheetVts.h"

#include "controls/Sheet.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

std::string Escape(const std::string& strText) {
    std::string strOut;
    for (char ch : strText) {
        const auto uch = static_cast<unsigned char>(ch);
        if (ch == '\\')
            strOut += "\\\\";
        else if (ch == '\r')
            strOut += "\\r";
        else if (ch == '\n')
            strOut += "\\n";
        else if (uch < 0x20 || uch == 0x7f) {
            char szHex[8];
            std::snprintf(szHex, sizeof szHex, "\\x%02X", uch);
            strOut += szHex;
        } else
            strOut += ch;
    }
    return strOut;
}

int HexDigit(char ch) {
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    return -1;
}

bool Unescape(const std::string& strText, std::string& strOut) {
    strOut.clear();
    for (std::size_t i = 0; i < strText.size(); ++i) {
        if (strText[i] != '\\') {
            strOut += strText[i];
            continue;
        }
        if (++i == strText.size())
            return false;
        switch (strText[i]) {
        case '\\':
            strOut += '\\';
            break;
        case 'r':
            strOut += '\r';
            break;
        case 'n':
            strOut += '\n';
            break;
        case 'x': {
            if (i + 2 >= strText.size())
                return false;
            const int nHigh = HexDigit(strText[i + 1]);
            const int nLow = HexDigit(strText[i + 2]);
            if (nHigh < 0 || nLow < 0)
                return false;
            strOut += static_cast<char>(nHigh * 16 + nLow);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

char KindMark(CSheetCell::EKind kind) {
    switch (kind) {
    case CSheetCell::EKind::Text:
        return 'T';
    case CSheetCell::EKind::Number:
        return 'N';
    case CSheetCell::EKind::Empty:
        break;
    }
    return 'E';
}

// Reads a whole decimal number; false for anything else.
bool ReadInt(std::istringstream& in, int nMin, int nMax, int& nValue) {
    std::string strWord;
    if (!(in >> strWord))
        return false;
    char* pEnd = nullptr;
    const long nRead = std::strtol(strWord.c_str(), &pEnd, 10);
    if (*pEnd != '\0' || nRead < nMin || nRead > nMax)
        return false;
    nValue = static_cast<int>(nRead);
    return true;
}

bool ReadFlag(std::istringstream& in, bool& bFlag) {
    int nValue = 0;
    if (!ReadInt(in, 0, 1, nValue))
        return false;
    bFlag = nValue != 0;
    return true;
}

// The value after the formatting fields: one space separates it, so a text
// keeps its own leading and trailing spaces.
bool ReadValue(const std::string& strLine, std::istringstream& in, char chKind, CSheetCell& cell) {
    const auto nAt = in.tellg();
    std::string strRest = nAt < 0 ? std::string() : strLine.substr(static_cast<std::size_t>(nAt));
    if (!strRest.empty()) {
        if (strRest.front() != ' ')
            return false;
        strRest.erase(0, 1);
    }
    switch (chKind) {
    case 'E':
        cell.kind = CSheetCell::EKind::Empty;
        return strRest.empty();
    case 'T':
        cell.kind = CSheetCell::EKind::Text;
        return Unescape(strRest, cell.strText);
    case 'N': {
        cell.kind = CSheetCell::EKind::Number;
        char* pEnd = nullptr;
        cell.dValue = std::strtod(strRest.c_str(), &pEnd);
        return !strRest.empty() && *pEnd == '\0';
    }
    default:
        return false;
    }
}

bool ParseCell(const std::string& strLine, std::istringstream& in, CSheet& sheet) {
    int nRow = 0, nCol = 0, nPoints = 0;
    std::string strKind, strMarks;
    if (!ReadInt(in, 1, CSheet::kMaxRow, nRow) || !ReadInt(in, 1, CSheet::kMaxCol, nCol) ||
        !(in >> strKind) || strKind.size() != 1 || !(in >> strMarks) || strMarks.size() != 2 ||
        !ReadInt(in, 0, 409, nPoints))
        return false;
    if ((strMarks[0] != 'B' && strMarks[0] != '-') || (strMarks[1] != 'U' && strMarks[1] != '-'))
        return false;
    CSheetCell cell;
    cell.bBold = strMarks[0] == 'B';
    cell.bUnderline = strMarks[1] == 'U';
    cell.nFontPoints = nPoints;
    if (!ReadValue(strLine, in, strKind[0], cell))
        return false;
    sheet.EditCell(nRow, nCol) = cell;
    return true;
}

bool ParseLine(const std::string& strLine, CSheet& sheet) {
    std::istringstream in(strLine);
    std::string strWord;
    in >> strWord;
    bool bFlag = false;
    if (strWord == "CELL")
        return ParseCell(strLine, in, sheet);
    if (strWord == "WIDTH") {
        int nCol = 0, nWidth = 0;
        if (!ReadInt(in, 1, CSheet::kMaxCol, nCol) || !ReadInt(in, 0, CSheet::kMaxColWidth, nWidth))
            return false;
        sheet.SetColWidth(nCol, nWidth);
    } else if (strWord == "DESIGNER" && ReadFlag(in, bFlag))
        sheet.SetAllowDesigner(bFlag);
    else if (strWord == "LANDSCAPE" && ReadFlag(in, bFlag))
        sheet.SetPrintLandscape(bFlag);
    else if (strWord == "GRIDLINES" && ReadFlag(in, bFlag))
        sheet.SetPrintGridLines(bFlag);
    else if (strWord == "TITLEROWS") {
        int nFirst = 0, nLast = 0;
        if (!ReadInt(in, 1, CSheet::kMaxRow, nFirst) ||
            !ReadInt(in, nFirst, CSheet::kMaxRow, nLast))
            return false;
        sheet.SetPrintTitleRows(nFirst, nLast);
    } else
        return false;
    return in.eof() || (in >> std::ws).eof();
}

} // namespace

namespace SheetVts {

std::vector<unsigned char> Format(const CSheet& sheet) {
    std::string strOut = std::string(kHeader) + "\n";
    strOut += "DESIGNER " + std::to_string(sheet.GetAllowDesigner()) + "\n";
    strOut += "LANDSCAPE " + std::to_string(sheet.GetPrintLandscape()) + "\n";
    strOut += "GRIDLINES " + std::to_string(sheet.GetPrintGridLines()) + "\n";
    if (sheet.HasPrintTitleRows())
        strOut += "TITLEROWS " + std::to_string(sheet.GetPrintTitleFirst()) + " " +
                  std::to_string(sheet.GetPrintTitleLast()) + "\n";
    for (const auto& [nCol, nWidth] : sheet.ColWidths())
        strOut += "WIDTH " + std::to_string(nCol) + " " + std::to_string(nWidth) + "\n";
    for (const auto& [position, cell] : sheet.Cells()) {
        if (cell == CSheetCell())
            continue;
        strOut += "CELL " + std::to_string(position.first) + " " + std::to_string(position.second) +
                  " " + KindMark(cell.kind) + " " + (cell.bBold ? 'B' : '-') +
                  (cell.bUnderline ? 'U' : '-') + " " + std::to_string(cell.nFontPoints);
        if (cell.kind == CSheetCell::EKind::Text)
            strOut += " " + Escape(cell.strText);
        else if (cell.kind == CSheetCell::EKind::Number) {
            char szValue[40];
            std::snprintf(szValue, sizeof szValue, "%.17g", cell.dValue);
            strOut += std::string(" ") + szValue;
        }
        strOut += "\n";
    }
    return {strOut.begin(), strOut.end()};
}

bool Parse(const std::vector<unsigned char>& data, CSheet& sheet, std::string& strError) {
    std::istringstream in(std::string(data.begin(), data.end()));
    std::string strLine;
    int nLine = 0;
    while (std::getline(in, strLine)) {
        ++nLine;
        // Only a line break can end a line in a carriage return: the writer
        // escapes those inside texts.
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        if (nLine == 1) {
            if (strLine != kHeader) {
                strError = "it does not start with " + std::string(kHeader);
                return false;
            }
            continue;
        }
        if (strLine.empty())
            continue;
        if (!ParseLine(strLine, sheet)) {
            strError = "line " + std::to_string(nLine) + " is damaged";
            return false;
        }
    }
    if (nLine == 0) {
        strError = "it is empty";
        return false;
    }
    return true;
}

} // namespace SheetVts
