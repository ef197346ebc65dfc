#pragma once

#include "link/TransferProgress.h"
#include "model/LinkControl.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CLinkHost;
class CShellServices;
class CSystem;

// The controller protocol object: the port-open flag, the receive ring with
// its readers and the loop status decoder, every frame the controller
// understands and the sequences built from them. It talks to the port only
// through its link host and to the user only through the host's indications
// and the shell's traces.
//
// Exchanges are synchronous: a frame is written and its answer read from the
// ring while the host keeps dispatching events, so received characters keep
// arriving and the window stays live. No wait times out; every wait ends as
// soon as the port is closed. A controller silent for a while is shown to the
// technician, so he knows to close the port.
//
// Only an answer that has the form its reader expects is stored: one that
// ended early, ran long or holds the wrong characters leaves its field as it
// was, is named in a trace, and makes its operation return false. Readers
// that end because the port closed yield no value either.
class CControllerProtocol : public CLinkControl {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kRingSize = 1000;
    static constexpr char kCr = '\r';
    static constexpr char kLf = '\n';
    // How long a wait hears nothing before the controller is shown as not
    // answering.
    static constexpr std::chrono::milliseconds kNotAnsweringDelay{3000};

    // Hands itself to the system record for link suspension; the host may be
    // given later (the window that owns the port is created afterwards).
    CControllerProtocol(CSystem& system, CShellServices& shell, CLinkHost* pHost = nullptr);
    ~CControllerProtocol() override;
    CControllerProtocol(const CControllerProtocol&) = delete;
    CControllerProtocol& operator=(const CControllerProtocol&) = delete;

    void SetHost(CLinkHost* pHost) { m_pHost = pHost; }
    CLinkHost* GetHost() const { return m_pHost; }
    // While another protocol object reads over this one's line (a compare
    // reads the controller into a scratch record), the characters received
    // go to it instead; nullptr ends that.
    void ForwardReceiveTo(CControllerProtocol* pReader) { m_pForward = pReader; }

    // --- port and message pumping ---
    // The link's own open flag: set when the open command starts, cleared
    // when the port is closed. Frames are dropped and waits end while clear.
    // A reader the characters are forwarded to follows the flag too.
    void SetPortOpen(bool bOpen) {
        if (bOpen && !m_bPortOpen)
            ++m_nOpening;
        m_bPortOpen = bOpen;
        if (m_pForward)
            m_pForward->SetPortOpen(bOpen);
    }
    // Also false for a command whose opening of the port has ended (see
    // CCommandScope).
    bool GetPortOpen() const { return m_bPortOpen != 0 && !IsCommandCutOff(); }

    // A controller command holds one while it runs. When the port closes and
    // opens again meanwhile (the technician may do both while the command
    // waits), the command's link has gone for good: its frames are dropped,
    // its reads end at once and find nothing, as with the port closed, and
    // nothing of it reaches the new link. The innermost scope decides, so a
    // command started on the new opening talks to it.
    class CCommandScope {
    public:
        explicit CCommandScope(CControllerProtocol& comm) : m_comm(comm) {
            m_comm.m_anScopeOpenings.push_back(m_comm.m_nOpening);
        }
        ~CCommandScope() { m_comm.m_anScopeOpenings.pop_back(); }
        CCommandScope(const CCommandScope&) = delete;
        CCommandScope& operator=(const CCommandScope&) = delete;

    private:
        CControllerProtocol& m_comm;
    };
    // Whether the serial device really is open.
    bool IsPortOpen() const override;
    // Whether any event was waiting.
    bool PumpMessages();
    void LinkDelay();
    void SetNotAnsweringDelay(std::chrono::milliseconds delay) { m_notAnsweringDelay = delay; }
    bool ShowProgress(const std::string& strText);
    // Runs a sequence without the controller and counts the frames it would
    // write: every frame counts as acknowledged, every read finds nothing
    // and stores nothing, nothing is shown.
    CTransferProgress::CCount CountFrames(const std::function<void()>& fnSequence);
    // From here to EndProgress every frame moves the wait indicator's bar.
    void StartProgress(const CTransferProgress::CCount& total);
    void EndProgress();
    // Counts the sequence's frames, then runs it with the wait indicator's
    // bar following it; the bar is full at its end, even when it ended
    // early. The sequence is run twice, so it keeps its results in
    // variables it sets afresh.
    void RunWithProgress(const std::function<void()>& fnSequence);
    // Where the time left is measured from; tests give a clock of their own.
    void SetClock(std::function<Clock::time_point()> fnNow) { m_fnNow = std::move(fnNow); }

    // --- receive side ---
    void OnReceive(const std::string& strText);
    void Flush();
    char GetChar();
    int GetUnreadCount() const { return m_nUnread; }
    // The controller has begun a line since the last frame went out and not
    // ended it: it answered part of a line.
    bool HasPartialLine() const { return m_bLinePending; }

