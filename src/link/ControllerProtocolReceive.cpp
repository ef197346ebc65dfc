#include "link/ControllerProtocol.h"

#include "link/ControllerProtocolFormat.h"
#include "link/LinkHost.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "model/Trim.h"

using namespace ControllerProtocolFormat;

namespace {

// A status line is ">L", the loop digit, forty data digits; nothing shorter
// can be one, and no answer line is that long.
constexpr int kStatusLineLength = 43;
constexpr int kStatusDataBytes = 20;
// A line that never ends (a babbling or foreign device) is kept only this
// long: for the status-line decoder, for a text answer, for the viewer.
constexpr std::size_t kMaxStatusLine = CControllerProtocol::kRingSize;
constexpr std::size_t kMaxLineText = CControllerProtocol::kRingSize;
// A carriage return and a line feed.
constexpr int kLineEndRoom = 2;

bool IsLineEnd(char c) { return c == CControllerProtocol::kCr || c == CControllerProtocol::kLf; }
// A break on the line reads as a NUL, and a stray end-of-file character is
// noise as well: the controller sends neither in an answer.
bool IsNoise(char c) { return c == '\0' || c == 0x1A; }
bool IsGap(char c) { return IsLineEnd(c) || IsNoise(c); }
bool IsNotGap(char c) { return !IsGap(c); }
bool IsLf(char c) { return c == CControllerProtocol::kLf; }
bool IsAnyChar(char) { return true; }

std::string UpperAscii(std::string strText) {
    for (char& c : strText) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return strText;
}

} // namespace

// --- receive side ---

void CControllerProtocol::OnReceive(const std::string& strText) {
    if (m_pForward) {
        m_pForward->OnReceive(strText);
        return;
    }
    if (strText.empty())
        return;
    m_lastHeard = Clock::now();
    SetNotAnswering(false);
    m_bLinePending = !IsLineEnd(strText.back());
    for (char c : strText) {
        PutChar(c);
        if (m_strStatusLine.size() >= kMaxStatusLine)
            m_strStatusLine.erase(0, 1);
        m_strStatusLine += c;
        if (c == kCr)
            OnLineEnd();
    }
}

// Whatever arrived before a frame went out is set aside when it is written,
// so the oldest characters in the ring are the answer being waited for. A
// full ring keeps them: the newest characters give way, however many arrive
// in one read. Line ends keep a little room of their own, so a line that ran
// too long for the ring still ends and its reader is not left waiting.
void CControllerProtocol::PutChar(char c) {
    const int nRoom = IsLineEnd(c) ? kRingSize : kRingSize - kLineEndRoom;
    if (m_nUnread >= nRoom)
        return;
    m_acRing[m_nWrite] = c;
    m_nWrite = static_cast<int16_t>((m_nWrite + 1) % kRingSize);
    ++m_nUnread;
}

void CControllerProtocol::Flush() {
    m_nUnread = 0;
    m_nWrite = 0;
    m_nRead = 0;
    m_strStatusLine.clear();
    m_bReadAtLineStart = true;
}

// Unlike Flush, the status-line decoder keeps a line it is in the middle of.
void CControllerProtocol::DiscardUnread() {
    m_nRead = m_nWrite;
    m_nUnread = 0;
    m_bReadAtLineStart = true;
    m_bLinePending = false;
}

