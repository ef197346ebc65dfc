#include "model/FileLayout.h"
#include "model/SystemFields.h"
#include "model/SystemFixture.h"

#include <filesystem>
#include <random>
#include <set>

namespace fs = std::filesystem;

namespace {

// Term sources in current numbering and what the old file holds for them.
struct CTermCase {
    int16_t nNew;
    int16_t nOld;
};
const CTermCase kExportedTerms[] = {{-1, -1},   {0, 0},     {159, 159}, {160, -1}, {319, -1},
                                    {320, 160}, {325, 165}, {489, 179}, {490, -1}, {640, 180},
                                    {809, 199}, {810, -1},  {959, -1},  {7, 7}};

// Old module n lives in loop l, module m.
void OldSlot(int nOld, int& l, int& m) {
    l = nOld < 16 ? 0 : nOld - 14;
    m = nOld < 16 ? nOld : 0;
}

enum class ETerms { Current, Old, ReadBack };

int16_t Term(const CTermCase& c, ETerms terms) {
    if (terms == ETerms::Current)
        return c.nNew;
    if (terms == ETerms::Old || c.nOld == -1)
        return c.nOld;
    return c.nNew;
}

// The fields an old file carries keep their distinct values; everything
// else is as a reset leaves it. Terms cycle through the export cases, in
// current numbering, in old numbering, or as an import gives them back.
std::unique_ptr<CSystemFields> OldSubset(const CSystemFields& distinct, ETerms terms) {
    auto f = Defaults();
    f->bSleep = distinct.bSleep;
    f->nInactivity = distinct.nInactivity;
    f->nWakeUp = distinct.nWakeUp;
    for (int i = 0; i < 4; ++i) {
        f->anHiIn[i] = distinct.anHiIn[i];
        f->anHiOut[i] = static_cast<int16_t>(800 + i);
    }
    f->strReserved = distinct.strReserved;
    f->strFilePath = distinct.strFilePath;
    for (int t = 0; t < 10; ++t) {
        f->afReload[t] = distinct.afReload[t];
        f->afCurrent[t] = distinct.afCurrent[t];
    }
    f->nCurModule = distinct.nCurModule;
    f->nCurChannel = distinct.nCurChannel;
    int nTerm = 0;
    for (int nOld = 0; nOld < 20; ++nOld) {
        int l, m;
        OldSlot(nOld, l, m);
        f->astrModuleLabel[l][m] = distinct.astrModuleLabel[l][m];
        f->anModuleType[l][m] = distinct.anModuleType[l][m];
        for (int c = 0; c < 10; ++c) {
            const CChannelFields& from = distinct.aChannel[l][m][c];
            CChannelFields& to = f->aChannel[l][m][c];
            to.nState = from.nState;
            to.nReserved = from.nReserved;
            to.strLabel = from.strLabel;
            to.bOutput = from.bOutput;
            to.bLatch = from.bLatch;
            to.bPowerUp = from.bPowerUp;
            to.bEquationNot = from.bEquationNot;
            to.bGroupNotA = from.bGroupNotA;
            to.bGroupNotB = from.bGroupNotB;
            for (int j = 0; j < 3; ++j) {
                to.abTermNotA[j] = from.abTermNotA[j];
                to.abTermNotB[j] = from.abTermNotB[j];
                const CTermCase& a = kExportedTerms[nTerm++ % std::size(kExportedTerms)];
                const CTermCase& b = kExportedTerms[nTerm++ % std::size(kExportedTerms)];
                to.anTermA[j] = Term(a, terms);
                to.anTermB[j] = Term(b, terms);
            }
        }
    }
    for (int i = 0; i < 10; ++i)
        f->astrSysLabel[i] = distinct.astrSysLabel[i];
    return f;
}

} // namespace

TEST(OldFormat, IndexConversions) {
    for (const CTermCase& c : kExportedTerms)
        EXPECT_EQ(c.nOld, CSystem::NewToOldIndex(c.nNew)) << c.nNew;
    struct Case {
        int16_t nOld, nNew;
    } aReading[] = {{-1, -1},   {0, 0},     {159, 159}, {160, 320}, {165, 325},
                    {169, 329}, {170, 480}, {179, 489}, {180, 640}, {189, 649},
                    {190, 800}, {199, 809}, {200, 0},   {250, 0},   {32767, 0}};
    for (const Case& c : aReading)
        EXPECT_EQ(c.nNew, CSystem::OldToNewIndex(c.nOld)) << c.nOld;
}

