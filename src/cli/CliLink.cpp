#include "cli/CliLink.h"

#include "cli/CliOptions.h"
#include "cli/CliProgress.h"
#include "cli/CliSequences.h"
#include "cli/CliShell.h"

namespace {

constexpr int kWatchdogMs = 100;

std::string Utf8(const QString& strText) { return strText.toUtf8().toStdString(); }

} // namespace

CCliLink::CCliLink(CSystem& system, CCliShell& shell, const CCliRequest& request,
                   CCliProgress& progress, std::unique_ptr<CLineErrorSource> pErrorSource)
    : m_shell(shell), m_request(request), m_comm(system, shell), m_host(m_port, m_comm) {
    if (pErrorSource)
        m_port.SetLineErrorSource(std::move(pErrorSource));
    m_host.m_fnOutbound = [this](const std::string&) { OnActivity(); };
    m_host.m_fnFrameProgress = [&progress](int nDone, int nTotal,
                                           std::chrono::milliseconds timeLeft) {
        progress.Show(nDone, nTotal, timeLeft);
    };
    m_host.m_fnCommEvent = [this](short nEvent) {
        if (nEvent == CSerialControl::EventReceive)
            OnActivity();
        if (nEvent == CSerialControl::EventDeviceLost)
            m_bLost = true;
        if (CSerialControl::IsErrorEvent(nEvent))
            OnLineError(nEvent);
    };
    QObject::connect(&m_watchdog, &QTimer::timeout, [this] { OnWatchdog(); });
}

QString CCliLink::DeviceName() const {
    if (!m_request.strDevice.empty())
        return QString::fromLocal8Bit(m_request.strDevice.c_str());
    return CSerialControl::DeviceName(static_cast<short>(m_request.nPort));
}

bool CCliLink::Open() {
    if (!m_request.strDevice.empty())
        m_port.SetDeviceName(DeviceName());
    else
        m_port.SetCommPort(static_cast<short>(m_request.nPort));
    m_comm.SetPortOpen(true);
    m_port.SetSettings("9600,N,8,2");
    m_port.SetInputLen(0);
    if (!m_port.SetPortOpen(true)) {
        m_comm.SetPortOpen(false);
        if (m_port.IsInUse())
            m_shell.Error(Utf8(m_port.ErrorString()));
        else
            m_shell.Error("could not open the comm port " + Utf8(DeviceName()) + ": " +
                          Utf8(m_port.ErrorString()));
        return false;
    }
    m_port.SetInputMode(0);
    m_activity.start();
    m_watchdog.start(kWatchdogMs);
    CliSequences::OpeningQueries(m_comm);
    return !ReportProblem();
}

// A line error does not stop the command: what it damaged shows in the
// answers. Each kind is named once, however often the line raises it.
void CCliLink::OnLineError(short nEvent) {
    if (!m_anLineErrors.insert(nEvent).second)
        return;
    m_shell.Error(std::string(CSerialControl::EventText(nEvent)) + " on " + Utf8(DeviceName()));
}

void CCliLink::OnWatchdog() {
    if (m_bTimedOut || !m_port.GetPortOpen())
        return;
    if (m_activity.elapsed() < m_request.nTimeoutSeconds * 1000LL)
        return;
    m_bTimedOut = true;
    m_bPartialLine = m_comm.HasPartialLine();
    m_comm.SetPortOpen(false);
    m_port.SetPortOpen(false);
}

bool CCliLink::ReportProblem() {
    if (m_bTimedOut && m_bPartialLine) {
        m_shell.Error("the DVX CPU on " + Utf8(DeviceName()) + " answered an incomplete line");
        return true;
    }
    if (m_bTimedOut) {
        m_shell.Error("the DVX CPU on " + Utf8(DeviceName()) + " sent nothing for " +
                      std::to_string(m_request.nTimeoutSeconds) + " s; gave up");
        return true;
    }
    if (m_bLost && m_port.IsInUse()) {
        m_shell.Error(Utf8(m_port.ErrorString()));
        return true;
    }
    if (m_bLost || !m_port.GetPortOpen()) {
        m_shell.Error("the serial device " + Utf8(DeviceName()) + " was disconnected");
        return true;
    }
    return false;
}
