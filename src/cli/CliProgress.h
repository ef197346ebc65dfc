#pragma once

#include <chrono>
#include <ostream>
#include <string>

// Progress of a long exchange on the error stream: the frames done of the
// sequence's total and the time left, as the protocol object reckons them
// for the window's wait indicator. On a terminal it is one line that keeps
// being rewritten; elsewhere (a log, a pipe) a plain line now and then.
class CCliProgress {
public:
    using Clock = std::chrono::steady_clock;

    CCliProgress(std::ostream& err, bool bTerminal, bool bQuiet)
        : m_err(err), m_bTerminal(bTerminal), m_bQuiet(bQuiet) {}

    void Start(const std::string& strWhat);
    // The protocol object's figures after a frame.
    void Show(int nDone, int nTotal, std::chrono::milliseconds timeLeft);
    // Ends the line; the last figures are printed once more.
    void Finish();

    // "12 of 2037 frames, about 1:05 left"
    static std::string Text(int nDone, int nTotal, std::chrono::milliseconds timeLeft);

private:
    void Print(bool bFinal);

    std::ostream& m_err;
    bool m_bTerminal;
    bool m_bQuiet;
    std::string m_strWhat;
    int m_nTotal = 0;
    int m_nDone = 0;
    std::chrono::milliseconds m_timeLeft{0};
    bool m_bStarted = false;
    bool m_bShown = false;
    Clock::time_point m_lastPrint;
    std::size_t m_nLastLength = 0;
};
