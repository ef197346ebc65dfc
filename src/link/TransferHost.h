#pragma once

#include <string>

class CModuleTypes;

// What the transfer, retrieve and link commands need from the main window:
// the port state, the pause and continue wrapper, the shared reports and
// indicators, the save command, and the pickers that set the scope and the
// current module and channel. Tests script it; the main window implements it
// with its own services and the picker dialogs.
class CTransferHost {
public:
    enum class ESaveResult { Saved, Cancelled, Failed };

    virtual ~CTransferHost() = default;

    virtual bool IsPortOpen() const = 0;
    virtual bool PauseLink() = 0;
    virtual bool ContinueLink() = 0;
    virtual void ReportTransmitError() = 0;
    virtual void StartWaitIndicator(const std::string& strText) = 0;
    virtual void CloseWaitIndicator() = 0;
    virtual void ShowBusyCursor(bool bBusy) = 0;
    // Save As, run completely, and how it ended.
    virtual ESaveResult SaveSystemAs() = 0;

    // The library a transfer checks the system against before it sends;
    // nullptr sends without the check (corvel-cli, whose scripts run its
    // check command themselves).
    virtual const CModuleTypes* ModuleTypesToCheck() const = 0;

    // Each returns false when the technician cancelled the picker.
    virtual bool PickObjectGroup() = 0;
    virtual bool PickModule() = 0;
    virtual bool PickChannel() = 0;
};
