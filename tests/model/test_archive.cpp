#include "model/Archive.h"
#include "model/FileLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<unsigned char> Stored(const std::string& str) {
    CArchive ar;
    ar.WriteString(str);
    return ar.Buffer();
}

std::string Loaded(const std::vector<unsigned char>& data, bool& bOk) {
    CArchive ar(data);
    std::string str = "untouched";
    bOk = ar.ReadString(str);
    EXPECT_EQ(bOk, ar.Ok());
    return str;
}

} // namespace

TEST(Archive, NumbersAreLittleEndian) {
    CArchive ar;
    ar.WriteInt16(-2);
    ar.WriteInt32(0x01020304);
    ar.WriteFloat(10.0f);
    ar.WriteDouble(1.5);
    CBytes expected;
    expected.I16(-2);
    expected.I32(0x01020304);
    expected.F32(10.0f);
    expected.F64(1.5);
    EXPECT_EQ(expected.m_data, ar.Buffer());
    EXPECT_EQ((std::vector<unsigned char>{0xFE, 0xFF, 4, 3, 2, 1, 0, 0, 0x20, 0x41}),
              std::vector<unsigned char>(ar.Buffer().begin(), ar.Buffer().begin() + 10));

    CArchive in(ar.Buffer());
    int16_t n16 = 0;
    int32_t n32 = 0;
    float f = 0;
    double d = 0;
    in.Int16(n16);
    in.Int32(n32);
    in.Float(f);
    in.Double(d);
    EXPECT_TRUE(in.Ok());
    EXPECT_EQ(-2, n16);
    EXPECT_EQ(0x01020304, n32);
    EXPECT_EQ(10.0f, f);
    EXPECT_EQ(1.5, d);
}

TEST(Archive, StringPrefixesByLength) {
    struct Case {
        std::size_t nLength;
        std::vector<unsigned char> prefix;
    } aCases[] = {{0, {0}},
                  {15, {15}},
                  {254, {254}},
                  {255, {0xFF, 0xFF, 0x00}},
                  {65533, {0xFF, 0xFD, 0xFF}},
                  {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                  {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}};
    for (const Case& c : aCases) {
        std::string str(c.nLength, 'x');
        std::vector<unsigned char> data = Stored(str);
        ASSERT_EQ(c.prefix.size() + c.nLength, data.size()) << c.nLength;
        EXPECT_EQ(c.prefix,
                  std::vector<unsigned char>(data.begin(), data.begin() + c.prefix.size()))
            << c.nLength;
        bool bOk = false;
        EXPECT_EQ(str, Loaded(data, bOk)) << c.nLength;
        EXPECT_TRUE(bOk);
    }
}

TEST(Archive, ReadsTheSixteenBitCharacterForm) {
    CBytes wide;
    wide.WideStr(u"Bus \u20ac \u4e2d\u00e9");
    bool bOk = false;
    EXPECT_EQ("Bus \x80 ?\xe9", Loaded(wide.m_data, bOk)) << "'?' for what the code page lacks";
    EXPECT_TRUE(bOk);

    CBytes longWide;
    longWide.WideStr(std::u16string(300, u'a'));
    EXPECT_EQ(std::string(300, 'a'), Loaded(longWide.m_data, bOk));
    EXPECT_TRUE(bOk);
}

TEST(Archive, AWideMarkerInTheSecondLengthIsALength) {
    CBytes out;
    out.U8(0xFF);
    out.U16(0xFFFE);
    out.U8(0xFF);
    out.U16(0xFFFE);
    for (int i = 0; i < 65534; ++i)
        out.U16(u'z');
    bool bOk = false;
    EXPECT_EQ(std::string(65534, 'z'), Loaded(out.m_data, bOk));
    EXPECT_TRUE(bOk);
}

TEST(Archive, DamagedStringsFailWithoutReadingPastTheEnd) {
    struct Case {
        const char* szWhat;
        std::vector<unsigned char> data;
    } aCases[] = {
        {"empty", {}},
        {"short prefix", {0xFF, 0x10}},
        {"text runs past the end", {5, 'a', 'b'}},
        {"long length past the end", {0xFF, 0x00, 0x01, 'a'}},
        {"huge length", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}},
        {"wide without a second length", {0xFF, 0xFE, 0xFF}},
        {"wide counts 16-bit units", {0xFF, 0xFE, 0xFF, 2, 'a', 0, 'b'}},
        {"wide huge length", {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const Case& c : aCases) {
        bool bOk = true;
        EXPECT_EQ("untouched", Loaded(c.data, bOk)) << c.szWhat;
        EXPECT_FALSE(bOk) << c.szWhat;
    }
}

TEST(Archive, AFailureStopsEveryLaterRead) {
    CArchive ar(std::vector<unsigned char>{1, 2, 3, 4, 5});
    int32_t n32 = 0;
    int16_t n16 = 7;
    EXPECT_TRUE(ar.ReadInt32(n32));
    EXPECT_FALSE(ar.ReadInt16(n16));
    EXPECT_EQ(7, n16) << "a value that does not fit is left as it was";
    std::string str = "kept";
    EXPECT_FALSE(ar.ReadString(str)) << "the remaining byte is not read after a failure";
    EXPECT_EQ("kept", str);
    EXPECT_FALSE(ar.Ok());
}
