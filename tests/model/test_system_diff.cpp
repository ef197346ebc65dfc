#include "model/System.h"
#include "model/SystemDiff.h"
#include "support/ShellRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>

namespace {

using Scope = CSystemDiff::EScope;

struct CDiffPair {
    CShellRecorder shell;
    std::unique_ptr<CSystem> pLeft = Make();
    std::unique_ptr<CSystem> pRight = Make();

    std::unique_ptr<CSystem> Make() {
        return std::make_unique<CSystem>(shell, CSystem::CScratch{}, "");
    }
    std::vector<CSystemDifference> Compare(Scope scope = Scope::Files) {
        return CSystemDiff::Compare(*pLeft, *pRight, scope);
    }
};

void Select(CSystem& system, short nLoop, short nModule, short nChannel) {
    system.SetCurLoop(nLoop);
    system.SetCurModule(nModule);
    system.SetCurChannel(nChannel);
}

struct CChangeCase {
    const char* szName;
    std::function<void(CSystem&)> fnChange;
    const char* szItem;
    const char* szLeft;
    const char* szRight;
};

const CChangeCase kChanges[] = {
    {"TermSource", [](CSystem& s) { s.Channel(0, 0, 0).m_anTermA[0] = 175; },
     "BLUE LOOP A1 equation", "no equation", "Q=(Yellow B6)"},
    {"TermInOtherLoop", [](CSystem& s) { s.Channel(1, 2, 1).m_anTermB[2] = 165; },
     "YELLOW LOOP B3 equation", "no equation", "Q=(Yellow A6)"},
    {"TermNot",
     [](CSystem& s) {
         s.Channel(0, 0, 2).m_anTermA[1] = 3;
         s.Channel(0, 0, 2).m_abTermNotA[1] = 1;
     },
     "VIRTUAL LOOP A1 equation", "no equation", "Q=(!Blue A4)"},
    {"TermPr",
     [](CSystem& s) {
         s.Channel(0, 0, 3).m_anTermB[0] = 481;
         s.Channel(0, 0, 3).m_abTermPrB[0] = 1;
     },
     "TIMER LOOP A1 equation", "no equation", "Q=(Pr_TmrEnbl A2)"},
    {"WholeNot", [](CSystem& s) { s.Channel(15, 9, 0).m_bEquationNot = 1; },
     "BLUE LOOP P10 equation", "no equation", "Q=![]"},
    {"PowerUp", [](CSystem& s) { s.Channel(4, 4, 0).m_bPowerUpOn = 1; },
     "BLUE LOOP E5 on at power up", "no", "yes"},
    {"Output", [](CSystem& s) { s.Channel(4, 4, 1).m_bOutput = 1; },
     "YELLOW LOOP E5 output channel", "no", "yes"},
    {"Latch", [](CSystem& s) { s.Channel(0, 1, 2).m_bMomentaryLatch = 1; },
     "VIRTUAL LOOP A2 momentary switch latch", "no", "yes"},
    {"ChannelLabel",
     [](CSystem& s) {
         Select(s, 0, 2, 3);
         s.SetCurChannelLabel("HORN");
     },
     "BLUE LOOP C4 label", "Blue_Chl_C4", "HORN"},
    {"ModuleLabel", [](CSystem& s) { s.SetModuleLabel(1, 5, "REAR"); },
     "TIMER RUNNING LOOP module B label", "TmrRun_Modul_B", "REAR"},
    {"ModuleType", [](CSystem& s) { s.SetModuleType(3, 2, 7); }, "VIRTUAL LOOP module D type", "0",
     "7"},
    {"SysLabel", [](CSystem& s) { s.SetSysLabel(0, "BUS 12"); }, "System label 0 (Vehicle Model)",
     "SysLabel_0", "BUS 12"},
    {"UnnamedSysLabel", [](CSystem& s) { s.SetSysLabel(8, "X"); }, "System label 8", "SysLabel_8",
     "X"},
    {"TimerReload", [](CSystem& s) { s.SetTimerReload(22, 2.5f); }, "TIMER  C3 reload", "10.0 s",
     "2.5 s"},
    {"ReloadBeyondACount", [](CSystem& s) { s.SetTimerReload(2, 25.6f); }, "TIMER  A3 reload",
     "10.0 s", "25.6 s"},
    {"ReloadInfinite",
     [](CSystem& s) { s.SetTimerReload(19, std::numeric_limits<float>::infinity()); },
     "TIMER  B10 reload", "10.0 s", "inf s"},
    {"SleepEnabled", [](CSystem& s) { s.SetSleepEnabled(true); }, "Sleep mode", "Disabled",
     "Enabled"},
    {"SleepInactivity", [](CSystem& s) { s.SetSleepInactivity(30); }, "Sleep inactivity interval",
     "20 s", "300 s"},
    {"SleepWakeUp", [](CSystem& s) { s.SetSleepWakeUp(200); }, "Sleep wake-up interval", "10 s",
     "200 s"},
    {"HiSpeedInput", [](CSystem& s) { s.SetHiSpeedInput(2, 11); }, "High speed pair 3 input",
     "none", "BLUE LOOP B2"},
    {"HiSpeedOutput", [](CSystem& s) { s.SetHiSpeedOutput(0, 159); }, "High speed pair 1 output",
     "none", "BLUE LOOP P10"},
};

class SystemDiffChange : public ::testing::TestWithParam<CChangeCase> {};

TEST_P(SystemDiffChange, IsFoundOnceWithItsName) {
    CDiffPair pair;
    GetParam().fnChange(*pair.pRight);
    auto aDiffs = pair.Compare();
    ASSERT_EQ(aDiffs.size(), 1u);
    EXPECT_EQ(aDiffs[0],
              (CSystemDifference{GetParam().szItem, GetParam().szLeft, GetParam().szRight, false}));
}

INSTANTIATE_TEST_SUITE_P(OneField, SystemDiffChange, ::testing::ValuesIn(kChanges),
                         [](const auto& info) { return std::string(info.param.szName); });

TEST(SystemDiff, IdenticalSystemsHaveNone) {
    CDiffPair pair;
    EXPECT_TRUE(pair.Compare().empty());
    EXPECT_TRUE(pair.Compare(Scope::Controller).empty());
}

TEST(SystemDiff, PresentationTypeAloneIsNoDifference) {
    CDiffPair pair;
    for (CSystem* pSystem : {pair.pLeft.get(), pair.pRight.get()})
        pSystem->Channel(2, 3, 0).m_anTermA[0] = 5;
    pair.pRight->Channel(2, 3, 0).m_nEquationType = 3;
    EXPECT_TRUE(pair.Compare().empty());
}

// Flags of absent terms and of empty groups are left over from other
// presentations; the equation means the same.
TEST(SystemDiff, FlagsWithoutATermAreNoDifference) {
    CDiffPair pair;
    for (CSystem* pSystem : {pair.pLeft.get(), pair.pRight.get()})
        pSystem->Channel(0, 0, 0).m_anTermA[0] = 5;
    CChannelRecord& right = pair.pRight->Channel(0, 0, 0);
    right.m_abTermNotA[1] = right.m_abTermPrA[2] = 1;
    right.m_bGroupNotB = 1;
    right.m_abTermNotB[0] = 1;
    EXPECT_TRUE(pair.Compare().empty());
}

TEST(SystemDiff, ReloadsOfTheSameCountAreTheSame) {
    CDiffPair pair;
    pair.pRight->SetTimerReload(9, 15.0f); // a SLOW timer: 15 s and 10 s are one count
    pair.pRight->SetTimerReload(0, 10.04f);
    EXPECT_TRUE(pair.Compare().empty());
}

// Files written elsewhere may keep a label empty; the controller answers an
// empty label with the default one.
TEST(SystemDiff, AnEmptyLabelIsTheDefaultOne) {
    CDiffPair pair;
    pair.pLeft->StoreChannelLabel(2, 3, 1, "");
    pair.pRight->StoreChannelLabel(4, 0, 0, "");
    pair.pLeft->StoreModuleLabel(5, 2, "");
    EXPECT_TRUE(pair.Compare().empty());
    EXPECT_TRUE(pair.Compare(Scope::Controller).empty());
    EXPECT_EQ("", pair.pLeft->GetChannelLabel(2, 3, 1)) << "the file keeps what it holds";

    pair.pRight->StoreChannelLabel(2, 3, 1, "HORN");
    ASSERT_EQ(1u, pair.Compare().size());
    EXPECT_EQ("Yellow_Chl_C4", pair.Compare()[0].strLeft);
}

TEST(SystemDiff, RevisionDateAndCurrentValuesAreInformationOnly) {
    CDiffPair pair;
    pair.pRight->StoreSysLabel(CSystem::SysLabelRevisionDate, "Jan.  01, 2001");
    pair.pRight->SetTimerCurrentFromCount(5, 30);
    auto aDiffs = pair.Compare();
    ASSERT_EQ(aDiffs.size(), 2u);
    EXPECT_EQ(aDiffs[0].strItem, "System label 2 (Revision Date)");
    EXPECT_EQ(aDiffs[1], (CSystemDifference{"TIMER  A6 current", "0.0 s", "3.0 s", true}));
    EXPECT_TRUE(aDiffs[0].bInformation);
    EXPECT_EQ(CSystemDiff::CountDifferences(aDiffs), 0);
}

TEST(SystemDiff, ControllerLeavesOutWhatIsNeverReadFromIt) {
    CDiffPair pair;
    pair.pRight->SetModuleType(0, 0, 4);
    pair.pRight->Channel(0, 0, 4).m_anTermA[0] = 1;
    pair.pRight->Channel(0, 0, 5).m_bOutput = 1;
    EXPECT_EQ(pair.Compare(Scope::Files).size(), 3u);
    EXPECT_TRUE(pair.Compare(Scope::Controller).empty());
}

// A transfer sends only defined equations, and the flags inside them: a
// controller never holds the flags of a channel without one.
TEST(SystemDiff, FlagsOfAChannelWithoutEquationAreInformationAgainstAController) {
    CDiffPair pair;
    pair.pLeft->Channel(4, 4, 0).m_bPowerUpOn = 1;
    pair.pLeft->Channel(4, 4, 0).m_bOutput = 1;
    auto aDiffs = pair.Compare(Scope::Controller);
    const std::string strNotSent =
        "not sent: a channel without an equation keeps no flags in the DVX CPU";
    EXPECT_EQ(aDiffs, (std::vector<CSystemDifference>{
                          {"BLUE LOOP E5 on at power up", "yes", strNotSent, true},
                          {"BLUE LOOP E5 output channel", "yes", strNotSent, true}}));
    EXPECT_EQ(CSystemDiff::CountDifferences(aDiffs), 0);
    EXPECT_EQ(CSystemDiff::CountDifferences(pair.Compare(Scope::Files)), 2);
    pair.pLeft->Channel(4, 4, 0).m_anTermA[0] = 1;
    EXPECT_EQ(CSystemDiff::CountDifferences(pair.Compare(Scope::Controller)), 3)
        << "an equation that is sent carries its flags";
}

TEST(SystemDiff, ListsInLoopModuleChannelOrder) {
    CDiffPair pair;
    pair.pRight->SetHiSpeedInput(0, 1);
    pair.pRight->SetSysLabel(1, "ME");
    pair.pRight->Channel(0, 0, 1).m_bOutput = 1;
    pair.pRight->SetModuleLabel(0, 1, "M");
    pair.pRight->Channel(3, 2, 0).m_bOutput = 1;
    pair.pRight->Channel(1, 0, 0).m_bOutput = 1;
    std::vector<std::string> astrItems;
    for (const auto& diff : pair.Compare())
        astrItems.push_back(diff.strItem);
    EXPECT_EQ(astrItems, (std::vector<std::string>{
                             "BLUE LOOP B1 output channel", "BLUE LOOP D3 output channel",
                             "YELLOW LOOP module A label", "YELLOW LOOP A1 output channel",
                             "System label 1 (Author)", "High speed pair 1 input"}));
}

// A scratch record is a record like any other, and never a file.
TEST(ScratchSystem, StartsFromDefaultsWithoutTouchingFiles) {
    CTempDir dir;
    CShellRecorder shell;
    auto pSystem = std::make_unique<CSystem>(shell, CSystem::CScratch{}, dir.Str());
    EXPECT_EQ(pSystem->GetChannelLabel(0, 0, 0), "Blue_Chl_A1");
    EXPECT_EQ(pSystem->GetSysLabel(3), "CorvelII 6.63");
    pSystem.reset();
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    EXPECT_TRUE(shell.m_aBoxes.empty());
}

} // namespace

TEST(SystemDiffTest, EquationChannelsNameTheChannelsWhoseEquationOrLatchDiffers) {
    CDiffPair pair;
    pair.pLeft->Channel(2, 4, 0).m_anTermA[0] = 7;
    pair.pLeft->Channel(0, 0, 2).m_bMomentaryLatch = 1;
    pair.pLeft->Channel(1, 1, 1).m_bOutput = 1;
    pair.pLeft->StoreChannelLabel(3, 3, 0, "ONLY A LABEL");
    EXPECT_EQ(CSystemDiff::EquationChannels(pair.Compare(Scope::Controller)),
              (std::vector<short>{24, 320}));
}
