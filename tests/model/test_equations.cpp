#include "model/SystemFixture.h"

#include <string>

namespace {
constexpr short kBlueA1 = 0;
constexpr short kYellowB6 = 175;
constexpr short kVirtualA1 = 320;
} // namespace

TEST_F(SystemTest, EquationTextExample) {
    CChannelRecord& record = sys.Channel(2, 0, 0);
    record.m_anTermA[0] = kBlueA1;
    record.m_anTermA[1] = kYellowB6;
    record.m_abTermNotA[1] = 1;
    record.m_anTermB[0] = kVirtualA1;
    record.m_abTermPrB[0] = 1;
    record.m_bGroupNotB = 1;
    EXPECT_EQ("Q=(Blue_Chl_A1)*(!Yellow_Chl_B6)+!(Pr_Virtual_Chl_A1)",
              sys.GetEquationText(2, 0, 0));
    EXPECT_EQ("(Blue_Chl_A1)*(!Yellow_Chl_B6)+!(Pr_Virtual_Chl_A1)", sys.GetEquationBody(2, 0, 0));
    EXPECT_EQ("Q[BLUE LOOP C1   Blue_Chl_C1   ]=", sys.GetEquationHead(2, 0, 0));
}

TEST_F(SystemTest, EquationTextShapes) {
    struct Case {
        const char* szName;
        void (*setup)(CChannelRecord&);
        const char* szText;
    } aCases[] = {
        {"flags alone are not an equation",
         [](CChannelRecord& r) { r.m_bOutput = r.m_bPowerUpOn = 1; }, ""},
        {"latch alone", [](CChannelRecord& r) { r.m_bMomentaryLatch = 1; }, "Q="},
        {"latch with whole NOT",
         [](CChannelRecord& r) { r.m_bMomentaryLatch = r.m_bEquationNot = 1; }, "Q=![]"},
        {"group B only has no plus", [](CChannelRecord& r) { r.m_anTermB[2] = 1; },
         "Q=(Blue_Chl_A2)"},
        {"group NOT written once",
         [](CChannelRecord& r) {
             r.m_anTermA[0] = 0;
             r.m_anTermA[1] = 1;
             r.m_anTermA[2] = 2;
             r.m_bGroupNotA = 1;
         },
         "Q=!(Blue_Chl_A1)*(Blue_Chl_A2)*(Blue_Chl_A3)"},
        {"whole NOT brackets",
         [](CChannelRecord& r) {
             r.m_anTermA[1] = 959;
             r.m_bEquationNot = 1;
             r.m_abTermNotA[1] = 1;
         },
         "Q=![(!TmrRun_Chl_P10)]"},
    };
    for (const Case& c : aCases) {
        sys.ClearEquation(1, 1, 1);
        c.setup(sys.Channel(1, 1, 1));
        EXPECT_EQ(c.szText, sys.GetEquationText(1, 1, 1)) << c.szName;
    }
}

TEST_F(SystemTest, SourcesOutsideTheGridAreAbsentAndRepaired) {
    for (short nBad : {short(1000), short(960), short(-2), short(-32768)}) {
        CChannelRecord& record = sys.Channel(0, 5, 0);
        record.ClearEquationFields();
        record.m_anTermA[1] = nBad;
        EXPECT_FALSE(sys.IsEquationDefined(0, 5, 0)) << nBad;
        record.m_anTermB[0] = 3;
        EXPECT_EQ("Q=(Blue_Chl_A4)", sys.GetEquationText(0, 5, 0)) << nBad;
        EXPECT_EQ(-1, record.m_anTermA[1]) << nBad;
    }
}

TEST_F(SystemTest, EquationTextGivesEmptyLabelsTheirDefault) {
    sys.StoreChannelLabel(0, 3, 2, "");
    sys.Channel(0, 0, 0).m_anTermA[0] = CSystem::MakeIndex(2, 0, 3);
    EXPECT_EQ("Q=(Virtual_Chl_A4)", sys.GetEquationText(0, 0, 0));
    EXPECT_EQ("Virtual_Chl_A4", sys.GetChannelLabel(0, 3, 2));
}

TEST_F(SystemTest, PreviewTextAlwaysStartsWithQ) {
    EXPECT_EQ("Q=", sys.PreviewEquationText());
    sys.SetPreviewTermB(0, 1);
    sys.SetPreviewTermNotB(0, true);
    sys.SetPreviewEquationNot(true);
    EXPECT_EQ("Q=![(!Blue_Chl_A2)]", sys.PreviewEquationText());
}

TEST(EquationTypes, PresentationInvertsTheStoredFlags) {
    struct Case {
        short nType;
        const char* szName;
        bool bTerm, bGroup, bWhole;
    } aCases[] = {{0, "STANDARD", false, false, false},
                  {1, "SIX INPUT OR", true, true, false},
                  {2, "SIX INPUT AND", false, true, true},
                  {3, "DEMORGAN", true, false, true}};
    for (const Case& c : aCases) {
        EXPECT_EQ(c.szName, CSystem::GetEquationTypeName(c.nType));
        EXPECT_EQ(c.bTerm, CSystem::IsTermNotInverted(c.nType)) << c.szName;
        EXPECT_EQ(c.bGroup, CSystem::IsGroupNotInverted(c.nType)) << c.szName;
        EXPECT_EQ(c.bWhole, CSystem::IsWholeNotInverted(c.nType)) << c.szName;
    }
}

