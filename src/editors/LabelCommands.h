#pragma once

#include "editors/EditorCommand.h"

#include <functional>

class CReadBackup;

// The three label editors of the labels menu. With the port open each reads
// its labels from the controller before its dialog, so the dialog shows the
// controller's labels, and sends them back after OK. Cancel puts back the
// labels the PC held before the read, except where the dialog saved.
class CLabelCommands : public CEditorCommand {
public:
    static constexpr const char* kRetrievingModuleLabelsText = "Retrieving module labels ...";

    using CEditorCommand::CEditorCommand;

    // Sends only the module that is current when the dialog closes.
    void OnChannelLabels();
    void OnModuleLabels();
    void OnSystemLabels();

private:
    // Module and system labels: the link suspended throughout; the read
    // before the dialog and, after OK, the send, each between pause and
    // continue and only with the port open. The dialog runs with the PC's
    // labels from before the read, to put back on Cancel; it tells whether it
    // ended with OK. A read long enough to be noticed names itself in the
    // please-wait indicator, which goes before the dialog opens.
    void EditWithController(bool (CControllerProtocol::*pfnRead)(),
                            bool (CControllerProtocol::*pfnSend)(),
                            const std::function<bool(CReadBackup&)>& fnDialog,
                            const char* szReadingText = nullptr);
    void ExchangeIfOpen(bool (CControllerProtocol::*pfnExchange)());
};
