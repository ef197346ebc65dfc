#include "link/zlvcomm.h"

#include "link/LinkHost.h"
#include "model/ShellServices.h"
#include "model/Trim.h"
#include "model/system.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>

namespace {

// Stands in until the window that owns the port exists: a port that is
// closed, so frames go nowhere and no wait starts.
class CClosedHost : public CLinkHost {
public:
    void WriteFrame(const std::string&) override {}
    void PumpEvents() override {}
    void WaitForEvent() override {}
    bool IsPortOpen() const override { return false; }
    void ShowSendMark() override {}
    void ShowLinkIdle() override {}
    void ShowLinkStatus(const std::string&) override {}
    void ShowProgress(const std::string&) override {}
    void AddOutboundLine(const std::string&) override {}
    void AddInboundLine(const std::string&) override {}
};

// A status line is ">L", the loop digit, forty data digits; nothing shorter
// can be one, and no answer line is that long.
constexpr int kStatusLineLength = 43;
constexpr int kStatusDataBytes = 20;
// A line that never ends (a babbling or foreign device) is kept only this
// long: for the status-line decoder, for a text answer, for the viewer.
constexpr std::size_t kMaxStatusLine = CZlvComm::kRingSize;
constexpr std::size_t kMaxLineText = CZlvComm::kRingSize;
constexpr int kPumpsPerDelayRound = 10;

std::string Format(const char* szFormat, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* szFormat, ...) {
    char szText[128];
    va_list args;
    va_start(args, szFormat);
    std::vsnprintf(szText, sizeof szText, szFormat, args);
    va_end(args);
    return szText;
}

// Fields are written as their 16-bit value, or its low bits where the frame
// says so, never as a sign-extended 32-bit number.
unsigned Low16(int nValue) { return static_cast<uint16_t>(nValue); }
unsigned Low12(int nValue) { return static_cast<unsigned>(nValue) & 0xFFFu; }
unsigned Low8(int nValue) { return static_cast<unsigned>(nValue) & 0xFFu; }

bool IsLineEnd(char c) { return c == CZlvComm::kCr || c == CZlvComm::kLf; }
bool IsNotLineEnd(char c) { return !IsLineEnd(c); }
bool IsLf(char c) { return c == CZlvComm::kLf; }
bool IsBitDigit(char c) { return c == '0' || c == '1'; }
bool IsAnyChar(char) { return true; }

std::string UpperAscii(std::string strText) {
    for (char& c : strText) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return strText;
}

// Labels read back are held to the label length like every label.
std::string LabelText(const std::string& strText) {
    return strText.substr(0, CSystem::kLabelLength);
}

bool Bit(int nValue, int nBit) { return (nValue >> nBit) & 1; }
int BitIf(bool bOn, int nBit) { return bOn ? 1 << nBit : 0; }

} // namespace

CZlvComm::CZlvComm(CSystem& system, CShellServices& shell, CLinkHost* pHost)
    : m_system(system), m_shell(shell), m_pHost(pHost) {
    m_system.SetLinkControl(this);
}

CZlvComm::~CZlvComm() { m_system.SetLinkControl(nullptr); }

CLinkHost& CZlvComm::Host() const {
    static CClosedHost closedHost;
    return m_pHost ? *m_pHost : closedHost;
}

// --- port and message pumping ---

bool CZlvComm::IsPortOpen() const { return Host().IsPortOpen(); }

// A device that vanished ends the waits as closing the port does.
bool CZlvComm::IsLinkOpen() const { return m_bPortOpen != 0 && Host().IsPortOpen(); }

void CZlvComm::PumpMessages() { Host().PumpEvents(); }

void CZlvComm::LinkDelay() {
    for (int nRound = 0; nRound < CSystem::GetDelayCount(); ++nRound) {
        for (int i = 0; i < kPumpsPerDelayRound; ++i)
            PumpMessages();
    }
}

bool CZlvComm::ShowProgress(const std::string& strText) {
    Host().ShowProgress(strText);
    return true;
}

