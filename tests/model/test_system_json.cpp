#include "model/Archive.h"
#include "model/DataFile.h"
#include "model/OldFormatLoss.h"
#include "model/System.h"
#include "model/SystemFields.h"
#include "model/SystemJsonReader.h"
#include "model/SystemJsonWriter.h"
#include "support/ShellRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <memory>
#include <random>

namespace {

class SystemJson : public ::testing::Test {
protected:
    CTempDir m_dir;
    CShellRecorder m_shell;

    std::unique_ptr<CSystem> NewSystem() {
        return std::make_unique<CSystem>(m_shell, CSystem::CScratch{}, m_dir.Str());
    }

    // The system read back from its text; the reading must succeed.
    std::unique_ptr<CSystem> ReadBack(const std::string& strText) {
        auto pSystem = NewSystem();
        std::string strError;
        EXPECT_TRUE(CSystemJsonReader::Read(strText, *pSystem, strError)) << strError;
        return pSystem;
    }

    void ExpectLossless(CSystem& system) {
        const std::string strText = CSystemJsonWriter::Write(system);
        auto pBack = ReadBack(strText);
        EXPECT_EQ(Stored(system), Stored(*pBack));
        EXPECT_EQ(CSystemJsonWriter::Write(*pBack), strText) << "the text is stable";
    }
};

int Lines(const std::string& strText) {
    return static_cast<int>(std::count(strText.begin(), strText.end(), '\n'));
}

// Stored values a technician never types but a file may hold: sources out
// of range, a second term without a first, no-number timers and every
// kind of float, an empty label where the default would be.
void StrangeValues(CSystem& system) {
    CChannelRecord& record = system.Channel(4, 2, 1);
    record.m_anTermA[0] = -1;
    record.m_anTermA[1] = 17;
    record.m_anTermB[0] = 1234;
    record.m_anTermB[2] = -7;
    record.m_abTermPrB[1] = 1;
    system.Channel(0, 0, 5).m_nEquationType = -3;
    system.StoreChannelLabel(3, 3, 3, "");
    system.StoreModuleLabel(1, 4, "");
    system.SetHiSpeedInput(2, 2000);
    system.SetHiSpeedOutput(3, -9);
    const float afValues[] = {std::bit_cast<float>(0x7FC01234u),
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(),
                              -0.0f,
                              std::numeric_limits<float>::denorm_min(),
                              std::numeric_limits<float>::max(),
                              0.1f,
                              1.0f / 3.0f,
                              16777217.0f,
                              -2.5e-20f};
    for (short i = 0; i < static_cast<short>(std::size(afValues)); ++i)
        system.SetTimerReload(static_cast<short>(40 + i), afValues[i]);
    system.SetTimerCurrent(159, std::bit_cast<float>(0xFF800001u));
}

TEST_F(SystemJson, AFreshSystemIsAShortTextAndComesBackByteForByte) {
    auto pSystem = NewSystem();
    const std::string strText = CSystemJsonWriter::Write(*pSystem);
    EXPECT_LT(Lines(strText), 200);
    EXPECT_NE(strText.find("  \"channels\": []\n"), std::string::npos) << strText;
    ExpectLossless(*pSystem);
}

TEST_F(SystemJson, AFullyPopulatedSystemComesBackByteForByte) {
    auto pSystem = NewSystem();
    Apply(*pSystem, *Distinct());
    MakeLabelsTypeable(*pSystem);
    StrangeValues(*pSystem);
    ExpectLossless(*pSystem);
}

TEST_F(SystemJson, EveryFloatComesBackWithItsBits) {
    std::mt19937 random(7);
    auto pSystem = NewSystem();
    for (int nRound = 0; nRound < 40; ++nRound) {
        for (short t = 0; t < CSystem::kTimers; ++t) {
            pSystem->SetTimerReload(t, std::bit_cast<float>(static_cast<uint32_t>(random())));
            pSystem->SetTimerCurrent(t, std::bit_cast<float>(static_cast<uint32_t>(random())));
        }
        auto pBack = ReadBack(CSystemJsonWriter::Write(*pSystem));
        for (short t = 0; t < CSystem::kTimers; ++t) {
            ASSERT_EQ(std::bit_cast<uint32_t>(pSystem->GetTimerReload(t)),
                      std::bit_cast<uint32_t>(pBack->GetTimerReload(t)));
            ASSERT_EQ(std::bit_cast<uint32_t>(pSystem->GetTimerCurrent(t)),
                      std::bit_cast<uint32_t>(pBack->GetTimerCurrent(t)));
        }
    }
}

// The form a technician reviews: designations, the shortest decimals, only
// what differs from a fresh system.
TEST_F(SystemJson, WritesDesignationsAndOnlyWhatDiffers) {
    auto pSystem = NewSystem();
    pSystem->StoreSysLabel(CSystem::SysLabelRevisionDate, "Mar. 04, 2026");
    pSystem->SetTimerReload(13, 2.5f);
    pSystem->SetTimerCurrent(13, 0.1f);
    pSystem->SetModuleLabel(0, 1, "REAR");
    pSystem->SetHiSpeedInput(0, 4);
    pSystem->SetHiSpeedOutput(0, 150);
    pSystem->StoreChannelLabel(2, 6, 4, "Lamp test");
    CChannelRecord& record = pSystem->Channel(2, 6, 4);
    record.m_bOutput = 1;
    record.m_anTermA[0] = 3;
    record.m_anTermB[1] = 657;
    record.m_abTermNotB[1] = 1;
    record.m_abTermPrB[1] = 1;
    record.m_nEquationType = 2;
    const std::string strText = CSystemJsonWriter::Write(*pSystem);
    const std::string strExpected = R"(  "timers": [
    {
      "timer": "B4",
      "reload": 2.5,
      "current": 0.1
    }
  ],
  "modules": [
    {
      "module": "Yellow A",
      "label": "REAR"
    }
  ],
  "channels": [
    {
      "channel": "TmrDone C7",
      "label": "Lamp test",
      "output": true,
      "equation": {
        "type": 2,
        "terms": [
          {
            "term": "A1",
            "source": "Blue A4"
          },
          {
            "term": "B2",
            "source": "TmrDone B8",
            "not": true,
            "pr": true
          }
        ]
      }
    }
  ]
}
)";
    ASSERT_GT(strText.size(), strExpected.size());
    EXPECT_EQ(strText.substr(strText.size() - strExpected.size()), strExpected);
    EXPECT_EQ(strText.rfind("{\n  \"format\": \"Corvel system\",\n  \"version\": 1,\n", 0), 0u);
    EXPECT_NE(strText.find("\"Mar. 04, 2026\""), std::string::npos);
    EXPECT_NE(
        strText.find("{\n      \"input\": \"Blue A5\",\n      \"output\": \"Blue P1\"\n    }"),
        std::string::npos)
        << strText;
}

