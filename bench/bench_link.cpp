// Timer transfers through the serial control against a controller on a
// pseudo-terminal: one that answers at once, and one that paces its answers
// like a 9600-baud line. Prints frames per second, Corvel's own time per
// frame (the exchange time minus the peer's and the wire's share), and the
// processor time Corvel's thread uses per second of waiting.

#include "BenchSupport.h"

#include "controls/SerialControl.h"
#include "link/ControllerProtocol.h"
#include "link/SerialLinkHost.h"
#include "model/System.h"
#include "support/PtyPeer.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// A controller that only knows the timer frames.
std::string TimerAnswer(const std::string& strFrame) {
    bool bReload = strFrame.rfind(":TR", 0) == 0;
    bool bRead = strFrame.size() == (bReload ? 6u : 5u);
    if (bRead)
        return bReload ? "64\r\n" : "00\r\n";
    return bReload ? "OK\r\n" : "\r\n";
}

struct CFigures {
    int nFrames = 0;
    double dWall = 0;
    double dPeer = 0;
    double dCpu = 0;
};

CFigures RunTimers(CControllerProtocol& comm, CPtyPeer& peer, int nRounds) {
    double dPeerBefore = peer.PeerSeconds();
    std::size_t nFramesBefore = peer.FrameCount();
    double dCpuBefore = CpuSeconds(RUSAGE_THREAD);
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < nRounds; ++i) {
        comm.SendAllTimers();
        comm.ReadAllTimers();
    }
    CFigures figures;
    figures.dWall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    figures.dCpu = CpuSeconds(RUSAGE_THREAD) - dCpuBefore;
    figures.dPeer = peer.PeerSeconds() - dPeerBefore;
    figures.nFrames = static_cast<int>(peer.FrameCount() - nFramesBefore);
    return figures;
}

void Report(const char* szName, const CFigures& f) {
    double dOwn = f.dWall - f.dPeer;
    std::printf("%s\n", szName);
    std::printf("  frames                      %d in %.3f s\n", f.nFrames, f.dWall);
    std::printf("  frames per second           %.0f\n", f.nFrames / f.dWall);
    std::printf("  Corvel's time per frame     %.1f us\n", dOwn / f.nFrames * 1e6);
    std::printf("  peer and wire per frame     %.1f us\n", f.dPeer / f.nFrames * 1e6);
    std::printf("  Corvel's share of the time  %.2f %%\n", 100.0 * dOwn / f.dWall);
    std::printf("  CPU s per wall s (Corvel)   %.4f\n", f.dCpu / f.dWall);
}

CFigures Measure(CSystem& system, CBenchShell& shell, double dCharSeconds, int nRounds) {
    CPtyPeer peer(TimerAnswer, dCharSeconds);
    if (!peer.IsValid()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        std::exit(EXIT_FAILURE);
    }
    qputenv("CORVEL_COM1", QByteArray::fromStdString(peer.SlavePath()));
    CSerialControl port;
    CControllerProtocol comm(system, shell);
    CSerialLinkHost host(port, comm);
    comm.SetPortOpen(true);
    port.SetCommPort(1);
    port.SetSettings(QStringLiteral("9600,n,8,2"));
    if (!port.SetPortOpen(true)) {
        std::fprintf(stderr, "cannot open %s\n", peer.SlavePath().c_str());
        std::exit(EXIT_FAILURE);
    }
    CFigures figures = RunTimers(comm, peer, nRounds);
    comm.SetPortOpen(false);
    port.SetPortOpen(false);
    return figures;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "corvel-bench-link";
    std::filesystem::create_directories(dir);
    CBenchShell shell(EBoxAnswer::Ok);
    {
        CSystem system(shell, dir.string());
        CFigures instant = Measure(system, shell, 0.0, 10);
        Report("Controller answering at once (SendAllTimers + ReadAllTimers, 10 rounds)", instant);
        CFigures paced = Measure(system, shell, CPtyPeer::kCharSeconds9600, 1);
        Report("Controller paced like a 9600-baud line (SendAllTimers + ReadAllTimers)", paced);
        double dOverhead = 100.0 * (paced.dWall - paced.dPeer) / paced.dPeer;
        std::printf("Goals (reported, not enforced)\n");
        std::printf("  unpaced frames per second >= 2000     %.0f\n",
                    instant.nFrames / instant.dWall);
        std::printf("  CPU while waiting paced < 5 %%         %.2f %%\n",
                    100.0 * paced.dCpu / paced.dWall);
        std::printf("  overhead vs wire time < 2 %%           %.2f %%\n", dOverhead);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
