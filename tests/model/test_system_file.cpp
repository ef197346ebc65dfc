#include "model/Archive.h"
#include "model/DataFile.h"
#include "model/FileLayout.h"
#include "model/SystemFields.h"
#include "model/SystemFixture.h"

#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <random>
#include <set>

namespace fs = std::filesystem;

TEST_F(SystemTest, FreshWorkingFileHasExactlyTheLayoutLength) {
    std::vector<unsigned char> data = ReadFileBytes(m_dir.File("SYSTEM6C.DAT"));
    const char* const aszLoops[6] = {"Blue", "Yellow", "Virtual", "TmrEnbl", "TmrDone", "TmrRun"};
    std::size_t nExpected = 4 + 2 + 2 + 4 * (2 + 2) + 1 + 160 * (4 + 4) + 1 + 2 + 2;
    for (const char* szLoop : aszLoops) {
        std::size_t nLoop = std::strlen(szLoop);
        nExpected += 16 * (1 + nLoop + 8 + 2);               // "<loop>_Modul_X", module type
        nExpected += 16 * 9 * (4 + 4 + 1 + nLoop + 7 + 116); // "<loop>_Chl_X1".."X9"
        nExpected += 16 * (4 + 4 + 1 + nLoop + 8 + 116);     // "<loop>_Chl_X10"
    }
    nExpected += 10 * (1 + 10) - 2 * (1 + 10) + (1 + 14) + (1 + 13); // date and version labels
    EXPECT_EQ(nExpected, data.size());
    EXPECT_EQ(SystemFileBytes(*Defaults()).m_data, data);
    EXPECT_EQ((std::vector<unsigned char>{0, 0, 0, 0, 2, 0, 10, 0, 0xFF, 0xFF}),
              std::vector<unsigned char>(data.begin(), data.begin() + 10));
}

TEST_F(SystemTest, SaveWritesEveryFieldInItsPlace) {
    auto f = Distinct();
    Apply(sys, *f);
    ASSERT_TRUE(sys.SaveSystemFile("BUS.DVX"));
    EXPECT_EQ(SystemFileBytes(*f).m_data, ReadFileBytes(m_dir.File("BUS.DVX")));
    EXPECT_EQ(f->strFilePath, sys.GetFilePath()) << "saving does not change the file path";
}

// Apart from the 0/1 flags, which tell a file of another kind, values are
// taken as stored.
TEST_F(SystemTest, LoadTakesEveryValueAsStored) {
    auto f = Distinct();
    f->aChannel[1][2][3].anTermA[0] = 2000;
    f->aChannel[1][2][3].nEquationType = 9;
    f->anModuleType[5][15] = 300;
    f->anHiIn[2] = 5000;
    f->nCurModule = 17;
    WriteFileBytes(m_dir.File("BUS.DVX"), SystemFileBytes(*f).m_data);
    sys.SetCurLoop(4);
    sys.SetModified();

    ASSERT_TRUE(sys.LoadSystemFile("BUS.DVX"));
    EXPECT_EQ("BUS.DVX", sys.GetFilePath()) << "the path loaded from replaces the stored one";
    f->strFilePath = "BUS.DVX";
    EXPECT_EQ(SystemFileBytes(*f).m_data, Stored(sys));
    EXPECT_EQ(4, sys.GetCurLoop());
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ(300, sys.GetModuleType(15, 5));
    EXPECT_EQ(5000, sys.GetHiSpeedInput(2));
    EXPECT_EQ(f->afReload[159], sys.GetTimerReload(159));
    EXPECT_EQ(f->astrSysLabel[9], sys.GetSysLabel(9));
    EXPECT_EQ('R', sys.GetCurModuleLetter()) << "module 17 survives the load";
    EXPECT_EQ(0, sys.GetCurModule()) << "and is reset when it is read";
}

