#include "controls/Sheet.h"
#include "controls/SheetVts.h"
#include "support/TempDir.h"
#include "support/WorkbookReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace {

std::string ReadFile(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// A sheet that uses every kind of content and setting.
CSheet Sample() {
    CSheet sheet;
    sheet.SetTextRC(1, 1, "Title");
    sheet.SetActiveCell(1, 1);
    sheet.SetFontSize(-24);
    sheet.SetFontBold(true);
    sheet.SetTextRC(2, 1, "Heading");
    sheet.SetActiveCell(2, 1);
    sheet.SetFontUnderline(true);
    sheet.SetTextRC(2, 3, "  spaces and \\ back\tslash\r\nnew line  ");
    sheet.SetTextRC(3, 2, std::string("caf\xE9 \x80"));
    sheet.SetTextRC(3, 3, "");
    sheet.SetNumberRC(4, 1, 7);
    sheet.SetNumberRC(4, 2, -0.1);
    sheet.SetNumberRC(4, 3, 1e300);
    sheet.SetActiveCell(5, 5);
    sheet.SetFontBold(true);
    sheet.SetColWidth(2, 4096);
    sheet.SetColWidth(3, 20480);
    sheet.SetAllowDesigner(true);
    sheet.SetPrintLandscape(true);
    sheet.SetPrintGridLines(false);
    return sheet;
}

} // namespace

TEST(SheetTest, FontSizeOfTheActiveCellIsInPointsAndTheSignIsDropped) {
    CSheet sheet;
    EXPECT_EQ(CSheet::kDefaultFontPoints, sheet.GetFontSize());
    sheet.SetActiveCell(2, 3);
    sheet.SetFontSize(-2 * sheet.GetFontSize());
    EXPECT_EQ(20, sheet.GetFontSize());
    EXPECT_EQ(20, sheet.Cell(2, 3).nFontPoints);
    EXPECT_EQ(0, sheet.Cell(1, 1).nFontPoints);
    sheet.SetFontSize(12);
    EXPECT_EQ(12, sheet.GetFontSize());
}

TEST(SheetTest, CellsOutsideTheSheetAreIgnored) {
    CSheet sheet;
    sheet.SetTextRC(0, 1, "x");
    sheet.SetTextRC(1, 0, "x");
    sheet.SetNumberRC(-3, 2, 1);
    sheet.SetActiveCell(0, 0);
    EXPECT_TRUE(sheet.Cells().empty());
    EXPECT_EQ(1, sheet.GetActiveRow());
    EXPECT_EQ(1, sheet.GetActiveCol());
}

TEST(SheetTest, ColumnWidthsAreInAQuarterThousandthOfACharacter) {
    CSheet sheet;
    EXPECT_EQ(CSheet::kDefaultColWidth, sheet.GetColWidth(4));
    sheet.SetColWidth(2, 4096);
    EXPECT_EQ(4096, sheet.GetColWidth(2));
    EXPECT_EQ(16, sheet.GetColWidth(2) / CSheet::kWidthPerChar);
}

TEST(SheetTest, AutomaticWidthsFitTheWidestTextOfTheBlockOnly) {
    CSheet sheet;
    sheet.SetTextRC(1, 1, std::string(60, 'x')); // above the block: left out
    sheet.SetTextRC(3, 1, "abcd");
    sheet.SetTextRC(4, 1, "abcdefghij");
    sheet.SetTextRC(3, 2, "abcd");
    sheet.SetActiveCell(3, 2);
    sheet.SetFontSize(20);
    sheet.SetColWidth(3, 9999);
    sheet.SetColWidthAuto(3, 1, 5, 3, false);
    EXPECT_EQ(11 * 256, sheet.GetColWidth(1)) << "ten characters and the margins";
    EXPECT_EQ(9 * 256, sheet.GetColWidth(2)) << "four characters at twice the size";
    EXPECT_EQ(9999, sheet.GetColWidth(3)) << "an empty column keeps its width";
    sheet.SetColWidthAuto(3, 1, 5, 3, true);
    EXPECT_EQ(CSheet::kDefaultColWidth, sheet.GetColWidth(3));
}