char CControllerProtocol::GetChar() {
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

char CControllerProtocol::PeekChar(int nOffset) const {
    return m_acRing[(m_nRead + nOffset) % kRingSize];
}

bool CControllerProtocol::FindUnread(char c, int& nOffset) const {
    for (nOffset = 0; nOffset < m_nUnread; ++nOffset) {
        if (PeekChar(nOffset) == c)
            return true;
    }
    return false;
}

// --- waiting ---

// Loop status lines come unasked, between answer lines. A complete one at
// the start of a line is taken out of the answer's way (it was decoded when
// it arrived); while one may still be arriving, the reader waits for it.
CControllerProtocol::EAhead CControllerProtocol::StatusLineAhead() {
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
bool CControllerProtocol::WaitStep(bool bNeedInput) {
    if (bNeedInput && IsLinkOpen())
        WaitForInput();
    else
        PumpMessages();
    if (IsLinkOpen())
        return true;
    SetNotAnswering(false);
    return false;
}

// The wait for input wakes when the controller has been silent long enough
// to be shown as not answering; from then on only an event ends it.
void CControllerProtocol::WaitForInput() {
    Clock::duration silence = Clock::now() - m_lastHeard;
    if (silence < m_notAnsweringDelay) {
        Host().WaitForEvent(
            std::chrono::ceil<std::chrono::milliseconds>(m_notAnsweringDelay - silence));
        return;
    }
    SetNotAnswering(true);
    if (IsLinkOpen())
        Host().WaitForEvent(CLinkHost::kNoTimeLimit);
}

void CControllerProtocol::SetNotAnswering(bool bNotAnswering) {
    if (m_bNotAnswering == bNotAnswering)
        return;
    m_bNotAnswering = bNotAnswering;
    Host().ShowNotAnswering(bNotAnswering);
}

// The next character of the answer, left unread; waits for it.
std::optional<char> CControllerProtocol::PeekAnswerChar() {
    // Characters in the ring are never the answer to a frame not written,
    // nor, once its opening has ended, to any frame of the command.
    if (m_bCounting || IsCommandCutOff())
        return std::nullopt;
    for (;;) {
        EAhead ahead = StatusLineAhead();
        if (ahead == EAhead::Skipped)
            continue;
        if (m_nUnread > 0 && ahead == EAhead::None)
            return PeekChar(0);
        if (!WaitStep(true))
            return std::nullopt;
    }
}

std::optional<char> CControllerProtocol::TakeChar(bool (*pfnWanted)(char)) {
    for (;;) {
        if (!PeekAnswerChar())
            return std::nullopt;
        char c = GetChar();
        if (pfnWanted(c))
            return c;
        if (!WaitStep(false))
            return std::nullopt;
    }
}

// Line ends left of earlier answers, and noise, come before this one.
bool CControllerProtocol::SkipLineEnds() {
    for (;;) {
        std::optional<char> c = PeekAnswerChar();
        if (!c)
            return false;
        if (!IsGap(*c))
            return true;
        GetChar();
    }
}

// --- readers ---

void CControllerProtocol::WaitLineEnd() {
    TakeChar(IsLf);
    Flush();
}

// Consumes the rest of the answer line like WaitLineEnd; true when nothing
// but the line end followed what the reader took.
bool CControllerProtocol::ReadAnswerEnd() {
    bool bEmpty = true;
    for (std::optional<char> c = TakeChar(IsAnyChar); c && *c != kLf; c = TakeChar(IsAnyChar))
        bEmpty = bEmpty && *c == kCr;
    Flush();
    return bEmpty;
}

bool CControllerProtocol::ReadOk() {
    std::optional<char> first = TakeChar(IsNotGap);
    std::optional<char> second = first ? TakeChar(IsNotGap) : std::nullopt;
    WaitLineEnd();
    return first == 'O' && second == 'K';
}

std::optional<bool> CControllerProtocol::ReadBit() {
    std::optional<char> bit;
    if (SkipLineEnds()) {
        for (std::optional<char> c = PeekAnswerChar(); c && !IsLineEnd(*c); c = PeekAnswerChar()) {
            GetChar();
            if (*c == '0' || *c == '1') {
                bit = c;
                break;
            }
        }
    }
    WaitLineEnd();
    if (!bit)
        return std::nullopt;
    return *bit == '1';
}

// A character that does not belong to the number is left for the line end
// to consume.
std::optional<short> CControllerProtocol::ReadHexDigits(int nDigits, bool bAnswerStart) {
    if (bAnswerStart && !SkipLineEnds())
        return std::nullopt;
    int nValue = 0;
    for (int i = 0; i < nDigits; ++i) {
        std::optional<char> c = PeekAnswerChar();
        if (!c || !IsHexDigit(*c))
            return std::nullopt;
        GetChar();
        nValue = nValue * 16 + HexDigitValue(*c);
    }
    return static_cast<short>(nValue);
}

std::optional<short> CControllerProtocol::ReadHexByte() { return ReadHexDigits(2, true); }

std::optional<short> CControllerProtocol::ReadHexByteOrNone() {
    std::optional<short> value = ReadHexByte();
    if (value && Low8(*value) == 0xFFu)
        return static_cast<short>(-1);
    return value;
}

std::optional<short> CControllerProtocol::ReadHex3() { return ReadHexDigits(3, true); }

// Three flag bytes, six terms and two tail bytes, which carry nothing.
bool CControllerProtocol::ReadEquationBlock(short anFlags[3], short anTerms[6]) {
    for (int i = 0; i < 3; ++i) {
        std::optional<short> flags = ReadHexDigits(2, i == 0);
        if (!flags)
            return false;
        anFlags[i] = *flags;
    }
    for (int i = 0; i < 6; ++i) {
        std::optional<short> term = ReadHexDigits(3, false);
        if (!term)
            return false;
        anTerms[i] = *term;
    }
    return ReadHexDigits(2, false) && ReadHexDigits(2, false);
}

bool CControllerProtocol::ReadLine(std::string& strLine) {
    strLine.clear();
    for (;;) {
        std::optional<char> c = TakeChar(IsAnyChar);
        if (!c) {
            Flush();
            return false;
        }
        if (*c == kCr)
            break;
        if (*c != kLf && !IsNoise(*c) && strLine.size() < kMaxLineText)
            strLine += *c;
    }
    WaitLineEnd();
    Flush();
    return true;
}

// --- hexadecimal text ---

int CControllerProtocol::HexDigitValue(char c) { return c <= '9' ? c - '0' : c - 55; }

bool CControllerProtocol::IsHexText(const std::string& strText) {
    for (char c : strText) {
        if (!IsHexDigit(c))
            return false;
    }
    return true;
}

int CControllerProtocol::HexTextValue(const std::string& strText) {
    int nValue = 0;
    for (char c : strText)
        nValue = nValue * 16 + HexDigitValue(c);
    return nValue;
}

// --- loop status lines ---

void CControllerProtocol::OnLineEnd() {
    ParseStatusLine();
    m_strStatusLine.clear();
}

void CControllerProtocol::ParseStatusLine() {
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
    ++m_anStatusLines[nLoop];
}

void CControllerProtocol::StoreStatusByte(short nLoop, int nByte, int nValue) {
    for (int i = 0; i < 8; ++i) {
        int nPosition = nByte * 8 + i;
        m_system.SetChannelStateAt(static_cast<short>(nPosition / CSystem::kChannelsPerModule),
                                   static_cast<short>(nPosition % CSystem::kChannelsPerModule),
                                   nLoop, Bit(nValue, 7 - i) ? 1 : 0);
    }
}
