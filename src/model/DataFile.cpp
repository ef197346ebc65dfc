#include "model/DataFile.h"

#include <cerrno>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinks = 40;

bool WriteAll(int fd, const std::vector<unsigned char>& data) {
    std::size_t nDone = 0;
    while (nDone < data.size()) {
        ssize_t nWritten = ::write(fd, data.data() + nDone, data.size() - nDone);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
            return false;
        nDone += static_cast<std::size_t>(nWritten);
    }
    return true;
}

// Creates a fresh temporary file beside the target; returns -1 on failure.
int CreateTemporary(const fs::path& target, std::string& strTemp) {
    std::random_device random;
    for (int nTry = 0; nTry < 16; ++nTry) {
        std::string strName = target.filename().string();
        strName.insert(0, 1, '.');
        strName.append(".tmp").append(std::to_string(random()));
        strTemp = (target.parent_path() / strName).string();
        int fd = ::open(strTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void SyncFolder(const fs::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

CDataFile::EReadResult CDataFile::Read(const std::string& strPath,
                                       std::vector<unsigned char>& data) {
    std::error_code error;
    fs::file_status status = fs::status(strPath, error);
    if (status.type() == fs::file_type::not_found)
        return EReadResult::Missing;
    // Folders, pipes and devices are not data files; a pipe would block.
    if (error || status.type() != fs::file_type::regular)
        return EReadResult::Unreadable;
    int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return EReadResult::Unreadable;
    data.clear();
    unsigned char buffer[65536];
    ssize_t nRead = 0;
    while ((nRead = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead < 0)
            break;
        data.insert(data.end(), buffer, buffer + nRead);
    }
    ::close(fd);
    return nRead < 0 ? EReadResult::Unreadable : EReadResult::Ok;
}

std::string CDataFile::FollowLinks(const std::string& strPath) {
    fs::path path(strPath);
    std::error_code error;
    for (int i = 0; i < kMaxLinks && fs::is_symlink(path, error); ++i) {
        fs::path target = fs::read_symlink(path, error);
        if (error)
            break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path.string();
}

bool CDataFile::Write(const std::string& strPath, const std::vector<unsigned char>& data) {
    fs::path target(FollowLinks(strPath));
    struct stat old {};
    bool bExists = ::stat(target.c_str(), &old) == 0;
    if (bExists && !S_ISREG(old.st_mode))
        return false;
    std::string strTemp;
    int fd = CreateTemporary(target, strTemp);
    if (fd < 0)
        return false;
    bool bOk = WriteAll(fd, data) && (!bExists || ::fchmod(fd, old.st_mode & 07777) == 0) &&
               ::fsync(fd) == 0;
    bOk = ::close(fd) == 0 && bOk;
    bOk = bOk && ::rename(strTemp.c_str(), target.c_str()) == 0;
    if (!bOk) {
        ::unlink(strTemp.c_str());
        return false;
    }
    SyncFolder(target.parent_path());
    return true;
}

std::string CDataFile::DamagedText(const std::string& strName) {
    return "Data file " + strName + " is damaged or incomplete. The default values are used.";
}

std::string CDataFile::UnreadableText(const std::string& strName) {
    return "Could not read data file " + strName +
           ". The file is left as it is and the default values are used.";
}

std::string CDataFile::CreateFailedText(const std::string& strName) {
    return "Could not open/create data file " + strName;
}
