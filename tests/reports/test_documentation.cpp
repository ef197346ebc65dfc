#include "controls/Sheet.h"
#include "moduletypes/ModuleTypesFixture.h"
#include "reports/Documentation.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class DocumentationTest : public TypeLibraryTest {
protected:
    CSheet sheet;

    void Build() { BuildDocumentation(sheet, sys, types); }
    std::string At(int nRow, int nCol) const { return sheet.CellText(nRow, nCol); }
    // The row whose first column reads strText, 0 when there is none.
    int RowOf(const std::string& strText) const {
        for (int nRow = 1; nRow <= sheet.LastRow(); ++nRow)
            if (At(nRow, 1) == strText)
                return nRow;
        return 0;
    }
    std::vector<std::string> Row(int nRow) const { return {At(nRow, 1), At(nRow, 2), At(nRow, 3)}; }
};

using Cells = std::vector<std::string>;

} // namespace

TEST_F(DocumentationTest, DefaultSystemGivesTheHeaderTimersSleepModeAndHighSpeedRows) {
    sys.SetSysLabel(5, "BUS 12");
    Build();
    EXPECT_EQ(Cells({"Norvane DVX", "", ""}), Row(1));
    EXPECT_EQ(20, sheet.Cell(1, 1).nFontPoints) << "twice the default size";
    EXPECT_EQ(Cells({"Vehicle Setup Documentation", "", ""}), Row(2));
    EXPECT_TRUE(sheet.Cell(2, 1).bBold);
    EXPECT_EQ(Cells({"", "", ""}), Row(3));
    EXPECT_EQ(Cells({"Vehicle Model", "", "SysLabel_0"}), Row(4));
    EXPECT_EQ(Cells({"Author", "", "SysLabel_1"}), Row(5));
    EXPECT_EQ(Cells({"Revision Date", "", CSystem::TodayText()}), Row(6));
    EXPECT_EQ(Cells({"DVX Version", "", "CorvelII 6.63"}), Row(7));
    EXPECT_EQ(Cells({"DVX CPU Version", "", "SysLabel_4"}), Row(8));
    EXPECT_EQ(Cells({"DVX File", "", "BUS 12.DVX"}), Row(9));
    for (int nRow = 4; nRow <= 9; ++nRow)
        EXPECT_TRUE(sheet.Cell(nRow, 1).bBold) << nRow;
    EXPECT_EQ(Cells({"", "", ""}), Row(10));
    EXPECT_EQ(Cells({"CHANNEL DEFINITIONS", "", ""}), Row(11));

    EXPECT_EQ(Cells({"TIMER SETUP", "", ""}), Row(12));
    EXPECT_EQ(Cells({"Timer", "Name", "Time (seconds)"}), Row(13));
    for (int nCol = 1; nCol <= 3; ++nCol)
        EXPECT_TRUE(sheet.Cell(13, nCol).bUnderline);
    EXPECT_EQ(CSheetCell::EKind::Number, sheet.Cell(14, 1).kind);
    EXPECT_EQ(Cells({"1", "TmrRun_Chl_A1", "  10.0"}), Row(14));
    EXPECT_EQ(Cells({"10", "TmrRun_Chl_A10", "  10.0"}), Row(23));
    EXPECT_EQ(Cells({"", "", ""}), Row(24));

    EXPECT_EQ(Cells({"SLEEP MODE SETUP", "", ""}), Row(25));
    EXPECT_EQ(Cells({"Status", "", "Disabled"}), Row(26));
    EXPECT_FALSE(sheet.Cell(26, 1).bBold);
    EXPECT_EQ(Cells({"Inactivity Interval", "", "20"}), Row(27));
    EXPECT_EQ(Cells({"Wake Up Interval", "", "10"}), Row(28));

    EXPECT_EQ(Cells({"HIGH SPEED CHANNELS SETUP", "", ""}), Row(30));
    EXPECT_EQ(Cells({"", "Channel", "Label"}), Row(31));
    EXPECT_EQ(Cells({"Input 1", "_", ""}), Row(32));
    EXPECT_EQ(Cells({"Output 1", "_", ""}), Row(33));
    EXPECT_EQ(Cells({"Output 4", "_", ""}), Row(39));
    EXPECT_EQ(39, sheet.LastRow());

    EXPECT_EQ(CSheet::kDefaultColWidth, sheet.GetColWidth(1));
    EXPECT_EQ(4096, sheet.GetColWidth(2));
    EXPECT_EQ(20480, sheet.GetColWidth(3));
    EXPECT_TRUE(sheet.GetAllowDesigner());
}

TEST_F(DocumentationTest, AModuleInUseByOneLabelIsDocumentedWithAllTenChannels) {
    sys.SetCurLoop(1);
    sys.SetCurModule(2);
    sys.SetChannelLabelInCurModule(3, "HORN");
    Select(1, 2, 5);
    sys.SetTermA(0, CSystem::MakeIndex(0, 0, 0));
    Build();
    ASSERT_EQ(12, RowOf("Loop"));
    EXPECT_EQ(Cells({"Loop", "", "YELLOW LOOP"}), Row(12));
    EXPECT_EQ(Cells({"Module", "C", "Yellow_Modul_C"}), Row(13));
    EXPECT_EQ(Cells({"Type", " ", "   "}), Row(14));
    EXPECT_EQ(Cells({"Address", "Channel", "Associated Boolean"}), Row(15));
    EXPECT_TRUE(sheet.Cell(15, 2).bUnderline);
    EXPECT_EQ(Cells({"C1", "Yellow_Chl_C1", ""}), Row(16));
    EXPECT_EQ(Cells({"C4", "HORN", ""}), Row(19));
    EXPECT_EQ(Cells({"C6", "Yellow_Chl_C6", "Q=(Blue_Chl_A1)"}), Row(21));
    EXPECT_EQ(Cells({"C10", "Yellow_Chl_C10", ""}), Row(25));
    EXPECT_EQ(Cells({"", "", ""}), Row(26));
    EXPECT_EQ(27, RowOf("TIMER SETUP"));
}

