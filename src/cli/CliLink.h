#pragma once

#include "controls/SerialControl.h"
#include "link/ControllerProtocol.h"
#include "link/SerialLinkHost.h"

#include <QElapsedTimer>
#include <QTimer>

#include <memory>
#include <set>
#include <string>

class CCliProgress;
class CCliShell;
struct CCliRequest;

// corvel-cli's line to the controller: the serial control, a protocol object
// over the record the command works on, and the same link host the window
// uses. Unlike the window it gives up when the controller sends nothing for
// the time-out: the device is then closed, which ends every wait at once
// and makes the rest of the sequence drop its frames.
class CCliLink {
public:
    // The line's error counters come from pErrorSource when given, else from
    // the driver.
    CCliLink(CSystem& system, CCliShell& shell, const CCliRequest& request, CCliProgress& progress,
             std::unique_ptr<CLineErrorSource> pErrorSource = nullptr);
    CCliLink(const CCliLink&) = delete;
    CCliLink& operator=(const CCliLink&) = delete;

    // Opens the device and sends the queries of Open Port. False, with the
    // line printed, when the device cannot be opened or does not answer.
    bool Open();
    // Prints the line for a time-out or a lost device; false when neither
    // happened.
    bool ReportProblem();
    CControllerProtocol& Comm() { return m_comm; }
    QString DeviceName() const;

private:
    void OnActivity() { m_activity.start(); }
    void OnWatchdog();
    void OnLineError(short nEvent);

    CCliShell& m_shell;
    const CCliRequest& m_request;
    CSerialControl m_port;
    CControllerProtocol m_comm;
    CSerialLinkHost m_host;
    QTimer m_watchdog;
    QElapsedTimer m_activity;
    bool m_bTimedOut = false;
    bool m_bLost = false;
    // The controller had begun an answer line when it went quiet.
    bool m_bPartialLine = false;
    std::set<short> m_anLineErrors;
};
