#pragma once

#include "editors/EditorCommand.h"

// The three label editors of the labels menu. With the port open each reads
// its labels from the controller before its dialog, so the dialog shows the
// controller's labels, and sends them back after OK.
class CLabelCommands : public CEditorCommand {
public:
    using CEditorCommand::CEditorCommand;

    // Sends only the module that is current when the dialog closes.
    void OnChannelLabels();
    void OnModuleLabels();
    void OnSystemLabels();
};
