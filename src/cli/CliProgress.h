#pragma once

#include <chrono>
#include <ostream>
#include <string>

// Progress of a long exchange on the error stream: frames done of the
// total and the time left. On a terminal it is one line that keeps being
// rewritten; elsewhere (a log, a pipe) a plain line now and then.
class CCliProgress {
public:
    using Clock = std::chrono::steady_clock;

    CCliProgress(std::ostream& err, bool bTerminal, bool bQuiet)
        : m_err(err), m_bTerminal(bTerminal), m_bQuiet(bQuiet) {}

    void Start(const std::string& strWhat, int nTotal);
    void Frame();
    // Ends the line; the last figures are printed once more.
    void Finish();

    // "12 of 2037 frames, about 1:05 left"
    static std::string Text(int nDone, int nTotal, Clock::duration elapsed);

private:
    void Print(bool bFinal);

    std::ostream& m_err;
    bool m_bTerminal;
    bool m_bQuiet;
    std::string m_strWhat;
    int m_nTotal = 0;
    int m_nDone = 0;
    bool m_bStarted = false;
    Clock::time_point m_start;
    Clock::time_point m_lastPrint;
    std::size_t m_nLastLength = 0;
};
