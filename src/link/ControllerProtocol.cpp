#include "link/ControllerProtocol.h"

#include "link/ControllerProtocolFormat.h"
#include "link/LinkHost.h"
#include "model/CodePage.h"
#include "model/CountRangeText.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "model/TimerCount.h"
#include "model/Trim.h"

#include <algorithm>

using namespace ControllerProtocolFormat;

namespace {

// Stands in until the window that owns the port exists: a port that is
// closed, so frames go nowhere and no wait starts.
class CClosedHost : public CLinkHost {
public:
    void WriteFrame(const std::string&) override {}
    bool PumpEvents() override { return false; }
    void WaitForEvent(std::chrono::milliseconds) override {}
    bool IsPortOpen() const override { return false; }
    void ShowSendMark() override {}
    void ShowLinkIdle() override {}
    void ShowLinkStatus(const std::string&) override {}
    void ShowProgress(const std::string&) override {}
    void ShowNotAnswering(bool) override {}
    void ShowFrameProgress(int, int, std::chrono::milliseconds) override {}
    void AddOutboundLine(const std::string&) override {}
    void AddInboundLine(const std::string&) override {}
};

constexpr int kPumpsPerDelayRound = 10;

} // namespace

CControllerProtocol::CControllerProtocol(CSystem& system, CShellServices& shell, CLinkHost* pHost)
    : m_system(system), m_shell(shell), m_pHost(pHost) {
    m_system.SetLinkControl(this);
}

CControllerProtocol::~CControllerProtocol() { m_system.SetLinkControl(nullptr); }

CLinkHost& CControllerProtocol::Host() const {
    static CClosedHost closedHost;
    return m_pHost ? *m_pHost : closedHost;
}

// --- port and message pumping ---

bool CControllerProtocol::IsPortOpen() const { return Host().IsPortOpen(); }

// A device that vanished ends the waits as closing the port does.
bool CControllerProtocol::IsLinkOpen() const { return GetPortOpen() && Host().IsPortOpen(); }

bool CControllerProtocol::PumpMessages() { return Host().PumpEvents(); }

// Lets the events that are waiting be dispatched between exchanges. Once a
// pass finds nothing to dispatch the queue is empty, and pumping on would
// only spin the processor; a queue that never empties is still left after
// the same number of passes as ever.
void CControllerProtocol::LinkDelay() {
    const int nMaxPumps = CSystem::GetDelayCount() * kPumpsPerDelayRound;
    for (int i = 0; i < nMaxPumps; ++i) {
        if (!PumpMessages())
            return;
    }
}

bool CControllerProtocol::ShowProgress(const std::string& strText) {
    Host().ShowProgress(strText);
    return true;
}

// The counting run talks to a closed port, so readers end at once and
// nothing reaches the window; only the frames are counted, by SendFrame.
CTransferProgress::CCount
CControllerProtocol::CountFrames(const std::function<void()>& fnSequence) {
    static CClosedHost closedHost;
    CLinkHost* pHost = m_pHost;
    int32_t bPortOpen = m_bPortOpen;
    m_pHost = &closedHost;
    m_bPortOpen = 1;
    m_bCounting = true;
    m_counted = {};
    fnSequence();
    m_bCounting = false;
    m_bPortOpen = bPortOpen;
    m_pHost = pHost;
    return m_counted;
}

void CControllerProtocol::StartProgress(const CTransferProgress::CCount& total) {
    m_progress.Start(total, m_fnNow());
    ShowFrameProgress();
}

void CControllerProtocol::EndProgress() {
    if (!m_progress.IsActive())
        return;
    m_progress.Finish();
    ShowFrameProgress();
}

void CControllerProtocol::RunWithProgress(const std::function<void()>& fnSequence) {
    StartProgress(CountFrames(fnSequence));
    fnSequence();
    EndProgress();
}

void CControllerProtocol::ShowFrameProgress() {
    Host().ShowFrameProgress(m_progress.GetFramesDone(), m_progress.GetTotalFrames(),
                             m_progress.GetTimeLeft());
}

