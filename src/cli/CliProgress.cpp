#include "cli/CliProgress.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr auto kTerminalPeriod = std::chrono::milliseconds(200);
constexpr auto kPlainPeriod = std::chrono::seconds(10);

} // namespace

void CCliProgress::Start(const std::string& strWhat, int nTotal) {
    m_strWhat = strWhat;
    m_nTotal = nTotal;
    m_nDone = 0;
    m_bStarted = true;
    m_start = m_lastPrint = Clock::now();
}

void CCliProgress::Frame() {
    ++m_nDone;
    if (!m_bStarted || m_bQuiet)
        return;
    auto now = Clock::now();
    if (now - m_lastPrint < (m_bTerminal ? kTerminalPeriod : kPlainPeriod))
        return;
    m_lastPrint = now;
    Print(false);
}

void CCliProgress::Finish() {
    if (!m_bStarted || m_bQuiet)
        return;
    Print(true);
    m_bStarted = false;
}

void CCliProgress::Print(bool bFinal) {
    std::string strLine = m_strWhat + ": " + Text(m_nDone, m_nTotal, Clock::now() - m_start);
    if (!m_bTerminal) {
        m_err << strLine << "\n" << std::flush;
        return;
    }
    std::size_t nLength = strLine.size();
    strLine.append(m_nLastLength > nLength ? m_nLastLength - nLength : 0, ' ');
    m_nLastLength = nLength;
    m_err << "\r" << strLine << (bFinal ? "\n" : "") << std::flush;
}

std::string CCliProgress::Text(int nDone, int nTotal, Clock::duration elapsed) {
    std::string strText =
        std::to_string(nDone) + " of " + std::to_string(std::max(nDone, nTotal)) + " frames";
    if (nDone <= 0 || nDone >= nTotal)
        return strText;
    auto nLeft =
        std::chrono::duration_cast<std::chrono::seconds>(elapsed * (nTotal - nDone) / nDone)
            .count();
    char szLeft[48];
    std::snprintf(szLeft, sizeof szLeft, ", about %lld:%02lld left",
                  static_cast<long long>(nLeft / 60), static_cast<long long>(nLeft % 60));
    return strText + szLeft;
}