void CZlvComm::ShowLinkIdle() {
    if (m_bPortOpen)
        Host().ShowLinkIdle();
}

void CZlvComm::ShowLinkStatus(const std::string& strText) {
    if (m_bPortOpen)
        Host().ShowLinkStatus(strText);
}

// --- receive side ---

void CZlvComm::OnReceive(const std::string& strText) {
    if (m_pForward) {
        m_pForward->OnReceive(strText);
        return;
    }
    for (char c : strText) {
        PutChar(c);
        if (m_strStatusLine.size() >= kMaxStatusLine)
            m_strStatusLine.erase(0, 1);
        m_strStatusLine += c;
        if (c == kCr)
            OnLineEnd();
    }
}

// A full ring drops its oldest character, so what is read stays in order.
void CZlvComm::PutChar(char c) {
    m_acRing[m_nWrite] = c;
    m_nWrite = static_cast<int16_t>((m_nWrite + 1) % kRingSize);
    if (m_nUnread < kRingSize) {
        ++m_nUnread;
        return;
    }
    m_nRead = m_nWrite;
}

void CZlvComm::Flush() {
    m_nUnread = 0;
    m_nWrite = 0;
    m_nRead = 0;
    m_strStatusLine.clear();
    m_bReadAtLineStart = true;
}

char CZlvComm::GetChar() {
    if (m_nUnread == 0)
        return 0;
    --m_nUnread;
    char c = m_acRing[m_nRead];
    m_nRead = static_cast<int16_t>((m_nRead + 1) % kRingSize);
    m_bReadAtLineStart = IsLineEnd(c);
    if (m_strInLine.size() < kMaxLineText)
        m_strInLine += c;
    if (c == kCr) {
        Host().AddInboundLine(m_strInLine);
        m_strInLine.clear();
    }
    return c;
}

char CZlvComm::PeekChar(int nOffset) const { return m_acRing[(m_nRead + nOffset) % kRingSize]; }

bool CZlvComm::FindUnread(char c, int& nOffset) const {
    for (nOffset = 0; nOffset < m_nUnread; ++nOffset) {
        if (PeekChar(nOffset) == c)
            return true;
    }
    return false;
}

// --- readers ---

// Loop status lines come unasked, between answer lines. A complete one at
// the start of a line is taken out of the answer's way (it was decoded when
// it arrived); while one may still be arriving, the reader waits for it.
CZlvComm::EAhead CZlvComm::StatusLineAhead() {
    if (!m_bReadAtLineStart || m_nUnread == 0 || PeekChar(0) != '>')
        return EAhead::None;
    if (m_nUnread < 2)
        return EAhead::Incomplete;
    if (PeekChar(1) != 'L')
        return EAhead::None;
    int nEnd = 0;
    if (!FindUnread(kCr, nEnd))
        return EAhead::Incomplete;
    if (nEnd < kStatusLineLength)
        return EAhead::None;
    for (int i = 0; i <= nEnd; ++i)
        GetChar();
    return EAhead::Skipped;
}

// One pass of the wait loop: blocks for the next event when there is nothing
// to read, otherwise only dispatches what is waiting. False once the port is
// closed.
bool CZlvComm::WaitStep(bool bNeedInput) {
    if (bNeedInput && IsLinkOpen())
        Host().WaitForEvent();
    else
        PumpMessages();
    return IsLinkOpen();
}

std::optional<char> CZlvComm::TakeChar(bool (*pfnWanted)(char)) {
    for (;;) {
        EAhead ahead = StatusLineAhead();
        if (ahead == EAhead::Skipped)
            continue;
        if (m_nUnread == 0 || ahead == EAhead::Incomplete) {
            if (!WaitStep(true))
                return std::nullopt;
            continue;
        }
        char c = GetChar();
        if (pfnWanted(c))
            return c;
        if (!WaitStep(false))
            return std::nullopt;
    }
}

void CZlvComm::WaitLineEnd() {
    TakeChar(IsLf);
    Flush();
}