struct CRefusal {
    const char* szName;
    const char* szText;
    const char* szError;
};

#define HEAD R"({"format": "Corvel system", "version": 1, )"

// The text that overflowed the stack, and others as long as a file may be.
std::string Repeated(const std::string& strPart, int nTimes) {
    std::string strText;
    for (int i = 0; i < nTimes; ++i)
        strText += strPart;
    return strText;
}
const std::string kDeepText =
    HEAD R"("reserved": )" + Repeated("[", 100000) + Repeated("]", 100000) + R"(, "a": 1, "b": 2})";
const std::string kLongKeyText = HEAD "\"" + Repeated("x", 1000) + "\": 1}";
const std::string kLongKeyError = Repeated("x", 60) + "\xE2\x80\xA6: is not a key of this form";
const std::string kLongNameText =
    HEAD R"("channels": [{"channel": ")" + Repeated("\u00e9", 100) + R"("}]})";
const std::string kLongNameError =
    "channels[0].channel: \"" + Repeated("\xC3\xA9", 60) +
    "\xE2\x80\xA6\" is not a channel (Blue, Yellow, Virtual, TmrEnbl, TmrDone or TmrRun, then "
    "A1 to P10)";
const std::string kUnendedText = HEAD R"("reserved": ")" + Repeated("y", 1000) + "\n\"}";
const std::string kUnendedError =
    "not JSON: parse error at line 2, column 0: syntax error while parsing value - invalid "
    "string: control character U+000A (LF) must be escaped to \\u000A or \\n; last read: '\"" +
    Repeated("y", 59) + "\xE2\x80\xA6'";

