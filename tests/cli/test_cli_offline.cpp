#include "cli/CliOptions.h"
#include "cli/CliRun.h"
#include "model/DataFile.h"
#include "model/SystemDiff.h"
#include "model/system.h"
#include "support/ShellRecorder.h"
#include "support/TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

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

TEST_F(CliOffline, ConvertToOldFormatAndBackKeepsEveryFieldItHolds) {
    auto pSystem = NewSystem();
    OldFormatSystem(*pSystem);
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

TEST_F(CliOffline, ConvertNeedsOneOldFormatFile) {
    auto pSystem = NewSystem();
    std::string strDvx = Save(*pSystem, "A.DVX");
    CCliResult result = RunCli({"convert", strDvx, File("B.DVX")});
    EXPECT_EQ(result.nExit, kExitUsage);
    EXPECT_EQ(result.ErrLines(), 1);
    EXPECT_FALSE(std::filesystem::exists(File("B.DVX")));
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

struct CUnreadableCase {
    const char* szName;
    const char* szFile;
    const char* szContent; // nullptr: the file does not exist
};

const CUnreadableCase kUnreadable[] = {
    {"MissingSystem", "NONE.DVX", nullptr},
    {"DamagedSystem", "CUT.DVX", "\x01\x00\x00"},
    {"MissingOld", "NONE.ZLV", nullptr},
    {"DamagedOld", "CUT.ZLV", "\x01"},
};

class CliUnreadable : public CliOffline, public ::testing::WithParamInterface<CUnreadableCase> {};

TEST_P(CliUnreadable, ExitsThreeWithOneLineAndWritesNothing) {
    std::string strPath = File(GetParam().szFile);
    if (GetParam().szContent) {
        std::string strContent = GetParam().szContent;
        CDataFile::Write(strPath, std::vector<unsigned char>(strContent.begin(), strContent.end()));
    }
    std::string strOut = File(strPath.ends_with(".ZLV") ? "OUT.DVX" : "OUT.ZLV");
    for (auto astrArgs : {std::vector<std::string>{"show", strPath},
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

} // namespace
