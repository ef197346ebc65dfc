#include "model/DataFile.h"
#include "model/FileLayout.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::vector<unsigned char> kOld(10, 'o');
const std::vector<unsigned char> kNew(200000, 'n');

// The number of a process that has ended.
long EndedProcess() {
    pid_t nPid = fork();
    if (nPid == 0)
        _exit(0);
    waitpid(nPid, nullptr, 0);
    return nPid;
}

std::vector<std::string> FileNames(const CTempDir& dir) {
    std::vector<std::string> astrNames;
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        astrNames.push_back(entry.path().filename().string());
    std::sort(astrNames.begin(), astrNames.end());
    return astrNames;
}

} // namespace

TEST(DataFile, TemporaryFilesNameTheirWriter) {
    std::string strTemp = CDataFile::TemporaryPath("/launch/SYSTEM6C.DAT", 4242, 17);
    EXPECT_EQ(fs::path(strTemp).parent_path(), "/launch");
    EXPECT_EQ(CDataFile::TemporaryOwner(fs::path(strTemp).filename().string()), 4242);
    for (const char* szName :
         {"SYSTEM6C.DAT", ".SYSTEM6C.DAT.tmp", "notes.corvel-12-3.tmp", ".a.corvel-x-3.tmp",
          ".a.corvel-12-.tmp", ".a.corvel-0-1.tmp", ".a.corvel-12-3.tmp~"})
        EXPECT_EQ(CDataFile::TemporaryOwner(szName), std::nullopt) << szName;
}

// Only temporary files whose writer has gone are removed; a live writer's
// and every other file stay.
TEST(DataFile, StartRemovesOnlyTemporaryFilesOfEndedProcesses) {
    CTempDir dir;
    const std::string strTarget = dir.File("SYSTEM6C.DAT");
    const std::string strOrphan = CDataFile::TemporaryPath(strTarget, EndedProcess(), 1);
    const std::string strOwn = CDataFile::TemporaryPath(strTarget, getpid(), 2);
    for (const std::string& strPath : {strOrphan, strOwn, dir.File("notes.tmp"), strTarget})
        WriteFileBytes(strPath, kOld);
    EXPECT_EQ(CDataFile::RemoveOrphans(dir.Str()), 1);
    EXPECT_FALSE(fs::exists(strOrphan));
    EXPECT_TRUE(fs::exists(strOwn));
    EXPECT_TRUE(fs::exists(dir.File("notes.tmp")));
    EXPECT_TRUE(fs::exists(strTarget));
}

// A write beyond the file-size limit fails with its reason, like a full
// disk, leaves the old file and no temporary file, and does not end the
// program.
TEST(DataFile, FileSizeLimitFailsTheWriteInsteadOfEndingTheProgram) {
    CTempDir dir;
    WriteFileBytes(dir.File("BUS.DVX"), kOld);
    std::error_code error;
    {
        CFileSizeLimit limit(64 * 1024);
        EXPECT_FALSE(CDataFile::Write(dir.File("BUS.DVX"), kNew, error));
    }
    EXPECT_EQ(error, std::errc::file_too_large);
    EXPECT_EQ(ReadFileBytes(dir.File("BUS.DVX")), kOld);
    EXPECT_EQ(FileNames(dir), std::vector<std::string>{"BUS.DVX"});
}

// Read-only is judged by the mode bits, so it holds for the administrator
// too; the file stays as it was.
TEST(DataFile, ReadOnlyFileIsRefusedEvenForTheAdministrator) {
    CTempDir dir;
    WriteFileBytes(dir.File("SYSTEM6C.DAT"), kOld);
    fs::permissions(dir.File("SYSTEM6C.DAT"), fs::perms(0444));
    std::error_code error;
    EXPECT_FALSE(CDataFile::Write(dir.File("SYSTEM6C.DAT"), kNew, error));
    EXPECT_EQ(error, std::errc::permission_denied);
    EXPECT_EQ(ReadFileBytes(dir.File("SYSTEM6C.DAT")), kOld);
    EXPECT_EQ(fs::status(dir.File("SYSTEM6C.DAT")).permissions(), fs::perms(0444));
    EXPECT_EQ(FileNames(dir), std::vector<std::string>{"SYSTEM6C.DAT"});

    fs::permissions(dir.File("SYSTEM6C.DAT"), fs::perms(0400));
    EXPECT_FALSE(CDataFile::Write(dir.File("SYSTEM6C.DAT"), kNew, error));
    fs::permissions(dir.File("SYSTEM6C.DAT"), fs::perms(0640));
    EXPECT_TRUE(CDataFile::Write(dir.File("SYSTEM6C.DAT"), kNew, error));
}

TEST(DataFile, LinkLoopIsRefusedAndKept) {
    CTempDir dir;
    fs::create_symlink("B.DAT", dir.File("A.DAT"));
    fs::create_symlink("A.DAT", dir.File("B.DAT"));
    std::error_code error;
    EXPECT_FALSE(CDataFile::Write(dir.File("A.DAT"), kNew, error));
    EXPECT_EQ(error, std::errc::too_many_symbolic_link_levels);
    EXPECT_TRUE(fs::is_symlink(dir.File("A.DAT")));
    EXPECT_TRUE(fs::is_symlink(dir.File("B.DAT")));
    EXPECT_EQ(FileNames(dir), (std::vector<std::string>{"A.DAT", "B.DAT"}));
}

TEST(DataFile, CopyReplacesTheOldCopyOnlyWhenWhole) {
    CTempDir dir;
    WriteFileBytes(dir.File("SYSTEM6C.DAT"), kNew);
    WriteFileBytes(dir.File("SYSTEM6C.BAK"), kOld);
    std::error_code error;
    {
        CFileSizeLimit limit(64 * 1024);
        EXPECT_FALSE(CDataFile::Copy(dir.File("SYSTEM6C.DAT"), dir.File("SYSTEM6C.BAK"), error));
    }
    EXPECT_EQ(error, std::errc::file_too_large);
    EXPECT_EQ(ReadFileBytes(dir.File("SYSTEM6C.BAK")), kOld);
    EXPECT_TRUE(CDataFile::Copy(dir.File("SYSTEM6C.DAT"), dir.File("SYSTEM6C.BAK"), error));
    EXPECT_EQ(ReadFileBytes(dir.File("SYSTEM6C.BAK")), kNew);
    EXPECT_FALSE(CDataFile::Copy(dir.File("NONE.DAT"), dir.File("SYSTEM6C.BAK"), error));
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

TEST(DataFile, CreateFailedTextAddsTheReasonOnASecondLine) {
    EXPECT_EQ(CDataFile::CreateFailedText("PARAM1A.DAT",
                                          std::make_error_code(std::errc::no_space_on_device)),
              "Could not open/create data file PARAM1A.DAT\nNo space left on device");
    EXPECT_EQ(CDataFile::CreateFailedText("PARAM1A.DAT", {}),
              "Could not open/create data file PARAM1A.DAT");
}
