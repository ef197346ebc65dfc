#include "SerialLine.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

std::string SystemError(const std::string& strWhat) {
    return strWhat + ": " + std::strerror(errno);
}

} // namespace

bool CSerialLine::OpenPseudoTerminal(const std::string& strLink, std::string& strError) {
    m_fd = posix_openpt(O_RDWR | O_NOCTTY);
    char szName[128];
    if (m_fd < 0 || grantpt(m_fd) != 0 || unlockpt(m_fd) != 0 ||
        ptsname_r(m_fd, szName, sizeof szName) != 0) {
        strError = SystemError("cannot open a pseudo-terminal");
        Close();
        return false;
    }
    m_strPath = szName;
    m_fdKeep = open(szName, O_RDWR | O_NOCTTY);
    if (m_fdKeep < 0) {
        strError = SystemError("cannot open " + m_strPath);
        Close();
        return false;
    }
    if (!MakeRaw(m_fdKeep, strError) || fcntl(m_fd, F_SETFL, O_NONBLOCK) != 0 ||
        (!strLink.empty() && !MakeLink(strLink, strError))) {
        Close();
        return false;
    }
    return true;
}

bool CSerialLine::OpenDevice(const std::string& strDevice, std::string& strError) {
    m_fd = open(strDevice.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0) {
        strError = SystemError("cannot open " + strDevice);
        return false;
    }
    m_strPath = strDevice;
    if (!MakeRaw(m_fd, strError)) {
        Close();
        return false;
    }
    return true;
}

void CSerialLine::Close() {
    if (!m_strLink.empty()) {
        char szTarget[256] = {};
        const ssize_t nLength = readlink(m_strLink.c_str(), szTarget, sizeof szTarget - 1);
        if (nLength > 0 && m_strPath == szTarget) {
            unlink(m_strLink.c_str());
        }
        m_strLink.clear();
    }
    for (int* pFd : {&m_fd, &m_fdKeep}) {
        if (*pFd >= 0) {
            close(*pFd);
            *pFd = -1;
        }
    }
}

int CSerialLine::PendingOutput() const {
    int nPending = 0;
    const bool bAsked = m_fdKeep >= 0 ? ioctl(m_fdKeep, TIOCINQ, &nPending) == 0
                                      : ioctl(m_fd, TIOCOUTQ, &nPending) == 0;
    return bAsked ? nPending : 0;
}

bool CSerialLine::MakeRaw(int fd, std::string& strError) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        strError = SystemError("cannot read the line settings");
        return false;
    }
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD | CSTOPB;
    settings.c_cflag &= ~(PARENB | CRTSCTS);
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    if (tcsetattr(fd, TCSANOW, &settings) != 0) {
        strError = SystemError("cannot set the line to 9600,N,8,2");
        return false;
    }
    return true;
}

bool CSerialLine::MakeLink(const std::string& strLink, std::string& strError) {
    struct stat status {};
    if (lstat(strLink.c_str(), &status) == 0) {
        if (!S_ISLNK(status.st_mode)) {
            strError = strLink + " exists and is not a symbolic link; not replacing it";
            return false;
        }
        unlink(strLink.c_str());
    }
    if (symlink(m_strPath.c_str(), strLink.c_str()) != 0) {
        strError = SystemError("cannot make the link " + strLink);
        return false;
    }
    m_strLink = strLink;
    return true;
}
