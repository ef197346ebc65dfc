#include "DvxSimProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using Clock = std::chrono::steady_clock;

CDvxSimProcess::CDvxSimProcess(const std::string& strLink, const std::vector<std::string>& astrArgs,
                               bool bOpenLine)
    : m_bOpenLine(bOpenLine) {
    std::vector<std::string> astrArgv = {DVXSIM_PATH, "--link", strLink};
    astrArgv.insert(astrArgv.end(), astrArgs.begin(), astrArgs.end());
    std::vector<char*> apArgv;
    for (std::string& strArg : astrArgv) {
        apArgv.push_back(strArg.data());
    }
    apArgv.push_back(nullptr);
    int afdIn[2];
    int afdOut[2];
    if (pipe2(afdIn, O_CLOEXEC) != 0 || pipe2(afdOut, O_CLOEXEC) != 0) {
        return;
    }
    m_nPid = fork();
    if (m_nPid == 0) {
        dup2(afdIn[0], STDIN_FILENO);
        dup2(afdOut[1], STDOUT_FILENO);
        execv(apArgv[0], apArgv.data());
        _exit(127);
    }
    close(afdIn[0]);
    close(afdOut[1]);
    m_fdIn = afdIn[1];
    m_fdOut = afdOut[0];
    m_strTerminal = ReadOutputLine();
    if (!bOpenLine) {
        return;
    }
    m_fdLine = open(strLink.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios settings{};
    if (m_fdLine >= 0 && tcgetattr(m_fdLine, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(m_fdLine, TCSANOW, &settings);
    }
}

CDvxSimProcess::~CDvxSimProcess() {
    if (m_nPid > 0 && !m_bExited) {
        Terminate();
        if (WaitExit() < 0) {
            kill(m_nPid, SIGKILL);
            waitpid(m_nPid, nullptr, 0);
        }
    }
    for (int fd : {m_fdIn, m_fdOut, m_fdLine}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

void CDvxSimProcess::Send(const std::string& strFrame) {
    const std::string strText = strFrame + "\r";
    [[maybe_unused]] const ssize_t nWritten = write(m_fdLine, strText.data(), strText.size());
}

std::string CDvxSimProcess::ReadAnswer(Duration deadline) {
    const auto until = Clock::now() + deadline;
    std::string strLine;
    for (int c; (c = ReadChar(m_fdLine, until)) >= 0;) {
        if (c == '\n') {
            if (!strLine.empty() && strLine.back() == '\r') {
                strLine.pop_back();
            }
            // Status lines end in a carriage return alone: drop any before
            // the answer.
            return strLine.substr(strLine.rfind('\r') + 1);
        }
        strLine += static_cast<char>(c);
    }
    return "(timeout)";
}

std::string CDvxSimProcess::ReadUntilCr(Duration deadline) {
    const auto until = Clock::now() + deadline;
    std::string strLine;
    for (int c; (c = ReadChar(m_fdLine, until)) >= 0;) {
        if (c == '\r') {
            return strLine;
        }
        if (c != '\n') {
            strLine += static_cast<char>(c);
        }
    }
    return "(timeout)";
}

std::string CDvxSimProcess::Collect(Duration duration) {
    const auto until = Clock::now() + duration;
    std::string strText;
    for (int c; (c = ReadChar(m_fdLine, until)) >= 0;) {
        strText += static_cast<char>(c);
    }
    return strText;
}

bool CDvxSimProcess::WaitLineClosed(Duration deadline) {
    const auto until = Clock::now() + deadline;
    while (Clock::now() < until) {
        pollfd poll{m_fdLine, POLLIN, 0};
        if (::poll(&poll, 1, 20) > 0) {
            char acBuffer[256];
            const ssize_t nRead = read(m_fdLine, acBuffer, sizeof acBuffer);
            if (nRead <= 0 || (poll.revents & POLLHUP) != 0) {
                return true;
            }
        }
        if (WaitExit(Duration(0)) >= 0) {
            return true;
        }
    }
    return false;
}

std::string CDvxSimProcess::Console(const std::string& strCommand) {
    const std::string strText = strCommand + "\n";
    [[maybe_unused]] const ssize_t nWritten = write(m_fdIn, strText.data(), strText.size());
    return ReadOutputLine();
}

std::string CDvxSimProcess::ConsoleUntil(const std::string& strCommand,
                                         const std::string& strWanted, Duration deadline) {
    const auto until = Clock::now() + deadline;
    std::string strReply = Console(strCommand);
    while (strReply != strWanted && Clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        strReply = Console(strCommand);
    }
    return strReply;
}

std::string CDvxSimProcess::ReadOutputLine(Duration deadline) {
    const auto until = Clock::now() + deadline;
    std::string strLine;
    for (int c; (c = ReadChar(m_fdOut, until)) >= 0;) {
        if (c == '\n') {
            return strLine;
        }
        strLine += static_cast<char>(c);
    }
    return "(timeout)";
}

void CDvxSimProcess::Terminate() {
    if (m_nPid > 0 && !m_bExited) {
        kill(m_nPid, SIGTERM);
    }
}

int CDvxSimProcess::WaitExit(Duration deadline) {
    const auto until = Clock::now() + deadline;
    do {
        int nStatus = 0;
        if (m_bExited) {
            return m_nExitStatus;
        }
        if (waitpid(m_nPid, &nStatus, WNOHANG) == m_nPid) {
            m_bExited = true;
            m_nExitStatus = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 128 + WTERMSIG(nStatus);
            return m_nExitStatus;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (Clock::now() < until);
    return -1;
}

int CDvxSimProcess::ReadChar(int fd, Clock::time_point until) {
    for (;;) {
        const auto left = std::chrono::duration_cast<Duration>(until - Clock::now()).count();
        pollfd poll{fd, POLLIN, 0};
        if (left < 0 || ::poll(&poll, 1, static_cast<int>(left)) <= 0) {
            return -1;
        }
        unsigned char c = 0;
        const ssize_t nRead = read(fd, &c, 1);
        if (nRead == 1) {
            return c;
        }
        if (nRead == 0 || (errno != EINTR && errno != EAGAIN)) {
            return -1;
        }
    }
}
