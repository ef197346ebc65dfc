#include "model/CheckSystems.h"
#include "model/SystemCheck.h"
#include "moduletypes/ModuleTypesFixture.h"

#include <functional>
#include <limits>

using namespace CheckSystems;

namespace {

class SystemCheckTest : public TypeLibraryTest {
protected:
    std::vector<CSystemFinding> Check() { return CSystemCheck(sys, types).Run(); }

    // "warning never-driven Blue A1, Virtual A1", one line per finding.
    std::vector<std::string> Lines() {
        std::vector<std::string> astrLines;
        for (const CSystemFinding& finding : Check())
            astrLines.push_back(std::string(CSystemFinding::SeverityName(finding.severity)) + " " +
                                finding.strId + " " + finding.ChannelsText());
        return astrLines;
    }
};

struct CFaultCase {
    const char* szName;
    // The system with the fault, and with what puts it right.
    std::function<void(CSystem&, CModuleTypes&)> fnFault;
    std::function<void(CSystem&, CModuleTypes&)> fnSound;
    const char* szLine;
};

void SealIn(CSystem& s) { Equation(s, kBlueA1, {{kBlueA2}}, {{kBlueA1}, {kBlueA3, true}}); }

const CFaultCase kFaults[] = {
    {"a Virtual source without equation",
     [](CSystem& s, CModuleTypes&) { Equation(s, kBlueA1, {{kVirtualA1}}); },
     [](CSystem& s, CModuleTypes&) { Equation(s, kVirtualA1, {{kBlueA2}}); },
     "warning never-driven Blue A1, Virtual A1"},
    {"a Timer Enable source without equation",
     [](CSystem& s, CModuleTypes&) {
         Equation(s, kYellowA1, {{kBlueA2}, {kTmrEnblA1, true}});
     },
     [](CSystem& s, CModuleTypes&) { Equation(s, kTmrEnblA1, {{kBlueA3}}); },
     "warning never-driven Yellow A1, TmrEnbl A1"},
    {"a timer whose enable has no equation",
     [](CSystem& s, CModuleTypes&) { Equation(s, kBlueA1, {{kTmrDoneA1 + 12}}); },
     [](CSystem& s, CModuleTypes&) { Equation(s, kTmrEnblA1 + 12, {{kBlueA2}}); },
     "warning timer-never-runs Blue A1, TmrEnbl B3"},
    {"an equation without output",
     [](CSystem& s, CModuleTypes&) { Equation(s, kBlueC4, {{kBlueA2}}).m_bOutput = 0; },
     [](CSystem& s, CModuleTypes&) { Record(s, kBlueC4).m_bMomentaryLatch = 1; },
     "warning drives-nothing Blue C4"},
    {"x and NOT x in one group",
     [](CSystem& s, CModuleTypes&) {
         Equation(s, kBlueA1, {{kBlueA2}, {kBlueA2, true}});
     },
     [](CSystem& s, CModuleTypes&) { Record(s, kBlueA1).m_anTermA[1] = kBlueA3; },
     "warning group-constant Blue A1"},
    {"one term twice",
     [](CSystem& s, CModuleTypes&) {
         Equation(s, kBlueA1, {{kBlueA2}}, {{kBlueA3}, {kBlueA3}});
     },
     [](CSystem& s, CModuleTypes&) { Record(s, kBlueA1).m_anTermB[1] = kBlueA2; },
     "note repeated-term Blue A1"},
    {"two channels flipping each other",
     [](CSystem& s, CModuleTypes&) {
         Equation(s, kVirtualA1, {{kVirtualA2}});
         Equation(s, kVirtualA2, {{kVirtualA1, true}});
         Label(s, kVirtualA1, "Door logic");
     },
     [](CSystem& s, CModuleTypes&) { Record(s, kVirtualA2).m_abTermNotA[0] = 0; },
     "error oscillating-loop Virtual A1 (Door logic), Virtual A2"},
    {"a seal-in with a NOT in the wrong place",
     [](CSystem& s, CModuleTypes&) {
         SealIn(s);
         Record(s, kBlueA1).m_abTermNotB[0] = 1;
     },
     [](CSystem& s, CModuleTypes&) { SealIn(s); }, "error oscillating-loop Blue A1"},
    {"an equation on a channel its type does not allow",
     [](CSystem& s, CModuleTypes& t) {
         t.SetStrictChecking(true);
         s.SetModuleType(0, 0, 1);
         Equation(s, kBlueA2, {{kBlueA3}});
     },
     [](CSystem&, CModuleTypes& t) { t.SetStrictChecking(false); },
     "warning not-an-output Blue A2"},
    {"a latch on an output channel",
     [](CSystem& s, CModuleTypes&) {
         s.SetModuleType(0, 0, 1);
         Equation(s, kBlueA1, {{kBlueA3}}).m_bMomentaryLatch = 1;
     },
     [](CSystem& s, CModuleTypes&) { s.SetModuleType(0, 0, 2); }, "note latch-not-allowed Blue A1"},
    {"an equation on a high speed channel",
     [](CSystem& s, CModuleTypes&) {
         Equation(s, kBlueC4, {{kBlueA3}});
         s.SetHiSpeedInput(1, kBlueA2);
         s.SetHiSpeedOutput(1, kBlueC4);
     },
     [](CSystem& s, CModuleTypes&) { s.SetHiSpeedOutput(1, kBlueA3); },
     "error high-speed-equation Blue C4"},
    {"one label on two channels of a loop",
     [](CSystem& s, CModuleTypes&) {
         Label(s, kBlueA1, "DOOR");
         Label(s, kBlueC4, "DOOR");
     },
     [](CSystem& s, CModuleTypes&) { Label(s, kBlueC4, "DOOR REAR"); },
     "note duplicate-label Blue A1 (DOOR), Blue C4 (DOOR)"},
    {"on at power up without an equation",
     [](CSystem& s, CModuleTypes&) { Record(s, kBlueA1).m_bPowerUpOn = 1; },
     [](CSystem& s, CModuleTypes&) { Equation(s, kBlueA1, {{kBlueA2}}); },
     "warning flags-not-sent Blue A1"},
    {"on at power up on a Virtual channel without an equation",
     [](CSystem& s, CModuleTypes&) { Record(s, kVirtualA1).m_bPowerUpOn = 1; },
     [](CSystem& s, CModuleTypes&) { Record(s, kVirtualA1).m_bMomentaryLatch = 1; },
     "warning flags-not-sent Virtual A1"},
    {"a FAST reload the controller cannot count",
     [](CSystem& s, CModuleTypes&) { s.SetTimerReload(2, 25.6f); },
     [](CSystem& s, CModuleTypes&) { s.SetTimerReload(2, 25.4f); },
     "error timer-not-countable TmrEnbl A3"},
    {"a SLOW current value below zero",
     [](CSystem& s, CModuleTypes&) { s.SetTimerCurrent(159, -10.0f); },
     [](CSystem& s, CModuleTypes&) { s.SetTimerCurrent(159, 0.0f); },
     "error timer-not-countable TmrEnbl P10"},
};

} // namespace

