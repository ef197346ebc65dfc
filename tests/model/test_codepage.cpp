#include "model/CodePage.h"

#include <gtest/gtest.h>

TEST(CodePage, ConvertsBetweenWindows1252AndUnicode) {
    struct Case {
        std::u16string strUnicode;
        std::string strCp1252;
    } aCases[] = {{u"Bus", "Bus"},
                  {u"\u00e9t\u00e9", "\xe9t\xe9"},
                  {u"\u20ac5", "\x80"
                               "5"},
                  {u"\u0160", "\x8a"},
                  {u"\u0081\u008d\u008f\u0090\u009d", "\x81\x8d\x8f\x90\x9d"}};
    for (const Case& c : aCases) {
        EXPECT_EQ(c.strCp1252, CodePage::FromUtf16(c.strUnicode));
        EXPECT_EQ(c.strUnicode, CodePage::ToUtf16(c.strCp1252));
    }
    EXPECT_EQ("?x", CodePage::FromUtf16(u"\u4e2dx")) << "characters the code page lacks";
    EXPECT_EQ("caf\xe9", CodePage::FromUtf8("caf\xc3\xa9"));
    EXPECT_EQ("caf\xc3\xa9", CodePage::ToUtf8("caf\xe9"));
    EXPECT_EQ("?", CodePage::FromUtf8("\xf0\x9f\x9a\x8c"));
    EXPECT_EQ("?a", CodePage::FromUtf8("\xc3"
                                       "a"));
}