bool CZlvComm::ReadOk() {
    std::optional<char> first = TakeChar(IsNotLineEnd);
    std::optional<char> second = first ? TakeChar(IsNotLineEnd) : std::nullopt;
    WaitLineEnd();
    return first == 'O' && second == 'K';
}

std::optional<bool> CZlvComm::ReadBit() {
    std::optional<char> bit = TakeChar(IsBitDigit);
    WaitLineEnd();
    if (!bit)
        return std::nullopt;
    return *bit == '1';
}

std::optional<short> CZlvComm::ReadHexDigits(int nDigits) {
    int nValue = 0;
    bool bValid = true;
    for (int i = 0; i < nDigits; ++i) {
        std::optional<char> c = TakeChar(IsNotLineEnd);
        if (!c)
            return std::nullopt;
        bValid = bValid && IsHexDigit(*c);
        nValue = nValue * 16 + HexDigitValue(*c);
    }
    if (!bValid)
        return std::nullopt;
    return static_cast<short>(nValue);
}

std::optional<short> CZlvComm::ReadHexByte() { return ReadHexDigits(2); }

std::optional<short> CZlvComm::ReadHexByteOrNone() {
    std::optional<short> value = ReadHexByte();
    if (value && Low8(*value) == 0xFFu)
        return static_cast<short>(-1);
    return value;
}

std::optional<short> CZlvComm::ReadHex3() { return ReadHexDigits(3); }

bool CZlvComm::ReadLine(std::string& strLine) {
    strLine.clear();
    for (;;) {
        std::optional<char> c = TakeChar(IsAnyChar);
        if (!c) {
            Flush();
            return false;
        }
        if (*c == kCr)
            break;
        if (*c != kLf && strLine.size() < kMaxLineText)
            strLine += *c;
    }
    WaitLineEnd();
    Flush();
    return true;
}

// --- hexadecimal text ---

int CZlvComm::HexDigitValue(char c) { return c <= '9' ? c - '0' : c - 55; }

bool CZlvComm::IsHexText(const std::string& strText) {
    for (char c : strText) {
        if (!IsHexDigit(c))
            return false;
    }
    return true;
}

int CZlvComm::HexTextValue(const std::string& strText) {
    int nValue = 0;
    for (char c : strText)
        nValue = nValue * 16 + HexDigitValue(c);
    return nValue;
}

// --- loop status lines ---

void CZlvComm::OnLineEnd() {
    ParseStatusLine();
    m_strStatusLine.clear();
}

void CZlvComm::ParseStatusLine() {
    if (m_strStatusLine.size() < kStatusLineLength + 1)
        return;
    std::string strLine = UpperAscii(Trimmed(m_strStatusLine));
    if (strLine.find(">L") == std::string::npos)
        return;
    if (strLine.size() != kStatusLineLength) {
        m_shell.Trace(Format("Invalid length = %d\n", static_cast<int>(strLine.size())));
        return;
    }
    if (!IsHexText(strLine.substr(2))) {
        m_shell.Trace("Invalid hex\n");
        return;
    }
    int nLoop = HexDigitValue(strLine[2]);
    if (!CSystem::IsValidLoop(nLoop)) {
        m_shell.Trace("Invalid loop\n");
        return;
    }
    for (int k = 0; k < kStatusDataBytes; ++k)
        StoreStatusByte(static_cast<short>(nLoop), k, HexTextValue(strLine.substr(3 + 2 * k, 2)));
}

void CZlvComm::StoreStatusByte(short nLoop, int nByte, int nValue) {
    for (int i = 0; i < 8; ++i) {
        int nPosition = nByte * 8 + i;
        m_system.SetChannelStateAt(static_cast<short>(nPosition / CSystem::kChannelsPerModule),
                                   static_cast<short>(nPosition % CSystem::kChannelsPerModule),
                                   nLoop, Bit(nValue, 7 - i) ? 1 : 0);
    }
}

// --- single frames ---

