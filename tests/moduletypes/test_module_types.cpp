#include "model/FileLayout.h"
#include "moduletypes/ModuleTypes.h"
#include "support/ShellRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct CTypeFields {
    int32_t abOutput[10] = {}, abSwitch[10] = {}, anReserved[10] = {};
    int32_t nStatus = 0;
    double dDate = 0;
    std::string strDescription, strName, strNote;
};

void PutType(CBytes& out, const CTypeFields& t) {
    for (int i = 0; i < 10; ++i) {
        out.I32(t.abOutput[i]);
        out.I32(t.abSwitch[i]);
        out.I32(t.anReserved[i]);
    }
    out.I32(t.nStatus);
    out.F64(t.dDate);
    out.Str(t.strDescription);
    out.Str(t.strName);
    out.Str(t.strNote);
}

CBytes LibraryBytes(int32_t bStrict, const std::vector<CTypeFields>& aTypes) {
    CBytes out;
    out.I32(bStrict);
    out.I32(static_cast<int32_t>(aTypes.size()));
    for (const CTypeFields& t : aTypes)
        PutType(out, t);
    return out;
}

std::vector<CTypeFields> ThreeTypes() {
    std::vector<CTypeFields> aTypes(3);
    for (int n = 0; n < 3; ++n) {
        CTypeFields& t = aTypes[static_cast<std::size_t>(n)];
        t.abOutput[n] = 1;
        t.abSwitch[9 - n] = 1;
        t.anReserved[5] = 1000 + n;
        t.nStatus = n;
        t.dDate = 38146.7 + n;
        t.strDescription = "Desc" + std::to_string(n);
        t.strName = n == 2 ? std::string(300, 'N') : "Type" + std::to_string(n);
        t.strNote = "Note" + std::to_string(n);
    }
    return aTypes;
}

class ModuleTypesTest : public ::testing::Test {
protected:
    CTempDir m_dir;
    CShellRecorder m_shell;
    std::string File() const { return m_dir.File("ModuleTypes.dat"); }
};

} // namespace

TEST_F(ModuleTypesTest, AMissingFileIsCreatedEmpty) {
    CModuleTypes types(m_dir.Str(), m_shell);
    EXPECT_EQ(0, types.GetCount());
    EXPECT_FALSE(types.GetStrictChecking());
    EXPECT_EQ(std::vector<unsigned char>(8, 0), ReadFileBytes(File()));
    EXPECT_EQ("", types.GetTypeName());
    EXPECT_EQ(0, types.GetTypeId());
    EXPECT_EQ(0, types.GetPageStep());
}

TEST_F(ModuleTypesTest, ReadingNumbersTheTypesAndWritingGivesTheSameBytes) {
    CBytes file = LibraryBytes(1, ThreeTypes());
    file.m_data.insert(file.m_data.end(), {9, 9, 9});
    WriteFileBytes(File(), file.m_data);
    CModuleTypes types(m_dir.Str(), m_shell);
    ASSERT_EQ(3, types.GetCount());
    EXPECT_TRUE(types.GetStrictChecking());
    EXPECT_EQ(2, types.GetCurrentIndex()) << "the last type read is current";
    EXPECT_EQ(3, types.GetTypeId());
    EXPECT_EQ(std::string(300, 'N'), types.GetTypeName());
    EXPECT_EQ("Type0", types.GetNameById(1));
    EXPECT_EQ("Desc1", types.GetDescriptionById(2));
    EXPECT_EQ("Note2", types.GetNoteById(3));
    EXPECT_EQ(" ", types.GetNameById(0));
    EXPECT_EQ(" ", types.GetNoteById(4));
    EXPECT_EQ(std::vector<std::string>({"Loading 3 modules\n", "Creating module \n",
                                        "Creating module \n", "Creating module \n"}),
              m_shell.m_astrTraces);

    ASSERT_TRUE(types.Save());
    EXPECT_EQ(LibraryBytes(1, ThreeTypes()).m_data, ReadFileBytes(File()))
        << "the 300-character name keeps the long prefix; nothing follows the last record";
}

