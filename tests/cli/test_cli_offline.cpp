#include "cli/CliOptions.h"
#include "cli/CliRun.h"
#include "model/CheckSystems.h"
#include "model/DataFile.h"
#include "model/System.h"
#include "model/SystemDiff.h"
#include "model/SystemFields.h"
#include "moduletypes/ModuleTypes.h"
#include "support/FileSizeLimit.h"
#include "support/ShellRecorder.h"
#include "support/TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// The commands take relative names from the current folder, which other
// tests may have left in a folder since removed: each test works in its own.
class CliOffline : public ::testing::Test {
protected:
    CliOffline() { std::filesystem::current_path(m_dir.Path()); }
    ~CliOffline() override {
        std::filesystem::current_path(std::filesystem::temp_directory_path());
    }

    CTempDir m_dir;
    CShellRecorder m_shell;

    std::unique_ptr<CSystem> NewSystem() {
        return std::make_unique<CSystem>(m_shell, CSystem::CScratch{}, m_dir.Str());
    }
    std::unique_ptr<CSystem> Load(const std::string& strName) {
        auto pSystem = NewSystem();
        EXPECT_TRUE(pSystem->ReadSystemFile(m_dir.File(strName)));
        return pSystem;
    }
    std::string Save(CSystem& system, const std::string& strName) {
        EXPECT_TRUE(system.SaveSystemFile(m_dir.File(strName)));
        return m_dir.File(strName);
    }
    std::string File(const std::string& strName) const { return m_dir.File(strName); }
};

// Everything the old format holds: Blue loop equations over the channels it
// can name, labels, flags, module types, ten timers, sleep mode, pairs.
void OldFormatSystem(CSystem& system) {
    CChannelRecord& horn = system.Channel(2, 5, 0);
    horn.m_anTermA[0] = 12;
    horn.m_anTermA[1] = 325;
    horn.m_abTermNotA[1] = 1;
    horn.m_anTermB[2] = 809;
    horn.m_bGroupNotB = horn.m_bEquationNot = 1;
    horn.m_bOutput = horn.m_bPowerUpOn = 1;
    system.Channel(0, 3, 2).m_anTermA[0] = 487;
    system.Channel(0, 3, 2).m_bMomentaryLatch = 1;
    system.SetCurLoop(0);
    system.SetCurModule(2);
    system.SetCurChannel(5);
    system.SetCurChannelLabel("HORN");
    system.SetModuleLabel(2, 0, "FRONT");
    system.SetModuleLabel(0, 5, "RUNNING");
    system.SetModuleType(2, 0, 3);
    system.SetTimerReload(7, 30.0f);
    system.SetSleepEnabled(true);
    system.SetSleepWakeUp(33);
    system.SetHiSpeedInput(1, 4);
    system.SetHiSpeedOutput(1, 150);
    system.SetSysLabel(0, "COACH 7");
}

// The file carries its own name, as Open would give it, so reading it as
// Open does changes nothing.
TEST_F(CliOffline, ConvertToOldFormatAndBackKeepsEveryFieldItHolds) {
    auto pSystem = NewSystem();
    OldFormatSystem(*pSystem);
    pSystem->SetFileTitle("BUS");
    std::string strDvx = Save(*pSystem, "BUS.DVX");
    CCliResult toOld = RunCli({"convert", strDvx, File("BUS.ZLV")});
    ASSERT_EQ(toOld.nExit, kExitOk) << toOld.strErr;
    CCliResult back = RunCli({"convert", File("BUS.ZLV"), File("BACK.DVX")});
    ASSERT_EQ(back.nExit, kExitOk) << back.strErr;
    EXPECT_EQ(toOld.strErr + back.strErr, "");
    auto pBack = Load("BACK.DVX");
    EXPECT_EQ(CSystemDiff::Compare(*pSystem, *pBack, CSystemDiff::EScope::Files),
              std::vector<CSystemDifference>{});
    EXPECT_EQ(RunCli({"diff", strDvx, File("BACK.DVX")}).nExit, kExitOk);
}

TEST_F(CliOffline, ConvertNeedsTwoFormats) {
    auto pSystem = NewSystem();
    std::string strDvx = Save(*pSystem, "A.DVX");
    ASSERT_TRUE(pSystem->ExportTextFile(File("A.json")));
    for (auto [strIn, strOut] :
         {std::pair{strDvx, File("B.DVX")}, std::pair{File("A.json"), File("B.JSON")}}) {
        CCliResult result = RunCli({"convert", strIn, strOut});
        EXPECT_EQ(result.nExit, kExitUsage);
        EXPECT_EQ(result.strErr, "corvel-cli: convert needs two files of different formats (.DVX "
                                 "or .DAT, .ZLV, .json); usage: corvel-cli convert IN OUT\n");
        EXPECT_FALSE(std::filesystem::exists(strOut));
    }
}

