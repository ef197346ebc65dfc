#pragma once

#include "model/ShellServices.h"

// Shell services that never wait for a person: boxes are answered with
// their first button and printed, file dialogs are cancelled. The pictures
// are taken without anyone at the screen.
class CQuietShell : public CShellServices {
public:
    EBoxAnswer MessageBox(const std::string& strText, EBoxButtons buttons = EBoxButtons::Ok,
                          EBoxIcon icon = EBoxIcon::None) override;
    bool AskFileName(const CFileDialogRequest& request, std::string& strPath) override;
    void SetStatusText(const std::string&) override {}
    void UpdateTitle() override {}
    void Trace(const std::string&) override {}
    void SendChannelState(short, short, short, int) override {}
};