void CZlvComm::SendFrame(const std::string& strFrame) {
    if (!m_bPortOpen)
        return;
    Host().AddOutboundLine(strFrame);
    Host().WriteFrame(strFrame);
    Host().ShowSendMark();
}

void CZlvComm::Exchange(const std::string& strFrame, bool bFlush) {
    if (bFlush)
        Flush();
    SendFrame(strFrame);
}

bool CZlvComm::AckFrame(const std::string& strFrame, bool bFlush) {
    Exchange(strFrame, bFlush);
    bool bOk = ReadOk();
    ShowLinkIdle();
    return bOk;
}

bool CZlvComm::LineEndFrame(const std::string& strFrame, bool bFlush) {
    Exchange(strFrame, bFlush);
    WaitLineEnd();
    ShowLinkIdle();
    return true;
}

std::optional<short> CZlvComm::HexFrame(const std::string& strFrame, bool bFlush) {
    Exchange(strFrame, bFlush);
    std::optional<short> value = ReadHexByte();
    WaitLineEnd();
    return value;
}

bool CZlvComm::QueryModuleLink() {
    Exchange(":I\r", false);
    if (std::optional<bool> bit = ReadBit())
        m_system.SetLinkActive(*bit);
    ShowLinkIdle();
    return true;
}

bool CZlvComm::StartModuleLink() { return LineEndFrame(":I1\r"); }

bool CZlvComm::StopModuleLink() { return LineEndFrame(":I0\r"); }

bool CZlvComm::ReadProcessorTime() {
    if (std::optional<short> value = HexFrame(":J\r", false))
        m_system.SetBoolProcTime(*value);
    ShowLinkIdle();
    return true;
}

// Pause and continue each go out twice; every copy has its own answer line.
bool CZlvComm::SendTwice(const std::string& strFrame) {
    for (int i = 0; i < 2; ++i) {
        Exchange(strFrame, true);
        WaitLineEnd();
    }
    ShowLinkIdle();
    return true;
}

bool CZlvComm::SendPause() { return SendTwice(":E0\r"); }

bool CZlvComm::SendContinue() { return SendTwice(":E1\r"); }

bool CZlvComm::SendBoolProcessor(bool bOn) { return LineEndFrame(bOn ? ":P1\r" : ":P0\r"); }

bool CZlvComm::SendLoopMonitor(short nLoop, bool bOn) {
    return LineEndFrame(Format(":L%01X%c\r", Low16(nLoop), bOn ? '1' : '0'));
}

bool CZlvComm::SendChannelState(short nLoop, short nModule, short nChannel, int nState) {
    short nIndex = CSystem::MakeIndex(nLoop, nModule, nChannel);
    return LineEndFrame(Format(":S%03X%01X\r", Low16(nIndex), nState ? 1u : 0u), false);
}

bool CZlvComm::ClearCpuMemory() {
    ShowProgress("Clearing DVX CPU memory ...");
    return AckFrame(":CA\r");
}

bool CZlvComm::ReadEquation() {
    Exchange(Format(":B%03X\r", Low16(m_system.GetCurIndex())), true);
    std::optional<short> anFlags[3];
    for (auto& flags : anFlags)
        flags = ReadHexByte();
    std::optional<short> anTerms[6];
    for (auto& term : anTerms)
        term = ReadHex3();
    ReadHexByte();
    ReadHexByte();
    WaitLineEnd();
    ShowLinkIdle();
    for (const auto& field : anFlags) {
        if (!field)
            return true;
    }
    for (const auto& field : anTerms) {
        if (!field)
            return true;
    }
    CChannelRecord& record = m_system.CurRecord();
    int nFlags0 = *anFlags[0];
    record.m_bEquationNot = Bit(nFlags0, 0);
    record.m_bOutput = Bit(nFlags0, 1);
    record.m_bPowerUpOn = Bit(nFlags0, 2);
    record.m_bMomentaryLatch = Bit(nFlags0, 3);
    record.m_bGroupNotA = Bit(nFlags0, 4);
    int nFlags1 = *anFlags[1];
    record.m_bGroupNotB = Bit(nFlags1, 4);
    m_system.SetCurEquationType(static_cast<short>(nFlags1 & 3));
    int nFlags2 = *anFlags[2];
    for (int i = 0; i < 3; ++i) {
        record.m_abTermNotA[i] = Bit(nFlags0, 5 + i);
        record.m_abTermNotB[i] = Bit(nFlags1, 5 + i);
        record.m_abTermPrA[i] = Bit(nFlags2, i);
        record.m_abTermPrB[i] = Bit(nFlags2, 3 + i);
        short nTermA = *anTerms[i];
        short nTermB = *anTerms[3 + i];
        record.m_anTermA[i] = CSystem::IsValidIndex(nTermA) ? nTermA : short(-1);
        record.m_anTermB[i] = CSystem::IsValidIndex(nTermB) ? nTermB : short(-1);
    }
    return true;
}

