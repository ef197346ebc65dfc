// Controller text of any kind, in chunks of any size, through the receive
// ring, the loop status decoder and every kind of answer reader.

#include "FuzzShell.h"

#include "link/ControllerProtocol.h"
#include "link/LinkHost.h"
#include "model/System.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// Hands out the input a chunk per event; once it is used up the port closes,
// which ends every wait.
class CInputHost : public CLinkHost {
public:
    CInputHost(CControllerProtocol& comm, const uint8_t* pData, std::size_t nSize)
        : m_comm(comm), m_pData(pData), m_nSize(nSize) {}

    void WriteFrame(const std::string&) override {}
    bool PumpEvents() override { return Deliver(); }
    void WaitForEvent(std::chrono::milliseconds) override { Deliver(); }
    bool IsPortOpen() const override { return m_bOpen; }
    void ShowSendMark() override {}
    void ShowLinkIdle() override {}
    void ShowLinkStatus(const std::string&) override {}
    void ShowProgress(const std::string&) override {}
    void ShowNotAnswering(bool) override {}
    void ShowFrameProgress(int, int, std::chrono::milliseconds) override {}
    void AddOutboundLine(const std::string&) override {}
    void AddInboundLine(const std::string&) override {}

private:
    // Whether a chunk was delivered.
    bool Deliver() {
        if (m_nSize == 0) {
            m_bOpen = false;
            m_comm.SetPortOpen(false);
            return false;
        }
        std::size_t nChunk = 1 + m_pData[0] % 64;
        ++m_pData;
        --m_nSize;
        nChunk = nChunk < m_nSize ? nChunk : m_nSize;
        m_comm.OnReceive(std::string(reinterpret_cast<const char*>(m_pData), nChunk));
        m_pData += nChunk;
        m_nSize -= nChunk;
        return true;
    }

    CControllerProtocol& m_comm;
    const uint8_t* m_pData;
    std::size_t m_nSize;
    bool m_bOpen = true;
};

// The system record returns to its launch directory when it loads its
// working file; the fuzzer's corpus paths are relative to where it started.
std::unique_ptr<CSystem> MakeSystem(CShellServices& shell) {
    std::filesystem::path start = std::filesystem::current_path();
    auto pSystem = std::make_unique<CSystem>(shell, FuzzFolder());
    std::filesystem::current_path(start);
    return pSystem;
}

CSystem& System() {
    static CFuzzShell shell;
    static std::unique_ptr<CSystem> pSystem = MakeSystem(shell);
    return *pSystem;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, std::size_t nSize) {
    static CFuzzShell shell;
    CSystem& system = System();
    CControllerProtocol comm(system, shell);
    CInputHost host(comm, pData, nSize);
    comm.SetHost(&host);
    comm.SetPortOpen(true);
    while (comm.GetPortOpen()) {
        comm.QueryModuleLink();
        comm.ReadProcessorTime();
        comm.ReadEquation();
        comm.ReadSleepMode();
        comm.ReadHiSpeedInput(0);
        comm.ReadChannelLabel();
        comm.ReadSysLabel(5);
        comm.ReadTimerReload(3);
        comm.ClearCpuMemory();
    }
    for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair) {
        short nInput = system.GetHiSpeedInput(nPair);
        if (nInput != -1 && !CSystem::IsHighSpeedCapable(nInput))
            __builtin_trap();
    }
    return 0;
}
