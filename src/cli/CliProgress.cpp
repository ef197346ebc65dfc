#include "cli/CliProgress.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr auto kTerminalPeriod = std::chrono::milliseconds(200);
constexpr auto kPlainPeriod = std::chrono::seconds(10);

} // namespace

void CCliProgress::Start(const std::string& strWhat) {
    m_strWhat = strWhat;
    m_nTotal = m_nDone = 0;
    m_timeLeft = {};
    m_bStarted = true;
    m_bShown = false;
    m_lastPrint = Clock::now();
}

void CCliProgress::Show(int nDone, int nTotal, std::chrono::milliseconds timeLeft) {
    // A sequence that stopped early ends with the frames it sent as its
    // total; the count keeps the one it set out with.
    m_nDone = nDone;
    m_nTotal = std::max(m_nTotal, nTotal);
    m_timeLeft = timeLeft;
    m_bShown = true;
    if (!m_bStarted || m_bQuiet)
        return;
    auto now = Clock::now();
    if (now - m_lastPrint < (m_bTerminal ? kTerminalPeriod : kPlainPeriod))
        return;
    m_lastPrint = now;
    Print(false);
}

// A command that never reached its sequence (the port did not open) has no
// figures to print.
void CCliProgress::Finish() {
    if (!m_bStarted || m_bQuiet || !m_bShown)
        return;
    Print(true);
    m_bStarted = false;
}

void CCliProgress::Print(bool bFinal) {
    std::string strLine = m_strWhat + ": " + Text(m_nDone, m_nTotal, m_timeLeft);
    if (!m_bTerminal) {
        m_err << strLine << "\n" << std::flush;
        return;
    }
    std::size_t nLength = strLine.size();
    strLine.append(m_nLastLength > nLength ? m_nLastLength - nLength : 0, ' ');
    m_nLastLength = nLength;
    m_err << "\r" << strLine << (bFinal ? "\n" : "") << std::flush;
}

std::string CCliProgress::Text(int nDone, int nTotal, std::chrono::milliseconds timeLeft) {
    std::string strText =
        std::to_string(nDone) + " of " + std::to_string(std::max(nDone, nTotal)) + " frames";
    if (nDone >= nTotal || timeLeft.count() <= 0)
        return strText;
    const long long nLeft = std::chrono::ceil<std::chrono::seconds>(timeLeft).count();
    char szLeft[48];
    std::snprintf(szLeft, sizeof szLeft, ", about %lld:%02lld left", nLeft / 60, nLeft % 60);
    return strText + szLeft;
}
