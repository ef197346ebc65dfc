#include "editors/FieldCheck.h"

#include "model/Trim.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Only plain decimal notation counts as a number: strtod alone would also
// take "inf", "nan" and hexadecimal floats.
bool IsDecimalText(const std::string& strText) {
    std::size_t i = 0;
    if (i < strText.size() && (strText[i] == '+' || strText[i] == '-'))
        ++i;
    bool bDigits = false;
    for (; i < strText.size() && IsDigit(strText[i]); ++i)
        bDigits = true;
    if (i < strText.size() && strText[i] == '.')
        for (++i; i < strText.size() && IsDigit(strText[i]); ++i)
            bDigits = true;
    if (!bDigits)
        return false;
    if (i < strText.size() && (strText[i] == 'e' || strText[i] == 'E')) {
        ++i;
        if (i < strText.size() && (strText[i] == '+' || strText[i] == '-'))
            ++i;
        if (i == strText.size() || !IsDigit(strText[i]))
            return false;
        while (i < strText.size() && IsDigit(strText[i]))
            ++i;
    }
    return i == strText.size();
}

} // namespace

std::string CFieldCheck::FloatText(float fValue) {
    char szText[32];
    std::snprintf(szText, sizeof szText, "%.6g", static_cast<double>(fValue));
    return szText;
}

bool CFieldCheck::ReadFloat(const std::string& strText, float fMin, float fMax, float& fValue,
                            std::string& strMessage) {
    const std::string strNumber = Trimmed(strText);
    if (!IsDecimalText(strNumber)) {
        strMessage = "Please enter a number.";
        return false;
    }
    const float fTyped = std::strtof(strNumber.c_str(), nullptr);
    if (!(std::isfinite(fTyped) && fTyped >= fMin && fTyped <= fMax)) {
        strMessage =
            "Please enter a number between " + FloatText(fMin) + " and " + FloatText(fMax) + ".";
        return false;
    }
    fValue = fTyped;
    return true;
}

bool CFieldCheck::ReadUnsigned(const std::string& strText, unsigned nMin, unsigned nMax,
                               unsigned& nValue, std::string& strMessage) {
    const std::string strNumber = Trimmed(strText);
    bool bDigits = !strNumber.empty();
    for (char c : strNumber)
        bDigits = bDigits && IsDigit(c);
    if (!bDigits) {
        strMessage = "Please enter a positive integer.";
        return false;
    }
    errno = 0;
    const unsigned long long nTyped = std::strtoull(strNumber.c_str(), nullptr, 10);
    if (errno == ERANGE || nTyped < nMin || nTyped > nMax) {
        strMessage = "Please enter an integer between " + std::to_string(nMin) + " and " +
                     std::to_string(nMax) + ".";
        return false;
    }
    nValue = static_cast<unsigned>(nTyped);
    return true;
}
