#pragma once

#include "link/LinkHost.h"

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

class CControllerProtocol;

// A controller behind the link host: every frame written is recorded and
// answered, and the answer reaches the protocol object's receive side the
// next time events are pumped, as characters from a serial port would. A
// reader that blocks with nothing left to deliver is a stall: it is counted
// and, unless the test says otherwise, the port is closed so the wait ends.
class CScriptedController : public CLinkHost {
public:
    using Answer = std::function<std::string(const std::string&)>;
    struct Progress {
        int nDone;
        int nTotal;
        std::chrono::milliseconds timeLeft;
    };

    explicit CScriptedController(CControllerProtocol& comm) : m_comm(comm) {}

    // What a controller with default memory answers to each frame.
    static std::string DefaultAnswer(const std::string& strFrame);
    // The controller with default memory, except that each frame listed gets
    // the answer beside it: the few values a test wants read back.
    static Answer DefaultExcept(std::map<std::string, std::string> astrAnswers);

    // Text the controller sends on its own, delivered at the next event.
    void Say(const std::string& strText) { m_astrPending.push_back(strText); }
    // Closes the port as the close command does.
    void Close();
    // Every frame written, joined.
    std::string Written() const;

    void WriteFrame(const std::string& strFrame) override;
    bool PumpEvents() override;
    void WaitForEvent(std::chrono::milliseconds maxWait) override;
    bool IsPortOpen() const override { return m_bOpen; }
    void ShowSendMark() override { m_astrStatus.push_back(kSendMarkText); }
    void ShowLinkIdle() override { m_astrStatus.push_back(kLinkIdleText); }
    void ShowLinkStatus(const std::string& strText) override { m_astrStatus.push_back(strText); }
    void ShowProgress(const std::string& strText) override { m_astrProgress.push_back(strText); }
    void ShowNotAnswering(bool bNotAnswering) override {
        m_abNotAnswering.push_back(bNotAnswering);
    }
    void ShowFrameProgress(int nDone, int nTotal, std::chrono::milliseconds timeLeft) override {
        m_aProgress.push_back({nDone, nTotal, timeLeft});
    }
    void AddOutboundLine(const std::string& strLine) override { m_astrOutbound.push_back(strLine); }
    void AddInboundLine(const std::string& strLine) override { m_astrInbound.push_back(strLine); }

    Answer m_fnAnswer = DefaultAnswer;
    std::function<void()> m_fnOnStall = [this] { Close(); };
    // Deliver answers one character per event.
    bool m_bTrickle = false;
    bool m_bOpen = true;
    int m_nPumps = 0;
    // Pumps that report an event dispatched even when none was (a queue
    // that never empties).
    bool m_bAlwaysBusy = false;
    int m_nWaits = 0;
    int m_nStalls = 0;
    std::vector<std::string> m_astrFrames;
    std::vector<std::string> m_astrStatus;
    std::vector<std::string> m_astrProgress;
    std::vector<bool> m_abNotAnswering;
    std::vector<Progress> m_aProgress;
    // Called with each frame written, before it is answered.
    std::function<void(const std::string&)> m_fnOnFrame;
    std::vector<std::string> m_astrOutbound;
    std::vector<std::string> m_astrInbound;

private:
    void DeliverOne();

    CControllerProtocol& m_comm;
    std::deque<std::string> m_astrPending;
};
