#include "controls/SerialControl.h"

#include "controls/PortAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSettings>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {

const char* const kOrganisation = "Local AppWizard-Generated Applications";
const char* const kApplication = "CorvelII 6.63";
// Read errors in a row after which a device that still looks present is
// taken as gone: nothing can be read from it any more.
constexpr int kMaxPassingErrors = 5;

// What each event of the serial control is called, and whether it is an
// error the technician must answer. Values not listed (1005 among them) are
// ignored.
struct CEventText {
    short nEvent;
    bool bError;
    const char* szText;
};

const CEventText kEventTexts[] = {
    {CSerialControl::EventSend, false, "-"},
    {CSerialControl::EventReceive, false, "Characters received"},
    {CSerialControl::EventCts, false, "Change in CTS Detected"},
    {CSerialControl::EventDsr, false, "Change in DSR Detected"},
    {CSerialControl::EventCd, false, "Change in CD Detected"},
    {CSerialControl::EventRing, false, "Ring Detected"},
    {CSerialControl::EventEof, false, "End of File Detected"},
    {CSerialControl::EventBreak, true, "Break Received"},
    {CSerialControl::EventCtsTimeout, true, "CTS Timeout"},
    {CSerialControl::EventDsrTimeout, true, "DSR Timeout"},
    {CSerialControl::EventFrame, true, "Framing Error"},
    {CSerialControl::EventOverrun, true, "Port Overrun"},
    {CSerialControl::EventCdTimeout, true, "CD Timeout"},
    {CSerialControl::EventRxOverflow, true, "Receive Buffer Overflow"},
    {CSerialControl::EventRxParity, true, "Parity Error"},
    {CSerialControl::EventTxFull, true, "Transmit Buffer Full"},
};

const CEventText* FindEvent(short nEvent) {
    for (const CEventText& entry : kEventTexts) {
        if (entry.nEvent == nEvent)
            return &entry;
    }
    return nullptr;
}

struct CLineSettings {
    qint32 nBaud = 0;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

bool ParseParity(const QString& strParity, QSerialPort::Parity& parity) {
    const QString strLower = strParity.toLower();
    if (strLower == u"n")
        parity = QSerialPort::NoParity;
    else if (strLower == u"e")
        parity = QSerialPort::EvenParity;
    else if (strLower == u"o")
        parity = QSerialPort::OddParity;
    else if (strLower == u"m")
        parity = QSerialPort::MarkParity;
    else if (strLower == u"s")
        parity = QSerialPort::SpaceParity;
    else
        return false;
    return true;
}

bool ParseSettings(const QString& strSettings, CLineSettings& settings) {
    const QStringList astrParts = strSettings.split(u',');
    if (astrParts.size() != 4)
        return false;
    bool bBaud = false;
    bool bBits = false;
    settings.nBaud = astrParts[0].trimmed().toInt(&bBaud);
    int nBits = astrParts[2].trimmed().toInt(&bBits);
    const QString strStop = astrParts[3].trimmed();
    if (!bBaud || settings.nBaud <= 0 || !bBits || nBits < 5 || nBits > 8)
        return false;
    if (!ParseParity(astrParts[1].trimmed(), settings.parity))
        return false;
    settings.dataBits = static_cast<QSerialPort::DataBits>(nBits);
    if (strStop == u"1")
        settings.stopBits = QSerialPort::OneStop;
    else if (strStop == u"1.5")
        settings.stopBits = QSerialPort::OneAndHalfStop;
    else if (strStop == u"2")
        settings.stopBits = QSerialPort::TwoStop;
    else
        return false;
    return true;
}

} // namespace

CSerialControl::CSerialControl(QObject* pParent) : QObject(pParent) {
    connect(&m_port, &QSerialPort::readyRead, this, &CSerialControl::OnReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &CSerialControl::OnError);
    m_linePoll.setInterval(kLinePollMs);
    connect(&m_linePoll, &QTimer::timeout, this, &CSerialControl::PollLines);
    m_errorPoll.setInterval(kErrorPollMs);
    connect(&m_errorPoll, &QTimer::timeout, this, &CSerialControl::PollErrors);
}

const char* CSerialControl::EventText(short nEvent) {
    const CEventText* pEntry = FindEvent(nEvent);
    return pEntry ? pEntry->szText : nullptr;
}

bool CSerialControl::IsErrorEvent(short nEvent) {
    const CEventText* pEntry = FindEvent(nEvent);
    return pEntry && pEntry->bError;
}

CSerialControl::~CSerialControl() { m_port.close(); }

