#pragma once

#include "editors/EditorCommand.h"

// "High speed channels (Blue Loop)": with the port open, the controller's
// pairs replace the stored ones before the dialog, and the pairs go back
// after OK; equations the pair rules clear are sent as they are cleared.
class CHiSpeedCommand : public CEditorCommand {
public:
    using CEditorCommand::CEditorCommand;

    void OnHighSpeedChannels();
    // Sends one channel's equation with the port open, reporting a refusal;
    // true when it went through or the port is closed.
    bool SendChannelEquation(short nModule, short nChannel, short nLoop);
};
