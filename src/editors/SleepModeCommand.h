#pragma once

#include "editors/EditorCommand.h"

// "Sleep mode": shows the controller's sleep mode when the port is open,
// lets the technician edit it and sends it back after OK.
class CSleepModeCommand : public CEditorCommand {
public:
    using CEditorCommand::CEditorCommand;

    void OnSleepMode();
};