void CControllerProtocol::ShowLinkIdle() {
    if (GetPortOpen())
        Host().ShowLinkIdle();
}

void CControllerProtocol::ShowLinkStatus(const std::string& strText) {
    if (GetPortOpen())
        Host().ShowLinkStatus(strText);
}

// --- single frames ---

void CControllerProtocol::SendFrame(const std::string& strFrame) {
    if (!GetPortOpen())
        return;
    if (m_bCounting) {
        ++m_counted.nFrames;
        m_counted.nBytes += strFrame.size();
        return;
    }
    Host().TakeWaitingInput();
    if (!GetPortOpen())
        return;
    DiscardUnread();
    m_lastHeard = Clock::now();
    if (m_progress.IsActive()) {
        m_progress.OnFrame(strFrame.size(), m_fnNow());
        ShowFrameProgress();
    }
    Host().AddOutboundLine(strFrame);
    Host().WriteFrame(strFrame);
    Host().ShowSendMark();
}

void CControllerProtocol::Exchange(const std::string& strFrame, bool bFlush) {
    if (bFlush)
        Flush();
    SendFrame(strFrame);
}

bool CControllerProtocol::AckFrame(const std::string& strFrame, bool bFlush) {
    Exchange(strFrame, bFlush);
    bool bOk = ReadOk();
    ShowLinkIdle();
    // A counted sequence goes on as if the controller had acknowledged.
    return bOk || m_bCounting;
}

bool CControllerProtocol::LineEndFrame(const std::string& strFrame, bool bFlush) {
    Exchange(strFrame, bFlush);
    WaitLineEnd();
    ShowLinkIdle();
    return true;
}

std::optional<short> CControllerProtocol::HexFrame(const std::string& strFrame, bool bFlush) {
    Exchange(strFrame, bFlush);
    std::optional<short> value = ReadHexByte();
    if (!ReadAnswerEnd())
        value.reset();
    return value;
}

// A port that closed ends every read alike, so only a malformed answer is
// worth naming.
bool CControllerProtocol::NotRead(const std::string& strField) {
    if (IsLinkOpen())
        m_shell.Trace("Malformed answer from the DVX CPU, not stored: " + strField + "\n");
    return false;
}

std::string CControllerProtocol::CurChannelName() const {
    return CSystem::GetLoopName(m_system.GetCurLoop()) + " " +
           CSystem::ChannelDesignation(m_system.GetCurModule(), m_system.GetCurChannel());
}

bool CControllerProtocol::QueryModuleLink() {
    Exchange(":I\r", false);
    std::optional<bool> bit = ReadBit();
    ShowLinkIdle();
    if (!bit)
        return NotRead("module link state");
    m_system.SetLinkActive(*bit);
    return true;
}

bool CControllerProtocol::StartModuleLink() { return LineEndFrame(":I1\r"); }

bool CControllerProtocol::StopModuleLink() { return LineEndFrame(":I0\r"); }

bool CControllerProtocol::ReadProcessorTime() {
    std::optional<short> value = HexFrame(":J\r", false);
    ShowLinkIdle();
    if (!value)
        return NotRead("Boolean processor time");
    m_system.SetBoolProcTime(*value);
    return true;
}

// Pause and continue each go out twice; every copy has its own answer line.
bool CControllerProtocol::SendTwice(const std::string& strFrame) {
    for (int i = 0; i < 2; ++i) {
        Exchange(strFrame, true);
        WaitLineEnd();
    }
    ShowLinkIdle();
    return true;
}

bool CControllerProtocol::SendPause() { return SendTwice(":E0\r"); }

bool CControllerProtocol::SendContinue() { return SendTwice(":E1\r"); }

bool CControllerProtocol::SendBoolProcessor(bool bOn) {
    return LineEndFrame(bOn ? ":P1\r" : ":P0\r");
}