    // --- readers ---
    // Readers that take a value start at the answer line (line ends left of
    // earlier lines are skipped) and stay within it.
    void WaitLineEnd();
    bool ReadOk();
    // The first "0" or "1" of the line; no value when the line ends without
    // one or the port closed first.
    std::optional<bool> ReadBit();
    // No value when the port closed first or the line holds something other
    // than the digits at their place (a line end among them included).
    std::optional<short> ReadHexByte();
    // As ReadHexByte, with -1 for the digits FF (no channel).
    std::optional<short> ReadHexByteOrNone();
    std::optional<short> ReadHex3();
    // False when the port closed before the carriage return; strLine then
    // holds what had arrived.
    bool ReadLine(std::string& strLine);

    // --- hexadecimal text ---
    static int HexDigitValue(char c);
    static bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }
    static bool IsHexText(const std::string& strText);
    static int HexTextValue(const std::string& strText);

    // --- loop status lines ---
    void OnLineEnd();
    void ParseStatusLine();
    void StoreStatusByte(short nLoop, int nByte, int nValue);
    // How many whole status lines of a loop have been decoded.
    long StatusLinesReceived(short nLoop) const {
        return nLoop >= 0 && nLoop < kStatusLoops ? m_anStatusLines[nLoop] : 0;
    }

    // --- single frames ---
    // Characters that arrived before the frame went out cannot be its
    // answer; they are dropped unread (status lines among them were decoded
    // as they arrived).
    void SendFrame(const std::string& strFrame);
    bool QueryModuleLink();
    bool StartModuleLink() override;
    bool StopModuleLink() override;
    bool ReadProcessorTime();
    bool SendPause();
    bool SendContinue();
    bool SendBoolProcessor(bool bOn);
    bool SendLoopMonitor(short nLoop, bool bOn);
    bool SendChannelState(short nLoop, short nModule, short nChannel, int nState);
    bool ClearCpuMemory();
    bool ReadEquation();
    bool SendEquation();
    bool ReadSleepEnabled();
    bool ReadSleepWakeUp();
    bool ReadSleepInactivity();
    bool SendSleepEnabled();
    bool SendSleepWakeUp();
    bool SendSleepInactivity();
    bool SendHiSpeedInput(short nPair);
    bool SendHiSpeedOutput(short nPair);
    bool ReadHiSpeedInput(short nPair);
    bool ReadHiSpeedOutput(short nPair);
    bool SendTimerReload(short nTimer);
    bool SendTimerCurrent(short nTimer);
    std::optional<short> ReadTimerReload(short nTimer);
    std::optional<short> ReadTimerCurrent(short nTimer);
    bool SendChannelLabel();
    bool SendModuleLabel(short nModule, short nLoop);
    bool SendSysLabel(short nLabel);
    // A label answer that cannot be a label the controller keeps (see
    // IsLabelAnswer) is not stored and makes the read return false.
    bool ReadChannelLabel();
    bool ReadModuleLabel(short nModule, short nLoop);
    bool ReadSysLabel(short nLabel);
    // What the controller answers to a frame it does not take.
    static constexpr const char* kRefusedAnswer = "ERROR";
    static bool IsLabelAnswer(const std::string& strText);

    // --- sequences ---
    // What a send sequence that stopped early left out, in the technician's
    // words ("BLUE LOOP channel labels from A6 on"), oldest first. Taking
    // them empties the list.
    struct CUnsent {
        std::string strWhat;
        bool bPlural = true;
    };
    std::vector<CUnsent> TakeUnsent();
    // The values that were sent as the nearest count the controller holds,
    // one sentence each ("Timer A3's reload 25.6 s was sent as 25.4 s"),
    // oldest first. Taking them empties the list.
    std::vector<std::string> TakeNearest();
    // Read sequences read every field even when some are not read; they
    // return false when any was not.
    bool SendSleepMode();
    bool ReadSleepMode();
    bool SendHiSpeedPairs();
    bool ReadHiSpeedPairs();
    bool SendAllTimers();
    // The timers of a whole system, saying so in the indicator: 320 frames
    // take a while and the labels' text would otherwise stand over them.
    bool SendAllTimersShowingPhase();
    static constexpr const char* kTransmittingTimersText = "Transmitting all timers ...";
    bool ReadAllTimers();
    bool SendModuleTimers();
    bool ReadModuleTimers();
    bool SendModuleChannelLabels();
    bool SendModuleCustomChannelLabels();
    bool ReadModuleChannelLabels();
    bool SendAllModuleLabels();
    bool SendCustomModuleLabels();
    bool ReadAllModuleLabels();
    bool SendSysLabels();
    bool ReadSysLabels();
    bool SendAllLabels();
    bool ReadAllLabels();
    bool SendModuleEquations();
    bool SendModuleDefinedEquations();
    bool SendAllEquations();
    bool ReadModuleEquations();
    bool ReadAllEquations();
    bool SendEquationAt(short nModule, short nChannel, short nLoop);

    // The frame texts, for the operations above and for tests.
    static std::string EquationFrame(CSystem& system);
    // A label as it may travel inside a frame: no longer than a label's
    // field, and control characters, which would end or corrupt the frame,
    // become spaces.
    static std::string FrameLabel(const std::string& strLabel);