QString CSerialControl::DeviceName(short nPort) {
    const QString strKey = QStringLiteral("COM%1").arg(nPort);
    const QByteArray abEnv = qgetenv(("CORVEL_" + strKey).toLatin1().constData());
    if (!abEnv.isEmpty())
        return QString::fromLocal8Bit(abEnv);
    QSettings profile(kOrganisation, kApplication);
    const QString strDevice = profile.value(QStringLiteral("Ports/") + strKey).toString();
    if (!strDevice.isEmpty())
        return strDevice;
#ifdef Q_OS_WIN
    return strKey;
#else
    return QStringLiteral("/dev/ttyS%1").arg(nPort - 1);
#endif
}

// The port layer takes a name without a leading "/", "./" or "../" for one
// in /dev. A relative path that names something in the current folder is
// meant as that: it is made absolute. Any other name stays as it is.
QString CSerialControl::DevicePath(const QString& strDevice) {
    if (QDir::isAbsolutePath(strDevice))
        return strDevice;
    const QFileInfo here(strDevice);
    return here.exists() ? here.absoluteFilePath() : strDevice;
}

bool CSerialControl::SetSettings(const QString& strSettings) {
    CLineSettings settings;
    if (!ParseSettings(strSettings, settings))
        return false;
    m_strSettings = strSettings;
    return !m_port.isOpen() || ApplySettings();
}

bool CSerialControl::ApplySettings() {
    CLineSettings settings;
    ParseSettings(m_strSettings, settings);
    return m_port.setBaudRate(settings.nBaud) && m_port.setParity(settings.parity) &&
           m_port.setDataBits(settings.dataBits) && m_port.setStopBits(settings.stopBits);
}

bool CSerialControl::SetPortOpen(bool bOpen) {
    m_linePoll.stop();
    m_errorPoll.stop();
    if (!bOpen) {
        m_port.close();
        return true;
    }
    if (m_port.isOpen())
        return true;
    m_strError.clear();
    m_bInUse = false;
    m_nPassingErrors = 0;
    const QString strDevice =
        DevicePath(m_strDevice.isEmpty() ? DeviceName(m_nCommPort) : m_strDevice);
    m_port.setPortName(strDevice);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_strError = OpenErrorText(strDevice);
        m_port.clearError();
        return false;
    }
    if (!ApplySettings()) {
        m_strError = m_port.errorString();
        m_port.close();
        m_port.clearError();
        return false;
    }
    m_bPollingLines = true;
    m_lines = m_port.pinoutSignals();
    m_bPollingLines = false;
    if (m_port.error() == QSerialPort::NoError)
        m_linePoll.start();
    m_port.clearError();
    if (std::optional<CLineErrorCounts> counts = m_pErrorSource->Read(m_port.handle())) {
        m_errorBaseline = *counts;
        m_errorPoll.start();
    }
    return true;
}

// A device this user may not use says how to mend it; one another program
// holds (the port layer's lock, or the driver's exclusive use) says so,
// rather than the port layer's word for it, which reads like a permission
// problem.
QString CSerialControl::OpenErrorText(const QString& strDevice) {
    const QString strDenied = CPortAccess::DeniedText(strDevice);
    if (!strDenied.isEmpty())
        return strDenied;
    m_bInUse = m_port.error() == QSerialPort::PermissionError;
    if (m_bInUse)
        return QString(kInUseText).arg(strDevice);
    return m_port.errorString();
}

void CSerialControl::SetOutput(const QByteArray& abText) {
    if (!m_port.isOpen())
        return;
    const qsizetype nWritten = WriteDirect(abText);
    if (nWritten == abText.size())
        return;
    m_port.write(abText.mid(nWritten));
}

// A frame is a few dozen characters and the driver's buffer holds thousands,
// so it nearly always takes a frame whole at once. Handing it over directly
// spares the event loop the write watch the port's own buffer sets up and
// takes down again for every frame. Only with nothing of the port's own
// buffer still waiting, so the order on the line stays. What the driver
// cannot take now waits in the port's buffer until the driver says it has
// room: pushing it at once would only meet a full driver, which the port
// reports like a vanished device.
qsizetype CSerialControl::WriteDirect(const QByteArray& abText) {
#ifdef Q_OS_UNIX
    if (m_port.bytesToWrite() > 0)
        return 0;
    ssize_t nWritten = 0;
    do
        nWritten = ::write(m_port.handle(), abText.constData(), std::size_t(abText.size()));
    while (nWritten < 0 && errno == EINTR);
    return nWritten < 0 ? 0 : nWritten;
#else
    return 0;
#endif
}

QByteArray CSerialControl::GetInput() {
    if (!m_port.isOpen())
        return {};
    return m_nInputLen > 0 ? m_port.read(m_nInputLen) : m_port.readAll();
}