bool CControllerProtocol::SendLoopMonitor(short nLoop, bool bOn) {
    return LineEndFrame(Format(":L%01X%c\r", Low16(nLoop), bOn ? '1' : '0'));
}

bool CControllerProtocol::SendChannelState(short nLoop, short nModule, short nChannel, int nState) {
    short nIndex = CSystem::MakeIndex(nLoop, nModule, nChannel);
    return LineEndFrame(Format(":S%03X%01X\r", Low16(nIndex), nState ? 1u : 0u), false);
}

bool CControllerProtocol::ClearCpuMemory() {
    ShowProgress("Clearing DVX CPU memory ...");
    return AckFrame(":CA\r");
}

// A block that is not whole stores none of its fields; a term that is not a
// channel index stores no term.
bool CControllerProtocol::ReadEquation() {
    Exchange(Format(":B%03X\r", Low16(m_system.GetCurIndex())), true);
    short anFlags[3] = {};
    short anTerms[6] = {};
    bool bRead = ReadEquationBlock(anFlags, anTerms);
    bRead = ReadAnswerEnd() && bRead;
    ShowLinkIdle();
    if (!bRead)
        return NotRead("equation of " + CurChannelName());
    CChannelRecord& record = m_system.CurRecord();
    int nFlags0 = anFlags[0];
    record.m_bEquationNot = Bit(nFlags0, 0);
    record.m_bOutput = Bit(nFlags0, 1);
    record.m_bPowerUpOn = Bit(nFlags0, 2);
    record.m_bMomentaryLatch = Bit(nFlags0, 3);
    record.m_bGroupNotA = Bit(nFlags0, 4);
    int nFlags1 = anFlags[1];
    record.m_bGroupNotB = Bit(nFlags1, 4);
    m_system.SetCurEquationType(static_cast<short>(nFlags1 & 3));
    int nFlags2 = anFlags[2];
    for (int i = 0; i < 3; ++i) {
        record.m_abTermNotA[i] = Bit(nFlags0, 5 + i);
        record.m_abTermNotB[i] = Bit(nFlags1, 5 + i);
        record.m_abTermPrA[i] = Bit(nFlags2, i);
        record.m_abTermPrB[i] = Bit(nFlags2, 3 + i);
        short nTermA = anTerms[i];
        short nTermB = anTerms[3 + i];
        record.m_anTermA[i] = CSystem::IsValidIndex(nTermA) ? nTermA : short(-1);
        record.m_anTermB[i] = CSystem::IsValidIndex(nTermB) ? nTermB : short(-1);
    }
    return true;
}

std::string CControllerProtocol::EquationFrame(CSystem& system) {
    const CChannelRecord& record = system.CurRecord();
    int nFlags0 = BitIf(record.m_bEquationNot, 0) | BitIf(record.m_bOutput, 1) |
                  BitIf(record.m_bPowerUpOn, 2) | BitIf(record.m_bMomentaryLatch, 3) |
                  BitIf(record.m_bGroupNotA, 4);
    int nFlags1 = system.GetCurEquationType() | BitIf(record.m_bGroupNotB, 4);
    int nFlags2 = 0;
    for (int i = 0; i < 3; ++i) {
        nFlags0 |= BitIf(record.m_abTermNotA[i], 5 + i);
        nFlags1 |= BitIf(record.m_abTermNotB[i], 5 + i);
        nFlags2 |= BitIf(record.m_abTermPrA[i], i) | BitIf(record.m_abTermPrB[i], 3 + i);
    }
    return Format(":B%03X%02X%02X%02X%03X%03X%03X%03X%03X%03X%02X%02X\r",
                  Low16(system.GetCurIndex()), Low16(nFlags0), Low16(nFlags1), Low16(nFlags2),
                  Low12(record.m_anTermA[0]), Low12(record.m_anTermA[1]),
                  Low12(record.m_anTermA[2]), Low12(record.m_anTermB[0]),
                  Low12(record.m_anTermB[1]), Low12(record.m_anTermB[2]), 0x33u, 0x00u);
}