TEST_F(SystemTest, LoadRulesForTheCurrentSelectionAndLabels) {
    struct Case {
        int16_t nStoredModule, nStoredChannel;
        char cModuleLetter;
        short nChannel;
    } aCases[] = {{25, 12, 'A', 0}, {19, 9, 'T', 9}, {20, -1, 'A', 0},
                  {-1, 10, 'A', 0}, {3, 5, 'D', 5},  {16, 0, 'Q', 0}};
    for (const Case& c : aCases) {
        auto f = Defaults();
        f->nCurModule = c.nStoredModule;
        f->nCurChannel = c.nStoredChannel;
        f->aChannel[0][0][0].strLabel = "ABCDEFGHIJKLMNOPQRST";
        WriteFileBytes(m_dir.File("SEL.DVX"), SystemFileBytes(*f).m_data);
        ASSERT_TRUE(sys.LoadSystemFile("SEL.DVX"));
        EXPECT_EQ(c.cModuleLetter, sys.GetCurModuleLetter()) << c.nStoredModule;
        EXPECT_EQ(c.nChannel, sys.GetCurChannel()) << c.nStoredChannel;
        EXPECT_EQ("ABCDEFGHIJKLMNO", sys.StoredChannelLabel(0, 0, 0));
        sys.ResetToDefaults();
        EXPECT_EQ(c.nChannel, sys.GetCurChannel()) << "the reset keeps the checked channel";
    }
}

TEST_F(SystemTest, StoredIndicesAreCheckedWhereTheyAreUsed) {
    sys.SetCurModule(17);
    EXPECT_EQ(0.0f, sys.GetCurModuleTimerReload(0));
    sys.SetCurModuleTimerCurrent(9, 5.0f);
    EXPECT_EQ(0.0f, sys.GetCurModuleTimerCurrent(9));
    sys.SetCurModule(15);
    sys.SetCurModuleTimerReload(9, 2.5f);
    EXPECT_EQ(2.5f, sys.GetTimerReload(159));

    CChannelRecord& record = sys.Channel(0, 0, 0);
    record.m_anTermA[0] = 2000;
    record.m_anTermB[1] = -7;
    record.m_nEquationType = 9;
    sys.SetHiSpeedInput(0, 5000);
    sys.SetModuleType(0, 0, 300);
    Select(0, 0, 0);
    EXPECT_FALSE(sys.IsEquationDefined(0, 0, 0));
    EXPECT_EQ("", sys.GetTermALabel(0));
    EXPECT_EQ("STANDARD", sys.GetCurEquationTypeName());
    EXPECT_EQ("", sys.HiSpeedChannelLabel(sys.GetHiSpeedInput(0)));
    EXPECT_EQ("_", CSystem::HiSpeedDesignation(sys.GetHiSpeedInput(0)));
    EXPECT_TRUE(sys.IsModuleInUse(0, 0));
    sys.SetCurModule(17);
    sys.ClearCurChannel();
    EXPECT_EQ("Blue_Chl_A1", sys.GetChannelLabel(0, 0, 0));
}

TEST_F(SystemTest, StringsOf254And255Characters) {
    sys.StoreSysLabel(8, std::string(254, 'a'));
    sys.StoreSysLabel(9, std::string(255, 'b'));
    ASSERT_TRUE(sys.SaveSystemFile("LONG.DVX"));
    std::vector<unsigned char> data = ReadFileBytes(m_dir.File("LONG.DVX"));
    ASSERT_GT(data.size(), 255u + 3 + 254 + 1);
    std::size_t nLabel9 = data.size() - 255 - 3;
    std::size_t nLabel8 = nLabel9 - 254 - 1;
    EXPECT_EQ(254, data[nLabel8]);
    EXPECT_EQ(0xFF, data[nLabel9]);
    EXPECT_EQ(0xFF, data[nLabel9 + 1]);
    EXPECT_EQ(0x00, data[nLabel9 + 2]);
    sys.ResetToDefaults();
    ASSERT_TRUE(sys.LoadSystemFile("LONG.DVX"));
    EXPECT_EQ(std::string(254, 'a'), sys.GetSysLabel(8));
    EXPECT_EQ(std::string(255, 'b'), sys.GetSysLabel(9));
}

