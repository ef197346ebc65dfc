#pragma once

#include "link/TransferHost.h"

#include <string>

class CSystem;
class CControllerProtocol;

// The window's side of the transfer commands, for corvel-cli: the scope is
// always the whole system, no picker is shown, nothing is saved, and a
// frame the controller did not acknowledge is counted instead of shown.
class CCliTransferHost : public CTransferHost {
public:
    CCliTransferHost(CControllerProtocol& comm, CSystem& system) : m_comm(comm), m_system(system) {}

    bool IsPortOpen() const override;
    bool PauseLink() override;
    bool ContinueLink() override;
    void ReportTransmitError() override { ++m_nTransmitErrors; }
    void StartWaitIndicator(const std::string&) override {}
    void CloseWaitIndicator() override {}
    void ShowBusyCursor(bool) override {}
    ESaveResult SaveSystemAs() override { return ESaveResult::Failed; }
    const CModuleTypes* ModuleTypesToCheck() const override { return nullptr; }
    bool PickObjectGroup() override;
    bool PickModule() override { return false; }
    bool PickChannel() override { return false; }

    int TransmitErrors() const { return m_nTransmitErrors; }

private:
    CControllerProtocol& m_comm;
    CSystem& m_system;
    int m_nTransmitErrors = 0;
};
