#include "link/SimulatedCpu.h"

#include "model/DataFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

CSimulatedCpu::CSimulatedCpu(QObject* pParent) : QObject(pParent) {
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    // The simulator's console is not used: Corvel plays the vehicle through
    // the protocol's forcing frames.
    m_process.setStandardInputFile(QProcess::nullDevice());
#ifdef Q_OS_LINUX
    // A Corvel that crashes takes its simulator with it, so no stray one
    // keeps serving a link nobody opens.
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
    connect(&m_process, &QProcess::finished, this, &CSimulatedCpu::OnFinished);
}

CSimulatedCpu::~CSimulatedCpu() { Stop(); }

QString CSimulatedCpu::FindProgram() {
    const QString strNamed = qEnvironmentVariable(kProgramVariable);
    if (!strNamed.isEmpty())
        return strNamed;
    const QFileInfo beside(QDir(QCoreApplication::applicationDirPath()).filePath(kProgramName));
    if (beside.isFile() && beside.isExecutable())
        return beside.filePath();
    return QStandardPaths::findExecutable(kProgramName);
}

bool CSimulatedCpu::Start() {
    if (IsRunning())
        return true;
    m_strError.clear();
    if (IsStarting())
        return false;
    m_bStartCancelled = false;
    const QString strProgram = FindProgram();
    if (strProgram.isEmpty())
        return Fail(kNotFoundText);
    const QFileInfo program(strProgram);
    if (!program.isFile() || !program.isExecutable())
        return Fail(kVariableWrongText + strProgram);
    RemoveStaleFolders(QDir::temp());
    m_pFolder = std::make_unique<QTemporaryDir>(QDir::temp().filePath(
        QStringLiteral("%1%2-XXXXXX").arg(kFolderPrefix).arg(QCoreApplication::applicationPid())));
    if (!m_pFolder->isValid()) {
        const QString strReason = m_pFolder->errorString();
        m_pFolder.reset();
        return Fail(kNotStartedText + strReason);
    }
    m_process.setProgram(program.absoluteFilePath());
    m_process.setArguments({"--link", LinkPath(), "--memory", m_pFolder->filePath(kMemoryName)});
    m_process.setWorkingDirectory(FolderPath());
    m_process.start();
    if (WaitForFirstLine()) {
        m_bServing = true;
        return true;
    }
    const QString strReason = StartFailure();
    Stop();
    return m_bStartCancelled ? false : Fail(kNotStartedText + strReason);
}

void CSimulatedCpu::CancelStart() {
    if (!m_pStartWait)
        return;
    m_bStartCancelled = true;
    m_pStartWait->quit();
}

// dvxsim's own words when it said why; otherwise what was seen of it.
QString CSimulatedCpu::StartFailure() {
    const QString strOwn = QString::fromLocal8Bit(m_process.readAllStandardError()).trimmed();
    if (!strOwn.isEmpty())
        return strOwn;
    if (m_process.error() == QProcess::FailedToStart)
        return m_process.errorString();
    if (m_process.state() == QProcess::NotRunning)
        return QString("it ended without naming its terminal (exit status %1).")
            .arg(m_process.exitCode());
    return QString("it did not make its link within %1 seconds.").arg(kStartTimeoutMs / 1000);
}

// dvxsim prints the terminal it serves once its link is in place. The
// window stays live meanwhile, so the technician can stop a start that
// hangs.
bool CSimulatedCpu::WaitForFirstLine() {
    QEventLoop wait;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &wait, &QEventLoop::quit);
    connect(&m_process, &QProcess::readyReadStandardOutput, &wait, [this, &wait] {
        if (m_process.canReadLine())
            wait.quit();
    });
    connect(&m_process, &QProcess::finished, &wait, &QEventLoop::quit);
    connect(&m_process, &QProcess::errorOccurred, &wait, &QEventLoop::quit);
    deadline.start(kStartTimeoutMs);
    m_pStartWait = &wait;
    if (!m_process.canReadLine() && m_process.state() != QProcess::NotRunning)
        wait.exec();
    m_pStartWait = nullptr;
    if (m_bStartCancelled || !m_process.canReadLine())
        return false;
    m_process.readLine();
    return QFileInfo(LinkPath()).isSymLink();
}

void CSimulatedCpu::Stop() {
    m_bServing = false;
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(kStopTimeoutMs)) {
            m_process.kill();
            m_process.waitForFinished(kStopTimeoutMs);
        }
    }
    m_pFolder.reset();
}

// Reached only when the simulator ends by itself: Stop clears the serving
// flag before it ends the process.
void CSimulatedCpu::OnFinished() {
    if (!m_bServing)
        return;
    m_bServing = false;
    m_pFolder.reset();
    emit Ended();
}

// A Corvel killed while it simulated leaves its folder behind (the
// simulator goes with it, the folder does not). The folder names the Corvel
// that made it, so one whose Corvel has ended can go.
int CSimulatedCpu::RemoveStaleFolders(const QDir& temp) {
    int nRemoved = 0;
    const QStringList astrNames = temp.entryList({QString(kFolderPrefix) + "*"}, QDir::Dirs);
    for (const QString& strName : astrNames) {
        bool bNumber = false;
        const qint64 nOwner =
            strName.mid(qsizetype(strlen(kFolderPrefix))).section('-', 0, 0).toLongLong(&bNumber);
        if (!bNumber || nOwner <= 0 || nOwner == QCoreApplication::applicationPid() ||
            !CDataFile::IsProcessGone(static_cast<long>(nOwner)))
            continue;
        if (QDir(temp.filePath(strName)).removeRecursively())
            ++nRemoved;
    }
    return nRemoved;
}

QString CSimulatedCpu::LinkPath() const {
    return m_pFolder ? m_pFolder->filePath(kLinkName) : QString();
}

QString CSimulatedCpu::FolderPath() const { return m_pFolder ? m_pFolder->path() : QString(); }

bool CSimulatedCpu::Fail(const QString& strText) {
    m_strError = strText;
    return false;
}