const CRefusal kRefusals[] = {
    {"NotJson", "{\"format\": ", nullptr},
    {"NumberOverflow", HEAD R"("currentModule": 1E400})",
     "not JSON: number overflow parsing '1E400'"},
    {"NotAnObject", "[]", "(top): must be an object"},
    {"OtherFormat", R"({"format": "DVX", "version": 1})", "format: must be \"Corvel system\""},
    {"LaterVersion", R"({"format": "Corvel system", "version": 2})",
     "version: must be 1, the version this program reads"},
    {"UnknownKey", HEAD R"("colour": "red"})", "colour: is not a key of this form"},
    {"ImpossibleChannel", HEAD R"("channels": [{"channel": "Blue Q3"}]})",
     "channels[0].channel: \"Blue Q3\" is not a channel (Blue, Yellow, Virtual, TmrEnbl, "
     "TmrDone or TmrRun, then A1 to P10)"},
    {"ChannelTwice", HEAD R"("channels": [{"channel": "Blue A3"}, {"channel": "Blue A3"}]})",
     "channels[1].channel: Blue A3 is given twice"},
    {"ChannelUnnamed", HEAD R"("channels": [{"label": "X"}]})",
     "channels[0].channel: must name the channel, as \"Blue A3\""},
    {"ImpossibleSource",
     HEAD R"("channels": [{"channel": "Blue A3", "equation": {"terms": [{"term": "A1"},
        {"term": "A2"}, {"term": "B1", "source": "Blue A11"}]}}]})",
     "channels[0].equation.terms[2].source: \"Blue A11\" is not a channel (Blue, Yellow, "
     "Virtual, TmrEnbl, TmrDone or TmrRun, then A1 to P10)"},
    {"UnknownSlot",
     HEAD R"("channels": [{"channel": "Blue A3", "equation": {"terms": [{"term": "C1"}]}}]})",
     "channels[0].equation.terms[0].term: must name the term slot: A1, A2, A3, B1, B2 or B3"},
    {"SlotTwice", HEAD R"("channels": [{"channel": "Blue A3", "equation": {"terms": [{"term": "B1"},
        {"term": "B1"}]}}]})",
     "channels[0].equation.terms[1].term: B1 is given twice"},
    {"LongLabel", HEAD R"("channels": [{"channel": "Yellow P10", "label": "0123456789ABCDEF"}]})",
     "channels[0].label: is longer than 15 characters"},
    {"OutsideCodePage",
     HEAD "\"systemLabels\": [\"\xe4\xb8\xad\", \"\", \"\", \"\", \"\", \"\", "
          "\"\", \"\", \"\", \"\"]}",
     "systemLabels[0]: holds a character the system's code page (Windows-1252) lacks"},
    {"NineLabels", HEAD R"("systemLabels": ["", "", "", "", "", "", "", "", ""]})",
     "systemLabels: must hold 10 entries, not 9"},
    {"FractionalState", HEAD R"("channels": [{"channel": "Blue A1", "state": 1.5}]})",
     "channels[0].state: must be a whole number from -2147483648 to 2147483647"},
    {"HugeState", HEAD R"("channels": [{"channel": "Blue A1", "state": 2147483648}]})",
     "channels[0].state: must be a whole number from -2147483648 to 2147483647"},
    {"FlagAsText", HEAD R"("channels": [{"channel": "Blue A1", "output": "yes"}]})",
     "channels[0].output: must be true or false"},
    {"ModuleTwenty", HEAD R"("currentModule": 20})",
     "currentModule: must be a whole number from 0 to 19"},
    {"NoSuchTimer", HEAD R"("timers": [{"timer": "Q1", "reload": 1}]})",
     "timers[0].timer: \"Q1\" is not a timer (A1 to P10)"},
    {"ReloadAsText", HEAD R"("timers": [{"timer": "A1", "reload": "fast"}]})",
     "timers[0].reload: must be a number of seconds (or the bits of one, as \"0x7FC00000\")"},
    {"NoSuchModule", HEAD R"("modules": [{"module": "Blue", "label": "X"}]})",
     "modules[0].module: \"Blue\" is not a module (Blue, Yellow, Virtual, TmrEnbl, TmrDone or "
     "TmrRun, then A to P)"},
    {"ThreePairs", HEAD R"("highSpeedPairs": [{}, {}, {}]})",
     "highSpeedPairs: must hold 4 entries, not 3"},
    {"HundredThousandLevels", kDeepText.c_str(),
     "line 1: nested deeper than the 6 levels the form uses"},
    {"SevenLevelsOnLineThree",
     "{\"format\": \"Corvel system\",\n\"version\": 1,\n\"channels\": [{\"equation\": "
     "{\"terms\": [{\"term\": [1]}]}}]}",
     "line 3: nested deeper than the 6 levels the form uses"},
    {"LabelTwice", HEAD R"("channels": [{"channel": "Blue A3", "label": "A", "label": "B"}]})",
     "channels[0].label: is given twice"},
    {"ChannelsTwice", HEAD R"("channels": [], "modules": [], "channels": []})",
     "channels: is given twice"},
    {"CarriageReturnInLabel",
     HEAD R"("channels": [{"channel": "Blue A3", "label": "DOOR\rOPEN"}]})",
     "channels[0].label: holds a control character (a line end, a tab or the like), which no "
     "label may hold"},
    {"NulInModuleLabel", HEAD R"("modules": [{"module": "Blue A", "label": "REAR\u0000"}]})",
     "modules[0].label: holds a control character (a line end, a tab or the like), which no "
     "label may hold"},
    {"EndOfFileInSystemLabel",
     HEAD R"("systemLabels": ["BUS\u001a", "", "", "", "", "", "", "", "", ""]})",
     "systemLabels[0]: holds a control character (a line end, a tab or the like), which no "
     "label may hold"},
    {"LongModuleLabel", HEAD R"("modules": [{"module": "Blue A", "label": "0123456789ABCDEF"}]})",
     "modules[0].label: is longer than 15 characters"},
    {"LongSystemLabel",
     HEAD R"("systemLabels": ["", "", "", "", "", "0123456789ABCDEF", "", "", "", ""]})",
     "systemLabels[5]: is longer than 15 characters"},
    {"ReloadBeyondAFloat", HEAD R"("timers": [{"timer": "A1", "reload": 1e300}]})",
     "timers[0].reload: 1e+300 is more than a float can hold (about 3.4e38 either way)"},
    {"ReloadBelowAFloat", HEAD R"("timers": [{"timer": "A1", "reload": -1e300}]})",
     "timers[0].reload: -1e+300 is more than a float can hold (about 3.4e38 either way)"},
    {"ReloadJustBeyondAFloat", HEAD R"("timers": [{"timer": "A1", "reload": 3.5e38}]})",
     "timers[0].reload: 3.5e+38 is more than a float can hold (about 3.4e38 either way)"},
    {"CurrentTooSmallForAFloat", HEAD R"("timers": [{"timer": "A1", "current": 1e-300}]})",
     "timers[0].current: 1e-300 is too close to 0 for a float, which would hold 0"},
    {"LongUnknownKey", kLongKeyText.c_str(), kLongKeyError.c_str()},
    {"LongChannelName", kLongNameText.c_str(), kLongNameError.c_str()},
    {"LongUnendedText", kUnendedText.c_str(), kUnendedError.c_str()},
    {"ShortReservedFields",
     HEAD R"("channels": [{"channel": "Blue A1", "reservedFields": {"a": [1, 2]}}]})",
     "channels[0].reservedFields.a: must hold 4 entries, not 2"},
};