TEST(SheetTest, OwnFormatReadsBackExactly) {
    CTempDir dir;
    const CSheet sheet = Sample();
    ASSERT_TRUE(sheet.Write(dir.File("sample.VTS"), CSheet::FileVts));
    CSheet read;
    std::string strError;
    ASSERT_TRUE(read.Read(dir.File("sample.VTS"), strError)) << strError;
    EXPECT_TRUE(read.SameContent(sheet));
    EXPECT_EQ(sheet.Cells().size(), read.Cells().size());
    EXPECT_EQ(sheet.Cell(2, 3).strText, read.Cell(2, 3).strText);
    EXPECT_EQ(1e300, read.Cell(4, 3).dValue);
    EXPECT_TRUE(read.Cell(5, 5).bBold);
    EXPECT_EQ(CSheetCell::EKind::Empty, read.Cell(5, 5).kind);
    // Writing what was read gives the same bytes again.
    ASSERT_TRUE(read.Write(dir.File("again.VTS"), CSheet::FileVts));
    EXPECT_EQ(ReadFile(dir.File("sample.VTS")), ReadFile(dir.File("again.VTS")));
}

TEST(SheetTest, OwnFormatIsPlainText) {
    CSheet sheet;
    sheet.SetTextRC(1, 1, "Norvane DVX");
    sheet.SetActiveCell(1, 1);
    sheet.SetFontSize(-20);
    sheet.SetColWidth(3, 20480);
    std::vector<unsigned char> data = SheetVts::Format(sheet);
    EXPECT_EQ("CORVEL SHEET 1\nDESIGNER 0\nLANDSCAPE 0\nGRIDLINES 1\nWIDTH 3 20480\n"
              "CELL 1 1 T -- 20 Norvane DVX\n",
              std::string(data.begin(), data.end()));
}

TEST(SheetTest, DamagedOwnFilesAreRefusedAndLeaveTheSheetAlone) {
    const std::pair<const char*, const char*> aCases[] = {
        {"", "it is empty"},
        {"CORVEL SHEET 2\n", "it does not start with CORVEL SHEET 1"},
        {"CORVEL SHEET 1\nCELL 0 1 T -- 0 x\n", "line 2 is damaged"},
        {"CORVEL SHEET 1\nCELL 1 1 T -- 0 bad \\q escape\n", "line 2 is damaged"},
        {"CORVEL SHEET 1\nCELL 1 1 T -- 0 cut \\x4\n", "line 2 is damaged"},
        {"CORVEL SHEET 1\nCELL 1 1 N -- 0 12abc\n", "line 2 is damaged"},
        {"CORVEL SHEET 1\nCELL 1 1 E BX 0\n", "line 2 is damaged"},
        {"CORVEL SHEET 1\nWIDTH 3\n", "line 2 is damaged"},
        {"CORVEL SHEET 1\nLANDSCAPE 2\n", "line 2 is damaged"},
        {"CORVEL SHEET 1\n\nGRIDLINES 1 extra\n", "line 3 is damaged"},
        {"CORVEL SHEET 1\nSUM 1 2\n", "line 2 is damaged"},
    };
    CTempDir dir;
    for (const auto& [szData, szError] : aCases) {
        std::ofstream(dir.File("bad.VTS"), std::ios::binary) << szData;
        CSheet sheet = Sample();
        std::string strError;
        EXPECT_FALSE(sheet.Read(dir.File("bad.VTS"), strError)) << szData;
        EXPECT_EQ(szError, strError) << szData;
        EXPECT_TRUE(sheet.SameContent(Sample())) << szData;
    }
    CSheet sheet;
    std::string strError;
    EXPECT_FALSE(sheet.Read(dir.File("missing.VTS"), strError));
    EXPECT_EQ("the file could not be read", strError);
}