std::vector<unsigned char> Bytes(const std::string& strPath) {
    std::vector<unsigned char> data;
    EXPECT_EQ(CDataFile::Read(strPath, data), CDataFile::EReadResult::Ok) << strPath;
    return data;
}

TEST_F(CliOffline, ConvertToTextAndBackGivesTheSameBytes) {
    auto pFull = NewSystem();
    Apply(*pFull, *Distinct());
    MakeLabelsTypeable(*pFull);
    pFull->Channel(3, 3, 1).m_anTermB[2] = 2345;
    pFull->SetTimerCurrent(99, -0.0f);
    std::vector<std::unique_ptr<CSystem>> apSystems;
    apSystems.push_back(NewSystem());
    apSystems.push_back(std::move(pFull));
    for (const auto& pSystem : apSystems) {
        const std::string strDvx = Save(*pSystem, "A.DVX");
        CCliResult toText = RunCli({"convert", strDvx, File("A.json")});
        ASSERT_EQ(toText.nExit, kExitOk) << toText.strErr;
        CCliResult back = RunCli({"convert", File("A.json"), File("B.DVX")});
        ASSERT_EQ(back.nExit, kExitOk) << back.strErr;
        EXPECT_EQ(toText.strErr + back.strErr, "");
        EXPECT_EQ(Bytes(strDvx), Bytes(File("B.DVX")));
        CCliResult diff = RunCli({"diff", strDvx, File("A.json")});
        EXPECT_EQ(diff.nExit, kExitOk);
        EXPECT_EQ(diff.strOut, "0 differences\n");
    }
}

TEST_F(CliOffline, TextAndOldFormatConvertBothWays) {
    auto pSystem = NewSystem();
    OldFormatSystem(*pSystem);
    ASSERT_TRUE(pSystem->ExportOldFile(File("A.ZLV")));
    ASSERT_EQ(RunCli({"convert", File("A.ZLV"), File("A.json")}).nExit, kExitOk);
    ASSERT_EQ(RunCli({"convert", File("A.json"), File("B.ZLV")}).nExit, kExitOk);
    EXPECT_EQ(Bytes(File("A.ZLV")), Bytes(File("B.ZLV")));
    EXPECT_EQ(RunCli({"diff", File("A.ZLV"), File("A.json")}).nExit, kExitOk);
}

TEST_F(CliOffline, ConvertToOldFormatSaysWhatItLeavesOut) {
    auto pSystem = NewSystem();
    OldFormatSystem(*pSystem);
    pSystem->Channel(0, 0, 1).m_anTermA[0] = 5;
    pSystem->Channel(2, 5, 0).m_abTermPrB[0] = 1;
    pSystem->SetTimerReload(12, 4.0f);
    CCliResult result = RunCli({"convert", Save(*pSystem, "A.DVX"), File("A.ZLV")});
    EXPECT_EQ(result.nExit, kExitOk);
    EXPECT_EQ(result.strErr,
              "corvel-cli: not kept in the old format: 1 Yellow equation, 1 timer, 1 Pr flag\n");
    EXPECT_TRUE(std::filesystem::exists(File("A.ZLV")));
}

// Open names the system after its file: label 5 the file title, the path
// that title followed by ".DVX", wherever the file was.
TEST_F(CliOffline, ConvertReadsASystemFileAsOpenDoes) {
    std::filesystem::create_directories(File("fleet"));
    auto pSystem = NewSystem();
    OldFormatSystem(*pSystem);
    pSystem->SetFilePath("C:\\OLD\\COACH.DVX");
    const std::string strDvx = Save(*pSystem, "fleet/Coach 7.b.DVX");
    ASSERT_EQ(RunCli({"convert", strDvx, File("A.ZLV")}).nExit, kExitOk);
    pSystem->SetFileTitle("Coach 7.b");
    ASSERT_TRUE(pSystem->ExportOldFile(File("EXPECTED.ZLV")));
    EXPECT_EQ(Bytes(File("A.ZLV")), Bytes(File("EXPECTED.ZLV")));
    auto pBack = NewSystem();
    ASSERT_TRUE(pBack->ImportOldFile(File("A.ZLV")));
    EXPECT_EQ(pBack->GetFilePath(), "Coach 7.b.DVX");
    EXPECT_EQ(pBack->GetSysLabel(CSystem::SysLabelFileName), "Coach 7.b");
}