TEST_F(SystemTest, ExportWritesTheOldLayout) {
    auto distinct = Distinct();
    Apply(sys, *distinct);
    Apply(sys, *OldSubset(*distinct, ETerms::Current));
    sys.Channel(3, 3, 0).m_abTermPrA[0] = 1;
    ASSERT_TRUE(sys.ExportOldFile("BUS1.ZLV"));
    EXPECT_EQ(OldFileBytes(*OldSubset(*distinct, ETerms::Old)).m_data,
              ReadFileBytes(m_dir.File("BUS1.ZLV")));
}

TEST_F(SystemTest, ImportReadsAnOldFileOverTheDefaults) {
    auto distinct = Distinct();
    auto old = OldSubset(*distinct, ETerms::Old);
    old->aChannel[0][4][2].anTermB[1] = 250;
    old->aChannel[0][0][0].strLabel = "ABCDEFGHIJKLMNOPQRST";
    WriteFileBytes(m_dir.File("OLD.ZLV"), OldFileBytes(*old).m_data);
    Apply(sys, *distinct);
    sys.SetCurLoop(3);
    sys.SetModified();
    m_shell.m_astrTraces.clear();

    ASSERT_TRUE(sys.ImportOldFile(m_dir.File("OLD.ZLV")));
    auto expected = OldSubset(*distinct, ETerms::ReadBack);
    expected->aChannel[0][4][2].anTermB[1] = 0;
    expected->aChannel[0][0][0].strLabel = "ABCDEFGHIJKLMNO";
    // A reset leaves the reserved values a system held before.
    for (int l = 0; l < 6; ++l)
        for (int m = 0; m < 16; ++m)
            for (int c = 0; c < 10; ++c) {
                const CChannelFields& from = distinct->aChannel[l][m][c];
                CChannelFields& to = expected->aChannel[l][m][c];
                std::copy(std::begin(from.anReservedA), std::end(from.anReservedA), to.anReservedA);
                to.nReservedB = from.nReservedB;
                to.nReservedC = from.nReservedC;
                to.nReservedD = from.nReservedD;
                to.nReservedE = from.nReservedE;
            }
    EXPECT_TRUE(SystemFileBytes(*expected).m_data == Stored(sys));
    EXPECT_EQ(325, sys.Channel(0, 1, 0).m_anTermA[0]) << "old 165";
    EXPECT_EQ(0, sys.Channel(4, 2, 0).m_anTermB[1]) << "old 250";
    EXPECT_EQ(3, sys.GetCurLoop());
    EXPECT_TRUE(sys.IsModified());
    ASSERT_EQ(20u, m_shell.m_astrTraces.size());
    EXPECT_EQ("reading old module 0\n", m_shell.m_astrTraces.front());
    EXPECT_EQ("reading old module 19\n", m_shell.m_astrTraces.back());
}

TEST_F(SystemTest, ExportThenImportKeepsWhatTheOldFormatHolds) {
    Select(0, 2, 3);
    sys.SetTermA(0, CSystem::MakeIndex(2, 0, 5));
    sys.SetTermB(2, CSystem::MakeIndex(5, 0, 9));
    sys.SetTermPrA(0, true);
    sys.SetCurEquationType(3);
    sys.SetCurChannelLabel("HORN");
    Select(3, 0, 1);
    sys.SetTermA(1, CSystem::MakeIndex(1, 4, 4));
    sys.SetTermB(0, 12);
    sys.SetTimerReload(9, 2.5f);
    sys.SetTimerReload(10, 7.5f);
    ASSERT_TRUE(sys.ExportOldFile("RT.ZLV"));
    ASSERT_TRUE(sys.ImportOldFile("RT.ZLV"));

    EXPECT_EQ(CSystem::MakeIndex(2, 0, 5), sys.Channel(2, 3, 0).m_anTermA[0]);
    EXPECT_EQ(CSystem::MakeIndex(5, 0, 9), sys.Channel(2, 3, 0).m_anTermB[2]);
    EXPECT_EQ(0, sys.Channel(2, 3, 0).m_abTermPrA[0]);
    EXPECT_EQ(0, sys.Channel(2, 3, 0).m_nEquationType);
    EXPECT_EQ("HORN", sys.GetChannelLabel(2, 3, 0));
    EXPECT_EQ(-1, sys.Channel(0, 1, 3).m_anTermA[1]) << "a Yellow loop source is lost";
    EXPECT_EQ(12, sys.Channel(0, 1, 3).m_anTermB[0]);
    EXPECT_EQ(2.5f, sys.GetTimerReload(9));
    EXPECT_EQ(10.0f, sys.GetTimerReload(10));
}

