#pragma once

#include "link/ControllerProtocol.h"
#include "link/LinkHost.h"
#include "link/TransferHost.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "moduletypes/ModuleTypes.h"

#include <optional>
#include <string>
#include <vector>

// The main window as the transfer commands see it, scripted: the port state
// is the link host's, the pause and continue frames really go
// out, and the pickers answer with the choices the test queued (no choice
// queued means the technician cancelled). Every service call is recorded.
class CScriptedTransferHost : public CTransferHost {
public:
    struct ModuleChoice {
        short nLoop;
        short nModule;
    };

    CScriptedTransferHost(CSystem& system, CControllerProtocol& comm, CShellServices& shell,
                          const CLinkHost& link)
        : m_types(CModuleTypes::CEmpty{}, shell), m_system(system), m_comm(comm), m_shell(shell),
          m_link(link) {}

    bool IsPortOpen() const override { return m_link.IsPortOpen(); }
    bool PauseLink() override;
    bool ContinueLink() override;
    void ReportTransmitError() override;
    void StartWaitIndicator(const std::string& strText) override;
    void CloseWaitIndicator() override { m_astrCalls.push_back("close wait"); }
    void ShowBusyCursor(bool bBusy) override { m_astrCalls.push_back(bBusy ? "busy" : "not busy"); }
    ESaveResult SaveSystemAs() override;
    const CModuleTypes* ModuleTypesToCheck() const override { return &m_types; }
    bool PickObjectGroup() override;
    bool PickModule() override;
    bool PickChannel() override;

    std::optional<int> m_nGroup;
    std::optional<ModuleChoice> m_module;
    std::optional<short> m_nChannel;
    ESaveResult m_saveResult = ESaveResult::Saved;
    std::vector<std::string> m_astrCalls;
    // The window's library, as the test sets it; empty at first.
    CModuleTypes m_types;

private:
    CSystem& m_system;
    CControllerProtocol& m_comm;
    CShellServices& m_shell;
    const CLinkHost& m_link;
};
