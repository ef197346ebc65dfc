#include "link/CompareCommand.h"

#include "link/ControllerProtocol.h"
#include "link/TransferCommands.h"
#include "link/TransferHost.h"
#include "model/ShellServices.h"
#include "model/System.h"

#include <memory>

std::optional<std::vector<CSystemDifference>> CCompareCommand::OnCompare() {
    m_shell.UpdateTitle();
    if (!m_host.IsPortOpen()) {
        m_shell.MessageBox(CTransferCommands::kPortNotOpenText, EBoxButtons::Ok,
                           EBoxIcon::Exclamation);
        return std::nullopt;
    }
    auto pController =
        std::make_unique<CSystem>(m_shell, CSystem::CScratch{}, m_system.GetLaunchDir());
    switch (ReadController(*pController)) {
    case ERead::Interrupted:
        m_shell.MessageBox(kInterruptedText, EBoxButtons::Ok, EBoxIcon::Stop);
        return std::nullopt;
    case ERead::Damaged:
        m_shell.MessageBox(kDamagedText, EBoxButtons::Ok, EBoxIcon::Exclamation);
        return std::nullopt;
    case ERead::Complete:
        break;
    }
    auto aDiffs = CSystemDiff::Compare(m_system, *pController, CSystemDiff::EScope::Controller);
    if (CSystemDiff::CountDifferences(aDiffs) == 0) {
        m_shell.MessageBox(kSameSystemText, EBoxButtons::Ok, EBoxIcon::Information);
        return std::nullopt;
    }
    return aDiffs;
}

// The reader is a protocol object of its own over the same line, so every
// value read lands in the target; the characters reach it through the
// protocol object the port delivers them to.
CCompareCommand::ERead CCompareCommand::ReadController(CSystem& target) {
    CControllerProtocol::CCommandScope scope(m_comm);
    m_host.PauseLink();
    m_host.ShowBusyCursor(true);
    m_system.SuspendLink();
    m_host.StartWaitIndicator(kReadingText);
    ERead read = ERead::Complete;
    {
        CControllerProtocol reader(target, m_shell, m_comm.GetHost());
        reader.SetPortOpen(m_comm.GetPortOpen());
        CControllerProtocol::CCommandScope readerScope(reader);
        m_comm.ForwardReceiveTo(&reader);
        bool bAllRead = false;
        reader.RunWithProgress([&] { bAllRead = CTransferCommands::ReadSystem(reader); });
        m_comm.ForwardReceiveTo(nullptr);
        if (!reader.GetPortOpen() || !m_comm.GetPortOpen() || !m_host.IsPortOpen())
            read = ERead::Interrupted;
        else if (!bAllRead)
            read = ERead::Damaged;
    }
    m_host.CloseWaitIndicator();
    m_system.ResumeLink();
    m_host.ShowBusyCursor(false);
    m_host.ContinueLink();
    return read;
}