bool CSerialControl::HasWaitingInput() const {
    if (!m_port.isOpen())
        return false;
    if (m_port.bytesAvailable() > 0)
        return true;
#ifdef Q_OS_UNIX
    int nWaiting = 0;
    return ioctl(m_port.handle(), FIONREAD, &nWaiting) == 0 && nWaiting > 0;
#else
    return false;
#endif
}

void CSerialControl::Raise(short nEvent) {
    m_nCommEvent = nEvent;
    emit OnComm();
}

void CSerialControl::OnReadyRead() {
    m_nPassingErrors = 0;
    if (m_nRThreshold <= 0 || m_port.bytesAvailable() < m_nRThreshold)
        return;
    const bool bEof = m_port.peek(m_port.bytesAvailable()).contains(kEofChar);
    Raise(EventReceive);
    if (bEof)
        Raise(EventEof);
}

// Lines the device cannot report (pseudo-terminals, some adapters) simply
// stop being watched; only a vanished device is an error worth telling. The
// port layer reports one as a resource or read error, but it reports a read
// that found nothing to read the same way, so the device itself is asked
// whether it has gone; a device that keeps failing reads is taken as gone
// too.
void CSerialControl::OnError(QSerialPort::SerialPortError error) {
    if (m_bPollingLines || !m_port.isOpen())
        return;
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError)
        return;
    m_port.clearError();
    if (IsDeviceGone() || ++m_nPassingErrors >= kMaxPassingErrors) {
        OnDeviceGone();
        return;
    }
    ResumeReading();
}

// Reads that keep failing on a device that is still there mean that another
// program takes the characters first: that is said rather than a lost device.
void CSerialControl::OnDeviceGone() {
    const QString strDevice = QSerialPortInfo(m_port).systemLocation();
    m_bInUse = !IsDeviceGone() && CPortAccess::IsOpenElsewhere(strDevice);
    m_strError = m_bInUse ? QString(kInUseText).arg(strDevice) : kDisconnectedText;
    m_linePoll.stop();
    m_errorPoll.stop();
    m_port.close();
    m_port.clearError();
    Raise(EventDeviceLost);
}

bool CSerialControl::IsDeviceGone() const {
#ifdef Q_OS_UNIX
    pollfd device{m_port.handle(), POLLIN, 0};
    if (poll(&device, 1, 0) < 0)
        return errno != EINTR;
    return (device.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#else
    return true;
#endif
}

// After a read error the port layer stops watching for input until it is
// next asked to read; a read that finds its buffer empty asks the driver
// again and takes nothing.
void CSerialControl::ResumeReading() {
    if (m_port.bytesAvailable() > 0) {
        OnReadyRead();
        return;
    }
    char c = 0;
    m_port.read(&c, 1);
}

void CSerialControl::PollLines() {
    if (!m_port.isOpen())
        return;
    m_bPollingLines = true;
    QSerialPort::PinoutSignals lines = m_port.pinoutSignals();
    m_bPollingLines = false;
    if (m_port.error() != QSerialPort::NoError) {
        m_port.clearError();
        m_linePoll.stop();
        return;
    }
    QSerialPort::PinoutSignals changed = lines ^ m_lines;
    m_lines = lines;
    if (changed & QSerialPort::ClearToSendSignal)
        Raise(EventCts);
    if (changed & QSerialPort::DataSetReadySignal)
        Raise(EventDsr);
    if (changed & QSerialPort::DataCarrierDetectSignal)
        Raise(EventCd);
    if ((changed & lines) & QSerialPort::RingIndicatorSignal)
        Raise(EventRing);
}

// Each kind of error that the driver counted since the last poll is raised
// once, however often it happened: a noisy line gives one report of each
// kind per poll, not one per character.
void CSerialControl::PollErrors() {
    if (!m_port.isOpen())
        return;
    std::optional<CLineErrorCounts> counts = m_pErrorSource->Read(m_port.handle());
    if (!counts)
        return;
    const CLineErrorCounts before = m_errorBaseline;
    m_errorBaseline = *counts;
    const struct {
        int nBefore;
        int nNow;
        short nEvent;
    } aKinds[] = {
        {before.nBreak, counts->nBreak, EventBreak},
        {before.nFrame, counts->nFrame, EventFrame},
        {before.nOverrun, counts->nOverrun, EventOverrun},
        {before.nBufferOverrun, counts->nBufferOverrun, EventRxOverflow},
        {before.nParity, counts->nParity, EventRxParity},
    };
    for (const auto& kind : aKinds) {
        if (kind.nNow != kind.nBefore && m_port.isOpen())
            Raise(kind.nEvent);
    }
}
