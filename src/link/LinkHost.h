#pragma once

#include <chrono>
#include <string>

// What the protocol object needs from the window that owns the serial port.
// The main window implements it over the serial control; tests implement it
// with a scripted controller that answers frames when pumped.
class CLinkHost {
public:
    static constexpr const char* kSendMarkText = "-";
    static constexpr const char* kLinkIdleText = "LINK IDLE";
    // The status pane's text while the system labels are read.
    static constexpr const char* kReceivingSysLabelText = "RECEIVING system label %d";
    static constexpr std::chrono::milliseconds kNoTimeLimit = std::chrono::milliseconds::max();

    virtual ~CLinkHost() = default;

    // Writes one whole frame to the port.
    virtual void WriteFrame(const std::string& strFrame) = 0;
    // Dispatches the events that are waiting and returns whether there were
    // any; never blocks.
    virtual bool PumpEvents() = 0;
    // Blocks until the next event of any kind (a character, a timer, a click)
    // has arrived and dispatches it, or until maxWait has passed. Only used
    // while nothing is left to read and the port is open.
    virtual void WaitForEvent(std::chrono::milliseconds maxWait) = 0;
    // Whether the serial device really is open.
    virtual bool IsPortOpen() const = 0;
    // Hands on every character that has already arrived, so none of it can
    // be taken for the answer to the frame about to go out. A host whose
    // characters never wait anywhere has nothing to do.
    virtual void TakeWaitingInput() {}

    // Status pane indications: "-" after a frame, "LINK IDLE" after an
    // operation, and link texts such as "RECEIVING system label %d".
    virtual void ShowSendMark() = 0;
    virtual void ShowLinkIdle() = 0;
    virtual void ShowLinkStatus(const std::string& strText) = 0;
    // Opens the wait indicator if needed and shows the progress text.
    virtual void ShowProgress(const std::string& strText) = 0;
    // A wait has heard nothing from the controller for a while (true), or
    // hears it again or has ended (false). The technician is offered to
    // close the port meanwhile.
    virtual void ShowNotAnswering(bool bNotAnswering) = 0;
    // How far the running sequence has come: frames written of its total,
    // and the time it still needs.
    virtual void ShowFrameProgress(int nDone, int nTotal, std::chrono::milliseconds timeLeft) = 0;
    // Serial viewer lines: frames written and lines read.
    virtual void AddOutboundLine(const std::string& strLine) = 0;
    virtual void AddInboundLine(const std::string& strLine) = 0;
};