TEST_F(SystemCheckTest, EachFaultIsFoundAndGoesWhenPutRight) {
    AddType("LAMPS", {1}, {});
    AddType("SWITCHES", {1}, {1});
    for (const CFaultCase& c : kFaults) {
        sys.ResetToDefaults();
        types.SetStrictChecking(false);
        c.fnFault(sys, types);
        EXPECT_EQ(Lines(), std::vector<std::string>{c.szLine}) << c.szName;
        c.fnSound(sys, types);
        EXPECT_EQ(Lines(), std::vector<std::string>{}) << c.szName << ", put right";
    }
}

TEST_F(SystemCheckTest, ACircleWithoutInversionsIsNoFinding) {
    SealIn(sys);
    Equation(sys, kVirtualA1, {{kVirtualA2, true}});
    Equation(sys, kVirtualA2, {{kVirtualA1, true}});
    Equation(sys, kVirtualA3, {{kTmrRunA1, true}});
    Equation(sys, kTmrEnblA1, {{kVirtualA3, true}});
    EXPECT_EQ(Lines(), std::vector<std::string>{});
}

TEST_F(SystemCheckTest, TheConstantIsTheOneTheEditorPresents) {
    struct Case {
        short nType;
        const char* szEnd;
    };
    for (Case c : {Case{0, "always false."}, Case{1, "always true."}, Case{2, "always false."},
                   Case{3, "always true."}}) {
        sys.ResetToDefaults();
        Equation(sys, kBlueA1, {{kBlueA2}}, {{kVirtualA1}, {kVirtualA1, true}}).m_nEquationType =
            c.nType;
        Equation(sys, kVirtualA1, {{kBlueA3}});
        std::vector<CSystemFinding> aFindings = Check();
        ASSERT_EQ(aFindings.size(), 1u) << c.nType;
        EXPECT_EQ(aFindings[0].strText,
                  std::string("Group B of Blue A1 holds Virtual A1 with and without NOT, so the "
                              "group is ") +
                      c.szEnd);
    }
}

