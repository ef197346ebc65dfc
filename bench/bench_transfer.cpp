// A whole-system transfer and a whole-system retrieve of a fully populated
// system (every equation of loops 0 to 3, every label custom, every timer,
// sleep mode and high speed pair set) to dvxsim, once answering at once and
// once paced like the real 9600-baud line. Each runs twice: headless,
// through the serial control and the transfer commands alone, and through
// the real main window (menus, group dialog, wait indicator, status bar) on
// the offscreen platform, as a technician runs it.
//
// For each run it prints the frames, the bytes each way (from dvxsim's frame
// log), the wall time, the wire time those bytes need on a 9600-baud 8N2
// line one after the other, the time of a bare client that writes the same
// frames to the same dvxsim and reads each answer, and the processor time
// and wake-ups of Corvel and of the bare client. Window runs also print the
// share of Corvel's processor time spent on paints and on the wait
// indicator's own events (its animation).

#include "BenchSupport.h"

#include "controls/SerialControl.h"
#include "dvxsim/DvxSimProcess.h"
#include "link/ControllerProtocol.h"
#include "link/FullSystem.h"
#include "link/ScriptedTransferHost.h"
#include "link/SerialLinkHost.h"
#include "link/SimLog.h"
#include "link/TransferCommands.h"
#include "link/WaitIndicator.h"
#include "model/System.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/CommandIds.h"
#include "shell/MainFrame.h"
#include "shell/Settings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QSettings>
#include <QTimer>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace {

using SteadyClock = std::chrono::steady_clock;

// 11 bits a character: start bit, 8 data bits, 2 stop bits.
constexpr double kCharSeconds9600 = 11.0 / 9600.0;

// A frame the PC sent and the number of characters that answered it.
struct CExchange {
    std::string strFrame;
    std::size_t nAnswerBytes = 0;
};

struct CFigures {
    std::vector<CExchange> aExchanges;
    long nBytesOut = 0;
    long nBytesIn = 0;
    double dWall = 0;
    double dCpu = 0;
    long nWakes = 0;
    double dPaintCpu = 0;
    double dWaitCpu = 0;
    double dBare = 0;
    double dBareCpu = 0;
    long nBareWakes = 0;
    long Frames() const { return static_cast<long>(aExchanges.size()); }
    // The frames and answers one after the other, as the protocol waits for
    // each answer before the next frame.
    double WireSeconds() const { return (nBytesOut + nBytesIn) * kCharSeconds9600; }
};

double SecondsSince(SteadyClock::time_point start) {
    return std::chrono::duration<double>(SteadyClock::now() - start).count();
}

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The application, timing the events that only show: paints anywhere, and
// every event of the wait indicator (its animation's frames above all).
class CTimedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* pReceiver, QEvent* pEvent) override {
        const bool bPaint =
            pEvent->type() == QEvent::Paint || pEvent->type() == QEvent::UpdateRequest;
        const bool bWait = IsInWaitIndicator(pReceiver);
        if ((!bPaint && !bWait) || m_nDepth > 0)
            return QApplication::notify(pReceiver, pEvent);
        ++m_nDepth;
        const double dStart = ThreadCpuSeconds();
        const bool bDone = QApplication::notify(pReceiver, pEvent);
        (bWait ? m_dWaitCpu : m_dPaintCpu) += ThreadCpuSeconds() - dStart;
        --m_nDepth;
        return bDone;
    }

    double m_dPaintCpu = 0;
    double m_dWaitCpu = 0;

private:
    static bool IsInWaitIndicator(QObject* pReceiver) {
        for (QObject* pObject = pReceiver; pObject; pObject = pObject->parent()) {
            if (qobject_cast<CWaitIndicator*>(pObject))
                return true;
        }
        return false;
    }

    int m_nDepth = 0;
};

CTimedApplication& TimedApp() { return *static_cast<CTimedApplication*>(qApp); }