TEST_F(SystemTest, OldFileMessages) {
    sys.StoreSysLabel(0, "KEEP");
    m_shell.ExpectBox("ERROR - Invalid file name specified");
    EXPECT_FALSE(sys.ImportOldFile(""));
    m_shell.ExpectBox("ERROR - Could not successfully open old zlv file.");
    EXPECT_FALSE(sys.ImportOldFile("MISSING.ZLV"));
    fs::create_directory(m_dir.Path() / "FOLDER.ZLV");
    m_shell.ExpectBox("ERROR - Could not successfully open old zlv file.");
    EXPECT_FALSE(sys.ImportOldFile("FOLDER.ZLV"));
    EXPECT_EQ("KEEP", sys.GetSysLabel(0));

    m_shell.ExpectBox("ERROR - invalid export zlv file name");
    EXPECT_FALSE(sys.ExportOldFile(""));
    m_shell.ExpectBox("Could not open/create old zlv data file FOLDER.ZLV\nIs a directory");
    EXPECT_FALSE(sys.ExportOldFile("FOLDER.ZLV"));
    m_shell.ExpectBox(
        "Could not open/create old zlv data file nowhere/BUS.ZLV\nNo such file or directory");
    EXPECT_FALSE(sys.ExportOldFile("nowhere/BUS.ZLV"));
}

TEST_F(SystemTest, OldFileSelectionRules) {
    struct Case {
        int16_t nStoredModule, nStoredChannel;
        char cModule;
        short nChannel;
    } aCases[] = {{25, 12, 'A', 0}, {19, 9, 'T', 9}, {-3, -1, 'A', 0}};
    for (const Case& c : aCases) {
        auto old = Defaults();
        old->nCurModule = c.nStoredModule;
        old->nCurChannel = c.nStoredChannel;
        WriteFileBytes(m_dir.File("SEL.ZLV"), OldFileBytes(*old).m_data);
        ASSERT_TRUE(sys.ImportOldFile("SEL.ZLV"));
        EXPECT_EQ(c.cModule, sys.GetCurModuleLetter());
        EXPECT_EQ(c.nChannel, sys.GetCurChannel());
    }
}

TEST_F(SystemTest, DamagedOldFilesPutTheSystemBack) {
    CBytes full = OldFileBytes(*OldSubset(*Distinct(), ETerms::Old));
    Apply(sys, *Distinct());
    sys.SetObjectGroup(CSystem::GroupModule);
    std::vector<unsigned char> before = Stored(sys);
    const std::vector<std::size_t>& at = full.m_anBoundaries;
    // The head is 25 values, an old module block 2 + 10 * 22.
    std::size_t nFirstModule = at[24 + 2 + 10 * 22];
    std::size_t nLastModule = at[at.size() - 1 - 10 - (2 + 10 * 22)];
    std::set<std::size_t> cuts = {0, 2};
    for (std::size_t n : at)
        if (n <= nFirstModule || n >= nLastModule)
            cuts.insert(n);
    cuts.erase(full.m_data.size());
    for (std::size_t nCut : cuts) {
        WriteFileBytes(m_dir.File("CUT.ZLV"), full.m_data, nCut);
        m_shell.ExpectBox(
            "ERROR - old zlv file CUT.ZLV is damaged or incomplete. The system is unchanged.");
        EXPECT_FALSE(sys.ImportOldFile("CUT.ZLV"));
        ASSERT_TRUE(before == Stored(sys)) << "half imported at a cut at " << nCut;
    }
    EXPECT_EQ(CSystem::GroupModule, sys.GetObjectGroup());
    EXPECT_GT(cuts.size(), 400u);
}

TEST_F(SystemTest, OldFilesOfAnotherKindAreReportedAsDamaged) {
    std::mt19937 random(7);
    std::vector<unsigned char> noise(1 << 20);
    for (unsigned char& c : noise)
        c = static_cast<unsigned char>(random());
    WriteFileBytes(m_dir.File("NOISE.ZLV"), noise);
    sys.SetSysLabel(0, "KEEP");
    m_shell.ExpectBox("ERROR - old zlv file NOISE.ZLV is damaged or incomplete. The system is "
                      "unchanged.");
    EXPECT_FALSE(sys.ImportOldFile("NOISE.ZLV"));
    EXPECT_EQ("KEEP", sys.GetSysLabel(0));
}