TEST_F(ModuleTypesTest, DeletingRenumbersOnTheNextRead) {
    CModuleTypes types(m_dir.Str(), m_shell);
    for (int i = 0; i < 4; ++i)
        ASSERT_NE(nullptr, types.AddType());
    EXPECT_EQ("Module_4", types.GetTypeName());
    EXPECT_EQ("System", types.GetDescription());
    EXPECT_EQ("DVX", types.GetNote());
    ASSERT_TRUE(types.DeleteType(types.GetAt(1)));
    EXPECT_EQ(0, types.GetCurrentIndex()) << "the first type becomes current";
    EXPECT_EQ("Module_3", types.GetNameById(3)) << "identifiers stay until the next read";
    EXPECT_FALSE(types.DeleteType(nullptr));
    ASSERT_TRUE(types.Save());
    ASSERT_TRUE(types.Load());
    EXPECT_EQ("Module_3", types.GetNameById(2));
    EXPECT_EQ("Module_4", types.GetNameById(3));
    EXPECT_EQ(" ", types.GetNameById(4));
}

TEST_F(ModuleTypesTest, NewTypesAreCreatedNow) {
    CModuleTypes types(m_dir.Str(), m_shell);
    std::time_t before = std::time(nullptr);
    ModuleType* pType = types.AddType();
    ASSERT_NE(nullptr, pType);
    EXPECT_EQ(0, pType->m_created.m_nStatus);
    // Days since 30 December 1899; the local offset is at most 14 hours.
    double dUtcDays = before / 86400.0 + 25569.0;
    EXPECT_NEAR(dUtcDays, pType->m_created.m_dValue, 15.0 / 24.0);
    EXPECT_DOUBLE_EQ(38146.5, COleDate::FromLocal(2004, 6, 8, 12, 0, 0));
    EXPECT_DOUBLE_EQ(2.0, COleDate::FromLocal(1900, 1, 1, 0, 0, 0));
}

TEST_F(ModuleTypesTest, CursorAndChannelFlags) {
    CModuleTypes types(m_dir.Str(), m_shell);
    for (int i = 0; i < 12; ++i)
        types.AddType();
    EXPECT_EQ(2, types.GetPageStep());
    EXPECT_TRUE(types.SelectByIndex(4));
    EXPECT_FALSE(types.SelectByIndex(12));
    EXPECT_EQ(4, types.GetCurrentIndex());
    types.SetOutputChannel(1, true);
    types.SetSwitchChannel(10, true);
    types.SetOutputChannel(11, true);
    types.SetSwitchChannel(0, true);
    EXPECT_TRUE(types.IsOutputChannel(1));
    EXPECT_TRUE(types.IsSwitchChannel(10));
    EXPECT_FALSE(types.IsOutputChannel(11));
    EXPECT_FALSE(types.IsSwitchChannel(0));
    types.SetTypeName("RELAY");
    types.SetDescription("Relay box");
    types.SetNote("12V");
    EXPECT_EQ("RELAY", types.GetNameById(5));

    EXPECT_TRUE(types.ChannelMayCarryBoolean(5, 2)) << "strict checking is off";
    types.SetStrictChecking(true);
    EXPECT_TRUE(types.ChannelMayCarryBoolean(5, 1));
    EXPECT_TRUE(types.ChannelMayCarryBoolean(5, 10));
    EXPECT_FALSE(types.ChannelMayCarryBoolean(5, 2));
    EXPECT_FALSE(types.ChannelMayCarryBoolean(5, 11));
    EXPECT_TRUE(types.ChannelMayCarryBoolean(0, 2)) << "no type assigned";
    EXPECT_TRUE(types.ChannelMayCarryBoolean(99, 2)) << "an identifier no type carries";
}

