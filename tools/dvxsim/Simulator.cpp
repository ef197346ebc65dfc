#include "Simulator.h"

#include "FrameParser.h"
#include "MemoryFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_bStopRequested = 0;

void OnStopSignal(int) { g_bStopRequested = 1; }

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

} // namespace

CSimulator::CSimulator(COptions options)
    : m_options(std::move(options)), m_failures(m_options.m_failures),
      m_sendPacer(m_options.m_nBaud), m_receivePacer(m_options.m_nBaud) {}

int CSimulator::Run() {
    sigset_t stopSignals;
    sigset_t waitMask;
    sigemptyset(&stopSignals);
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    for (int nSignal : kStopSignals) {
        sigaddset(&stopSignals, nSignal);
        sigaction(nSignal, &action, nullptr);
    }
    std::signal(SIGPIPE, SIG_IGN);
    // The stop signals only arrive while the loop waits, so a stop is never
    // missed between the check and the wait.
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    for (int nSignal : kStopSignals) {
        sigdelset(&waitMask, nSignal);
    }
    if (!Start()) {
        return 1;
    }
    while (!m_bStop && g_bStopRequested == 0) {
        if (WaitForWork(&waitMask)) {
            Serve();
        }
    }
    SaveMemory(true, Clock::now());
    m_log.Note("stopped");
    m_line.Close();
    return m_nExitStatus;
}

bool CSimulator::Start() {
    std::string strError;
    if (!CMemoryFile::Load(m_options.m_strMemory, m_memory, strError) || !OpenLog(strError) ||
        !OpenLine(strError)) {
        std::fprintf(stderr, "dvxsim: %s\n", strError.c_str());
        return false;
    }
    m_processor.PowerUp(m_memory);
    std::printf("%s\n", m_line.Path().c_str());
    std::fflush(stdout);
    m_log.Note("serving " + m_line.Path());
    m_lastScan = Clock::now();
    m_nextScan = m_lastScan;
    return true;
}

bool CSimulator::OpenLog(std::string& strError) {
    return m_options.m_strLog.empty() || m_log.Open(m_options.m_strLog, strError);
}

bool CSimulator::OpenLine(std::string& strError) {
    if (!m_options.m_strDevice.empty()) {
        return m_line.OpenDevice(m_options.m_strDevice, strError);
    }
    return m_line.OpenPseudoTerminal(m_options.m_strLink, strError);
}

