#include "link/CompareCommand.h"

#include "link/TransferCommands.h"
#include "link/TransferHost.h"
#include "link/zlvcomm.h"
#include "model/ShellServices.h"
#include "model/system.h"

#include <memory>

std::optional<std::vector<CSystemDifference>> CCompareCommand::OnCompare() {
    m_shell.UpdateTitle();
    if (!m_host.IsPortOpen()) {
        m_shell.MessageBox(CTransferCommands::kPortNotOpenText);
        return std::nullopt;
    }
    auto pController =
        std::make_unique<CSystem>(m_shell, CSystem::CScratch{}, m_system.GetLaunchDir());
    if (!ReadController(*pController)) {
        m_shell.MessageBox(kInterruptedText);
        return std::nullopt;
    }
    auto aDiffs = CSystemDiff::Compare(m_system, *pController, CSystemDiff::EScope::Controller);
    if (CSystemDiff::CountDifferences(aDiffs) == 0) {
        m_shell.MessageBox(kSameSystemText);
        return std::nullopt;
    }
    return aDiffs;
}

// The reader is a protocol object of its own over the same line, so every
// value read lands in the target; the characters reach it through the
// protocol object the port delivers them to.
bool CCompareCommand::ReadController(CSystem& target) {
    m_host.PauseLink();
    m_host.ShowBusyCursor(true);
    m_system.SuspendLink();
    m_host.StartWaitIndicator(kReadingText);
    bool bComplete = false;
    {
        CZlvComm reader(target, m_shell, m_comm.GetHost());
        reader.SetPortOpen(m_comm.GetPortOpen());
        m_comm.ForwardReceiveTo(&reader);
        CTransferCommands::ReadSystem(reader);
        m_comm.ForwardReceiveTo(nullptr);
        bComplete = reader.GetPortOpen() && m_comm.GetPortOpen() && m_host.IsPortOpen();
    }
    m_host.CloseWaitIndicator();
    m_system.ResumeLink();
    m_host.ShowBusyCursor(false);
    m_host.ContinueLink();
    return bComplete;
}
