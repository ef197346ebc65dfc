#include "cli/CliShell.h"

#include "cli/CliOptions.h"

void CCliShell::Error(const std::string& strText) {
    std::string strLine = strText;
    for (char& c : strLine) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    m_err << CliOptions::kProgram << ": " << strLine << "\n" << std::flush;
}

EBoxAnswer CCliShell::MessageBox(const std::string& strText, EBoxButtons buttons, EBoxIcon) {
    m_astrBoxes.push_back(strText);
    if (m_bEcho)
        Error(strText);
    switch (buttons) {
    case EBoxButtons::Ok:
        return EBoxAnswer::Ok;
    case EBoxButtons::OkCancel:
        return EBoxAnswer::Cancel;
    case EBoxButtons::YesNo:
    case EBoxButtons::YesNoCancel:
        break;
    }
    return EBoxAnswer::No;
}
