#pragma once

#include <string>

// The text without the white space (blanks, tabs, line ends) around it.
inline std::string Trimmed(const std::string& strText) {
    const char* szWhite = " \t\r\n\v\f";
    auto nFirst = strText.find_first_not_of(szWhite);
    if (nFirst == std::string::npos)
        return "";
    auto nLast = strText.find_last_not_of(szWhite);
    return strText.substr(nFirst, nLast - nFirst + 1);
}
