#include "link/ControllerProtocol.h"
#include "model/DataFile.h"
#include "model/FileLayout.h"
#include "model/LaunchDir.h"
#include "shell/CommandIds.h"
#include "shell/FrameFixture.h"
#include "shell/WorkingFiles.h"
#include "support/FileSizeLimit.h"

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class WorkingFilesTest : public FrameTest {
protected:
    bool Exists(const char* szName) { return std::filesystem::exists(m_dir.File(szName)); }
    // Puts a folder where a working file should be, so writing it fails.
    void Block(const char* szName) {
        std::filesystem::remove(m_dir.File(szName));
        std::filesystem::create_directory(m_dir.File(szName));
    }
    std::string ModuleLabelIn(const char* szName) {
        CShellRecorder shell;
        CSystem other(shell, m_dir.Str());
        EXPECT_TRUE(other.LoadSystemFile(szName));
        return other.GetModuleLabel(1, 0);
    }
};

} // namespace

TEST(StartUpTest, EmptyFolderGetsTheThreeWorkingFiles) {
    CTempDir dir;
    CShellRecorder shell;
    CSystem system(shell, dir.Str());
    CControllerProtocol comm(system, shell);
    CSettings param(dir.Str(), shell);
    CModuleTypes moduleTypes(dir.Str(), shell);
    QSettings profile(QString::fromStdString(dir.File("profile.ini")), QSettings::IniFormat);
    CMainFrame frame(system, param, moduleTypes, shell, profile);
    frame.SetLinkControl(&comm);
    for (const char* szName : {"SYSTEM6C.DAT", "PARAM1A.DAT", "ModuleTypes.dat"})
        EXPECT_TRUE(std::filesystem::exists(dir.File(szName))) << szName;
    EXPECT_FALSE(frame.IsPortOpen());
    EXPECT_TRUE(shell.m_aBoxes.empty());
}

TEST_F(WorkingFilesTest, ExitKeepsThePreviousSystemFileAsBackup) {
    sys.SetModuleLabel(1, 0, "SAVED WORK");
    ASSERT_TRUE(sys.SaveSystemFile(""));
    sys.ResetToDefaults();
    std::filesystem::remove(m_dir.File("PARAM1A.DAT"));
    std::filesystem::remove(m_dir.File("ModuleTypes.dat"));
    EXPECT_TRUE(CWorkingFiles::WriteAtExit(sys, m_param, m_types, m_shell));
    EXPECT_EQ("SAVED WORK", ModuleLabelIn("SYSTEM6C.BAK"));
    EXPECT_EQ(CSystem::DefaultModuleLabel(1, 0), ModuleLabelIn("SYSTEM6C.DAT"));
    for (const char* szName : {"PARAM1A.DAT", "ModuleTypes.dat", "Corvel_SS.VTS"})
        EXPECT_TRUE(Exists(szName)) << szName;
}

TEST_F(WorkingFilesTest, ExitWritesTheOtherFilesWhenTheBackupFails) {
    Block("SYSTEM6C.BAK");
    sys.SetModuleLabel(1, 0, "LATEST");
    m_shell.ExpectBox("Could not keep the previous SYSTEM6C.DAT as SYSTEM6C.BAK.\nIs a directory");
    EXPECT_FALSE(CWorkingFiles::WriteAtExit(sys, m_param, m_types, m_shell));
    EXPECT_EQ("LATEST", ModuleLabelIn("SYSTEM6C.DAT"));
}

TEST_F(WorkingFilesTest, SaveCurrentWorkWritesTheThreeFiles) {
    sys.SetModified();
    frame.UpdateTitle();
    for (const char* szName : {"SYSTEM6C.DAT", "PARAM1A.DAT", "ModuleTypes.dat"})
        std::filesystem::remove(m_dir.File(szName));
    Trigger(ID_SAVE_CURRENT_WORK);
    for (const char* szName : {"SYSTEM6C.DAT", "PARAM1A.DAT", "ModuleTypes.dat"})
        EXPECT_TRUE(Exists(szName)) << szName;
    EXPECT_EQ((std::vector<std::string>{"System files written"}), m_shell.m_astrStatus);
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ("CorvelII 6.63 [  ]", frame.windowTitle().toStdString());
}

TEST_F(WorkingFilesTest, SaveCurrentWorkNamesWhatItCouldNotWrite) {
    Block("SYSTEM6C.DAT");
    Block("ModuleTypes.dat");
    m_shell.AnswerBox(EBoxAnswer::Ok);
    m_shell.AnswerBox(EBoxAnswer::Ok);
    Trigger(ID_SAVE_CURRENT_WORK);
    EXPECT_EQ((std::vector<std::string>{"Could not write SYSTEM6C.DAT, ModuleTypes.dat"}),
              m_shell.m_astrStatus);
    EXPECT_TRUE(Exists("PARAM1A.DAT"));
}

