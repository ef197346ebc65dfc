#pragma once

#include <QObject>
#include <QProcess>
#include <QString>

#include <memory>

class QDir;
class QEventLoop;
class QTemporaryDir;

// The virtual controller, dvxsim, run as a child of Corvel so a technician
// can try a system on the desk: it serves a private link in a temporary
// folder of its own, keeps its memory there, and goes with the folder when
// it is stopped.
class CSimulatedCpu : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kProgramName = "dvxsim";
    // Names the program for build trees and tests, before any other place.
    static constexpr const char* kProgramVariable = "CORVEL_DVXSIM";
    static constexpr const char* kLinkName = "dvx-cpu";
    static constexpr const char* kMemoryName = "dvx-memory.txt";
    // The temporary folder is this prefix, the number of the Corvel that
    // made it, a dash and a unique tail.
    static constexpr const char* kFolderPrefix = "corvel-simulation-";
    static constexpr int kStartTimeoutMs = 10000;
    static constexpr int kStopTimeoutMs = 5000;
    static constexpr const char* kNotFoundText =
        "The DVX CPU simulator (dvxsim) was not found next to Corvel or on the PATH.\n"
        "Install it with Corvel, or name it in the environment variable CORVEL_DVXSIM.";
    static constexpr const char* kVariableWrongText =
        "The DVX CPU simulator named in CORVEL_DVXSIM does not exist or cannot be run:\n";
    static constexpr const char* kNotStartedText = "The DVX CPU simulator could not be started:\n";

    explicit CSimulatedCpu(QObject* pParent = nullptr);
    // Stops a simulator still running.
    ~CSimulatedCpu() override;
    CSimulatedCpu(const CSimulatedCpu&) = delete;
    CSimulatedCpu& operator=(const CSimulatedCpu&) = delete;

    // The program to run: CORVEL_DVXSIM when set, else dvxsim next to the
    // running program, else on the PATH; "" when there is none.
    static QString FindProgram();
    // Removes the folders in temp that a Corvel now ended left behind;
    // returns how many. Starting a simulation does it first.
    static int RemoveStaleFolders(const QDir& temp);

    // Starts dvxsim in a new temporary folder and waits for its first line,
    // the terminal it serves, dispatching events meanwhile. False, with
    // ErrorText saying why in the technician's words, when there is no
    // simulator or it did not start; false with no text when CancelStart
    // ended the wait or a start is already going on.
    bool Start();
    bool IsStarting() const { return m_pStartWait != nullptr; }
    // Ends a start that is waiting for dvxsim; the simulator is stopped.
    void CancelStart();
    // SIGTERM, then waits for it to end (killing it if it lingers), and
    // removes its link and folder. Does nothing when none runs.
    void Stop();
    bool IsRunning() const { return m_bServing; }

    // The link to open as the serial device, while it runs.
    QString LinkPath() const;
    QString FolderPath() const;
    qint64 ProcessId() const { return m_process.processId(); }
    QString ErrorText() const { return m_strError; }

signals:
    // dvxsim ended by itself (it failed or was killed); its folder is
    // already gone.
    void Ended();

private:
    bool Fail(const QString& strText);
    bool WaitForFirstLine();
    QString StartFailure();
    void OnFinished();

    QProcess m_process;
    // The wait of a start in progress.
    QEventLoop* m_pStartWait = nullptr;
    bool m_bStartCancelled = false;
    std::unique_ptr<QTemporaryDir> m_pFolder;
    QString m_strError;
    // Started and serving; cleared before a stop ends the process.
    bool m_bServing = false;
};
