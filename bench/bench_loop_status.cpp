// The loop status controller and six loop status viewers open against
// dvxsim reporting every loop over a line paced like the real 9600-baud one,
// while the bench switches inputs of loops 0 to 3 from dvxsim's console a few
// times a second. Over the run (30 s unless a number of seconds is given) it
// prints Corvel's processor share, the lamp paints per second, and the time
// from the status line carrying a change arriving to the lamp showing it.

#include "BenchSupport.h"

#include "controls/LampColumn.h"
#include "controls/SerialControl.h"
#include "diagnostics/LampGrid.h"
#include "diagnostics/LoopStatusController.h"
#include "diagnostics/LoopStatusViewer.h"
#include "dvxsim/DvxSimProcess.h"
#include "link/ControllerProtocol.h"
#include "model/System.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/CommandIds.h"
#include "shell/MainFrame.h"
#include "shell/Settings.h"

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char* const kLoopWords[] = {"blue", "yellow", "virtual", "tmrenbl"};
constexpr int kDrivenLoops = 4;
constexpr int kChangeEveryMs = 250;
constexpr auto kGiveUp = std::chrono::seconds(2);

// One input switched from the console, followed until its lamp shows it.
struct CChange {
    short nLoop, nModule, nChannel;
    int nState;
    Clock::time_point sent;
    std::optional<Clock::time_point> lineArrived;
};

// Counts every lamp paint and times the change under way: the status line
// that brings it (seen after the protocol object has taken the characters)
// and the first paint of the viewer's lamp column that shows it.
class CLampWatch : public QObject {
public:
    CLampWatch(CSystem& system, CMainFrame& frame) : m_system(system), m_frame(frame) {}

    void Watch(CLampColumn& led) { led.installEventFilter(this); }

    bool IsBusy() const { return m_change.has_value(); }
    void Start(const CChange& change) { m_change = change; }

    void OnCharacters() {
        if (!m_change || m_change->lineArrived)
            return;
        const CChange& c = *m_change;
        if (m_system.GetChannelStateAt(c.nModule, c.nChannel, c.nLoop) == c.nState)
            m_change->lineArrived = Clock::now();
    }

    void GiveUpIfStale() {
        if (m_change && Clock::now() - m_change->sent > kGiveUp) {
            ++m_nLost;
            m_change.reset();
        }
    }

    bool eventFilter(QObject* pObject, QEvent* pEvent) override {
        if (pEvent->type() != QEvent::Paint)
            return false;
        ++m_nPaints;
        if (!m_change || !m_change->lineArrived)
            return false;
        const CChange& c = *m_change;
        const CLoopStatusViewer* pViewer = m_frame.LoopStatusViewer(c.nLoop);
        if (!pViewer)
            return false;
        const CLampColumn& target = pViewer->Lamps().Column(c.nModule);
        if (pObject == &target && target.IsLit(c.nChannel) == (c.nState != 0)) {
            const auto latency = Clock::now() - *c.lineArrived;
            m_adLatencyMs.push_back(std::chrono::duration<double, std::milli>(latency).count());
            m_change.reset();
        }
        return false;
    }

    long m_nPaints = 0;
    int m_nLost = 0;
    std::vector<double> m_adLatencyMs;

private:
    CSystem& m_system;
    CMainFrame& m_frame;
    std::optional<CChange> m_change;
};