std::string CZlvComm::EquationFrame(CSystem& system) {
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

bool CZlvComm::SendEquation() { return AckFrame(EquationFrame(m_system)); }

bool CZlvComm::ReadSleepEnabled() {
    Exchange(":XE\r", true);
    if (std::optional<bool> bit = ReadBit())
        m_system.SetSleepEnabled(*bit);
    ShowLinkIdle();
    return true;
}

bool CZlvComm::ReadSleepWakeUp() {
    if (std::optional<short> value = HexFrame(":XW\r", true))
        m_system.SetSleepWakeUp(*value);
    ShowLinkIdle();
    return true;
}

bool CZlvComm::ReadSleepInactivity() {
    if (std::optional<short> value = HexFrame(":XI\r", true))
        m_system.SetSleepInactivity(*value);
    ShowLinkIdle();
    return true;
}

bool CZlvComm::SendSleepEnabled() {
    return AckFrame(m_system.GetSleepEnabled() ? ":X1\r" : ":X0\r", false);
}

bool CZlvComm::SendSleepWakeUp() {
    return AckFrame(Format(":XW%02X\r", Low16(m_system.GetSleepWakeUp())));
}

bool CZlvComm::SendSleepInactivity() {
    return AckFrame(Format(":XI%02X\r", Low16(m_system.GetSleepInactivity())));
}

bool CZlvComm::SendHiSpeedInput(short nPair) {
    return AckFrame(Format(":HI%02X%02X\r", Low16(nPair), Low8(m_system.GetHiSpeedInput(nPair))));
}

bool CZlvComm::SendHiSpeedOutput(short nPair) {
    return AckFrame(Format(":HO%02X%02X\r", Low16(nPair), Low8(m_system.GetHiSpeedOutput(nPair))));
}

// Only a Blue loop channel can be one side of a pair; anything else read
// back is stored as no channel.
std::optional<short> CZlvComm::ReadHiSpeedChannel(const std::string& strFrame) {
    Exchange(strFrame, true);
    std::optional<short> value = ReadHexByteOrNone();
    WaitLineEnd();
    ShowLinkIdle();
    if (value && !CSystem::IsHighSpeedCapable(*value))
        value = -1;
    return value;
}

bool CZlvComm::ReadHiSpeedInput(short nPair) {
    if (std::optional<short> value = ReadHiSpeedChannel(Format(":HI%02X\r", Low16(nPair))))
        m_system.SetHiSpeedInput(nPair, *value);
    return true;
}

bool CZlvComm::ReadHiSpeedOutput(short nPair) {
    if (std::optional<short> value = ReadHiSpeedChannel(Format(":HO%02X\r", Low16(nPair))))
        m_system.SetHiSpeedOutput(nPair, *value);
    return true;
}

bool CZlvComm::SendTimerReload(short nTimer) {
    return AckFrame(
        Format(":TR%02X%02X\r", Low16(nTimer), Low16(m_system.GetTimerReloadCount(nTimer))));
}

bool CZlvComm::SendTimerCurrent(short nTimer) {
    return LineEndFrame(
        Format(":T%02X%02X\r", Low16(nTimer), Low16(m_system.GetTimerCurrentCount(nTimer))));
}

std::optional<short> CZlvComm::ReadTimerReload(short nTimer) {
    return HexFrame(Format(":TR%02X\r", Low16(nTimer)), true);
}

std::optional<short> CZlvComm::ReadTimerCurrent(short nTimer) {
    return HexFrame(Format(":T%02X\r", Low16(nTimer)), true);
}

std::string CZlvComm::FrameLabel(const std::string& strLabel) {
    std::string strText = strLabel;
    for (char& c : strText) {
        auto uc = static_cast<unsigned char>(c);
        if (uc < 0x20 || uc == 0x7F)
            c = ' ';
    }
    return strText;
}

bool CZlvComm::SendChannelLabel() {
    return AckFrame(Format(":L%03X", Low16(m_system.GetCurIndex())) +
                    FrameLabel(m_system.GetCurChannelLabel()) + kCr);
}

bool CZlvComm::SendModuleLabel(short nModule, short nLoop) {
    int nSlot = nLoop * CSystem::kModulesPerLoop + nModule;
    return AckFrame(Format(":O%02X", Low16(nSlot)) +
                    FrameLabel(m_system.GetModuleLabel(nModule, nLoop)) + kCr);
}

bool CZlvComm::SendSysLabel(short nLabel) {
    return AckFrame(Format(":U%02X", Low16(nLabel)) + FrameLabel(m_system.GetSysLabel(nLabel)) +
                    kCr);
}

bool CZlvComm::ReadChannelLabel() {
    Exchange(Format(":K%03X\r", Low16(m_system.GetCurIndex())), false);
    std::string strLine;
    if (ReadLine(strLine))
        m_system.SetCurChannelLabel(LabelText(strLine));
    ShowLinkIdle();
    return true;
}

bool CZlvComm::ReadModuleLabel(short nModule, short nLoop) {
    int nSlot = nLoop * CSystem::kModulesPerLoop + nModule;
    Exchange(Format(":Q%02X\r", Low16(nSlot)), false);
    std::string strLine;
    if (ReadLine(strLine))
        m_system.SetModuleLabel(nModule, nLoop, LabelText(strLine));
    ShowLinkIdle();
    return true;
}

bool CZlvComm::ReadSysLabel(short nLabel) {
    Exchange(Format(":V%02X\r", Low16(nLabel)), false);
    std::string strLine;
    if (ReadLine(strLine))
        m_system.SetSysLabel(nLabel, strLine);
    ShowLinkIdle();
    return true;
}

// --- sequences ---

bool CZlvComm::SendSleepMode() {
    bool bOk = SendSleepEnabled() && SendSleepWakeUp() && SendSleepInactivity();
    ShowLinkIdle();
    return bOk;
}

bool CZlvComm::ReadSleepMode() {
    ReadSleepEnabled();
    ReadSleepWakeUp();
    ReadSleepInactivity();
    ShowLinkIdle();
    return true;
}

bool CZlvComm::SendHiSpeedPairs() {
    bool bOk = true;
    for (short nPair = 0; bOk && nPair < CSystem::kHiSpeedPairs; ++nPair) {
        bOk = SendHiSpeedInput(nPair) && SendHiSpeedOutput(nPair);
        if (bOk)
            LinkDelay();
    }
    ShowLinkIdle();
    return bOk;
}

bool CZlvComm::ReadHiSpeedPairs() {
    for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair) {
        ReadHiSpeedInput(nPair);
        ReadHiSpeedOutput(nPair);
        LinkDelay();
    }
    ShowLinkIdle();
    return true;
}