class SystemJsonRefusal : public SystemJson, public ::testing::WithParamInterface<CRefusal> {};

TEST_P(SystemJsonRefusal, NamesTheKeyAndTheReason) {
    auto pSystem = NewSystem();
    std::string strError;
    EXPECT_FALSE(CSystemJsonReader::Read(GetParam().szText, *pSystem, strError));
    if (GetParam().szError)
        EXPECT_EQ(strError, GetParam().szError);
    else
        EXPECT_EQ(strError.rfind("not JSON: parse error at line 1, column ", 0), 0u) << strError;
    EXPECT_EQ(strError.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Texts, SystemJsonRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.szName); });

// One equation term and one timer, as a script writes them: everything else
// left out keeps its reset value.
const char* const kScriptText = HEAD R"("channels": [{"channel": "Virtual B2", "equation": {"terms":
        [{"term": "A1", "source": "Blue A1"}]}}], "timers": [{"timer": "P10", "reload": 3}]})";

TEST_F(SystemJson, ReadsWhatAScriptLeavesOut) {
    auto pSystem = ReadBack(kScriptText);
    auto pFresh = NewSystem();
    EXPECT_EQ(pSystem->Channel(1, 1, 2).m_anTermA[0], 0);
    EXPECT_EQ(pSystem->GetTimerReload(159), 3.0f);
    pFresh->Channel(1, 1, 2).m_anTermA[0] = 0;
    pFresh->SetTimerReload(159, 3.0f);
    EXPECT_EQ(Stored(*pSystem), Stored(*pFresh));
}