double Percentile(std::vector<double> adValues, double dShare) {
    if (adValues.empty())
        return 0;
    std::sort(adValues.begin(), adValues.end());
    const auto nIndex = static_cast<std::size_t>(dShare * double(adValues.size() - 1));
    return adValues[nIndex];
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int nSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "corvel-bench-loop-status";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string strLink = (dir / "dvx-com1").string();

    CBenchShell shell(EBoxAnswer::Ok);
    CSystem system(shell, dir.string());
    CSettings param(dir.string(), shell);
    CModuleTypes types(dir.string(), shell);
    QSettings profile(QString::fromStdString((dir / "profile.ini").string()), QSettings::IniFormat);
    CControllerProtocol comm(system, shell);
    CMainFrame frame(system, param, types, shell, profile);
    frame.SetLinkControl(&comm);
    frame.SetComm(&comm);
    frame.UseSerialControl();
    CDvxSimProcess sim(strLink, {"--baud", "9600"}, false);
    qputenv("CORVEL_COM1", QByteArray::fromStdString(strLink));
    frame.show();
    frame.Action(ID_PORT_OPEN)->trigger();
    if (!sim.IsStarted() || !frame.IsPortOpen()) {
        std::fprintf(stderr, "dvxsim could not be started or its link opened\n");
        return EXIT_FAILURE;
    }

    CLampWatch watch(system, frame);
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop) {
        frame.OpenLoopStatusViewer(nLoop);
        for (int nModule = 0; nModule < CLampGrid::kColumns; ++nModule)
            watch.Watch(frame.LoopStatusViewer(nLoop)->Lamps().Column(nModule));
    }
    auto pMonitor = std::make_unique<CLoopStatusController>(system, frame, &frame);
    pMonitor->show();
    for (int nModule = 0; nModule < CLampGrid::kColumns; ++nModule)
        watch.Watch(pMonitor->Column(nModule));
    QObject::connect(&frame.CommControl(), &CSerialControl::OnComm, &watch,
                     [&watch] { watch.OnCharacters(); });

    int nChanges = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        watch.GiveUpIfStale();
        if (watch.IsBusy())
            return;
        CChange change{};
        change.nLoop = static_cast<short>(nChanges % kDrivenLoops);
        change.nModule = static_cast<short>(nChanges * 7 % CLampGrid::kColumns);
        change.nChannel = static_cast<short>(nChanges * 3 % CLampColumn::kLamps);
        change.nState =
            system.GetChannelStateAt(change.nModule, change.nChannel, change.nLoop) ? 0 : 1;
        change.sent = Clock::now();
        watch.Start(change);
        sim.Console(std::string("set ") + kLoopWords[change.nLoop] + " " +
                    char('A' + change.nModule) + " " + std::to_string(change.nChannel + 1) + " " +
                    std::to_string(change.nState));
        ++nChanges;
    });

    // Let the windows settle and the first reports arrive before measuring.
    Clock::time_point start;
    double dCpuStart = 0;
    QTimer::singleShot(1000, [&] {
        watch.m_nPaints = 0;
        start = Clock::now();
        dCpuStart = CpuSeconds(RUSAGE_SELF);
        driver.start(kChangeEveryMs);
    });
    // exit, not quit: quit first closes every window, and the main window's
    // close would take the viewers away while the run is still being read.
    QTimer::singleShot(1000 + nSeconds * 1000, &app, [] { QCoreApplication::exit(0); });
    app.exec();
    driver.stop();
    const double dWall = std::chrono::duration<double>(Clock::now() - start).count();
    const double dCpu = CpuSeconds(RUSAGE_SELF) - dCpuStart;

    std::printf("Loop status controller and six viewers, dvxsim at 9600 baud, %.1f s\n", dWall);
    std::printf("  inputs switched from the console   %d (%zu seen, %d lost)\n", nChanges,
                watch.m_adLatencyMs.size(), watch.m_nLost);
    std::printf("  Corvel processor time              %.3f s = %.2f %% of one core\n", dCpu,
                100.0 * dCpu / dWall);
    std::printf("  lamp paints                        %ld (%.1f per second)\n", watch.m_nPaints,
                watch.m_nPaints / dWall);
    std::printf("  status line to lamp, median        %.1f ms\n",
                Percentile(watch.m_adLatencyMs, 0.5));
    std::printf("  status line to lamp, 95th pct      %.1f ms\n",
                Percentile(watch.m_adLatencyMs, 0.95));
    std::printf("  status line to lamp, worst         %.1f ms\n",
                Percentile(watch.m_adLatencyMs, 1.0));
    std::printf("Goals (reported, not enforced)\n");
    std::printf("  processor share <= 5 %% of one core  %.2f %%\n", 100.0 * dCpu / dWall);
    std::printf("  status line to lamp <= 40 ms        %.1f ms worst\n",
                Percentile(watch.m_adLatencyMs, 1.0));

    pMonitor.reset();
    frame.Action(ID_PORT_OPEN)->trigger();
    frame.SetComm(nullptr);
    std::filesystem::remove_all(dir);
    return EXIT_SUCCESS;
}