bool CZlvComm::SendTimers(short nFirst, short nCount) {
    bool bOk = true;
    for (short nTimer = nFirst; bOk && nTimer < nFirst + nCount; ++nTimer) {
        bOk = SendTimerReload(nTimer);
        if (bOk)
            SendTimerCurrent(nTimer);
    }
    ShowLinkIdle();
    return bOk;
}

bool CZlvComm::ReadTimers(short nFirst, short nCount) {
    for (short nTimer = nFirst; nTimer < nFirst + nCount; ++nTimer) {
        if (std::optional<short> nReload = ReadTimerReload(nTimer))
            m_system.SetTimerReloadFromCount(nTimer, *nReload);
        if (std::optional<short> nCurrent = ReadTimerCurrent(nTimer))
            m_system.SetTimerCurrentFromCount(nTimer, *nCurrent);
    }
    ShowLinkIdle();
    return true;
}

bool CZlvComm::SendAllTimers() { return SendTimers(0, CSystem::kTimers); }

bool CZlvComm::ReadAllTimers() { return ReadTimers(0, CSystem::kTimers); }

bool CZlvComm::SendModuleTimers() {
    return SendTimers(static_cast<short>(m_system.GetCurModule() * CSystem::kChannelsPerModule),
                      CSystem::kChannelsPerModule);
}

