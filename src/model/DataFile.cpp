#include "model/DataFile.h"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinks = 40;
constexpr const char* kTemporaryMark = ".corvel-";
constexpr const char* kTemporaryEnd = ".tmp";

// A write beyond the file-size limit then fails like one on a full disk
// instead of ending the program.
void IgnoreFileSizeSignal() {
    static const bool bIgnored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    (void)bIgnored;
}

std::error_code LastError() { return {errno, std::generic_category()}; }

bool WriteAll(int fd, const std::vector<unsigned char>& data, std::error_code& error) {
    std::size_t nDone = 0;
    while (nDone < data.size()) {
        ssize_t nWritten = ::write(fd, data.data() + nDone, data.size() - nDone);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten < 0) {
            error = LastError();
            return false;
        }
        if (nWritten == 0) {
            error = std::make_error_code(std::errc::no_space_on_device);
            return false;
        }
        nDone += static_cast<std::size_t>(nWritten);
    }
    return true;
}

// Creates a fresh temporary file beside the target; returns -1 on failure.
int CreateTemporary(const fs::path& target, std::string& strTemp, std::error_code& error) {
    std::random_device random;
    for (int nTry = 0; nTry < 16; ++nTry) {
        strTemp = CDataFile::TemporaryPath(target.string(), ::getpid(), random());
        int fd = ::open(strTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST) {
            error = LastError();
            return -1;
        }
    }
    error = std::make_error_code(std::errc::file_exists);
    return -1;
}

void SyncFolder(const fs::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// What stands in the way of writing the target, judged by what it is and
// by its mode bits; no error when it may be written or does not exist.
std::error_code TargetRefusal(const fs::path& target, struct stat& old, bool& bExists) {
    bExists = false;
    if (::lstat(target.c_str(), &old) != 0)
        return errno == ENOENT ? std::error_code() : LastError();
    bExists = true;
    if (S_ISLNK(old.st_mode))
        return std::make_error_code(std::errc::too_many_symbolic_link_levels);
    if (S_ISDIR(old.st_mode))
        return std::make_error_code(std::errc::is_a_directory);
    if (!S_ISREG(old.st_mode))
        return std::make_error_code(std::errc::invalid_argument);
    if ((old.st_mode & 0222) == 0)
        return std::make_error_code(std::errc::permission_denied);
    return {};
}

bool ParseNumber(const std::string& strText, long& nValue) {
    if (strText.empty() || strText.size() > 18)
        return false;
    nValue = 0;
    for (char c : strText) {
        if (c < '0' || c > '9')
            return false;
        nValue = nValue * 10 + (c - '0');
    }
    return true;
}

} // namespace

bool CDataFile::IsProcessGone(long nPid) {
    return ::kill(static_cast<pid_t>(nPid), 0) != 0 && errno == ESRCH;
}

std::error_code CDataFile::FolderRefusal(const std::string& strFolder) {
    const char* szFolder = strFolder.empty() ? "." : strFolder.c_str();
    struct stat folder {};
    if (::stat(szFolder, &folder) != 0)
        return LastError();
    if ((folder.st_mode & 0222) == 0)
        return std::make_error_code(std::errc::permission_denied);
    if (::access(szFolder, W_OK | X_OK) != 0)
        return LastError();
    return {};
}

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
    std::error_code error;
    return Write(strPath, data, error);
}

bool CDataFile::Write(const std::string& strPath, const std::vector<unsigned char>& data,
                      std::error_code& error) {
    IgnoreFileSizeSignal();
    fs::path target(FollowLinks(strPath));
    struct stat old {};
    bool bExists = false;
    error = TargetRefusal(target, old, bExists);
    if (!error)
        error = FolderRefusal(target.parent_path().string());
    if (error)
        return false;
    std::string strTemp;
    int fd = CreateTemporary(target, strTemp, error);
    if (fd < 0)
        return false;
    bool bOk = WriteAll(fd, data, error);
    if (bOk && bExists && ::fchmod(fd, old.st_mode & 07777) != 0) {
        error = LastError();
        bOk = false;
    }
    if (bOk && ::fsync(fd) != 0) {
        error = LastError();
        bOk = false;
    }
    if (::close(fd) != 0 && bOk) {
        error = LastError();
        bOk = false;
    }
    if (bOk && ::rename(strTemp.c_str(), target.c_str()) != 0) {
        error = LastError();
        bOk = false;
    }
    if (!bOk) {
        ::unlink(strTemp.c_str());
        return false;
    }
    SyncFolder(target.parent_path());
    return true;
}

bool CDataFile::Copy(const std::string& strFrom, const std::string& strTo, std::error_code& error) {
    std::vector<unsigned char> data;
    errno = 0;
    switch (Read(strFrom, data)) {
    case EReadResult::Ok:
        return Write(strTo, data, error);
    case EReadResult::Missing:
        error = std::make_error_code(std::errc::no_such_file_or_directory);
        return false;
    case EReadResult::Unreadable:
        break;
    }
    error = errno != 0 ? LastError() : std::make_error_code(std::errc::io_error);
    return false;
}

std::string CDataFile::TemporaryPath(const std::string& strTarget, long nPid, unsigned nSerial) {
    fs::path target(strTarget);
    std::string strName = "." + target.filename().string() + kTemporaryMark + std::to_string(nPid) +
                          "-" + std::to_string(nSerial) + kTemporaryEnd;
    return (target.parent_path() / strName).string();
}

std::optional<long> CDataFile::TemporaryOwner(const std::string& strFileName) {
    const std::string strEnd = kTemporaryEnd;
    if (strFileName.size() < strEnd.size() || strFileName[0] != '.' ||
        strFileName.compare(strFileName.size() - strEnd.size(), strEnd.size(), strEnd) != 0)
        return std::nullopt;
    std::size_t nMark = strFileName.rfind(kTemporaryMark);
    if (nMark == std::string::npos || nMark == 0)
        return std::nullopt;
    std::string strNumbers =
        strFileName.substr(nMark + std::char_traits<char>::length(kTemporaryMark),
                           strFileName.size() - strEnd.size() - nMark -
                               std::char_traits<char>::length(kTemporaryMark));
    std::size_t nDash = strNumbers.find('-');
    long nPid = 0;
    long nSerial = 0;
    if (nDash == std::string::npos || !ParseNumber(strNumbers.substr(0, nDash), nPid) ||
        !ParseNumber(strNumbers.substr(nDash + 1), nSerial) || nPid <= 0)
        return std::nullopt;
    return nPid;
}

int CDataFile::RemoveOrphans(const std::string& strFolder) {
    std::error_code error;
    int nRemoved = 0;
    for (fs::directory_iterator it(strFolder, error), end; !error && it != end;
         it.increment(error)) {
        std::optional<long> nOwner = TemporaryOwner(it->path().filename().string());
        if (!nOwner || *nOwner == ::getpid() || !IsProcessGone(*nOwner))
            continue;
        std::error_code removeError;
        if (it->is_regular_file(removeError) && fs::remove(it->path(), removeError))
            ++nRemoved;
    }
    return nRemoved;
}

std::string CDataFile::DamagedText(const std::string& strName) {
    return "Data file " + strName + " is damaged or incomplete. The default values are used.";
}

std::string CDataFile::UnreadableText(const std::string& strName) {
    return "Could not read data file " + strName +
           ". The file is left as it is and the default values are used.";
}

std::string CDataFile::CreateFailedText(const std::string& strName, const std::error_code& error) {
    std::string strText = "Could not open/create data file " + strName;
    if (error)
        strText += "\n" + error.message();
    return strText;
}