bool CControllerProtocol::SendEquation() { return AckFrame(EquationFrame(m_system)); }

bool CControllerProtocol::ReadSleepEnabled() {
    Exchange(":XE\r", true);
    std::optional<bool> bit = ReadBit();
    ShowLinkIdle();
    if (!bit)
        return NotRead("sleep mode enabled");
    m_system.SetSleepEnabled(*bit);
    return true;
}

bool CControllerProtocol::ReadSleepWakeUp() {
    std::optional<short> value = HexFrame(":XW\r", true);
    ShowLinkIdle();
    if (!value)
        return NotRead("sleep mode wake-up interval");
    m_system.SetSleepWakeUp(*value);
    return true;
}

bool CControllerProtocol::ReadSleepInactivity() {
    std::optional<short> value = HexFrame(":XI\r", true);
    ShowLinkIdle();
    if (!value)
        return NotRead("sleep mode inactivity interval");
    m_system.SetSleepInactivity(*value);
    return true;
}

bool CControllerProtocol::SendSleepEnabled() {
    return AckFrame(m_system.GetSleepEnabled() ? ":X1\r" : ":X0\r", false);
}

bool CControllerProtocol::SendSleepWakeUp() {
    NoteNearest(CountRangeText::SleepWakeUpSent(m_system));
    return AckFrame(
        Format(":XW%02X\r", Low16(CTimerCount::NearestCount(m_system.GetSleepWakeUp()))));
}

bool CControllerProtocol::SendSleepInactivity() {
    NoteNearest(CountRangeText::SleepInactivitySent(m_system));
    return AckFrame(
        Format(":XI%02X\r", Low16(CTimerCount::NearestCount(m_system.GetSleepInactivity()))));
}

bool CControllerProtocol::SendHiSpeedInput(short nPair) {
    return AckFrame(Format(":HI%02X%02X\r", Low16(nPair), Low8(m_system.GetHiSpeedInput(nPair))));
}

bool CControllerProtocol::SendHiSpeedOutput(short nPair) {
    return AckFrame(Format(":HO%02X%02X\r", Low16(nPair), Low8(m_system.GetHiSpeedOutput(nPair))));
}

// Only a Blue loop channel can be one side of a pair; anything else read
// back is stored as no channel.
std::optional<short> CControllerProtocol::ReadHiSpeedChannel(const std::string& strFrame) {
    Exchange(strFrame, true);
    std::optional<short> value = ReadHexByteOrNone();
    if (!ReadAnswerEnd())
        value.reset();
    ShowLinkIdle();
    if (value && !CSystem::IsHighSpeedCapable(*value))
        value = -1;
    return value;
}

bool CControllerProtocol::ReadHiSpeedInput(short nPair) {
    std::optional<short> value = ReadHiSpeedChannel(Format(":HI%02X\r", Low16(nPair)));
    if (!value)
        return NotRead(Format("high speed pair %d input", nPair));
    m_system.SetHiSpeedInput(nPair, *value);
    return true;
}

bool CControllerProtocol::ReadHiSpeedOutput(short nPair) {
    std::optional<short> value = ReadHiSpeedChannel(Format(":HO%02X\r", Low16(nPair)));
    if (!value)
        return NotRead(Format("high speed pair %d output", nPair));
    m_system.SetHiSpeedOutput(nPair, *value);
    return true;
}

// The count fields hold 0 to 254; a value beyond them travels as the
// nearest count, and the technician is told.
bool CControllerProtocol::SendTimerReload(short nTimer) {
    NoteNearest(CountRangeText::TimerReloadSent(m_system, nTimer));
    return AckFrame(
        Format(":TR%02X%02X\r", Low16(nTimer), Low16(m_system.GetTimerReloadCount(nTimer))));
}