TEST_F(SystemCheckTest, FindingsComeInChannelOrderErrorsFirst) {
    Label(sys, kYellowA1, "HORN");
    Label(sys, kYellowA1 + 1, "HORN");
    Equation(sys, kVirtualA1, {{kVirtualA1, true}});
    Equation(sys, kBlueC4, {{kVirtualA2}});
    Record(sys, kBlueC4).m_bOutput = 0;
    sys.SetHiSpeedInput(0, kBlueC4);
    sys.SetHiSpeedOutput(0, kBlueA1);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "error high-speed-equation Blue C4",
                           "warning never-driven Blue C4, Virtual A2",
                           "warning drives-nothing Blue C4",
                           "note duplicate-label Yellow A1 (HORN), Yellow A2 (HORN)",
                           "error oscillating-loop Virtual A1",
                       }));
    std::vector<CSystemFinding> aFindings = Check();
    EXPECT_EQ(aFindings[0].nPair, 1);
    EXPECT_EQ(CSystemCheck::CountsText(aFindings), "2 errors, 2 warnings, 1 note");
}

TEST_F(SystemCheckTest, ATimerFindingNamesItsTimer) {
    Equation(sys, kBlueA1, {{kTmrRunA1 + 159}});
    std::vector<CSystemFinding> aFindings = Check();
    ASSERT_EQ(aFindings.size(), 1u);
    EXPECT_EQ(aFindings[0].strTimer, "P10");
    EXPECT_EQ(aFindings[0].strText, "Timer P10 never runs: its enable channel TmrEnbl P10 has no "
                                    "equation, so the TmrRun P10 term in Blue A1 never changes.");
}

// What the technician reads, and the timer the finding names.
TEST_F(SystemCheckTest, ATimerValueTheControllerCannotCountIsSaidInSeconds) {
    struct Case {
        short nTimer;
        float fReload;
        float fCurrent;
        const char* szText;
    };
    const float fNoNumber = std::numeric_limits<float>::quiet_NaN();
    const float fInfinity = std::numeric_limits<float>::infinity();
    for (const Case& c : {
             Case{2, 25.6f, 0.0f,
                  "Timer A3's reload 25.6 s is more than a FAST timer can count (25.4 s)"},
             Case{0, -2.5f, 0.0f, "Timer A1's reload -2.5 s is less than a timer can count (0 s)"},
             Case{9, 1e6f, 0.0f,
                  "Timer A10's reload 1e+06 s is more than a SLOW timer can count (2540 s)"},
             Case{15, 10.0f, fInfinity,
                  "Timer B6's current value inf s is more than a FAST timer can count (25.4 s)"},
             Case{16, fNoNumber, 0.0f,
                  "Timer B7's reload is no number of seconds, which no timer can count"},
         }) {
        sys.ResetToDefaults();
        sys.SetTimerReload(c.nTimer, c.fReload);
        sys.SetTimerCurrent(c.nTimer, c.fCurrent);
        std::vector<CSystemFinding> aFindings = Check();
        ASSERT_EQ(aFindings.size(), 1u) << c.szText;
        EXPECT_EQ(aFindings[0].strText, c.szText);
        EXPECT_EQ(aFindings[0].strTimer, CSystem::IndexDesignation(c.nTimer));
    }
}

TEST_F(SystemCheckTest, OnAtPowerUpWithoutAnEquationSaysWhyItIsNotSent) {
    Record(sys, kYellowA1).m_bPowerUpOn = 1;
    Record(sys, kYellowA1).m_bOutput = 1;
    std::vector<CSystemFinding> aFindings = Check();
    ASSERT_EQ(aFindings.size(), 1u);
    EXPECT_EQ(aFindings[0].strText,
              "Yellow A1 has CHANNEL ON AT POWER UP set but no equation: a channel without an "
              "equation keeps no flags in the DVX CPU, so it is not sent.");
}
