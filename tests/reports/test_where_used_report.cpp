#include "controls/Sheet.h"
#include "model/SystemFixture.h"
#include "reports/WhereUsedReport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class WhereUsedReportTest : public SystemTest {
protected:
    CSheet sheet;

    void Build() { BuildWhereUsedReport(sheet, sys); }
    std::vector<std::string> Row(int nRow) const {
        return {sheet.CellText(nRow, 1), sheet.CellText(nRow, 2)};
    }
    void Use(short nLoop, short nModule, short nChannel, bool bGroupB, short i, short nSource) {
        CChannelRecord& record = sys.Channel(nModule, nChannel, nLoop);
        (bGroupB ? record.m_anTermB : record.m_anTermA)[i] = nSource;
    }
};

using Cells = std::vector<std::string>;

} // namespace

TEST_F(WhereUsedReportTest, AnUnusedChannelSaysNoOccurrencesFound) {
    Select(1, 2, 3);
    Build();
    EXPECT_EQ(Cells({"Where Used List for channel YELLOW LOOP C4   Yellow_Chl_C4   ", ""}), Row(1));
    EXPECT_TRUE(sheet.Cell(1, 1).bBold);
    EXPECT_EQ(Cells({"", ""}), Row(2));
    EXPECT_EQ(Cells({"", ""}), Row(3));
    EXPECT_EQ(Cells({"CHANNEL", "EQUATION"}), Row(4));
    EXPECT_TRUE(sheet.Cell(4, 1).bBold);
    EXPECT_TRUE(sheet.Cell(4, 2).bBold);
    EXPECT_EQ(Cells({"", ""}), Row(5));
    EXPECT_EQ(Cells({"", ""}), Row(6));
    EXPECT_EQ(Cells({"No occurrences found.", ""}), Row(7));
    EXPECT_EQ(7, sheet.LastRow());
    EXPECT_TRUE(sheet.GetPrintLandscape());
    EXPECT_EQ("Where used update view\n", m_shell.m_astrTraces.back());
}

TEST_F(WhereUsedReportTest, UsersAreListedOnceInLoopModuleChannelOrder) {
    const short nSource = CSystem::MakeIndex(0, 0, 0);
    Use(5, 15, 9, false, 2, nSource); // a TIMER RUNNING user
    Use(0, 1, 0, false, 0, nSource);
    Use(0, 1, 0, true, 1, nSource);                      // both groups of one equation
    Use(0, 0, 0, true, 0, nSource);                      // the channel itself
    Use(4, 0, 0, false, 1, nSource);                     // a TIMER DONE user
    Use(2, 0, 0, false, 0, CSystem::MakeIndex(0, 0, 1)); // uses another channel
    Select(0, 0, 0);
    Build();
    EXPECT_EQ(Cells({"Q[BLUE LOOP A1   Blue_Chl_A1   ]=", "(Blue_Chl_A1)"}), Row(7));
    EXPECT_EQ(Cells({"Q[BLUE LOOP B1   Blue_Chl_B1   ]=", "(Blue_Chl_A1)+(Blue_Chl_A1)"}), Row(8));
    EXPECT_EQ(Cells({"Q[TIMER DONE LOOP A1   TmrDone_Chl_A1   ]=", "(Blue_Chl_A1)"}), Row(9));
    EXPECT_EQ(Cells({"Q[TIMER RUNNING LOOP P10   TmrRun_Chl_P10   ]=", "(Blue_Chl_A1)"}), Row(10));
    EXPECT_EQ(10, sheet.LastRow());
    EXPECT_FALSE(sys.IsModified());
}

TEST_F(WhereUsedReportTest, ColumnWidthsFitTheListAndNotTheTitle) {
    Use(0, 1, 0, false, 0, CSystem::MakeIndex(0, 0, 0));
    Select(0, 0, 0);
    Build();
    const int nHead = static_cast<int>(sheet.CellText(7, 1).size());
    const int nBody = static_cast<int>(sheet.CellText(7, 2).size());
    EXPECT_EQ((nHead + 1) * CSheet::kWidthPerChar, sheet.GetColWidth(1));
    EXPECT_EQ((nBody + 1) * CSheet::kWidthPerChar, sheet.GetColWidth(2));
    EXPECT_FALSE(sheet.IsColWidthSet(3));
}

TEST_F(WhereUsedReportTest, AnEmptyLabelOfTheChannelGetsItsDefault) {
    sys.StoreChannelLabel(4, 5, 2, "");
    Select(2, 4, 5);
    Build();
    EXPECT_EQ("Virtual_Chl_E6", sys.StoredChannelLabel(4, 5, 2));
}