TEST_F(CliOffline, DiffListsTheDifferencesAndExitsOne) {
    auto pLeft = NewSystem();
    auto pRight = NewSystem();
    pRight->SetModuleLabel(0, 1, "REAR");
    pRight->SetTimerReload(22, 2.5f);
    CCliResult result = RunCli({"diff", Save(*pLeft, "A.DVX"), Save(*pRight, "B.DVX")});
    EXPECT_EQ(result.nExit, kExitDifferences);
    EXPECT_EQ(result.strOut, "YELLOW LOOP module A label: Yellow_Modul_A | REAR\n"
                             "TIMER  C3 reload: 10.0 s | 2.5 s\n"
                             "2 differences\n");
    EXPECT_EQ(result.strErr, "");
}

TEST_F(CliOffline, DiffOfTheSameSystemExitsZero) {
    auto pSystem = NewSystem();
    OldFormatSystem(*pSystem);
    CCliResult result = RunCli({"diff", Save(*pSystem, "A.DVX"), Save(*pSystem, "B.DVX")});
    EXPECT_EQ(result.nExit, kExitOk);
    EXPECT_EQ(result.strOut, "0 differences\n");
}

// Scripts read the layout too: one row a line, the lists closed on lines of
// their own, empty lists as [].
TEST_F(CliOffline, DiffJsonKeepsItsLayout) {
    auto pLeft = NewSystem();
    auto pRight = NewSystem();
    for (CSystem* pSystem : {pLeft.get(), pRight.get()})
        pSystem->StoreSysLabel(CSystem::SysLabelRevisionDate, "Jan.  01, 2001");
    pRight->SetModuleLabel(0, 1, "Tab\there");
    pRight->StoreSysLabel(CSystem::SysLabelRevisionDate, "Feb.  02, 2002");
    CCliResult result = RunCli({"diff", Save(*pLeft, "A.DVX"), Save(*pRight, "B.DVX"), "--json"});
    EXPECT_EQ(result.strOut,
              "{\n"
              "  \"differences\": [\n"
              "    {\"item\": \"YELLOW LOOP module A label\", \"left\": \"Yellow_Modul_A\", "
              "\"right\": \"Tab\\there\"}\n"
              "  ],\n"
              "  \"information\": [\n"
              "    {\"item\": \"System label 2 (Revision Date)\", \"left\": \"Jan.  01, 2001\", "
              "\"right\": \"Feb.  02, 2002\"}\n"
              "  ]\n"
              "}\n");
    CCliResult same = RunCli({"diff", File("A.DVX"), File("A.DVX"), "--json"});
    EXPECT_EQ(same.strOut, "{\n  \"differences\": [],\n  \"information\": []\n}\n");
}

TEST_F(CliOffline, DiffJsonParses) {
    auto pLeft = NewSystem();
    auto pRight = NewSystem();
    pRight->SetSysLabel(1, "Ann \"Q\" M\xFC"
                           "ller");
    pRight->StoreSysLabel(CSystem::SysLabelRevisionDate, "Jan.  01, 2001");
    CCliResult result = RunCli({"diff", Save(*pLeft, "A.DVX"), Save(*pRight, "B.DVX"), "--json"});
    EXPECT_EQ(result.nExit, kExitDifferences);
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(result.strOut), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << result.strOut;
    QJsonArray differences = doc.object()["differences"].toArray();
    ASSERT_EQ(differences.size(), 1);
    QJsonObject row = differences[0].toObject();
    EXPECT_EQ(row["item"].toString(), "System label 1 (Author)");
    EXPECT_EQ(row["left"].toString(), "SysLabel_1");
    EXPECT_EQ(row["right"].toString(), QString::fromUtf8("Ann \"Q\" M\xC3\xBCller"));
    QJsonArray information = doc.object()["information"].toArray();
    ASSERT_EQ(information.size(), 1);
    EXPECT_EQ(information[0].toObject()["item"].toString(), "System label 2 (Revision Date)");
}

