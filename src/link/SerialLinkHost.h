#pragma once

#include "link/LinkHost.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <string>

class CSerialControl;
class CControllerProtocol;

// The link host over the serial control: frames go out through the control,
// received characters go to the protocol object as they arrive, and waits
// run the window's event loop (pumping without blocking, or sleeping until
// the next event when nothing is left to read). The window fills in the
// hooks for what it shows; a hook left empty shows nothing.
class CSerialLinkHost : public QObject, public CLinkHost {
    Q_OBJECT

public:
    CSerialLinkHost(CSerialControl& port, CControllerProtocol& comm, QObject* pParent = nullptr);
    ~CSerialLinkHost() override;

    void WriteFrame(const std::string& strFrame) override;
    bool PumpEvents() override;
    void WaitForEvent(std::chrono::milliseconds maxWait) override;
    bool IsPortOpen() const override;
    void TakeWaitingInput() override;
    void ShowSendMark() override { Show(m_fnStatusText, kSendMarkText); }
    void ShowLinkIdle() override { Show(m_fnStatusText, kLinkIdleText); }
    void ShowLinkStatus(const std::string& strText) override { Show(m_fnStatusText, strText); }
    void ShowProgress(const std::string& strText) override { Show(m_fnProgress, strText); }
    void ShowNotAnswering(bool bNotAnswering) override {
        if (m_fnNotAnswering)
            m_fnNotAnswering(bNotAnswering);
    }
    void ShowFrameProgress(int nDone, int nTotal, std::chrono::milliseconds timeLeft) override {
        if (m_fnFrameProgress)
            m_fnFrameProgress(nDone, nTotal, timeLeft);
    }
    void AddOutboundLine(const std::string& strLine) override { Show(m_fnOutbound, strLine); }
    void AddInboundLine(const std::string& strLine) override { Show(m_fnInbound, strLine); }

    // Status pane 0 texts ("-", "LINK IDLE", link texts).
    std::function<void(const std::string&)> m_fnStatusText;
    // The wait indicator's progress text.
    std::function<void(const std::string&)> m_fnProgress;
    // The controller's silence during a wait, and its end.
    std::function<void(bool bNotAnswering)> m_fnNotAnswering;
    // The wait indicator's bar and time left.
    std::function<void(int nDone, int nTotal, std::chrono::milliseconds timeLeft)>
        m_fnFrameProgress;
    // Serial viewer lines.
    std::function<void(const std::string&)> m_fnOutbound;
    std::function<void(const std::string&)> m_fnInbound;
    // Every event of the control, after received characters have been
    // handed to the protocol object (line texts, error reports).
    std::function<void(short nEvent)> m_fnCommEvent;

private:
    static void Show(const std::function<void(const std::string&)>& fnShow,
                     const std::string& strText) {
        if (fnShow)
            fnShow(strText);
    }
    void OnComm();

    static constexpr int kMaxInputPasses = 50;
    CSerialControl& m_port;
    CControllerProtocol& m_comm;
    // Wakes a wait that has waited long enough.
    QTimer m_wakeTimer;
};
