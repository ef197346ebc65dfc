#pragma once

#include "link/TransferHost.h"

class CMainFrame;
class CModuleTypes;
class CSystem;

// The main window's side of the transfer commands: its port state and link
// services, the busy cursor over the main window (dialogs and boxes keep
// their own pointer), and the scope, module and channel pickers as modal
// dialogs.
class CFrameTransferHost : public CTransferHost {
public:
    CFrameTransferHost(CMainFrame& frame, CSystem& system, const CModuleTypes& types);

    bool IsPortOpen() const override;
    bool PauseLink() override;
    bool ContinueLink() override;
    void ReportTransmitError() override;
    void StartWaitIndicator(const std::string& strText) override;
    void CloseWaitIndicator() override;
    void ShowBusyCursor(bool bBusy) override;
    ESaveResult SaveSystemAs() override;
    const CModuleTypes* ModuleTypesToCheck() const override { return &m_types; }
    bool PickObjectGroup() override;
    bool PickModule() override;
    bool PickChannel() override;

private:
    CMainFrame& m_frame;
    CSystem& m_system;
    const CModuleTypes& m_types;
};