TEST_F(SystemTest, WideStringsAreConvertedThenCut) {
    CBytes plain = SystemFileBytes(*Defaults());
    // Values 0..334 are the head; then the first module label, the module
    // type, the first channel's state and reserved value, and its label.
    const std::vector<std::size_t>& at = plain.m_anBoundaries;
    CBytes moduleLabel, channelLabel;
    moduleLabel.WideStr(u"Heizung \u20ac links");
    channelLabel.WideStr(u"\u4e2d\u00e9-Scheinwerfer-links");
    std::vector<unsigned char> data(plain.m_data.begin(), plain.m_data.begin() + at[334]);
    data.insert(data.end(), moduleLabel.m_data.begin(), moduleLabel.m_data.end());
    data.insert(data.end(), plain.m_data.begin() + at[335], plain.m_data.begin() + at[338]);
    data.insert(data.end(), channelLabel.m_data.begin(), channelLabel.m_data.end());
    data.insert(data.end(), plain.m_data.begin() + at[339], plain.m_data.end());
    WriteFileBytes(m_dir.File("WIDE.DVX"), data);

    ASSERT_TRUE(sys.LoadSystemFile("WIDE.DVX"));
    EXPECT_EQ("Heizung \x80 links", sys.GetModuleLabel(0, 0));
    EXPECT_EQ("?\xe9-Scheinwerfer", sys.StoredChannelLabel(0, 0, 0));
    EXPECT_EQ("Blue_Chl_A2", sys.StoredChannelLabel(0, 1, 0));
    EXPECT_EQ("CorvelII 6.63", sys.GetSysLabel(3));
}

TEST_F(SystemTest, DamagedFilesAreReportedAndLeaveTheDefaults) {
    CBytes full = SystemFileBytes(*Distinct());
    sys.ResetToDefaults();
    std::vector<unsigned char> defaults = Stored(sys);
    // Every field boundary of the head, the first and last module and the
    // system labels, plus cuts inside strings.
    const std::vector<std::size_t>& at = full.m_anBoundaries;
    std::size_t nHeadAndFirstModule = at[334 + 2 + 10 * 32];
    std::size_t nLastModule = at[at.size() - 1 - 10 - (2 + 10 * 32)];
    std::set<std::size_t> cuts = {0, 1, 3};
    for (std::size_t n : at) {
        if (n <= nHeadAndFirstModule || n >= nLastModule)
            cuts.insert(n);
    }
    cuts.insert(full.m_anBoundaries[11] - 3);
    cuts.insert(full.m_data.size() - 1);
    cuts.erase(full.m_data.size());
    std::string strPath = m_dir.File("CUT.DVX");
    for (std::size_t nCut : cuts) {
        WriteFileBytes(strPath, full.m_data, nCut);
        m_shell.ExpectBox(
            "Data file CUT.DVX is damaged or incomplete. The default values are used.");
        EXPECT_FALSE(sys.LoadSystemFile("CUT.DVX")) << nCut;
        ASSERT_TRUE(defaults == Stored(sys)) << "half loaded at a cut at " << nCut;
        EXPECT_EQ("", sys.GetFilePath());
    }
    EXPECT_GT(cuts.size(), 900u);
}

TEST_F(SystemTest, TrailingBytesAreIgnored) {
    auto f = Distinct();
    f->strFilePath = "TAIL.DVX";
    std::vector<unsigned char> data = SystemFileBytes(*f).m_data;
    data.insert(data.end(), {1, 2, 3, 0xFF});
    WriteFileBytes(m_dir.File("TAIL.DVX"), data);
    ASSERT_TRUE(sys.LoadSystemFile("TAIL.DVX"));
    EXPECT_EQ(SystemFileBytes(*f).m_data, Stored(sys));
}

TEST_F(SystemTest, SmallerSystemOverALargerFile) {
    auto f = Distinct();
    for (auto& astrLabels : f->astrModuleLabel)
        for (std::string& str : astrLabels)
            str = std::string(300, 'M');
    WriteFileBytes(m_dir.File("BUS.DVX"), SystemFileBytes(*f).m_data);
    ASSERT_TRUE(sys.SaveSystemFile("BUS.DVX"));
    std::vector<unsigned char> data = ReadFileBytes(m_dir.File("BUS.DVX"));
    EXPECT_EQ(Stored(sys), data) << "the old tail is gone, nothing a reader sees changes";
    Apply(sys, *f);
    ASSERT_TRUE(sys.LoadSystemFile("BUS.DVX"));
    EXPECT_EQ("Blue_Modul_A", sys.GetModuleLabel(0, 0));
}

