#include "support/PtyPeer.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

constexpr char kQuit = 'q';
constexpr char kHangUp = 'h';
constexpr char kSay = 's';
constexpr int kHangUpPollMs = 5;

void WriteAll(int nFd, const char* pData, std::size_t nSize) {
    while (nSize > 0) {
        ssize_t nWritten = ::write(nFd, pData, nSize);
        if (nWritten <= 0)
            return;
        pData += nWritten;
        nSize -= static_cast<std::size_t>(nWritten);
    }
}

} // namespace

CPtyPeer::CPtyPeer(Answer fnAnswer, double dCharSeconds)
    : m_fnAnswer(std::move(fnAnswer)), m_charTime(dCharSeconds) {
    m_nMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_nMaster < 0 || ::grantpt(m_nMaster) != 0 || ::unlockpt(m_nMaster) != 0 ||
        ::pipe(m_anWake) != 0) {
        if (m_nMaster >= 0)
            ::close(m_nMaster);
        m_nMaster = -1;
        return;
    }
    m_strSlave = ::ptsname(m_nMaster);
    m_thread = std::thread([this] { Run(); });
}

CPtyPeer::~CPtyPeer() {
    if (m_thread.joinable()) {
        Command(kQuit);
        m_thread.join();
    }
    for (int nFd : {m_nMaster, m_anWake[0], m_anWake[1]}) {
        if (nFd >= 0)
            ::close(nFd);
    }
}

void CPtyPeer::Command(char cCommand) { WriteAll(m_anWake[1], &cCommand, 1); }

void CPtyPeer::Say(const std::string& strText) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_astrSay.push_back(strText);
    }
    Command(kSay);
}

void CPtyPeer::HangUp() { Command(kHangUp); }

std::vector<std::string> CPtyPeer::Frames() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_astrFrames;
}

std::size_t CPtyPeer::FrameCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_astrFrames.size();
}

double CPtyPeer::PeerSeconds() const { return m_dPeerSeconds.load(); }

void CPtyPeer::WritePaced(const std::string& strText, Clock::time_point& next) {
    if (m_charTime.count() <= 0.0) {
        WriteAll(m_nMaster, strText.data(), strText.size());
        return;
    }
    for (char c : strText) {
        next += std::chrono::duration_cast<Clock::duration>(m_charTime);
        std::this_thread::sleep_until(next);
        WriteAll(m_nMaster, &c, 1);
    }
}

void CPtyPeer::Answer1(const std::string& strFrame, Clock::time_point start) {
    Clock::time_point next = start;
    if (m_charTime.count() > 0.0) {
        next += std::chrono::duration_cast<Clock::duration>(m_charTime * strFrame.size());
        std::this_thread::sleep_until(next);
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_astrFrames.push_back(strFrame);
    }
    WritePaced(m_fnAnswer(strFrame), next);
    double dSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    m_dPeerSeconds.store(m_dPeerSeconds.load() + dSeconds);
}

void CPtyPeer::Run() {
    std::string strPending;
    Clock::time_point frameStart;
    bool bHungUp = false;
    for (;;) {
        pollfd aPoll[2] = {{m_anWake[0], POLLIN, 0}, {bHungUp ? -1 : m_nMaster, POLLIN, 0}};
        ::poll(aPoll, 2, -1);
        if (aPoll[0].revents & POLLIN) {
            char cCommand = 0;
            if (::read(m_anWake[0], &cCommand, 1) != 1 || cCommand == kQuit)
                return;
            if (cCommand == kHangUp && !bHungUp) {
                ::close(m_nMaster);
                m_nMaster = -1;
                bHungUp = true;
            }
            if (cCommand == kSay && !bHungUp) {
                std::lock_guard<std::mutex> lock(m_mutex);
                for (const auto& strText : m_astrSay)
                    WriteAll(m_nMaster, strText.data(), strText.size());
                m_astrSay.clear();
            }
            continue;
        }
        if (bHungUp)
            continue;
        if (!(aPoll[1].revents & POLLIN)) {
            // The program has not opened its end yet, or has closed it.
            ::poll(nullptr, 0, kHangUpPollMs);
            continue;
        }
        char acBuffer[4096];
        ssize_t nRead = ::read(m_nMaster, acBuffer, sizeof acBuffer);
        if (nRead <= 0) {
            ::poll(nullptr, 0, kHangUpPollMs);
            continue;
        }
        for (ssize_t i = 0; i < nRead; ++i) {
            if (strPending.empty())
                frameStart = Clock::now();
            strPending += acBuffer[i];
            if (acBuffer[i] == '\r') {
                Answer1(strPending, frameStart);
                strPending.clear();
            }
        }
    }
}
