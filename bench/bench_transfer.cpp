// A whole-system transfer and a whole-system retrieve of a fully populated
// system (every equation of loops 0 to 3, every label custom, every timer,
// sleep mode and high speed pair set) through the serial control to dvxsim,
// once answering at once and once paced like the real 9600-baud line. For
// each it prints the frames, the bytes each way (from dvxsim's frame log),
// the wall time, the time those bytes need on a 9600-baud 8N2 line, their
// ratio, and the processor time Corvel used.

#include "BenchSupport.h"

#include "controls/MSComm.h"
#include "dvxsim/DvxSimProcess.h"
#include "link/FullSystem.h"
#include "link/ScriptedTransferHost.h"
#include "link/SerialLinkHost.h"
#include "link/SimLog.h"
#include "link/TransferCommands.h"
#include "link/zlvcomm.h"
#include "model/system.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace {

// 11 bits a character: start bit, 8 data bits, 2 stop bits.
constexpr double kCharSeconds9600 = 11.0 / 9600.0;

struct CFigures {
    long nFrames = 0;
    long nBytesOut = 0;
    long nBytesIn = 0;
    double dWall = 0;
    double dCpu = 0;
    double WireSeconds() const { return (nBytesOut + nBytesIn) * kCharSeconds9600; }
};

// Corvel's protocol object and transfer commands on port 1, pointed at a
// dvxsim of its own.
class CBench {
public:
    CBench(const std::filesystem::path& dir, CBenchShell& shell, CSystem& system, bool bPaced)
        : m_strLog((dir / (bPaced ? "paced.log" : "unpaced.log")).string()), m_comm(system, shell),
          m_link(m_port, m_comm), m_host(system, m_comm, shell, m_link),
          m_commands(system, m_comm, shell, m_host) {
        std::vector<std::string> astrArgs{"--log", m_strLog};
        if (bPaced)
            astrArgs.insert(astrArgs.end(), {"--baud", "9600"});
        const std::string strLink = (dir / "dvx-com1").string();
        m_pSim = std::make_unique<CDvxSimProcess>(strLink, astrArgs, false);
        qputenv("CORVEL_COM1", QByteArray::fromStdString(strLink));
        m_comm.SetPortOpen(true);
        m_port.SetCommPort(1);
        m_port.SetSettings(QStringLiteral("9600,N,8,2"));
        m_bOpen = m_pSim->IsStarted() && m_port.SetPortOpen(true);
        m_host.m_nGroup = CSystem::GroupSystem;
    }
    ~CBench() {
        m_comm.SetPortOpen(false);
        m_port.SetPortOpen(false);
    }
    bool IsOpen() const { return m_bOpen; }
    CZlvComm& Comm() { return m_comm; }

    CFigures Measure(const std::function<void(CTransferCommands&)>& fnRun) {
        int nLinesBefore = 0;
        ReadSimLog(m_strLog, 0, nLinesBefore);
        const double dCpuBefore = CpuSeconds(RUSAGE_SELF);
        const auto start = std::chrono::steady_clock::now();
        fnRun(m_commands);
        CFigures figures;
        figures.dWall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        figures.dCpu = CpuSeconds(RUSAGE_SELF) - dCpuBefore;
        int nLines = 0;
        for (const CSimLogEntry& entry : ReadSimLog(m_strLog, nLinesBefore, nLines)) {
            if (entry.bFromPc) {
                ++figures.nFrames;
                figures.nBytesOut += static_cast<long>(entry.strText.size()) + 1;
            } else {
                figures.nBytesIn += static_cast<long>(entry.strText.size());
            }
        }
        return figures;
    }

private:
    std::string m_strLog;
    std::unique_ptr<CDvxSimProcess> m_pSim;
    CMSComm m_port;
    CZlvComm m_comm;
    CSerialLinkHost m_link;
    CScriptedTransferHost m_host;
    CTransferCommands m_commands;
    bool m_bOpen = false;
};

void Report(const char* szName, const CFigures& f) {
    std::printf("%s\n", szName);
    std::printf("  frames                       %ld (%.0f per second)\n", f.nFrames,
                f.nFrames / f.dWall);
    std::printf("  bytes PC to controller       %ld\n", f.nBytesOut);
    std::printf("  bytes controller to PC       %ld\n", f.nBytesIn);
    std::printf("  wall time                    %.3f s\n", f.dWall);
    std::printf("  wire time at 9600 baud 8N2   %.3f s\n", f.WireSeconds());
    std::printf("  wall / wire                  %.3f\n", f.dWall / f.WireSeconds());
    std::printf("  Corvel CPU                   %.3f s (%.2f %% of the wall time)\n", f.dCpu,
                100.0 * f.dCpu / f.dWall);
}

bool RunLine(const std::filesystem::path& dir, CBenchShell& shell, bool bPaced) {
    CSystem system(shell, dir.string());
    CBench bench(dir, shell, system, bPaced);
    if (!bench.IsOpen()) {
        std::fprintf(stderr, "dvxsim could not be started or its link opened\n");
        return false;
    }
    FillSystem(system);
    const std::vector<std::string> astrSent = TransferredFields(system);
    // A running processor would count the timers the equations enable, and
    // the retrieved system would then differ from the one sent.
    bench.Comm().SendBoolProcessor(false);
    const char* szLine = bPaced ? "paced at 9600 baud" : "unpaced";

    CFigures transfer = bench.Measure([](CTransferCommands& c) { c.OnTransfer(); });
    std::string strName = std::string("SYSTEM transfer, ") + szLine + ": " + shell.m_strLastBox;
    Report(strName.c_str(), transfer);

    system.ResetToDefaults();
    CFigures retrieve = bench.Measure([](CTransferCommands& c) { c.OnRetrieve(); });
    strName = std::string("SYSTEM retrieve, ") + szLine + ": " + shell.m_strLastBox +
              (TransferredFields(system) == astrSent ? ", every field back"
                                                     : ", FIELDS DIFFER FROM THOSE SENT");
    Report(strName.c_str(), retrieve);

    std::printf("Goals %s (reported, not enforced)\n", szLine);
    if (bPaced) {
        for (const auto& [szWhat, f] : {std::pair{"transfer", transfer}, {"retrieve", retrieve}}) {
            std::printf("  %-8s wall <= 1.02 x wire  %.3f\n", szWhat, f.dWall / f.WireSeconds());
            std::printf("  %-8s CPU <= 2 %% of wall   %.2f %%\n", szWhat, 100.0 * f.dCpu / f.dWall);
        }
    } else {
        for (const auto& [szWhat, f] : {std::pair{"transfer", transfer}, {"retrieve", retrieve}})
            std::printf("  %-8s >= 2000 frames/s     %.0f\n", szWhat, f.nFrames / f.dWall);
    }
    return true;
}

} // namespace

// "--unpaced" or "--paced" runs one line only; the paced runs take a few
// minutes, as the real line would.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const std::string strOnly = argc > 1 ? argv[1] : "";
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "corvel-bench-transfer";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    CBenchShell shell(EBoxAnswer::No);
    bool bOk = true;
    if (strOnly != "--paced")
        bOk = RunLine(dir, shell, false);
    if (bOk && strOnly != "--unpaced")
        bOk = RunLine(dir, shell, true);
    std::filesystem::remove_all(dir);
    return bOk ? EXIT_SUCCESS : EXIT_FAILURE;
}