TEST(SheetTest, OwnFormatAcceptsWindowsLineEnds) {
    CTempDir dir;
    std::ofstream(dir.File("crlf.VTS"), std::ios::binary)
        << "CORVEL SHEET 1\r\nCELL 2 3 T B- 0 text \r\n";
    CSheet sheet;
    std::string strError;
    ASSERT_TRUE(sheet.Read(dir.File("crlf.VTS"), strError)) << strError;
    EXPECT_EQ("text ", sheet.Cell(2, 3).strText);
    EXPECT_TRUE(sheet.Cell(2, 3).bBold);
}

TEST(SheetTest, UnknownFileTypesAndUnwritableFilesFail) {
    CTempDir dir;
    CSheet sheet = Sample();
    EXPECT_FALSE(sheet.Write(dir.File("x.bin"), 2));
    EXPECT_FALSE(sheet.Write(dir.File("no/such/folder/x.VTS"), CSheet::FileVts));
    EXPECT_FALSE(sheet.Write(dir.File("no/such/folder/x.xlsx"), CSheet::FileXlsx));
}

// --- the workbook, read back by an independent reader ---

TEST(SheetTest, WorkbookReadsBackCellForCellWithItsFormatting) {
    CTempDir dir;
    const CSheet sheet = Sample();
    ASSERT_TRUE(sheet.Write(dir.File("sample.xlsx"), CSheet::FileXlsx));
    const CReadBook book = ReadWorkbook(dir.File("sample.xlsx"));

    const CReadCell& title = book.aCells.at({1, 1});
    EXPECT_EQ("T", title.strKind);
    EXPECT_EQ("Title", title.strValue);
    EXPECT_TRUE(title.bBold);
    EXPECT_FALSE(title.bUnderline);
    EXPECT_EQ(24.0, title.dPoints);
    const CReadCell& heading = book.aCells.at({2, 1});
    EXPECT_TRUE(heading.bUnderline);
    EXPECT_FALSE(heading.bBold);
    EXPECT_EQ(10.0, heading.dPoints);
    // A carriage return is stored as the workbook escape _x000D_, which
    // spreadsheet programs turn back into the character; this reader does not.
    EXPECT_EQ("  spaces and \\\\ back\\tslash_x000D_\\nnew line  ",
              book.aCells.at({2, 3}).strValue);
    EXPECT_EQ("caf\xC3\xA9 \xE2\x82\xAC", book.aCells.at({3, 2}).strValue)
        << "the text is Unicode in the workbook";
    EXPECT_EQ("N", book.aCells.at({4, 1}).strKind);
    EXPECT_EQ(7.0, std::stod(book.aCells.at({4, 1}).strValue));
    EXPECT_EQ(-0.1, std::stod(book.aCells.at({4, 2}).strValue));
    EXPECT_EQ(1e300, std::stod(book.aCells.at({4, 3}).strValue));
    EXPECT_TRUE(book.aCells.at({5, 5}).bBold) << "formatting of a cell without a value";

    // A workbook stores a width with the cell margins added, about 0.71 of
    // a character.
    ASSERT_EQ(2u, book.adWidths.size());
    EXPECT_NEAR(16.71, book.adWidths.at(2), 0.01);
    EXPECT_NEAR(80.71, book.adWidths.at(3), 0.01);
    EXPECT_EQ("landscape", book.strOrientation);
    EXPECT_EQ("0", book.strGridLines);
}

TEST(SheetTest, WorkbookReplacesAnExistingFileWhole) {
    CTempDir dir;
    std::ofstream(dir.File("old.xlsx")) << "old content";
    CSheet sheet;
    sheet.SetTextRC(1, 1, "new");
    ASSERT_TRUE(sheet.Write(dir.File("old.xlsx"), CSheet::FileXlsx));
    EXPECT_EQ("PK", ReadFile(dir.File("old.xlsx")).substr(0, 2));
    EXPECT_EQ("new", ReadWorkbook(dir.File("old.xlsx")).aCells.at({1, 1}).strValue);
}
