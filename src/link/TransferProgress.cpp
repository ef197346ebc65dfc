#include "link/TransferProgress.h"

#include <algorithm>

std::chrono::duration<double> CTransferProgress::WireTime(std::size_t nBytes) {
    return std::chrono::duration<double>(static_cast<double>(nBytes) * kBitsPerChar / kBaud);
}

void CTransferProgress::Start(const CCount& total, Clock::time_point now) {
    m_bActive = true;
    m_total = total;
    m_nFramesDone = 0;
    m_nBytesDone = 0;
    m_nBytesSent = 0;
    m_start = now;
    m_timeLeft = std::chrono::ceil<std::chrono::milliseconds>(WireTime(total.nBytes));
}

void CTransferProgress::OnFrame(std::size_t nBytes, Clock::time_point now) {
    if (!m_bActive)
        return;
    m_nBytesDone = m_nBytesSent;
    m_nBytesSent += nBytes;
    m_nFramesDone = std::min(m_nFramesDone + 1, m_total.nFrames);
    std::size_t nLeft = m_total.nBytes > m_nBytesDone ? m_total.nBytes - m_nBytesDone : 0;
    std::chrono::duration<double> left = WireTime(nLeft);
    if (m_nBytesDone > 0) {
        std::chrono::duration<double> elapsed = now - m_start;
        left *= elapsed / WireTime(m_nBytesDone);
    }
    m_timeLeft = std::chrono::ceil<std::chrono::milliseconds>(left);
}

// A sequence that stopped early is done with the frames it sent: the bar is
// full, and the count says how many went out.
void CTransferProgress::Finish() {
    m_total.nFrames = m_nFramesDone;
    m_timeLeft = std::chrono::milliseconds{0};
    m_bActive = false;
}