private:
    CLinkHost& Host() const;
    bool IsLinkOpen() const;
    bool IsCommandCutOff() const {
        return !m_anScopeOpenings.empty() && m_anScopeOpenings.back() != m_nOpening;
    }
    void ShowLinkIdle();
    void ShowLinkStatus(const std::string& strText);
    void ShowFrameProgress();
    void Exchange(const std::string& strFrame, bool bFlush);
    bool AckFrame(const std::string& strFrame, bool bFlush = true);
    bool LineEndFrame(const std::string& strFrame, bool bFlush = true);
    bool SendTwice(const std::string& strFrame);
    std::optional<short> HexFrame(const std::string& strFrame, bool bFlush);
    std::optional<short> ReadHiSpeedChannel(const std::string& strFrame);
    bool ReadEquationBlock(short anFlags[3], short anTerms[6]);
    // False, with a trace naming the field when the answer was malformed.
    bool NotRead(const std::string& strField);
    bool ReadLabelAnswer(std::string& strLabel, const std::string& strField, bool bTrimmed);
    bool ReadSysLabelAnswer(short nLabel);
    std::string CurChannelName() const;
    void PutChar(char c);
    char PeekChar(int nOffset) const;
    bool FindUnread(char c, int& nOffset) const;
    void DiscardUnread();
    enum class EAhead { None, Skipped, Incomplete };
    EAhead StatusLineAhead();
    bool WaitStep(bool bNeedInput);
    void WaitForInput();
    void SetNotAnswering(bool bNotAnswering);
    std::optional<char> PeekAnswerChar();
    bool SkipLineEnds();
    std::optional<char> TakeChar(bool (*pfnWanted)(char));
    std::optional<short> ReadHexDigits(int nDigits, bool bAnswerStart);
    bool ReadAnswerEnd();
    bool SendModuleLabels(bool bCustomOnly);
    // Sends, with pfnSend, each channel of the current module that
    // pfnWanted (given module, channel and loop) keeps, or every channel
    // without one; stops at the first failure and puts the current channel
    // back.
    bool SendModuleChannels(bool (CControllerProtocol::*pfnSend)(),
                            bool (CSystem::*pfnWanted)(short, short, short) const);
    bool SendTimers(short nFirst, short nCount);
    bool ReadTimers(short nFirst, short nCount);
    bool ForEachModule(short nLoops, bool (CControllerProtocol::*pfnModule)(), bool bGoOn = false,
                       const char* szSent = nullptr);
    void NoteUnsent(const std::string& strWhat, bool bPlural = true);
    void NoteNearest(const std::string& strText);

    CSystem& m_system;
    CShellServices& m_shell;
    CLinkHost* m_pHost;
    CControllerProtocol* m_pForward = nullptr;

    int32_t m_bPortOpen = 0;
    // Counts the port's openings; each command scope keeps the one it began
    // on.
    unsigned m_nOpening = 0;
    std::vector<unsigned> m_anScopeOpenings;
    char m_acRing[kRingSize] = {};
    int16_t m_nWrite = 0;
    int16_t m_nRead = 0;
    int16_t m_nUnread = 0;
    std::string m_strStatusLine;
    static constexpr int kStatusLoops = 6;
    long m_anStatusLines[kStatusLoops] = {};
    std::string m_strInLine;
    // The next character read starts an answer line, where a loop status
    // line may stand instead.
    bool m_bReadAtLineStart = true;
    bool m_bLinePending = false;
    // When a frame was last written or a character last arrived.
    Clock::time_point m_lastHeard = Clock::now();
    std::chrono::milliseconds m_notAnsweringDelay = kNotAnsweringDelay;
    bool m_bNotAnswering = false;
    std::function<Clock::time_point()> m_fnNow = [] { return Clock::now(); };
    // A counting run is going on; m_counted holds what it wrote so far.
    bool m_bCounting = false;
    CTransferProgress::CCount m_counted;
    CTransferProgress m_progress;
    // Where the last module's send stopped ("A6").
    std::string m_strStoppedAt;
    std::vector<CUnsent> m_aUnsent;
    std::vector<std::string> m_astrNearest;
};