TEST_F(SystemTest, AnExistingFileThatCannotBeReadIsReportedAndKept) {
    CTempDir dir;
    fs::create_directory(dir.Path() / "SYSTEM6C.DAT");
    CShellRecorder shell;
    shell.ExpectBox("Could not read data file SYSTEM6C.DAT. The file is left as it is and the "
                    "default values are used.");
    CSystem other(shell, dir.Str());
    EXPECT_TRUE(fs::is_directory(dir.Path() / "SYSTEM6C.DAT"));
    EXPECT_EQ("SysLabel_0", other.GetSysLabel(0));
    EXPECT_EQ("", other.GetFilePath());

    fs::create_directory(m_dir.Path() / "FOLDER.DVX");
    m_shell.ExpectBox("Could not read data file FOLDER.DVX. The file is left as it is and the "
                      "default values are used.");
    EXPECT_FALSE(sys.LoadSystemFile("FOLDER.DVX"));
    EXPECT_TRUE(fs::is_directory(m_dir.Path() / "FOLDER.DVX"));
}

TEST_F(SystemTest, AMissingFileIsCreatedFromTheDefaults) {
    sys.SetSleepEnabled(true);
    sys.SetModuleLabel(3, 3, "DOORS");
    sys.StoreSysLabel(0, "BUS 12");
    sys.SetFilePath("OLD.DVX");
    ASSERT_TRUE(sys.LoadSystemFile("NEW.DVX"));
    EXPECT_EQ("NEW.DVX", sys.GetFilePath());
    EXPECT_EQ(SystemFileBytes(*Defaults()).m_data, ReadFileBytes(m_dir.File("NEW.DVX")))
        << "written before the file path is set, as a fresh working file";
}

TEST_F(SystemTest, FailedWritesAreReportedAndReturnFalse) {
    m_shell.ExpectBox(
        "Could not open/create data file no-such-folder/BUS.DVX\nNo such file or directory");
    EXPECT_FALSE(sys.SaveSystemFile("no-such-folder/BUS.DVX"));
    fs::create_directory(m_dir.Path() / "FOLDER.DVX");
    m_shell.ExpectBox("Could not open/create data file FOLDER.DVX\nIs a directory");
    EXPECT_FALSE(sys.SaveSystemFile("FOLDER.DVX"));
    EXPECT_TRUE(fs::is_empty(m_dir.Path() / "FOLDER.DVX"));

    CTempDir dir;
    fs::create_directory(dir.Path() / "SYSTEM6C.DAT");
    CShellRecorder shell;
    shell.AllowOkBoxes();
    CSystem other(shell, dir.Str());
    shell.m_aBoxes.clear();
    EXPECT_FALSE(other.SaveWorkingFiles());
    EXPECT_EQ(
        std::vector<std::string>{"Could not open/create data file SYSTEM6C.DAT\nIs a directory"},
        shell.BoxTexts());
    EXPECT_TRUE(fs::exists(dir.Path() / "Corvel_SS.VTS")) << "the listing is still written";
}

TEST_F(SystemTest, WritesReplaceTheWholeFileKeepingPermissionsAndLinks) {
    std::string strTarget = m_dir.File("TARGET.DVX");
    WriteFileBytes(strTarget, std::vector<unsigned char>(100000, 0xAB));
    fs::permissions(strTarget, fs::perms(0640));
    fs::create_symlink("TARGET.DVX", m_dir.Path() / "LINK.DVX");

    ASSERT_TRUE(sys.SaveSystemFile("LINK.DVX"));
    EXPECT_TRUE(fs::is_symlink(m_dir.Path() / "LINK.DVX"));
    EXPECT_EQ(Stored(sys), ReadFileBytes(strTarget));
    EXPECT_EQ(fs::perms(0640), fs::status(strTarget).permissions() & fs::perms::mask);
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_dir.Path()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ((std::set<std::string>{"LINK.DVX", "SYSTEM6C.DAT", "TARGET.DVX"}), names)
        << "no temporary file is left behind";
}