TEST_F(CliOffline, ListingIsTheEquationListing) {
    auto pSystem = NewSystem();
    OldFormatSystem(*pSystem);
    std::string strDvx = Save(*pSystem, "A.DVX");
    CCliResult printed = RunCli({"listing", strDvx});
    EXPECT_EQ(printed.nExit, kExitOk);
    EXPECT_EQ(printed.strOut, pSystem->EquationListing());
    EXPECT_NE(printed.strOut.find("C6\tHORN\tQ=![(Blue_Chl_B3)*(!Virtual_Chl_A6)+!(TmrRun_Chl_A10)]"
                                  "\r\n"),
              std::string::npos);
    CCliResult written = RunCli({"listing", strDvx, "-o", File("L.VTS")});
    EXPECT_EQ(written.nExit, kExitOk);
    std::vector<unsigned char> data;
    ASSERT_EQ(CDataFile::Read(File("L.VTS"), data), CDataFile::EReadResult::Ok);
    EXPECT_EQ(std::string(data.begin(), data.end()), printed.strOut);
}

TEST_F(CliOffline, ShowSummarisesTheFile) {
    auto pSystem = NewSystem();
    OldFormatSystem(*pSystem);
    CCliResult result = RunCli({"show", Save(*pSystem, "A.DVX")});
    EXPECT_EQ(result.nExit, kExitOk);
    EXPECT_NE(result.strOut.find("Vehicle Model: COACH 7\n"), std::string::npos);
    EXPECT_NE(result.strOut.find("Equations: 2 (Blue 1, Yellow 0, Virtual 1, TmrEnbl 0, "
                                 "TmrDone 0, TmrRun 0)\n"),
              std::string::npos);
    EXPECT_NE(result.strOut.find("High speed pairs: none -> none, A5 -> P1, none -> none, "
                                 "none -> none\n"),
              std::string::npos);
}

TEST_F(CliOffline, DocumentWritesAWorkbookAndCreatesNoLibrary) {
    auto pSystem = NewSystem();
    OldFormatSystem(*pSystem);
    CCliResult result = RunCli({"document", Save(*pSystem, "A.DVX"), "-o", File("A.xlsx")});
    EXPECT_EQ(result.nExit, kExitOk) << result.strErr;
    std::vector<unsigned char> data;
    ASSERT_EQ(CDataFile::Read(File("A.xlsx"), data), CDataFile::EReadResult::Ok);
    EXPECT_EQ(std::string(data.begin(), data.begin() + 2), "PK") << "a zip container";
    EXPECT_FALSE(std::filesystem::exists(File("ModuleTypes.dat")));
    EXPECT_EQ(RunCli({"document", File("NONE.DVX"), "-o", File("B.xlsx")}).nExit, kExitFile);
    EXPECT_FALSE(std::filesystem::exists(File("B.xlsx")));
}

// Two channels that flip each other, a term that never changes and a label
// used twice.
void FaultySystem(CSystem& system) {
    using namespace CheckSystems;
    Equation(system, kVirtualA1, {{kVirtualA2}});
    Equation(system, kVirtualA2, {{kVirtualA1, true}});
    Label(system, kVirtualA1, "Door logic");
    Equation(system, kBlueA1, {{kVirtualA3}});
    Label(system, kBlueA1, "DOOR");
    Label(system, kBlueA2, "DOOR");
}

TEST_F(CliOffline, CheckPrintsTheFindingsAndTheirCounts) {
    auto pSystem = NewSystem();
    FaultySystem(*pSystem);
    CCliResult result = RunCli({"check", Save(*pSystem, "A.DVX")});
    EXPECT_EQ(result.nExit, kExitFindings);
    EXPECT_EQ(result.strOut,
              "warning never-driven Blue A1 (DOOR), Virtual A3: Virtual A3 has no equation, so its "
              "term in Blue A1 never changes.\n"
              "note duplicate-label Blue A1 (DOOR), Blue A2 (DOOR): These channels of the BLUE "
              "LOOP all carry the label \"DOOR\".\n"
              "error oscillating-loop Virtual A1 (Door logic), Virtual A2: These channels switch "
              "each other in a circle through an odd number of NOTs, so they flip on every scan.\n"
              "1 error, 1 warning, 1 note\n");
    EXPECT_EQ(result.strErr, "");
}