TEST_F(SystemJson, ImportTakesAWholeTextOrNothing) {
    auto pSystem = NewSystem();
    pSystem->SetSysLabel(0, "COACH 7");
    auto pOther = NewSystem();
    Apply(*pOther, *Distinct());
    MakeLabelsTypeable(*pOther);
    const std::string strGood = m_dir.File("good.json");
    ASSERT_TRUE(pOther->ExportTextFile(strGood));
    const std::string strBad = m_dir.File("bad.json");
    const std::string strText = HEAD R"("channels": [{"channel": "Blue A1", "state": "on"}]})";
    ASSERT_TRUE(
        CDataFile::Write(strBad, std::vector<unsigned char>(strText.begin(), strText.end())));
    const auto before = Stored(*pSystem);
    m_shell.ExpectBox("Text file " + strBad +
                      " is not a system: channels[0].state: must be a whole number from "
                      "-2147483648 to 2147483647");
    EXPECT_FALSE(pSystem->ImportTextFile(strBad));
    EXPECT_EQ(Stored(*pSystem), before);
    m_shell.ExpectBox("Text file " + m_dir.File("none.json") + " does not exist");
    EXPECT_FALSE(pSystem->ImportTextFile(m_dir.File("none.json")));
    EXPECT_EQ(Stored(*pSystem), before);
    EXPECT_TRUE(pSystem->ImportTextFile(strGood));
    EXPECT_EQ(Stored(*pSystem), Stored(*pOther));
}

std::string Python() {
    std::ifstream system("/usr/bin/python3");
    return system ? "/usr/bin/python3" : "python3";
}

// An independent validator (Debian's python3-jsonschema) against the schema
// installed beside the program; prints nothing for a valid file.
std::string Validate(const std::string& strPath) {
    const std::string strCommand =
        "cd / && " + Python() +
        " -c 'import json, sys, jsonschema\n"
        "schema = json.load(open(sys.argv[1]))\n"
        "jsonschema.Draft202012Validator.check_schema(schema)\n"
        "for e in "
        "jsonschema.Draft202012Validator(schema).iter_errors(json.load(open(sys.argv[2]))):\n"
        "    print(e.message)' " CORVEL_SOURCE_DIR "/data/system.schema.json '" +
        strPath + "' 2>&1";
    FILE* pPipe = popen(strCommand.c_str(), "r");
    std::string strOutput;
    char szBuffer[4096];
    while (pPipe && fgets(szBuffer, sizeof szBuffer, pPipe))
        strOutput += szBuffer;
    const int nStatus = pPipe ? pclose(pPipe) : -1;
    return nStatus == 0
               ? strOutput
               : "python3-jsonschema failed (" + std::to_string(nStatus) + "): " + strOutput;
}

TEST_F(SystemJson, WhatCorvelWritesKeepsToTheSchema) {
    auto pFresh = NewSystem();
    ASSERT_TRUE(pFresh->ExportTextFile(m_dir.File("fresh.json")));
    EXPECT_EQ(Validate(m_dir.File("fresh.json")), "");
    auto pFull = NewSystem();
    Apply(*pFull, *Distinct());
    MakeLabelsTypeable(*pFull);
    StrangeValues(*pFull);
    ASSERT_TRUE(pFull->ExportTextFile(m_dir.File("full.json")));
    EXPECT_EQ(Validate(m_dir.File("full.json")), "");
    const std::string strBad = HEAD R"("channels": [{"channel": "Blue Q3"}]})";
    ASSERT_TRUE(CDataFile::Write(m_dir.File("bad.json"),
                                 std::vector<unsigned char>(strBad.begin(), strBad.end())));
    EXPECT_NE(Validate(m_dir.File("bad.json")).find("'Blue Q3' does not match"), std::string::npos);
}

TEST(OldFormatLoss, CountsWhatTheOldFormatCannotHold) {
    CShellRecorder shell;
    CTempDir dir;
    CSystem system(shell, CSystem::CScratch{}, dir.Str());
    EXPECT_EQ(COldFormatLoss::Summary(system), "");
    system.Channel(0, 0, 1).m_anTermA[0] = 5;
    system.Channel(0, 1, 1).m_anTermA[0] = 6;
    system.Channel(3, 0, 2).m_anTermA[0] = 6;
    system.StoreChannelLabel(4, 4, 1, "REAR LAMP");
    system.SetModuleType(1, 2, 4);
    CChannelRecord& blue = system.Channel(2, 5, 0);
    blue.m_anTermA[0] = 161;
    blue.m_abTermPrA[0] = 1;
    blue.m_abTermPrB[2] = 1;
    blue.m_nEquationType = 1;
    blue.m_nReservedC = 9;
    system.SetTimerReload(9, 1.0f);
    system.SetTimerReload(10, 1.0f);
    system.SetTimerCurrent(159, 2.0f);
    EXPECT_EQ(COldFormatLoss::Summary(system),
              "not kept in the old format: 2 Yellow equations, 1 equation of modules B to P of "
              "the virtual and timer loops, 1 other channel without an equation, 1 module label "
              "or type, 2 timers, 2 Pr flags, 1 equation type, 1 term, 1 channel with reserved "
              "fields");
}

} // namespace