bool CZlvComm::ReadModuleTimers() {
    return ReadTimers(static_cast<short>(m_system.GetCurModule() * CSystem::kChannelsPerModule),
                      CSystem::kChannelsPerModule);
}

bool CZlvComm::SendChannelLabels(bool bCustomOnly) {
    short nSavedChannel = m_system.GetCurChannel();
    short nModule = m_system.GetCurModule();
    short nLoop = m_system.GetCurLoop();
    bool bOk = true;
    for (short nChannel = 0; bOk && nChannel < CSystem::kChannelsPerModule; ++nChannel) {
        if (bCustomOnly && !m_system.IsChannelLabelCustom(nModule, nChannel, nLoop))
            continue;
        m_system.SetCurChannel(nChannel);
        bOk = SendChannelLabel();
    }
    m_system.SetCurChannel(nSavedChannel);
    ShowLinkIdle();
    return bOk;
}

bool CZlvComm::SendModuleChannelLabels() { return SendChannelLabels(false); }

bool CZlvComm::SendModuleCustomChannelLabels() { return SendChannelLabels(true); }

bool CZlvComm::ReadModuleChannelLabels() {
    short nSavedChannel = m_system.GetCurChannel();
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
        m_system.SetCurChannel(nChannel);
        ReadChannelLabel();
        LinkDelay();
    }
    m_system.SetCurChannel(nSavedChannel);
    ShowLinkIdle();
    return true;
}

// A failure ends the rest of its loop; the next loop is still sent.
bool CZlvComm::SendModuleLabels(bool bCustomOnly) {
    ShowProgress("Transmitting module labels to DVX CPU...");
    bool bAllOk = true;
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop) {
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
            if (bCustomOnly && !m_system.IsModuleLabelCustom(nModule, nLoop))
                continue;
            if (!SendModuleLabel(nModule, nLoop)) {
                bAllOk = false;
                break;
            }
        }
    }
    ShowLinkIdle();
    return bAllOk;
}

bool CZlvComm::SendAllModuleLabels() { return SendModuleLabels(false); }

bool CZlvComm::SendCustomModuleLabels() { return SendModuleLabels(true); }

bool CZlvComm::ReadAllModuleLabels() {
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop) {
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
            ReadModuleLabel(nModule, nLoop);
            LinkDelay();
        }
    }
    ShowLinkIdle();
    return true;
}

bool CZlvComm::SendSysLabels() {
    ShowProgress("Transmitting system labels to DVX CPU ...");
    bool bOk = true;
    for (short nLabel = 0; bOk && nLabel < CSystem::kSysLabels; ++nLabel)
        bOk = SendSysLabel(nLabel);
    ShowLinkIdle();
    return bOk;
}

bool CZlvComm::ReadSysLabels() {
    Flush();
    for (short nLabel = 0; nLabel < CSystem::kSysLabels; ++nLabel) {
        SendFrame(Format(":V%02X\r", Low16(nLabel)));
        ShowLinkStatus(Format("RECEIVING system label %d", nLabel));
        std::string strLine;
        if (ReadLine(strLine))
            m_system.SetSysLabel(nLabel, strLine);
        LinkDelay();
    }
    ShowLinkIdle();
    return true;
}

