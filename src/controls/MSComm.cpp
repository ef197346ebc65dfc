#include "controls/MSComm.h"

#include "controls/PortAccess.h"

#include <QSettings>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

const char* const kOrganisation = "Local AppWizard-Generated Applications";
const char* const kApplication = "CorvelII 6.63";

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

CMSComm::CMSComm(QObject* pParent) : QObject(pParent) {
    connect(&m_port, &QSerialPort::readyRead, this, &CMSComm::OnReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &CMSComm::OnError);
    m_linePoll.setInterval(kLinePollMs);
    connect(&m_linePoll, &QTimer::timeout, this, &CMSComm::PollLines);
}

CMSComm::~CMSComm() { m_port.close(); }

QString CMSComm::DeviceName(short nPort) {
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

bool CMSComm::SetSettings(const QString& strSettings) {
    CLineSettings settings;
    if (!ParseSettings(strSettings, settings))
        return false;
    m_strSettings = strSettings;
    return !m_port.isOpen() || ApplySettings();
}

bool CMSComm::ApplySettings() {
    CLineSettings settings;
    ParseSettings(m_strSettings, settings);
    return m_port.setBaudRate(settings.nBaud) && m_port.setParity(settings.parity) &&
           m_port.setDataBits(settings.dataBits) && m_port.setStopBits(settings.stopBits) &&
           WakeAtLineEnds();
}

// At 9600 baud a character comes every millisecond, and a slow line (or an
// adapter that passes each one on) would wake the window for every one of
// them. Everything the controller sends ends in a carriage return or a line
// feed, and nothing reads a line before its end, so the terminal driver
// gathers each line and wakes the program once, at its end. Its editing and
// signal characters are switched off: every byte stays data.
bool CMSComm::WakeAtLineEnds() {
#ifdef Q_OS_UNIX
    termios tio{};
    if (tcgetattr(m_port.handle(), &tio) != 0)
        return false;
    tio.c_lflag |= ICANON;
    tio.c_lflag &= ~(ECHO | ECHONL | ISIG | IEXTEN);
    tio.c_iflag &= ~(ICRNL | INLCR | IGNCR | IXON | IXOFF);
    for (cc_t& c : tio.c_cc)
        c = _POSIX_VDISABLE;
    tio.c_cc[VEOL] = '\r';
    return tcsetattr(m_port.handle(), TCSANOW, &tio) == 0;
#else
    return true;
#endif
}

bool CMSComm::SetPortOpen(bool bOpen) {
    m_linePoll.stop();
    if (!bOpen) {
        m_port.close();
        return true;
    }
    if (m_port.isOpen())
        return true;
    m_strError.clear();
    const QString strDevice = m_strDevice.isEmpty() ? DeviceName(m_nCommPort) : m_strDevice;
    m_port.setPortName(strDevice);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_strError = CPortAccess::DeniedText(strDevice);
        if (m_strError.isEmpty())
            m_strError = m_port.errorString();
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
    return true;
}

void CMSComm::SetOutput(const QByteArray& abText) {
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
qsizetype CMSComm::WriteDirect(const QByteArray& abText) {
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

QByteArray CMSComm::GetInput() {
    if (!m_port.isOpen())
        return {};
    return m_nInputLen > 0 ? m_port.read(m_nInputLen) : m_port.readAll();
}

void CMSComm::Raise(short nEvent) {
    m_nCommEvent = nEvent;
    emit OnComm();
}

void CMSComm::OnReadyRead() {
    if (m_nRThreshold <= 0 || m_port.bytesAvailable() < m_nRThreshold)
        return;
    const bool bEof = m_port.peek(m_port.bytesAvailable()).contains(kEofChar);
    Raise(EventReceive);
    if (bEof)
        Raise(EventEof);
}

// Lines the device cannot report (pseudo-terminals, some adapters) simply
// stop being watched; only a vanished device is an error worth telling. It
// shows as a resource error, or as reads that fail over and over (a
// pseudo-terminal whose other end closed), so both close the port at once.
void CMSComm::OnError(QSerialPort::SerialPortError error) {
    if (m_bPollingLines || !m_port.isOpen())
        return;
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError)
        return;
    m_strError = m_port.errorString();
    m_linePoll.stop();
    m_port.close();
    m_port.clearError();
    Raise(EventDeviceLost);
}

void CMSComm::PollLines() {
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
