#pragma once

#include "editors/EditorCommand.h"
#include "link/ControllerProtocol.h"

// "Timer setup": with the port open, reads all 160 timers before the dialog
// and sends them all after OK; the dialog's buttons read or send the module
// shown. The timer loop stays the current loop afterwards; the current
// module is put back as it was.
class CTimerSetupCommand : public CEditorCommand {
public:
    static constexpr const char* kRetrievingText = "Retrieving all timers ...";
    static constexpr const char* kTransmittingText = CControllerProtocol::kTransmittingTimersText;

    using CEditorCommand::CEditorCommand;

    void OnTimerSetup();
    // The dialog's module buttons: failures are not reported, and values
    // received before a failure stay stored.
    void RetrieveModuleTimers();
    void TransmitModuleTimers();
};