// Makes each module of the first nLoops loops current in turn, then puts the
// selected loop and module back. A module that fails ends the rest of its
// loop; the next loop still runs.
bool CZlvComm::ForEachModule(short nLoops, bool (CZlvComm::*pfnModule)()) {
    short nSavedLoop = m_system.GetCurLoop();
    short nSavedModule = m_system.GetCurModule();
    bool bAllOk = true;
    for (short nLoop = 0; nLoop < nLoops; ++nLoop) {
        m_system.SetCurLoop(nLoop);
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
            m_system.SetCurModule(nModule);
            if (!(this->*pfnModule)()) {
                bAllOk = false;
                break;
            }
        }
    }
    m_system.SetCurLoop(nSavedLoop);
    m_system.SetCurModule(nSavedModule);
    return bAllOk;
}

bool CZlvComm::SendAllLabels() {
    ShowProgress("Transmitting channel labels to DVX CPU ...");
    bool bOk = ForEachModule(CSystem::kLoops, &CZlvComm::SendModuleCustomChannelLabels);
    bOk = bOk && SendCustomModuleLabels();
    bOk = bOk && SendSysLabels();
    ShowLinkIdle();
    return bOk;
}

bool CZlvComm::ReadAllLabels() {
    ForEachModule(CSystem::kLoops, &CZlvComm::ReadModuleChannelLabels);
    ReadAllModuleLabels();
    ReadSysLabels();
    ShowLinkIdle();
    return true;
}

bool CZlvComm::SendEquations(bool bDefinedOnly) {
    short nSavedChannel = m_system.GetCurChannel();
    short nModule = m_system.GetCurModule();
    short nLoop = m_system.GetCurLoop();
    bool bOk = true;
    for (short nChannel = 0; bOk && nChannel < CSystem::kChannelsPerModule; ++nChannel) {
        if (bDefinedOnly && !m_system.IsEquationDefined(nModule, nChannel, nLoop))
            continue;
        m_system.SetCurChannel(nChannel);
        bOk = SendEquation();
    }
    m_system.SetCurChannel(nSavedChannel);
    ShowLinkIdle();
    return bOk;
}

bool CZlvComm::SendModuleEquations() { return SendEquations(false); }

bool CZlvComm::SendModuleDefinedEquations() { return SendEquations(true); }

bool CZlvComm::SendAllEquations() {
    ShowProgress("Transmitting Booleans to DVX CPU ...");
    bool bAllOk = ForEachModule(CSystem::kEquationLoops, &CZlvComm::SendModuleDefinedEquations);
    ShowLinkIdle();
    return bAllOk;
}

bool CZlvComm::ReadModuleEquations() {
    short nSavedChannel = m_system.GetCurChannel();
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
        m_system.SetCurChannel(nChannel);
        ReadEquation();
        LinkDelay();
    }
    m_system.SetCurChannel(nSavedChannel);
    ShowLinkIdle();
    return true;
}

bool CZlvComm::ReadAllEquations() {
    ForEachModule(CSystem::kEquationLoops, &CZlvComm::ReadModuleEquations);
    ShowLinkIdle();
    return true;
}

bool CZlvComm::SendEquationAt(short nModule, short nChannel, short nLoop) {
    short nSavedLoop = m_system.GetCurLoop();
    short nSavedModule = m_system.GetCurModule();
    short nSavedChannel = m_system.GetCurChannel();
    m_system.SetCurLoop(nLoop);
    m_system.SetCurModule(nModule);
    m_system.SetCurChannel(nChannel);
    bool bOk = SendEquation();
    m_system.SetCurLoop(nSavedLoop);
    m_system.SetCurModule(nSavedModule);
    m_system.SetCurChannel(nSavedChannel);
    return bOk;
}
