#pragma once

#include <chrono>
#include <string>
#include <vector>

// Runs the dvxsim program linked into a folder and talks to it as the PC
// does: frames over the pseudo-terminal, commands over its standard input.
// Every read waits with a deadline, so a silent controller fails the test
// instead of hanging it.
class CDvxSimProcess {
public:
    using Duration = std::chrono::milliseconds;
    static constexpr Duration kDeadline{3000};

    // Starts dvxsim with --link strLink and the extra arguments, waits for
    // its first line and, unless someone else is to use the line, opens the
    // link raw.
    CDvxSimProcess(const std::string& strLink, const std::vector<std::string>& astrArgs = {},
                   bool bOpenLine = true);
    CDvxSimProcess(const CDvxSimProcess&) = delete;
    CDvxSimProcess& operator=(const CDvxSimProcess&) = delete;
    // Stops it with SIGTERM (and SIGKILL if it lingers).
    ~CDvxSimProcess();

    // Whether it printed its terminal and the line, if wanted, is open.
    bool IsStarted() const {
        return m_strTerminal.rfind("/dev/", 0) == 0 && (m_fdLine >= 0 || !m_bOpenLine);
    }
    // The first line dvxsim printed: the terminal it serves.
    const std::string& TerminalPath() const { return m_strTerminal; }

    void Send(const std::string& strFrame);
    // Everything up to the next line feed, the carriage return and line feed
    // removed; "(timeout)" when none comes.
    std::string ReadAnswer(Duration deadline = kDeadline);
    std::string Exchange(const std::string& strFrame) {
        Send(strFrame);
        return ReadAnswer();
    }
    // Everything up to the next carriage return (line feeds dropped).
    std::string ReadUntilCr(Duration deadline = kDeadline);
    // Everything that arrives within the time given.
    std::string Collect(Duration duration);
    // Reads until the line is closed by dvxsim; true when it was.
    bool WaitLineClosed(Duration deadline = kDeadline);

    // Types a command and returns the first line of the reply.
    std::string Console(const std::string& strCommand);
    // Repeats a console command until its reply equals strWanted; returns the
    // last reply.
    std::string ConsoleUntil(const std::string& strCommand, const std::string& strWanted,
                             Duration deadline = kDeadline);
    // Reads the next line dvxsim prints on standard output.
    std::string ReadOutputLine(Duration deadline = kDeadline);

    void Terminate();
    // Waits for the program to end; its exit status, or -1 on timeout.
    int WaitExit(Duration deadline = kDeadline);

private:
    // One character from fd, or -1 at the deadline or the end of the stream.
    static int ReadChar(int fd, std::chrono::steady_clock::time_point until);

    int m_nPid = -1;
    int m_fdIn = -1;
    int m_fdOut = -1;
    int m_fdLine = -1;
    bool m_bOpenLine = true;
    bool m_bExited = false;
    int m_nExitStatus = -1;
    std::string m_strTerminal;
};