TEST_F(SystemTest, EquationTypeOfTheCurrentChannel) {
    Select(0, 0, 0);
    struct Case {
        short nStored, nRead, nNext;
        bool bAndWithin, bAndBetween;
    } aCases[] = {{0, 0, 1, true, false}, {1, 1, 2, false, false}, {2, 2, 3, true, true},
                  {3, 3, 0, false, true}, {7, 0, 0, true, false},  {-1, 0, 0, true, false}};
    for (const Case& c : aCases) {
        sys.CurRecord().m_nEquationType = c.nStored;
        EXPECT_EQ(c.nRead, sys.GetCurEquationType()) << c.nStored;
        EXPECT_EQ(c.nStored, sys.CurRecord().m_nEquationType) << "reading does not repair";
        EXPECT_EQ(c.bAndWithin, sys.IsCurTypeAndWithinGroups()) << c.nStored;
        EXPECT_EQ(c.bAndBetween, sys.IsCurTypeAndBetweenGroups()) << c.nStored;
        EXPECT_EQ(c.nNext, sys.NextCurEquationType()) << c.nStored;
        EXPECT_EQ(c.nNext, sys.CurRecord().m_nEquationType);
    }
    sys.SetCurEquationType(2);
    EXPECT_EQ("SIX INPUT AND", sys.GetCurEquationTypeName());
}

TEST_F(SystemTest, PasteKeepsTheDestinationTypeAndTheClipboard) {
    Select(1, 2, 3);
    sys.SetTermA(0, 44);
    sys.SetTermNotB(2, true);
    sys.SetTermPrA(1, true);
    sys.SetMomentaryLatch(true);
    sys.SetCurEquationType(3);
    sys.CopyEquation();

    sys.Channel(5, 5, 0).m_nEquationType = 1;
    sys.PasteEquation(5, 5, 0);
    sys.PasteEquation(6, 6, 0);
    const CChannelRecord& pasted = sys.Channel(5, 5, 0);
    EXPECT_EQ(44, pasted.m_anTermA[0]);
    EXPECT_EQ(1, pasted.m_abTermNotB[2]);
    EXPECT_EQ(1, pasted.m_abTermPrA[1]);
    EXPECT_EQ(1, pasted.m_bMomentaryLatch);
    EXPECT_EQ(1, pasted.m_nEquationType);
    EXPECT_EQ(44, sys.Channel(6, 6, 0).m_anTermA[0]);
    EXPECT_EQ("paste into Current module = 5, channel = 5, loop = 0\n",
              m_shell.m_astrTraces[m_shell.m_astrTraces.size() - 2]);
}

TEST_F(SystemTest, ClearingKeepsTypeAndResetsLabelOnlyForTheChannel) {
    Select(0, 1, 1);
    sys.SetTermB(1, 9);
    sys.SetOutput(true);
    sys.SetCurEquationType(2);
    sys.SetCurChannelLabel("HORN");
    sys.ClearCurEquation();
    EXPECT_FALSE(sys.IsCurEquationDefined());
    EXPECT_FALSE(sys.GetOutput());
    EXPECT_EQ(2, sys.GetCurEquationType());
    EXPECT_EQ("HORN", sys.GetCurChannelLabel());

    sys.SetTermB(1, 9);
    sys.ClearCurChannel();
    EXPECT_EQ(-1, sys.GetTermB(1));
    EXPECT_EQ("Blue_Chl_B2", sys.GetCurChannelLabel());

    for (short nChannel = 0; nChannel < 10; ++nChannel)
        sys.Channel(1, nChannel, 0).m_anTermA[2] = 5;
    sys.Channel(2, 0, 0).m_anTermA[2] = 5;
    sys.ClearModuleEquations();
    for (short nChannel = 0; nChannel < 10; ++nChannel)
        EXPECT_FALSE(sys.IsEquationDefined(1, nChannel, 0));
    EXPECT_TRUE(sys.IsEquationDefined(2, 0, 0));
}

TEST_F(SystemTest, BackupAndRestoreEquations) {
    sys.Channel(3, 3, 3).m_anTermA[0] = 12;
    sys.Channel(3, 3, 3).m_nEquationType = 2;
    sys.BackupEquations();
    sys.ResetToDefaults();
    sys.Channel(3, 3, 3).m_nEquationType = 1;
    sys.RestoreEquations();
    EXPECT_EQ(12, sys.Channel(3, 3, 3).m_anTermA[0]);
    EXPECT_EQ(1, sys.Channel(3, 3, 3).m_nEquationType);
}

TEST_F(SystemTest, WhereUsedCountsEachChannelOnce) {
    short nSource = CSystem::MakeIndex(4, 2, 7);
    sys.Channel(0, 0, 0).m_anTermA[0] = nSource;
    sys.Channel(0, 0, 0).m_anTermB[1] = nSource;
    sys.Channel(2, 7, 4).m_anTermB[2] = nSource;
    sys.Channel(9, 9, 3).m_anTermA[2] = nSource;
    sys.Channel(9, 8, 3).m_bWhereUsed = 1;
    Select(4, 2, 7);
    EXPECT_EQ(3, sys.FindWhereUsed());
    EXPECT_EQ(1, sys.Channel(0, 0, 0).m_bWhereUsed);
    EXPECT_EQ(1, sys.Channel(2, 7, 4).m_bWhereUsed) << "a self reference is found";
    EXPECT_EQ(0, sys.Channel(9, 8, 3).m_bWhereUsed) << "old marks are cleared";
    sys.ClearWhereUsed();
    EXPECT_EQ(0, sys.Channel(0, 0, 0).m_bWhereUsed);
}

TEST_F(SystemTest, TermLabelsOfTheCurrentChannel) {
    Select(0, 0, 0);
    sys.SetTermA(2, kYellowB6);
    sys.StoreChannelLabel(1, 5, 1, "A LONG LABEL OF TWENTY");
    EXPECT_EQ("A LONG LABEL OF", sys.GetTermALabel(2));
    EXPECT_EQ("", sys.GetTermBLabel(0));
}