// Runs a command and takes what dvxsim logged meanwhile as its exchanges.
CFigures Measure(const std::string& strLog, const std::function<void()>& fnRun) {
    int nLinesBefore = 0;
    ReadSimLog(strLog, 0, nLinesBefore);
    const double dCpuBefore = CpuSeconds(RUSAGE_SELF);
    const long nWakesBefore = Wakes();
    const double dPaintBefore = TimedApp().m_dPaintCpu;
    const double dWaitBefore = TimedApp().m_dWaitCpu;
    const auto start = SteadyClock::now();
    fnRun();
    CFigures figures;
    figures.dWall = SecondsSince(start);
    figures.dCpu = CpuSeconds(RUSAGE_SELF) - dCpuBefore;
    figures.nWakes = Wakes() - nWakesBefore;
    figures.dPaintCpu = TimedApp().m_dPaintCpu - dPaintBefore;
    figures.dWaitCpu = TimedApp().m_dWaitCpu - dWaitBefore;
    int nLines = 0;
    for (const CSimLogEntry& entry : ReadSimLog(strLog, nLinesBefore, nLines)) {
        if (entry.bFromPc) {
            figures.aExchanges.push_back({entry.strText + "\r", 0});
            figures.nBytesOut += static_cast<long>(entry.strText.size()) + 1;
        } else {
            figures.nBytesIn += static_cast<long>(entry.strText.size());
            if (!figures.aExchanges.empty())
                figures.aExchanges.back().nAnswerBytes += entry.strText.size();
        }
    }
    return figures;
}

// What any simple client does with the same frames: write each, read the
// answer raw as its characters arrive (the driver wakes it whenever any are
// there), write the next. Its time is the line's own pace and its processor
// time and wake-ups what a client pays for the same exchanges on this
// machine. A negative time means the link could not be used or an answer
// did not come.
struct CBareRun {
    double dSeconds = -1;
    double dCpu = 0;
    long nWakes = 0;
};

long ThreadWakes() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

bool AwaitAnswer(int fd, std::size_t nBytes) {
    for (std::size_t nRead = 0; nRead < nBytes;) {
        pollfd poll1{fd, POLLIN, 0};
        char acBuffer[256];
        const ssize_t nGot = poll(&poll1, 1, 3000) == 1 ? read(fd, acBuffer, sizeof acBuffer) : 0;
        if (nGot <= 0)
            return false;
        nRead += static_cast<std::size_t>(nGot);
    }
    return true;
}

CBareRun RunBareClient(const std::string& strLink, const std::vector<CExchange>& aExchanges) {
    const int fd = open(strLink.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return {};
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tio.c_cc[VTIME] = 0;
    tio.c_cc[VMIN] = 1;
    tcsetattr(fd, TCSANOW, &tio);
    const double dCpuBefore = CpuSeconds(RUSAGE_THREAD);
    const long nWakesBefore = ThreadWakes();
    const auto start = SteadyClock::now();
    bool bOk = true;
    for (const CExchange& exchange : aExchanges) {
        bOk = write(fd, exchange.strFrame.data(), exchange.strFrame.size()) ==
                  static_cast<ssize_t>(exchange.strFrame.size()) &&
              AwaitAnswer(fd, exchange.nAnswerBytes);
        if (!bOk)
            break;
    }
    const CBareRun run{bOk ? SecondsSince(start) : -1, CpuSeconds(RUSAGE_THREAD) - dCpuBefore,
                       ThreadWakes() - nWakesBefore};
    close(fd);
    return run;
}

// What a run drives: the system it fills and reads back, and its two
// commands on port 1.
class CPeer {
public:
    virtual ~CPeer() = default;
    virtual bool IsOpen() const = 0;
    virtual CSystem& System() = 0;
    virtual CControllerProtocol& Comm() = 0;
    virtual void Transfer() = 0;
    virtual void Retrieve() = 0;
    virtual void ClosePort() = 0;
};

// Corvel's protocol object and transfer commands with a scripted host that
// always picks SYSTEM: no window at all.
class CHeadlessPeer : public CPeer {
public:
    CHeadlessPeer(const std::filesystem::path& dir, CBenchShell& shell)
        : m_system(shell, dir.string()), m_comm(m_system, shell), m_link(m_port, m_comm),
          m_host(m_system, m_comm, shell, m_link), m_commands(m_system, m_comm, shell, m_host) {
        m_comm.SetPortOpen(true);
        m_port.SetCommPort(1);
        m_port.SetSettings(QStringLiteral("9600,N,8,2"));
        m_bOpen = m_port.SetPortOpen(true);
        m_host.m_nGroup = CSystem::GroupSystem;
    }
    ~CHeadlessPeer() override { ClosePort(); }

    bool IsOpen() const override { return m_bOpen; }
    CSystem& System() override { return m_system; }
    CControllerProtocol& Comm() override { return m_comm; }
    void Transfer() override { m_commands.OnTransfer(); }
    void Retrieve() override { m_commands.OnRetrieve(); }
    void ClosePort() override {
        m_comm.SetPortOpen(false);
        m_port.SetPortOpen(false);
    }

private:
    CSystem m_system;
    CSerialControl m_port;
    CControllerProtocol m_comm;
    CSerialLinkHost m_link;
    CScriptedTransferHost m_host;
    CTransferCommands m_commands;
    bool m_bOpen = false;
};

// The real main window, shown, with its serial control: the commands run
// from their menu items, the group dialog is answered SYSTEM and the wait
// indicator and status bar follow the sequence.
class CWindowPeer : public CPeer {
public:
    CWindowPeer(const std::filesystem::path& dir, CBenchShell& shell)
        : m_system(shell, dir.string()), m_param(dir.string(), shell), m_comm(m_system, shell),
          m_profile(QString::fromStdString((dir / "profile.ini").string()), QSettings::IniFormat),
          m_moduleTypes(dir.string(), shell),
          m_frame(m_system, m_param, m_moduleTypes, shell, m_profile) {
        m_frame.SetLinkControl(&m_comm);
        m_frame.SetComm(&m_comm);
        m_frame.UseSerialControl();
        m_frame.show();
        Trigger(ID_PORT_OPEN);
    }
    ~CWindowPeer() override { ClosePort(); }

    bool IsOpen() const override { return m_frame.IsPortOpen(); }
    CSystem& System() override { return m_system; }
    CControllerProtocol& Comm() override { return m_comm; }
    void Transfer() override { RunWithSystemGroup(ID_TRANSFER_TO_CPU); }
    void Retrieve() override { RunWithSystemGroup(ID_RETRIEVE_FROM_CPU); }
    void ClosePort() override {
        if (m_frame.IsPortOpen())
            Trigger(ID_PORT_OPEN);
    }

private:
    void Trigger(int nId) { m_frame.Action(nId)->trigger(); }

    // Looks for the group dialog until it has answered it, then stops, so
    // nothing of the bench's own runs during the sequence.
    void RunWithSystemGroup(int nId) {
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&answer] {
            auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* pSystem = pDialog ? pDialog->findChild<QAbstractButton*>(
                                          QString("radioGroup%1").arg(CSystem::GroupSystem))
                                    : nullptr;
            if (!pSystem)
                return;
            pSystem->click();
            pDialog->accept();
            answer.stop();
        });
        answer.start(5);
        Trigger(nId);
    }

    CSystem m_system;
    CSettings m_param;
    CControllerProtocol m_comm;
    QSettings m_profile;
    CModuleTypes m_moduleTypes;
    CMainFrame m_frame;
};

