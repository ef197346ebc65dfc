#pragma once

#include <string>

// Reads a number typed into a dialog field the way every dialog checks its
// fields: the whole text must be the number (blanks around it allowed) and
// it must lie within its limits. A refused field yields the message the
// technician is shown, and no value, so a dialog stores nothing from a form
// with any field refused.
class CFieldCheck {
public:
    // A decimal number; limits and value are compared as single-precision
    // floats, as the system keeps them.
    static bool ReadFloat(const std::string& strText, float fMin, float fMax, float& fValue,
                          std::string& strMessage);
    // A whole number without a sign.
    static bool ReadUnsigned(const std::string& strText, unsigned nMin, unsigned nMax,
                             unsigned& nValue, std::string& strMessage);
    // A float as the fields show it: up to six significant digits, no
    // trailing zeros (10, 0.1, 25.4).
    static std::string FloatText(float fValue);
};