TEST_F(CliOffline, CheckExitsZeroWithoutErrorsAndWarnings) {
    struct Case {
        const char* szName;
        std::function<void(CSystem&)> fnBuild;
        const char* szOut;
    };
    const Case cases[] = {
        {"no findings", [](CSystem&) {}, "0 errors, 0 warnings, 0 notes\n"},
        {"a note only",
         [](CSystem& s) {
             CheckSystems::Label(s, CheckSystems::kBlueA1, "DOOR");
             CheckSystems::Label(s, CheckSystems::kBlueA2, "DOOR");
         },
         nullptr},
    };
    for (const Case& c : cases) {
        auto pSystem = NewSystem();
        c.fnBuild(*pSystem);
        CCliResult result = RunCli({"check", Save(*pSystem, "A.DVX")});
        EXPECT_EQ(result.nExit, kExitOk) << c.szName;
        if (c.szOut) {
            EXPECT_EQ(result.strOut, c.szOut) << c.szName;
        }
    }
}

TEST_F(CliOffline, CheckReadsTheModuleTypesOfTheCurrentFolder) {
    auto pSystem = NewSystem();
    CheckSystems::Equation(*pSystem, CheckSystems::kBlueA2, {{CheckSystems::kBlueA3}});
    pSystem->SetModuleType(0, 0, 1);
    std::string strPath = Save(*pSystem, "A.DVX");
    EXPECT_EQ(RunCli({"check", strPath}).nExit, kExitOk);
    EXPECT_FALSE(std::filesystem::exists(File("ModuleTypes.dat")));
    {
        CModuleTypes types(m_dir.Str(), m_shell);
        types.AddType();
        types.SetOutputChannel(1, true);
        types.SetStrictChecking(true);
        ASSERT_TRUE(types.Save());
    }
    CCliResult result = RunCli({"check", strPath});
    EXPECT_EQ(result.nExit, kExitFindings);
    EXPECT_EQ(result.strOut.rfind("warning not-an-output Blue A2: ", 0), 0u) << result.strOut;
}

TEST_F(CliOffline, CheckJsonParses) {
    auto pSystem = NewSystem();
    FaultySystem(*pSystem);
    pSystem->SetHiSpeedInput(2, CheckSystems::kBlueA1);
    CCliResult result = RunCli({"check", Save(*pSystem, "A.DVX"), "--json"});
    EXPECT_EQ(result.nExit, kExitFindings);
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(result.strOut), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << result.strOut;
    QJsonArray findings = doc.object()["findings"].toArray();
    ASSERT_EQ(findings.size(), 4);
    QJsonObject pair = findings[0].toObject();
    EXPECT_EQ(pair["severity"].toString(), "error");
    EXPECT_EQ(pair["id"].toString(), "high-speed-equation");
    EXPECT_EQ(pair["pair"].toInt(), 3);
    EXPECT_TRUE(pair["timer"].isNull());
    QJsonObject circle = findings[3].toObject();
    QJsonArray channels = circle["channels"].toArray();
    ASSERT_EQ(channels.size(), 2);
    EXPECT_EQ(channels[0].toObject()["loop"].toString(), "Virtual");
    EXPECT_EQ(channels[0].toObject()["designation"].toString(), "A1");
    EXPECT_EQ(channels[0].toObject()["label"].toString(), "Door logic");
    EXPECT_TRUE(channels[1].toObject()["label"].isNull());
    EXPECT_TRUE(circle["pair"].isNull());
    QJsonObject counts = doc.object()["counts"].toObject();
    EXPECT_EQ(counts["error"].toInt(), 2);
    EXPECT_EQ(counts["warning"].toInt(), 1);
    EXPECT_EQ(counts["note"].toInt(), 1);
}

struct CUnreadableCase {
    const char* szName;
    const char* szFile;
    const char* szContent; // nullptr: the file does not exist
};

// A text nested a hundred thousand levels deep once overflowed the stack.
const std::string kDeepText =
    "{\"format\": \"Corvel system\", \"version\": 1, \"reserved\": " + std::string(100000, '[') +
    std::string(100000, ']') + "}";

const CUnreadableCase kUnreadable[] = {
    {"MissingSystem", "NONE.DVX", nullptr},
    {"DamagedSystem", "CUT.DVX", "\x01\x00\x00"},
    {"MissingOld", "NONE.ZLV", nullptr},
    {"DamagedOld", "CUT.ZLV", "\x01"},
    {"MissingText", "NONE.json", nullptr},
    {"BrokenText", "CUT.json", "{\"format\": \"Corvel system\", \"version\": 1, \"x\": 1}"},
    {"DeepText", "DEEP.json", kDeepText.c_str()},
};

class CliUnreadable : public CliOffline, public ::testing::WithParamInterface<CUnreadableCase> {};