bool CControllerProtocol::SendTimerCurrent(short nTimer) {
    NoteNearest(CountRangeText::TimerCurrentSent(m_system, nTimer));
    return LineEndFrame(
        Format(":T%02X%02X\r", Low16(nTimer), Low16(m_system.GetTimerCurrentCount(nTimer))));
}

std::optional<short> CControllerProtocol::ReadTimerReload(short nTimer) {
    return HexFrame(Format(":TR%02X\r", Low16(nTimer)), true);
}

std::optional<short> CControllerProtocol::ReadTimerCurrent(short nTimer) {
    return HexFrame(Format(":T%02X\r", Low16(nTimer)), true);
}

std::string CControllerProtocol::FrameLabel(const std::string& strLabel) {
    std::string strText = strLabel.substr(0, CSystem::kLabelLength);
    std::replace_if(strText.begin(), strText.end(), CodePage::IsControlCharacter, ' ');
    return strText;
}

bool CControllerProtocol::SendChannelLabel() {
    return AckFrame(Format(":L%03X", Low16(m_system.GetCurIndex())) +
                    FrameLabel(m_system.GetCurChannelLabel()) + kCr);
}

bool CControllerProtocol::SendModuleLabel(short nModule, short nLoop) {
    int nSlot = nLoop * CSystem::kModulesPerLoop + nModule;
    return AckFrame(Format(":O%02X", Low16(nSlot)) +
                    FrameLabel(m_system.GetModuleLabel(nModule, nLoop)) + kCr);
}

bool CControllerProtocol::SendSysLabel(short nLabel) {
    return AckFrame(Format(":U%02X", Low16(nLabel)) + FrameLabel(m_system.GetSysLabel(nLabel)) +
                    kCr);
}

// The controller's refusal, a control character or more characters than
// the field holds cannot be a label it keeps: the answer was damaged.
bool CControllerProtocol::IsLabelAnswer(const std::string& strText) {
    return strText != kRefusedAnswer && strText.size() <= CSystem::kLabelLength &&
           !CodePage::HasControlCharacter(strText);
}

// A system label is stored trimmed, so its length counts without the spaces
// around it.
bool CControllerProtocol::ReadLabelAnswer(std::string& strLabel, const std::string& strField,
                                          bool bTrimmed) {
    if (!ReadLine(strLabel))
        return false;
    if (!IsLabelAnswer(bTrimmed ? Trimmed(strLabel) : strLabel))
        return NotRead(strField);
    return true;
}

bool CControllerProtocol::ReadChannelLabel() {
    Exchange(Format(":K%03X\r", Low16(m_system.GetCurIndex())), false);
    std::string strLine;
    bool bRead = ReadLabelAnswer(strLine, "label of " + CurChannelName(), false);
    if (bRead)
        m_system.SetCurChannelLabel(strLine);
    ShowLinkIdle();
    return bRead;
}

bool CControllerProtocol::ReadModuleLabel(short nModule, short nLoop) {
    int nSlot = nLoop * CSystem::kModulesPerLoop + nModule;
    Exchange(Format(":Q%02X\r", Low16(nSlot)), false);
    std::string strLine;
    bool bRead = ReadLabelAnswer(strLine,
                                 "label of " + CSystem::GetLoopName(nLoop) + " module " +
                                     CSystem::ModuleLetter(nModule),
                                 false);
    if (bRead)
        m_system.SetModuleLabel(nModule, nLoop, strLine);
    ShowLinkIdle();
    return bRead;
}

bool CControllerProtocol::ReadSysLabel(short nLabel) {
    Exchange(Format(":V%02X\r", Low16(nLabel)), false);
    bool bRead = ReadSysLabelAnswer(nLabel);
    ShowLinkIdle();
    return bRead;
}

bool CControllerProtocol::ReadSysLabelAnswer(short nLabel) {
    std::string strLine;
    bool bRead = ReadLabelAnswer(strLine, Format("system label %d", nLabel), true);
    if (bRead)
        m_system.SetSysLabel(nLabel, strLine);
    return bRead;
}