void Report(const std::string& strName, const CFigures& f) {
    std::printf("%s\n", strName.c_str());
    std::printf("  frames                       %ld (%.0f per second)\n", f.Frames(),
                f.Frames() / f.dWall);
    std::printf("  bytes PC to controller       %ld\n", f.nBytesOut);
    std::printf("  bytes controller to PC       %ld\n", f.nBytesIn);
    std::printf("  wall time                    %.3f s\n", f.dWall);
    std::printf("  wire time at 9600 baud 8N2   %.3f s\n", f.WireSeconds());
    std::printf("  bare client                  %.3f s\n", f.dBare);
    std::printf("  wall / wire                  %.3f\n", f.dWall / f.WireSeconds());
    std::printf("  wall / bare client           %.3f\n", f.dWall / f.dBare);
    std::printf("  Corvel CPU                   %.3f s (%.2f %% of the wall time)\n", f.dCpu,
                100.0 * f.dCpu / f.dWall);
    std::printf("  Corvel wakes                 %ld (%.1f per frame)\n", f.nWakes,
                double(f.nWakes) / double(std::max(f.Frames(), 1L)));
    std::printf("  bare client CPU              %.3f s (%.2f %% of its wall time)\n", f.dBareCpu,
                100.0 * f.dBareCpu / f.dBare);
    std::printf("  bare client wakes            %ld (%.1f per frame)\n", f.nBareWakes,
                double(f.nBareWakes) / double(std::max(f.Frames(), 1L)));
    std::printf("  CPU per frame, Corvel / bare %.2f\n", f.dCpu / std::max(f.dBareCpu, 1e-9));
    if (f.dPaintCpu > 0 || f.dWaitCpu > 0)
        std::printf("  of Corvel's CPU: paints %.1f %%, wait indicator %.1f %%\n",
                    100.0 * f.dPaintCpu / f.dCpu, 100.0 * f.dWaitCpu / f.dCpu);
}

