#pragma once

#include <string>

enum class EBoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class EBoxIcon { None, Information, Exclamation, Question, Stop };
enum class EBoxAnswer { Ok, Cancel, Yes, No };

// File dialog flags: hide the read-only box, ask before replacing an existing
// file, accept a name without checking it.
constexpr unsigned kFileHideReadOnly = 0x4;
constexpr unsigned kFileOverwritePrompt = 0x2;
constexpr unsigned kFileNoValidate = 0x100;

// What a file dialog is asked to show. Paths are native (UTF-8). The filter
// pairs descriptions and patterns between bars: "DVX (*.DVX) | *.DVX ||".
struct CFileDialogRequest {
    bool bOpen = true;
    std::string strTitle;
    std::string strDefExt;
    std::string strFileName;
    std::string strFilter;
    std::string strInitialDir;
    unsigned nFlags = 0;
};

// What the model, the protocol object and the commands need from the program
// around them. The main window implements it with real boxes and dialogs;
// tests implement it with a scripted recorder. Texts are UTF-8.
class CShellServices {
public:
    virtual ~CShellServices() = default;

    virtual EBoxAnswer MessageBox(const std::string& strText, EBoxButtons buttons = EBoxButtons::Ok,
                                  EBoxIcon icon = EBoxIcon::None) = 0;
    // Returns false when the user cancelled; otherwise strPath is the choice.
    virtual bool AskFileName(const CFileDialogRequest& request, std::string& strPath) = 0;
    virtual void SetStatusText(const std::string& strText) = 0;
    virtual void UpdateTitle() = 0;
    // Debug traces: never shown to the user.
    virtual void Trace(const std::string& strText) = 0;
    // Forces a channel state on the controller (loop status forcing).
    virtual void SendChannelState(short nLoop, short nModule, short nChannel, int nState) = 0;
};