TEST_F(WorkingFilesTest, ModuleLibraryCommandsReadAndWriteTheLibraryFile) {
    m_types.AddType();
    Trigger(ID_WRITE_MODULE_LIBRARY);
    m_types.AddType();
    EXPECT_EQ(2, m_types.GetCount());
    Trigger(ID_READ_MODULE_LIBRARY);
    EXPECT_EQ(1, m_types.GetCount());
}

// The backup is written like every other file: a write cut short (here by
// the file-size limit) leaves the earlier backup whole and says why.
TEST_F(WorkingFilesTest, AnExitCutShortLeavesTheEarlierBackupWhole) {
    sys.SetModuleLabel(1, 0, "SAVED WORK");
    ASSERT_TRUE(sys.SaveSystemFile(""));
    const std::vector<unsigned char> old(100, 'b');
    WriteFileBytes(m_dir.File("SYSTEM6C.BAK"), old);
    m_shell.ExpectBox("Could not keep the previous SYSTEM6C.DAT as SYSTEM6C.BAK.\nFile too large");
    m_shell.ExpectBox("Could not open/create data file SYSTEM6C.DAT\nFile too large");
    {
        CFileSizeLimit limit(64 * 1024);
        EXPECT_FALSE(CWorkingFiles::WriteAtExit(sys, m_param, m_types, m_shell));
    }
    EXPECT_EQ(ReadFileBytes(m_dir.File("SYSTEM6C.BAK")), old);
    EXPECT_EQ("SAVED WORK", ModuleLabelIn("SYSTEM6C.DAT"));
}

// A working file made read-only, or a link loop in its place, is refused
// with the reason; both stay as they were.
TEST_F(WorkingFilesTest, AReadOnlyWorkingFileOrALinkLoopIsNotReplaced) {
    sys.SetModuleLabel(1, 0, "PROTECTED");
    ASSERT_TRUE(sys.SaveSystemFile(""));
    fs::permissions(m_dir.File("SYSTEM6C.DAT"), fs::perms(0444));
    sys.ResetToDefaults();
    m_shell.ExpectBox("Could not open/create data file SYSTEM6C.DAT\nPermission denied");
    EXPECT_FALSE(sys.SaveWorkingFiles());
    EXPECT_EQ("PROTECTED", ModuleLabelIn("SYSTEM6C.DAT"));
    EXPECT_EQ(fs::status(m_dir.File("SYSTEM6C.DAT")).permissions(), fs::perms(0444));

    fs::remove(m_dir.File("SYSTEM6C.DAT"));
    fs::create_symlink("LOOP.DAT", m_dir.File("SYSTEM6C.DAT"));
    fs::create_symlink("SYSTEM6C.DAT", m_dir.File("LOOP.DAT"));
    m_shell.ExpectBox(
        "Could not open/create data file SYSTEM6C.DAT\nToo many levels of symbolic links");
    EXPECT_FALSE(sys.SaveWorkingFiles());
    EXPECT_TRUE(fs::is_symlink(m_dir.File("SYSTEM6C.DAT")));
    EXPECT_TRUE(fs::is_symlink(m_dir.File("LOOP.DAT")));
}

// Temporary files of a run that died while writing are removed when the
// next run starts in the same folder; others' files stay.
TEST(StartUpTest, TemporaryFilesOfEndedRunsAreRemoved) {
    CTempDir dir;
    pid_t nPid = fork();
    if (nPid == 0)
        _exit(0);
    waitpid(nPid, nullptr, 0);
    const std::string strOrphan = CDataFile::TemporaryPath(dir.File("SYSTEM6C.DAT"), nPid, 9);
    WriteFileBytes(strOrphan, std::vector<unsigned char>(1000, 'x'));
    WriteFileBytes(dir.File("notes.txt"), std::vector<unsigned char>(10, 'x'));
    CShellRecorder shell;
    CSystem system(shell, dir.Str());
    EXPECT_FALSE(fs::exists(strOrphan));
    EXPECT_TRUE(fs::exists(dir.File("notes.txt")));
}

// A launch folder nobody may write in costs one box for the whole run,
// naming what will not be saved, not one for each file at start and at exit.
TEST(StartUpTest, AReadOnlyLaunchFolderIsSaidOnce) {
    CTempDir dir;
    fs::permissions(dir.Path(), fs::perms(0555));
    CShellRecorder shell;
    shell.ExpectBox(LaunchDir::kReadOnlyText + dir.Str() + "\nPermission denied" +
                    LaunchDir::kReadOnlyNotSavedText);
    {
        CSystem system(shell, dir.Str());
        CSettings param(dir.Str(), shell);
        CModuleTypes moduleTypes(dir.Str(), shell);
        system.SetModified();
        EXPECT_FALSE(CWorkingFiles::WriteAtExit(system, param, moduleTypes, shell));
    }
    fs::permissions(dir.Path(), fs::perms(0755));
    EXPECT_EQ(shell.m_aBoxes.size(), 1u);
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}
