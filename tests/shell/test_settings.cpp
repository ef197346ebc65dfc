#include "model/Archive.h"
#include "model/FileLayout.h"
#include "shell/Settings.h"
#include "support/ShellRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::vector<unsigned char> SettingsBytes(int16_t nPort, int16_t n1, int16_t n2,
                                         const std::string& str1, const std::string& str2) {
    CBytes out;
    out.I16(nPort);
    out.I16(n1);
    out.I16(n2);
    out.Str(str1);
    out.Str(str2);
    return out.m_data;
}

} // namespace

TEST(Settings, AMissingFileIsCreatedFromTheDefaults) {
    CTempDir dir;
    CShellRecorder shell;
    CSettings param(dir.Str(), shell);
    EXPECT_EQ(1, param.GetCommPort());
    EXPECT_EQ(SettingsBytes(1, 0, 0, "", ""), ReadFileBytes(dir.File("PARAM1A.DAT")));
}

TEST(Settings, RoundTripKeepsEveryValue) {
    CTempDir dir;
    std::string strLong(300, 'r');
    WriteFileBytes(dir.File("PARAM1A.DAT"), SettingsBytes(3, -5, 77, "abc", strLong));
    CShellRecorder shell;
    CSettings param(dir.Str(), shell);
    EXPECT_EQ(3, param.GetCommPort());
    EXPECT_EQ(-5, param.GetReserved1());
    EXPECT_EQ(77, param.GetReserved2());
    EXPECT_EQ("abc", param.GetReservedText1());
    EXPECT_EQ(strLong, param.GetReservedText2());

    param.SetCommPort(4);
    ASSERT_TRUE(param.Save());
    EXPECT_EQ(SettingsBytes(4, -5, 77, "abc", strLong), ReadFileBytes(dir.File("PARAM1A.DAT")));
    fs::remove(dir.File("PARAM1A.DAT"));
    EXPECT_FALSE(fs::exists(dir.File("PARAM1A.DAT"))) << "nothing is written at destruction";
}

TEST(Settings, DamagedFilesGiveTheDefaults) {
    std::vector<unsigned char> full = SettingsBytes(2, 9, 9, "xyz", "");
    CTempDir dir;
    CShellRecorder shell;
    CSettings param(dir.Str(), shell);
    for (std::size_t nCut = 0; nCut < full.size(); ++nCut) {
        WriteFileBytes(dir.File("PARAM1A.DAT"), full, nCut);
        param.SetCommPort(4);
        shell.ExpectBox("Data file PARAM1A.DAT is damaged or incomplete. The default values are "
                        "used.");
        EXPECT_FALSE(param.Load()) << nCut;
        EXPECT_EQ(1, param.GetCommPort()) << nCut;
        EXPECT_EQ(0, param.GetReserved1()) << nCut;
        EXPECT_EQ("", param.GetReservedText1()) << nCut;
        EXPECT_EQ(nCut, fs::file_size(dir.File("PARAM1A.DAT"))) << "the damaged file stays";
    }
}

TEST(Settings, UnreadableAndUnwritableFiles) {
    CTempDir dir;
    fs::create_directory(dir.Path() / "PARAM1A.DAT");
    CShellRecorder shell;
    shell.ExpectBox("Could not read data file PARAM1A.DAT. The file is left as it is and the "
                    "default values are used.");
    CSettings param(dir.Str(), shell);
    EXPECT_TRUE(fs::is_directory(dir.Path() / "PARAM1A.DAT"));
    EXPECT_EQ(1, param.GetCommPort());
    shell.ExpectBox("Could not open/create data file PARAM1A.DAT\nIs a directory");
    EXPECT_FALSE(param.Save());
}

// The settings file has no header: a port the port dialog would not accept
// marks a file of another kind, which is reported like a damaged one.
TEST(Settings, APortOutsideTheDialogsRangeIsDamage) {
    for (int16_t nPort : std::initializer_list<int16_t>{0, 5, 17791, -1}) {
        CTempDir dir;
        CBytes file;
        file.I16(nPort);
        file.I16(0);
        file.I16(0);
        file.Str("");
        file.Str("");
        WriteFileBytes(dir.File("PARAM1A.DAT"), file.m_data);
        CShellRecorder shell;
        shell.ExpectBox(
            "Data file PARAM1A.DAT is damaged or incomplete. The default values are used.");
        CSettings param(dir.Str(), shell);
        EXPECT_EQ(1, param.GetCommPort()) << nPort;
        EXPECT_EQ(1u, shell.m_aBoxes.size()) << nPort;
    }
}