TEST_F(DocumentationTest, ModulesAreDocumentedLoopByLoopAndModuleByModule) {
    sys.SetModuleType(4, 3, 1);
    sys.SetModuleType(1, 0, 1);
    sys.SetModuleType(0, 2, 1);
    Build();
    std::vector<std::string> astrModules;
    for (int nRow = 1; nRow <= sheet.LastRow(); ++nRow)
        if (At(nRow, 1) == "Loop")
            astrModules.push_back(At(nRow, 3) + " " + At(nRow + 1, 2));
    EXPECT_EQ(Cells({"BLUE LOOP B", "VIRTUAL LOOP A", "TIMER LOOP E"}), astrModules);
    EXPECT_EQ(12 + 3 * 15, RowOf("TIMER SETUP")) << "fifteen rows a module";
}

TEST_F(DocumentationTest, ModulesOfTheTimerDoneAndRunningLoopsAreNeverDocumented) {
    for (short nLoop : {4, 5}) {
        sys.SetModuleType(0, nLoop, 1);
        sys.SetCurLoop(nLoop);
        sys.SetCurModule(3);
        sys.SetChannelLabelInCurModule(0, "CUSTOM");
        Select(nLoop, 3, 1);
        sys.SetMomentaryLatch(true);
    }
    Build();
    EXPECT_EQ(0, RowOf("Loop"));
    EXPECT_EQ(12, RowOf("TIMER SETUP"));
}

TEST_F(DocumentationTest, ATypeAloneMakesAModuleDocumentedWithTheTypeTexts) {
    AddType("RELAY8");
    types.SetDescription("Relay box");
    types.SetNote("Rear panel");
    sys.SetModuleType(15, 0, types.GetTypeId());
    Build();
    EXPECT_EQ(Cells({"Module", "P", "Blue_Modul_P"}), Row(13));
    EXPECT_EQ(Cells({"Type", "RELAY8", "Relay box Rear panel"}), Row(14));
    EXPECT_TRUE(sheet.Cell(14, 1).bBold);
}

TEST_F(DocumentationTest, AnIdentifierNoTypeCarriesShowsSpaces) {
    AddType("ONLY");
    sys.SetModuleType(0, 0, 7);
    Build();
    EXPECT_EQ(Cells({"Type", " ", "   "}), Row(14));
}

TEST_F(DocumentationTest, LabelsAreCutToFifteenCharacters) {
    const std::string strLong = "ABCDEFGHIJKLMNOPQRST";
    sys.StoreChannelLabel(0, 1, 0, strLong);
    sys.StoreChannelLabel(0, 2, 5, strLong);
    Build();
    EXPECT_EQ("ABCDEFGHIJKLMNO", At(17, 2));
    EXPECT_EQ("ABCDEFGHIJKLMNO", At(RowOf("TIMER SETUP") + 4, 2)) << "timer 3";
}

TEST_F(DocumentationTest, HighSpeedPairsShowAddressesAndLabels) {
    sys.SetHiSpeedInput(0, CSystem::MakeIndex(0, 1, 2));
    sys.SetHiSpeedOutput(0, CSystem::MakeIndex(0, 3, 9));
    sys.StoreChannelLabel(1, 2, 0, "PEDAL");
    sys.StoreChannelLabel(3, 9, 0, "");
    sys.SetHiSpeedOutput(2, CSystem::MakeIndex(0, 0, 0));
    sys.SetSleepEnabled(true);
    sys.SetSleepInactivity(30);
    sys.SetSleepWakeUp(254);
    Build();
    const int nSleep = RowOf("SLEEP MODE SETUP");
    EXPECT_EQ(Cells({"Status", "", "Enabled"}), Row(nSleep + 1));
    EXPECT_EQ(Cells({"Inactivity Interval", "", "300"}), Row(nSleep + 2));
    EXPECT_EQ(Cells({"Wake Up Interval", "", "254"}), Row(nSleep + 3));
    const int nPairs = RowOf("HIGH SPEED CHANNELS SETUP") + 2;
    EXPECT_EQ(Cells({"Input 1", "B3", "PEDAL"}), Row(nPairs));
    EXPECT_EQ(Cells({"Output 1", "D10", "Blue_Chl_D10"}), Row(nPairs + 1));
    EXPECT_EQ("Blue_Chl_D10", sys.StoredChannelLabel(3, 9, 0)) << "the empty label was stored";
    EXPECT_EQ(Cells({"Input 3", "_", ""}), Row(nPairs + 4));
    EXPECT_EQ(Cells({"Output 3", "A1", "Blue_Chl_A1"}), Row(nPairs + 5));
}
