#include "editors/FieldCheck.h"

#include <gtest/gtest.h>

namespace {

// A field's text, the limits it is checked against, and what the check
// makes of it.
template <class T> struct FieldCase {
    const char* szText;
    T min, max;
    bool bAccepted;
    T value;
    const char* szMessage;
};

const FieldCase<float> kFloatCases[] = {
    {"0.1", 0.1f, 25.4f, true, 0.1f, ""},
    {"25.4", 0.1f, 25.4f, true, 25.4f, ""},
    {" 7.5 ", 0.1f, 25.4f, true, 7.5f, ""},
    {"0.09", 0.1f, 25.4f, false, 0, "Please enter a number between 0.1 and 25.4."},
    {"25.5", 0.1f, 25.4f, false, 0, "Please enter a number between 0.1 and 25.4."},
    {"0", 0.0f, 25.4f, true, 0.0f, ""},
    {"-0.1", 0.0f, 25.4f, false, 0, "Please enter a number between 0 and 25.4."},
    {"10", 10.0f, 2540.0f, true, 10.0f, ""},
    {"2540", 10.0f, 2540.0f, true, 2540.0f, ""},
    {"9.9", 10.0f, 2540.0f, false, 0, "Please enter a number between 10 and 2540."},
    {"2550", 10.0f, 2540.0f, false, 0, "Please enter a number between 10 and 2540."},
    {"1e2", 10.0f, 2540.0f, true, 100.0f, ""},
    {"", 10.0f, 2540.0f, false, 0, "Please enter a number."},
    {"12s", 10.0f, 2540.0f, false, 0, "Please enter a number."},
    {"inf", 10.0f, 2540.0f, false, 0, "Please enter a number."},
    {"nan", 10.0f, 2540.0f, false, 0, "Please enter a number."},
    {"0x20", 10.0f, 2540.0f, false, 0, "Please enter a number."},
    {"1e99", 10.0f, 2540.0f, false, 0, "Please enter a number between 10 and 2540."},
};

const FieldCase<unsigned> kUnsignedCases[] = {
    {"10", 10, 2540, true, 10, ""},
    {"2540", 10, 2540, true, 2540, ""},
    {"9", 10, 2540, false, 0, "Please enter an integer between 10 and 2540."},
    {"2541", 10, 2540, false, 0, "Please enter an integer between 10 and 2540."},
    {"99999999999999999999999", 10, 2540, false, 0, "Please enter an integer between 10 and 2540."},
    {"-5", 1, 254, false, 0, "Please enter a positive integer."},
    {"2.5", 1, 254, false, 0, "Please enter a positive integer."},
    {"", 1, 254, false, 0, "Please enter a positive integer."},
    {" 254 ", 1, 254, true, 254, ""},
};

} // namespace

TEST(FieldCheck, FloatFieldsAtTheirLimits) {
    for (const FieldCase<float>& c : kFloatCases) {
        float fValue = -1;
        std::string strMessage;
        EXPECT_EQ(CFieldCheck::ReadFloat(c.szText, c.min, c.max, fValue, strMessage), c.bAccepted)
            << c.szText;
        EXPECT_EQ(strMessage, c.szMessage) << c.szText;
        EXPECT_EQ(fValue, c.bAccepted ? c.value : -1) << c.szText << ": refused leaves it";
    }
}

TEST(FieldCheck, UnsignedFieldsAtTheirLimits) {
    for (const FieldCase<unsigned>& c : kUnsignedCases) {
        unsigned nValue = 7;
        std::string strMessage;
        EXPECT_EQ(CFieldCheck::ReadUnsigned(c.szText, c.min, c.max, nValue, strMessage),
                  c.bAccepted)
            << c.szText;
        EXPECT_EQ(strMessage, c.szMessage) << c.szText;
        EXPECT_EQ(nValue, c.bAccepted ? c.value : 7u) << c.szText;
    }
}

TEST(FieldCheck, FloatTextHasSixSignificantDigits) {
    EXPECT_EQ(CFieldCheck::FloatText(10.0f), "10");
    EXPECT_EQ(CFieldCheck::FloatText(0.1f), "0.1");
    EXPECT_EQ(CFieldCheck::FloatText(25.4f), "25.4");
    EXPECT_EQ(CFieldCheck::FloatText(2540.0f), "2540");
    EXPECT_EQ(CFieldCheck::FloatText(0.7f), "0.7");
}
