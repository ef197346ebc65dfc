#include "cli/CliSequences.h"

#include "cli/CliShell.h"
#include "cli/CliTransferHost.h"
#include "link/CompareCommand.h"
#include "link/LinkHost.h"
#include "link/TransferCommands.h"
#include "link/zlvcomm.h"
#include "model/Archive.h"
#include "model/system.h"

#include <memory>
#include <sstream>

namespace {

// A line where every frame is answered at once, with an answer every
// reader comes to the end of without waiting: "OK" for an acknowledgement,
// then enough digits for the longest answer (the equation block), then the
// line end. Only the frames count; what the readers make of it does not.
class CCountingLine : public CLinkHost {
public:
    explicit CCountingLine(CZlvComm& comm) : m_comm(comm) { m_comm.SetHost(this); }
    ~CCountingLine() override { m_comm.SetHost(nullptr); }

    void WriteFrame(const std::string&) override {
        ++m_nFrames;
        m_comm.OnReceive("OK00000000000000000000000000\r\n");
    }
    bool PumpEvents() override { return false; }
    // A reader still waiting would wait for ever: the line closes instead.
    void WaitForEvent(std::chrono::milliseconds) override { m_bOpen = false; }
    bool IsPortOpen() const override { return m_bOpen; }
    void ShowSendMark() override {}
    void ShowLinkIdle() override {}
    void ShowLinkStatus(const std::string&) override {}
    void ShowProgress(const std::string&) override {}
    void ShowNotAnswering(bool) override {}
    void ShowFrameProgress(int, int, std::chrono::milliseconds) override {}
    void AddOutboundLine(const std::string&) override {}
    void AddInboundLine(const std::string&) override {}

    int Frames() const { return m_nFrames; }

private:
    CZlvComm& m_comm;
    int m_nFrames = 0;
    bool m_bOpen = true;
};

struct CCountRun {
    std::ostringstream quiet;
    CCliShell shell{quiet};
    std::unique_ptr<CSystem> pSystem =
        std::make_unique<CSystem>(shell, CSystem::CScratch{}, std::string());
    CZlvComm comm{*pSystem, shell};
    CCountingLine line{comm};

    CCountRun() {
        shell.SetEcho(false);
        comm.SetPortOpen(true);
    }
};

} // namespace

namespace CliSequences {

void OpeningQueries(CZlvComm& comm) {
    comm.QueryModuleLink();
    comm.LinkDelay();
    comm.QueryModuleLink();
}

int Transfer(CSystem& system, CZlvComm& comm, CCliShell& shell, const PhaseFn& fnPhase) {
    CCliTransferHost host(comm, system);
    host.m_fnPhase = fnPhase;
    CTransferCommands(system, comm, shell, host).OnTransfer();
    return host.TransmitErrors();
}

bool Read(CSystem& system, CZlvComm& comm, CCliShell& shell, CSystem& target,
          const PhaseFn& fnPhase) {
    CCliTransferHost host(comm, system);
    host.m_fnPhase = fnPhase;
    return CCompareCommand(system, comm, shell, host).ReadController(target);
}

int CountTransferFrames(CSystem& system) {
    CCountRun run;
    CArchive stored;
    system.Serialize(stored);
    CArchive copy(stored.Buffer());
    run.pSystem->Serialize(copy);
    OpeningQueries(run.comm);
    Transfer(*run.pSystem, run.comm, run.shell);
    return run.line.Frames();
}

int CountReadFrames() {
    CCountRun run;
    auto pTarget = std::make_unique<CSystem>(run.shell, CSystem::CScratch{}, std::string());
    OpeningQueries(run.comm);
    Read(*run.pSystem, run.comm, run.shell, *pTarget);
    return run.line.Frames();
}

} // namespace CliSequences
