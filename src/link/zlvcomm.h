#pragma once

#include "model/LinkControl.h"

#include <cstdint>
#include <optional>
#include <string>

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
// soon as the port is closed. Readers that end that way yield no value, and
// the operations then leave the system record as it was.
class CZlvComm : public CLinkControl {
public:
    static constexpr int kRingSize = 1000;
    static constexpr char kCr = '\r';
    static constexpr char kLf = '\n';

    // Hands itself to the system record for link suspension; the host may be
    // given later (the window that owns the port is created afterwards).
    CZlvComm(CSystem& system, CShellServices& shell, CLinkHost* pHost = nullptr);
    ~CZlvComm() override;
    CZlvComm(const CZlvComm&) = delete;
    CZlvComm& operator=(const CZlvComm&) = delete;

    void SetHost(CLinkHost* pHost) { m_pHost = pHost; }
    CLinkHost* GetHost() const { return m_pHost; }
    // While another protocol object reads over this one's line (a compare
    // reads the controller into a scratch record), the characters received
    // go to it instead; nullptr ends that.
    void ForwardReceiveTo(CZlvComm* pReader) { m_pForward = pReader; }

    // --- port and message pumping ---
    // The link's own open flag: set when the open command starts, cleared
    // when the port is closed. Frames are dropped and waits end while clear.
    // A reader the characters are forwarded to follows the flag too.
    void SetPortOpen(bool bOpen) {
        m_bPortOpen = bOpen;
        if (m_pForward)
            m_pForward->SetPortOpen(bOpen);
    }
    bool GetPortOpen() const { return m_bPortOpen != 0; }
    // Whether the serial device really is open.
    bool IsPortOpen() const override;
    void PumpMessages();
    void LinkDelay();
    bool ShowProgress(const std::string& strText);

    // --- receive side ---
    void OnReceive(const std::string& strText);
    void Flush();
    char GetChar();
    int GetUnreadCount() const { return m_nUnread; }

    // --- readers ---
    void WaitLineEnd();
    bool ReadOk();
    // No value when the port closed before a bit arrived.
    std::optional<bool> ReadBit();
    // No value when the port closed first or a digit is not hexadecimal.
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

    // --- single frames ---
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
    bool ReadChannelLabel();
    bool ReadModuleLabel(short nModule, short nLoop);
    bool ReadSysLabel(short nLabel);

    // --- sequences ---
    bool SendSleepMode();
    bool ReadSleepMode();
    bool SendHiSpeedPairs();
    bool ReadHiSpeedPairs();
    bool SendAllTimers();
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
    // A label as it may travel inside a frame: control characters, which
    // would end or corrupt the frame, become spaces.
    static std::string FrameLabel(const std::string& strLabel);

private:
    CLinkHost& Host() const;
    bool IsLinkOpen() const;
    void ShowLinkIdle();
    void ShowLinkStatus(const std::string& strText);
    void Exchange(const std::string& strFrame, bool bFlush);
    bool AckFrame(const std::string& strFrame, bool bFlush = true);
    bool LineEndFrame(const std::string& strFrame, bool bFlush = true);
    bool SendTwice(const std::string& strFrame);
    std::optional<short> HexFrame(const std::string& strFrame, bool bFlush);
    std::optional<short> ReadHiSpeedChannel(const std::string& strFrame);
    void PutChar(char c);
    char PeekChar(int nOffset) const;
    bool FindUnread(char c, int& nOffset) const;
    enum class EAhead { None, Skipped, Incomplete };
    EAhead StatusLineAhead();
    bool WaitStep(bool bNeedInput);
    std::optional<char> TakeChar(bool (*pfnWanted)(char));
    std::optional<short> ReadHexDigits(int nDigits);
    bool SendModuleLabels(bool bCustomOnly);
    bool SendChannelLabels(bool bCustomOnly);
    bool SendEquations(bool bDefinedOnly);
    bool SendTimers(short nFirst, short nCount);
    bool ReadTimers(short nFirst, short nCount);
    bool ForEachModule(short nLoops, bool (CZlvComm::*pfnModule)());

    CSystem& m_system;
    CShellServices& m_shell;
    CLinkHost* m_pHost;
    CZlvComm* m_pForward = nullptr;

    int32_t m_bPortOpen = 0;
    char m_acRing[kRingSize] = {};
    int16_t m_nWrite = 0;
    int16_t m_nRead = 0;
    int16_t m_nUnread = 0;
    std::string m_strStatusLine;
    std::string m_strInLine;
    // The next character read starts an answer line, where a loop status
    // line may stand instead.
    bool m_bReadAtLineStart = true;
};