// Waits until characters or a typed line arrive, the line can take more, or
// the next scheduled piece of work is due; false when interrupted.
bool CSimulator::WaitForWork(sigset_t* pWaitMask) {
    pollfd aPoll[2] = {{m_line.Fd(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    if (!m_strOut.empty() && m_sendPacer.MayPass(Clock::now())) {
        aPoll[0].events |= POLLOUT;
    }
    const auto wait = std::max(NextWake() - Clock::now(), Clock::duration::zero());
    const auto nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
    const timespec timeout{static_cast<time_t>(nanos / 1000000000),
                           static_cast<long>(nanos % 1000000000)};
    const int nReady = ppoll(aPoll, m_bConsoleOpen ? 2 : 1, &timeout, pWaitMask);
    if (nReady < 0) {
        return false;
    }
    m_bConsoleReady = m_bConsoleOpen && (aPoll[1].revents & (POLLIN | POLLHUP)) != 0;
    if ((aPoll[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0 &&
        (aPoll[0].revents & POLLIN) == 0) {
        Fail("the line was closed by the other side");
    }
    return true;
}

void CSimulator::Serve() {
    const Clock::time_point now = Clock::now();
    ReadLine();
    DeliverReceived(now);
    if (m_bConsoleReady) {
        ReadConsole();
    }
    RunScans(now);
    ReportStatus(now);
    WriteOut(now);
    SaveMemory(false, now);
    if (m_bCloseWhenSent && m_strOut.empty() &&
        ((now - m_closeDue >= kCloseGrace && m_line.PendingOutput() == 0) ||
         now - m_closeDue >= kCloseWait)) {
        m_log.Note("closing the line after the frames it was told to answer");
        m_bStop = true;
    }
}

void CSimulator::ReadLine() {
    char acBuffer[512];
    for (;;) {
        const ssize_t nRead = read(m_line.Fd(), acBuffer, sizeof acBuffer);
        if (nRead > 0) {
            m_strReceived.append(acBuffer, static_cast<std::size_t>(nRead));
            continue;
        }
        if (nRead < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            Fail(std::string("cannot read the line: ") + std::strerror(errno));
        }
        return;
    }
}

void CSimulator::DeliverReceived(Clock::time_point now) {
    if (!m_strReceived.empty()) {
        m_receivePacer.Waiting(now);
    }
    std::size_t nTaken = 0;
    while (nTaken < m_strReceived.size() && !m_bCloseWhenSent && m_receivePacer.MayPass(now)) {
        m_receivePacer.Passed();
        const char c = m_strReceived[nTaken++];
        if (c == '\n') {
            continue;
        }
        if (c != '\r') {
            m_bFrameTooLong = m_bFrameTooLong || m_strFrame.size() >= kMaxFrameLength;
            if (!m_bFrameTooLong) {
                m_strFrame += c;
            }
            continue;
        }
        if (!m_strFrame.empty() || m_bFrameTooLong) {
            HandleFrame(m_bFrameTooLong ? std::string("(too long) ") + m_strFrame : m_strFrame);
        }
        m_strFrame.clear();
        m_bFrameTooLong = false;
    }
    m_strReceived.erase(0, nTaken);
    if (m_strReceived.empty()) {
        m_receivePacer.Drained();
    }
}

void CSimulator::HandleFrame(const std::string& strLine) {
    m_log.Received(strLine);
    const CFailureModes::EAction action = m_failures.OnFrame(strLine);
    if (action == CFailureModes::EAction::Ignore) {
        return;
    }
    if (m_failures.IsGarbageDue()) {
        Queue(CFailureModes::kGarbageLine);
    }
    switch (action) {
    case CFailureModes::EAction::Refuse:
        Queue(CController::kRefused);
        break;
    case CFailureModes::EAction::Garble:
        Queue(CFailureModes::kGarbageLine);
        break;
    case CFailureModes::EAction::DropChar:
        Queue(CFailureModes::DropOneChar(m_controller.Handle(CFrameParser::Parse(strLine))));
        break;
    case CFailureModes::EAction::Answer:
    case CFailureModes::EAction::Ignore:
        Queue(m_controller.Handle(CFrameParser::Parse(strLine)));
        break;
    }
    if (m_controller.TakeChanged()) {
        m_bDirty = true;
        m_changed = Clock::now();
    }
    if (!m_bCloseWhenSent && m_failures.IsCloseDue()) {
        m_bCloseWhenSent = true;
        m_closeDue = Clock::now();
    }
}

void CSimulator::ReadConsole() {
    char acBuffer[512];
    const ssize_t nRead = read(STDIN_FILENO, acBuffer, sizeof acBuffer);
    if (nRead < 0) {
        return;
    }
    if (nRead == 0) {
        m_bConsoleOpen = false;
        return;
    }
    m_strConsole.append(acBuffer, static_cast<std::size_t>(nRead));
    for (std::size_t nEnd; (nEnd = m_strConsole.find('\n')) != std::string::npos;) {
        const std::string strReply = m_console.Execute(m_strConsole.substr(0, nEnd));
        m_strConsole.erase(0, nEnd + 1);
        std::fputs(strReply.c_str(), stdout);
        std::fflush(stdout);
        m_bStop = m_bStop || m_console.IsQuitRequested();
    }
}

void CSimulator::RunScans(Clock::time_point now) {
    if (now < m_nextScan) {
        return;
    }
    // Whole milliseconds pass to the timers and the rest carries over; after
    // a stall of more than a second the timers skip the lost time.
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - m_lastScan);
    const bool bStalled = elapsed > std::chrono::seconds(1);
    if (m_memory.m_bProcessorOn) {
        m_processor.Scan(m_memory,
                         bStalled ? CBoolProcessor::kScanMs : static_cast<int>(elapsed.count()));
    }
    m_lastScan = bStalled ? now : m_lastScan + elapsed;
    m_nextScan = std::max(m_nextScan + std::chrono::milliseconds(CBoolProcessor::kScanMs), now);
}

// Status lines wait until the PC has taken everything sent before, so they
// never split an answer, never pile up faster than the line carries them,
// and do not heap up stale states while no program has the port open.
void CSimulator::ReportStatus(Clock::time_point now) {
    if (m_controller.IsPaused() || m_failures.IsSilent() || m_bCloseWhenSent || !m_strOut.empty() ||
        m_line.PendingOutput() > 0) {
        return;
    }
    const std::string strLines = m_reporter.Due(m_memory, now);
    if (!strLines.empty()) {
        Queue(strLines);
    }
}

void CSimulator::WriteOut(Clock::time_point now) {
    if (!m_strOut.empty()) {
        m_sendPacer.Waiting(now);
    }
    while (!m_strOut.empty() && m_sendPacer.MayPass(now)) {
        const std::size_t nWanted = m_sendPacer.IsPaced() ? 1 : m_strOut.size();
        const ssize_t nWritten = write(m_line.Fd(), m_strOut.data(), nWanted);
        if (nWritten < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                Fail(std::string("cannot write to the line: ") + std::strerror(errno));
            }
            return;
        }
        m_strOut.erase(0, static_cast<std::size_t>(nWritten));
        m_sendPacer.Passed();
    }
    if (m_strOut.empty()) {
        m_sendPacer.Drained();
    }
}

void CSimulator::SaveMemory(bool bForce, Clock::time_point now) {
    if (!m_bDirty || m_options.m_strMemory.empty() || (!bForce && now - m_changed < kSaveDelay)) {
        return;
    }
    std::string strError;
    if (!CMemoryFile::Save(m_options.m_strMemory, m_memory, strError)) {
        std::fprintf(stderr, "dvxsim: %s\n", strError.c_str());
        m_changed = now;
        return;
    }
    m_bDirty = false;
}

void CSimulator::Queue(const std::string& strText) {
    m_strOut += strText;
    m_log.Sent(strText);
}

void CSimulator::Fail(const std::string& strMessage) {
    std::fprintf(stderr, "dvxsim: %s\n", strMessage.c_str());
    m_log.Note(strMessage);
    m_nExitStatus = 1;
    m_bStop = true;
}

CSimulator::Clock::time_point CSimulator::NextWake() const {
    Clock::time_point next = m_nextScan;
    if (!m_strOut.empty() && m_sendPacer.IsPaced()) {
        next = std::min(next, m_sendPacer.Next());
    }
    if (!m_strReceived.empty() && m_receivePacer.IsPaced()) {
        next = std::min(next, m_receivePacer.Next());
    }
    return next;
}
