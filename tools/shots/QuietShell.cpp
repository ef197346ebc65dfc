#include "QuietShell.h"

#include <cstdio>

EBoxAnswer CQuietShell::MessageBox(const std::string& strText, EBoxButtons buttons, EBoxIcon) {
    std::fprintf(stderr, "box: %s\n", strText.c_str());
    return buttons == EBoxButtons::YesNo || buttons == EBoxButtons::YesNoCancel ? EBoxAnswer::Yes
                                                                                : EBoxAnswer::Ok;
}

bool CQuietShell::AskFileName(const CFileDialogRequest&, std::string&) { return false; }
