#pragma once

#include "controls/LineErrorCounters.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>

// The serial control the main window talks to the controller through: a port
// number, line settings, an open state, whole-frame output, input of every
// waiting character, and one notification (OnComm) whose cause CommEvent
// tells. Everything arrives on the thread that owns the control, and every
// character as soon as it has arrived: noise without a line end after it is
// read like anything else, so it can be told apart from the next answer.
class CSerialControl : public QObject {
    Q_OBJECT

public:
    // What CommEvent reports. Line events (below 1000) and errors. Breaks,
    // framing, overrun and parity errors come from the driver's error
    // counters where the device keeps them; the time-outs and a full
    // transmit buffer never occur here.
    enum EEvent : short {
        EventNone = 0,
        // Never raised: no send threshold is set.
        EventSend = 1,
        EventReceive = 2,
        EventCts = 3,
        EventDsr = 4,
        EventCd = 5,
        EventRing = 6,
        EventEof = 7,
        EventBreak = 1001,
        EventCtsTimeout = 1002,
        EventDsrTimeout = 1003,
        EventFrame = 1004,
        EventOverrun = 1006,
        EventCdTimeout = 1007,
        EventRxOverflow = 1008,
        EventRxParity = 1009,
        EventTxFull = 1010,
        // The device vanished (an adapter pulled out); the port is already
        // closed when this is reported, once. Report it as a serial error.
        EventDeviceLost = 1011,
    };
    static constexpr char kEofChar = 0x1A;
    static constexpr int kLinePollMs = 50;
    static constexpr int kErrorPollMs = 200;
    static constexpr const char* kDisconnectedText = "The serial device was disconnected.";
    static constexpr const char* kInUseText = "%1 is in use by another program.";

    // The short description of an event ("Framing Error"), or nullptr for
    // one that is ignored; and whether the technician must answer it.
    static const char* EventText(short nEvent);
    static bool IsErrorEvent(short nEvent);

    explicit CSerialControl(QObject* pParent = nullptr);
    ~CSerialControl() override;

    // The device for port number N: the environment's CORVEL_COM<N>, else
    // the profile entry Ports/COM<N>, else the platform's own name for it.
    static QString DeviceName(short nPort);
    // The path the device is opened by: a relative one that exists is taken
    // from the current folder.
    static QString DevicePath(const QString& strDevice);

    // Takes effect at the next opening.
    void SetCommPort(short nPort) { m_nCommPort = nPort; }
    // A device named directly, used instead of the port number's device at
    // the next opening ("" goes back to the port number).
    void SetDeviceName(const QString& strDevice) { m_strDevice = strDevice; }
    short GetCommPort() const { return m_nCommPort; }
    // "baud,parity,data bits,stop bits", e.g. "9600,n,8,2"; false when the
    // text is not such a setting (the previous one stays).
    bool SetSettings(const QString& strSettings);
    QString GetSettings() const { return m_strSettings; }
    // 0: a read of Input takes every character waiting.
    void SetInputLen(short nLength) { m_nInputLen = nLength; }
    // 0 text, 1 binary; both pass the bytes unchanged.
    void SetInputMode(int nMode) { m_nInputMode = nMode; }
    int GetInputMode() const { return m_nInputMode; }
    // Characters waiting that raise a receive event; 0 raises none.
    void SetRThreshold(short nThreshold) { m_nRThreshold = nThreshold; }

    // Opens or closes the device. Opening returns false when the device
    // cannot be opened; ErrorString then describes why, and how to mend it
    // when this user lacks the permission.
    bool SetPortOpen(bool bOpen);
    // Whether the device really is open.
    bool GetPortOpen() const { return m_port.isOpen(); }
    QString ErrorString() const { return m_strError; }
    // The last opening failed because another program holds the device;
    // ErrorString then says so in one sentence.
    bool IsInUse() const { return m_bInUse; }
    // Where the line's error counters are read from; the driver's own
    // unless a test gives another. Takes effect at the next opening.
    void SetLineErrorSource(std::unique_ptr<CLineErrorSource> pSource) {
        m_pErrorSource = std::move(pSource);
    }

    void SetOutput(const QByteArray& abText);
    QByteArray GetInput();
    // Whether characters have arrived that no receive event has handed on
    // yet (in the port's buffer or still in the driver).
    bool HasWaitingInput() const;
    short GetCommEvent() const { return m_nCommEvent; }

signals:
    void OnComm();

private:
    void OnReadyRead();
    void OnError(QSerialPort::SerialPortError error);
    void PollLines();
    void PollErrors();
    void Raise(short nEvent);
    bool ApplySettings();
    bool IsDeviceGone() const;
    void ResumeReading();
    void OnDeviceGone();
    QString OpenErrorText(const QString& strDevice);
    qsizetype WriteDirect(const QByteArray& abText);

    QSerialPort m_port;
    QTimer m_linePoll;
    QTimer m_errorPoll;
    std::unique_ptr<CLineErrorSource> m_pErrorSource = std::make_unique<CDriverErrorCounters>();
    CLineErrorCounts m_errorBaseline;
    short m_nCommPort = 1;
    QString m_strDevice;
    QString m_strSettings = QStringLiteral("9600,n,8,1");
    short m_nInputLen = 0;
    int m_nInputMode = 0;
    short m_nRThreshold = 0;
    short m_nCommEvent = EventNone;
    QString m_strError;
    QSerialPort::PinoutSignals m_lines;
    bool m_bPollingLines = false;
    bool m_bInUse = false;
    // Read errors in a row that left the device in place.
    int m_nPassingErrors = 0;
};
