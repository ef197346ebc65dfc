#include "link/SerialLinkHost.h"

#include "controls/SerialControl.h"
#include "link/ControllerProtocol.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

CSerialLinkHost::CSerialLinkHost(CSerialControl& port, CControllerProtocol& comm, QObject* pParent)
    : QObject(pParent), m_port(port), m_comm(comm) {
    m_port.SetRThreshold(1);
    m_wakeTimer.setSingleShot(true);
    connect(&m_port, &CSerialControl::OnComm, this, &CSerialLinkHost::OnComm);
    m_comm.SetHost(this);
}

CSerialLinkHost::~CSerialLinkHost() { m_comm.SetHost(nullptr); }

void CSerialLinkHost::WriteFrame(const std::string& strFrame) {
    m_port.SetOutput(QByteArray(strFrame.data(), static_cast<qsizetype>(strFrame.size())));
}

bool CSerialLinkHost::PumpEvents() {
    QAbstractEventDispatcher* pDispatcher = QThread::currentThread()->eventDispatcher();
    if (!pDispatcher) {
        QCoreApplication::processEvents();
        return false;
    }
    return pDispatcher->processEvents(QEventLoop::AllEvents);
}

// Sleeps in the event dispatcher until something arrives (a character, a
// timer, input) and dispatches it, so a wait costs no processor time. A
// bounded wait is woken by its own timer.
void CSerialLinkHost::WaitForEvent(std::chrono::milliseconds maxWait) {
    QAbstractEventDispatcher* pDispatcher = QThread::currentThread()->eventDispatcher();
    if (!pDispatcher) {
        QCoreApplication::processEvents();
        return;
    }
    if (maxWait != kNoTimeLimit)
        m_wakeTimer.start(maxWait);
    pDispatcher->processEvents(QEventLoop::WaitForMoreEvents);
    m_wakeTimer.stop();
}

bool CSerialLinkHost::IsPortOpen() const { return m_port.GetPortOpen(); }

// The characters reach the protocol object the usual way, through the
// control's receive events, so the port layer reads the device as it always
// does. A pass that dispatches nothing ends it: the receive event may be the
// one being handled right now.
void CSerialLinkHost::TakeWaitingInput() {
    for (int i = 0; i < kMaxInputPasses && m_port.HasWaitingInput(); ++i) {
        if (!PumpEvents())
            return;
    }
}

void CSerialLinkHost::OnComm() {
    short nEvent = m_port.GetCommEvent();
    if (nEvent == CSerialControl::EventReceive) {
        QByteArray abText = m_port.GetInput();
        m_comm.OnReceive(std::string(abText.constData(), static_cast<std::size_t>(abText.size())));
    }
    if (nEvent == CSerialControl::EventDeviceLost)
        m_comm.SetPortOpen(false);
    if (m_fnCommEvent)
        m_fnCommEvent(nEvent);
}