TEST_F(ModuleTypesTest, DamagedFilesKeepTheTypesReadBefore) {
    CBytes full = LibraryBytes(1, ThreeTypes());
    CModuleTypes types(m_dir.Str(), m_shell);
    // The first two records: 30 channel values, date status and value, and
    // three 5-character texts.
    const std::size_t nRecord = 120 + 4 + 8 + 3 * (1 + 5);
    for (std::size_t nCut : full.m_anBoundaries) {
        if (nCut == full.m_data.size())
            continue;
        WriteFileBytes(File(), full.m_data, nCut);
        m_shell.ExpectBox("Data file ModuleTypes.dat is damaged or incomplete. The module types "
                          "read before the damage are kept.");
        EXPECT_FALSE(types.Load()) << nCut;
        int nWhole = nCut < 8 ? 0 : static_cast<int>((nCut - 8) / nRecord);
        EXPECT_EQ(std::min(nWhole, 2), types.GetCount()) << nCut;
        EXPECT_EQ(nCut, fs::file_size(File())) << "the damaged file is left as it is";
    }
}

TEST_F(ModuleTypesTest, ACountBeyondTheRecordsIsDamageNotAHang) {
    CBytes file = LibraryBytes(0, ThreeTypes());
    file.m_data[4] = 0xFF;
    file.m_data[5] = 0xFF;
    file.m_data[6] = 0xFF;
    file.m_data[7] = 0x7F;
    WriteFileBytes(File(), file.m_data);
    m_shell.ExpectBox("Data file ModuleTypes.dat is damaged or incomplete. The module types read "
                      "before the damage are kept.");
    CModuleTypes types(m_dir.Str(), m_shell);
    EXPECT_EQ(3, types.GetCount());
}

TEST_F(ModuleTypesTest, UnreadableAndUnwritableFiles) {
    fs::create_directory(File());
    m_shell.ExpectBox("Could not read data file ModuleTypes.dat. The file is left as it is and "
                      "the default values are used.");
    CModuleTypes types(m_dir.Str(), m_shell);
    EXPECT_TRUE(fs::is_directory(File()));
    m_shell.ExpectBox("Could not open/create data file ModuleTypes.dat\nIs a directory");
    EXPECT_FALSE(types.Save());
}

// Identifiers are 16 bits, so no library holds more than 32767 types: the
// ones that fit are read (in time proportional to their number) and the
// rest is reported as damage, not as memory running out.
TEST_F(ModuleTypesTest, ACountBeyondWhatIdentifiersHoldIsDamage) {
    std::vector<CTypeFields> aTypes(40000);
    WriteFileBytes(File(), LibraryBytes(0, aTypes).m_data);
    m_shell.ExpectBox("Data file ModuleTypes.dat is damaged or incomplete. The module types read "
                      "before the damage are kept.");
    CModuleTypes types(m_dir.Str(), m_shell);
    EXPECT_EQ(32767, types.GetCount());
    EXPECT_EQ(32767, types.GetTypeId());
    EXPECT_EQ(1u, m_shell.m_aBoxes.size());
}

// Records whose channel flags are not 0 or 1, or a negative count, come
// from a file of another kind.
TEST_F(ModuleTypesTest, ImplausibleRecordsAndCountsAreDamage) {
    std::vector<CTypeFields> aTypes = ThreeTypes();
    aTypes[1].abSwitch[4] = 2;
    CBytes badFlag = LibraryBytes(0, aTypes);
    CBytes negative = LibraryBytes(0, ThreeTypes());
    negative.m_data[7] = 0x80;
    struct Case {
        const char* szWhat;
        std::vector<unsigned char> data;
        int nKept;
    };
    for (const Case& c :
         {Case{"flag of 2", badFlag.m_data, 1}, Case{"negative count", negative.m_data, 0}}) {
        WriteFileBytes(File(), c.data);
        m_shell.ExpectBox("Data file ModuleTypes.dat is damaged or incomplete. The module types "
                          "read before the damage are kept.");
        CModuleTypes types(m_dir.Str(), m_shell);
        EXPECT_EQ(c.nKept, types.GetCount()) << c.szWhat;
    }
}

TEST_F(ModuleTypesTest, DeletingTheLargestIdentifierLetsTheNextTypeReuseIt) {
    CModuleTypes types(m_dir.Str(), m_shell);
    types.AddType();
    ModuleType* pSecond = types.AddType();
    types.DeleteType(pSecond);
    EXPECT_EQ(2, types.AddType()->m_nId);
}