void ReportGoals(const std::string& strLine, bool bPaced, const CFigures& transfer,
                 const CFigures& retrieve) {
    std::printf("Goals, %s (reported, not enforced)\n", strLine.c_str());
    for (const auto& [szWhat, f] : {std::pair{"transfer", &transfer}, {"retrieve", &retrieve}}) {
        if (bPaced) {
            std::printf("  %-8s wall <= 1.02 x bare client  %.3f\n", szWhat, f->dWall / f->dBare);
            std::printf("  %-8s CPU <= 2 %% of wall (window) %.2f %% (bare client %.2f %%)\n",
                        szWhat, 100.0 * f->dCpu / f->dWall, 100.0 * f->dBareCpu / f->dBare);
            std::printf("  %-8s CPU <= 1.5 x bare (headless) %.2f\n", szWhat,
                        f->dCpu / std::max(f->dBareCpu, 1e-9));
        } else {
            std::printf("  %-8s >= 2000 frames/s            %.0f\n", szWhat,
                        f->Frames() / f->dWall);
        }
    }
}

template <class TPeer>
bool RunLine(const std::filesystem::path& dir, const char* szPeer, bool bPaced) {
    const std::string strLog = (dir / "dvxsim.log").string();
    const std::string strLink = (dir / "dvx-com1").string();
    std::filesystem::remove(strLog);
    std::vector<std::string> astrArgs{"--log", strLog};
    if (bPaced)
        astrArgs.insert(astrArgs.end(), {"--baud", "9600"});
    CDvxSimProcess sim(strLink, astrArgs, false);
    qputenv("CORVEL_COM1", QByteArray::fromStdString(strLink));
    CBenchShell shell(EBoxAnswer::No);
    TPeer peer(dir, shell);
    if (!sim.IsStarted() || !peer.IsOpen()) {
        std::fprintf(stderr, "dvxsim could not be started or its link opened\n");
        return false;
    }
    FillSystem(peer.System());
    const std::vector<std::string> astrSent = TransferredFields(peer.System());
    // A running processor would count the timers the equations enable, and
    // the retrieved system would then differ from the one sent.
    peer.Comm().SendBoolProcessor(false);
    const std::string strLine =
        std::string(szPeer) + (bPaced ? ", paced at 9600 baud" : ", unpaced");

    CFigures transfer = Measure(strLog, [&peer] { peer.Transfer(); });
    const std::string strTransferEnd = shell.m_strLastBox;
    peer.System().ResetToDefaults();
    CFigures retrieve = Measure(strLog, [&peer] { peer.Retrieve(); });
    const std::string strRetrieveEnd =
        shell.m_strLastBox + (TransferredFields(peer.System()) == astrSent
                                  ? ", every field back"
                                  : ", FIELDS DIFFER FROM THOSE SENT");
    peer.ClosePort();
    for (CFigures* pFigures : {&transfer, &retrieve}) {
        const CBareRun bare = RunBareClient(strLink, pFigures->aExchanges);
        pFigures->dBare = bare.dSeconds;
        pFigures->dBareCpu = bare.dCpu;
        pFigures->nBareWakes = bare.nWakes;
    }

    Report("SYSTEM transfer, " + strLine + ": " + strTransferEnd, transfer);
    Report("SYSTEM retrieve, " + strLine + ": " + strRetrieveEnd, retrieve);
    ReportGoals(strLine, bPaced, transfer, retrieve);
    return true;
}

} // namespace

// "--unpaced" or "--paced" runs one line only, "--headless" or "--window"
// one way of running; the paced runs take a few minutes each, as the real
// line would.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    CTimedApplication app(argc, argv);
    const QStringList astrArgs = QApplication::arguments().mid(1);
    const bool bLineChosen = astrArgs.contains("--paced") || astrArgs.contains("--unpaced");
    const bool bPeerChosen = astrArgs.contains("--headless") || astrArgs.contains("--window");
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "corvel-bench-transfer";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    bool bOk = true;
    for (bool bPaced : {false, true}) {
        if (bLineChosen && !astrArgs.contains(bPaced ? "--paced" : "--unpaced"))
            continue;
        if (bOk && (!bPeerChosen || astrArgs.contains("--headless")))
            bOk = RunLine<CHeadlessPeer>(dir, "headless", bPaced);
        if (bOk && (!bPeerChosen || astrArgs.contains("--window")))
            bOk = RunLine<CWindowPeer>(dir, "main window", bPaced);
    }
    std::filesystem::remove_all(dir);
    return bOk ? EXIT_SUCCESS : EXIT_FAILURE;
}