TEST_P(CliUnreadable, ExitsThreeWithOneLineAndWritesNothing) {
    std::string strPath = File(GetParam().szFile);
    if (GetParam().szContent) {
        std::string strContent = GetParam().szContent;
        CDataFile::Write(strPath, std::vector<unsigned char>(strContent.begin(), strContent.end()));
    }
    std::string strOut = File(strPath.ends_with(".ZLV") ? "OUT.DVX" : "OUT.ZLV");
    for (auto astrArgs :
         {std::vector<std::string>{"show", strPath}, std::vector<std::string>{"check", strPath},
          std::vector<std::string>{"convert", strPath, strOut}}) {
        CCliResult result = RunCli(astrArgs);
        EXPECT_EQ(result.nExit, kExitFile);
        EXPECT_EQ(result.ErrLines(), 1) << result.strErr;
        EXPECT_NE(result.strErr.find(GetParam().szFile), std::string::npos) << result.strErr;
    }
    EXPECT_EQ(std::filesystem::exists(strPath), GetParam().szContent != nullptr);
    EXPECT_FALSE(std::filesystem::exists(File("OUT.DVX")));
    EXPECT_FALSE(std::filesystem::exists(File("OUT.ZLV")));
}

INSTANTIATE_TEST_SUITE_P(Files, CliUnreadable, ::testing::ValuesIn(kUnreadable),
                         [](const auto& info) { return std::string(info.param.szName); });

struct CUnwritableCase {
    const char* szName;
    const char* szCommand;
    const char* szInput;
    std::vector<std::string> astrArgs; // after the input file
    const char* szOutput;
};

const CUnwritableCase kUnwritable[] = {
    {"ConvertSystem", "convert", "IN.json", {"OUT.DVX"}, "OUT.DVX"},
    {"ConvertOld", "convert", "IN.DVX", {"OUT.ZLV"}, "OUT.ZLV"},
    {"ConvertText", "convert", "IN.DVX", {"OUT.json"}, "OUT.json"},
    {"Listing", "listing", "IN.DVX", {"-o", "OUT.VTS"}, "OUT.VTS"},
    {"Document", "document", "IN.DVX", {"-o", "OUT.xlsx"}, "OUT.xlsx"},
};

class CliUnwritable : public CliOffline, public ::testing::WithParamInterface<CUnwritableCase> {
protected:
    CCliResult Run() {
        std::vector<std::string> astrArgs{GetParam().szCommand, GetParam().szInput};
        astrArgs.insert(astrArgs.end(), GetParam().astrArgs.begin(), GetParam().astrArgs.end());
        return RunCli(astrArgs);
    }
};

// Writing into a folder clears the temporary files that runs killed while
// writing there left behind; a full disk is one line with the system's
// reason, and leaves neither the file nor a temporary one.
TEST_P(CliUnwritable, ClearsWhatDeadRunsLeftAndSaysWhyAWriteFailed) {
    auto pSystem = NewSystem();
    OldFormatSystem(*pSystem);
    Save(*pSystem, "IN.DVX");
    ASSERT_TRUE(pSystem->ExportTextFile(File("IN.json")));
    const std::string strOrphan = CDataFile::TemporaryPath(File(GetParam().szOutput), 999999999, 1);
    CDataFile::Write(strOrphan, std::vector<unsigned char>(10, 'x'));
    {
        CFileSizeLimit limit(16);
        CCliResult result = Run();
        EXPECT_EQ(result.nExit, kExitFile);
        EXPECT_EQ(result.ErrLines(), 1) << result.strErr;
        EXPECT_NE(result.strErr.find(std::string(GetParam().szOutput) + ": "), std::string::npos)
            << result.strErr;
    }
    EXPECT_FALSE(std::filesystem::exists(strOrphan));
    EXPECT_FALSE(std::filesystem::exists(File(GetParam().szOutput)));
    std::vector<std::string> astrLeft;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path()))
        astrLeft.push_back(entry.path().filename().string());
    std::sort(astrLeft.begin(), astrLeft.end());
    EXPECT_EQ(astrLeft, (std::vector<std::string>{"IN.DVX", "IN.json"}));
    EXPECT_EQ(Run().nExit, kExitOk);
}

INSTANTIATE_TEST_SUITE_P(Files, CliUnwritable, ::testing::ValuesIn(kUnwritable),
                         [](const auto& info) { return std::string(info.param.szName); });

} // namespace