TEST_F(SystemTest, WorkingFilesAreWrittenOnlyWhenAsked) {
    fs::remove(m_dir.File("SYSTEM6C.DAT"));
    m_pSystem.reset();
    EXPECT_FALSE(fs::exists(m_dir.File("SYSTEM6C.DAT"))) << "destruction writes nothing";

    m_pSystem = std::make_unique<CSystem>(m_shell, m_dir.Str());
    CSystem& fresh = *m_pSystem;
    ASSERT_TRUE(fs::exists(m_dir.File("SYSTEM6C.DAT")));
    fresh.StoreSysLabel(0, "BUS 12");
    fresh.SetFilePath("/somewhere/else/BUS.DVX");
    CTempDir elsewhere;
    fs::current_path(elsewhere.Path());
    ASSERT_TRUE(fresh.SaveWorkingFiles());
    EXPECT_EQ(m_dir.Path(), fs::current_path()) << "working files return to the launch dir";
    EXPECT_EQ(Stored(fresh), ReadFileBytes(m_dir.File("SYSTEM6C.DAT")));
    EXPECT_EQ(0u, fs::file_size(m_dir.File("Corvel_SS.VTS"))) << "no equation, empty listing";
    EXPECT_TRUE(fs::is_empty(elsewhere.Path()));
}

TEST_F(SystemTest, EquationListingLines) {
    Select(0, 0, 0);
    sys.SetTermA(0, 1);
    sys.SetTermNotA(1, true);
    sys.SetTermA(1, CSystem::MakeIndex(3, 2, 9));
    Select(2, 15, 9);
    sys.SetCurChannelLabel("WIPER");
    sys.SetTermB(2, 0);
    Select(0, 1, 4);
    sys.SetMomentaryLatch(true);
    sys.StoreChannelLabel(1, 4, 0, "");

    EXPECT_EQ("A1\tBlue_Chl_A1\tQ=(Blue_Chl_A2)*(!TmrEnbl_Chl_C10)\r\n",
              sys.GetEquationLine(0, 0, 0));
    ASSERT_TRUE(sys.WriteEquationListing());
    std::vector<unsigned char> data = ReadFileBytes(m_dir.File("Corvel_SS.VTS"));
    EXPECT_EQ("A1\tBlue_Chl_A1\tQ=(Blue_Chl_A2)*(!TmrEnbl_Chl_C10)\r\n"
              "B5\tBlue_Chl_B5\tQ=\r\n"
              "P10\tWIPER\tQ=(Blue_Chl_A1)\r\n",
              std::string(data.begin(), data.end()));
}

// The layout has no header; a file of another kind is told by its flags,
// which are only ever written as 0 or 1, and is reported like a damaged
// one, with the system left as it was.
TEST_F(SystemTest, FilesOfAnotherKindAreReportedAsDamaged) {
    std::mt19937 random(19);
    std::vector<unsigned char> noise(1 << 20);
    for (unsigned char& c : noise)
        c = static_cast<unsigned char>(random());
    CBytes oneFlag = SystemFileBytes(*Defaults());
    oneFlag.m_data[0] = 2;
    CBytes allOnes = SystemFileBytes(*Defaults());
    allOnes.m_data[0] = 1;
    for (const auto& data : {noise, oneFlag.m_data}) {
        WriteFileBytes(m_dir.File("BUS.DVX"), data);
        m_shell.ExpectBox(CDataFile::DamagedText("BUS.DVX"));
        EXPECT_FALSE(sys.LoadSystemFile("BUS.DVX"));
        EXPECT_FALSE(sys.GetSleepEnabled());
        EXPECT_EQ(m_shell.m_aBoxes.size(), 1u);
        m_shell.m_aBoxes.clear();
    }
    WriteFileBytes(m_dir.File("BUS.DVX"), allOnes.m_data);
    EXPECT_TRUE(sys.LoadSystemFile("BUS.DVX"));
    EXPECT_TRUE(sys.GetSleepEnabled());
}
