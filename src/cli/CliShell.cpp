#include "cli/CliShell.h"

#include "cli/CliOptions.h"

namespace {

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }
bool EndsSentence(char c) { return c == '.' || c == ':' || c == '?' || c == '!'; }

} // namespace

// A box's lines are joined into one: after a line that ends a sentence with
// a space, after any other (a file named before the system's reason) with a
// colon, so the two never run together.
void CCliShell::Error(const std::string& strText) {
    std::string strLine;
    for (std::size_t i = 0; i < strText.size(); ++i) {
        if (!IsLineBreak(strText[i])) {
            strLine += strText[i];
            continue;
        }
        const bool bLast = i + 1 == strText.size() || IsLineBreak(strText[i + 1]);
        if (bLast || strLine.empty())
            continue;
        if (!EndsSentence(strLine.back()) && strLine.back() != ' ')
            strLine += ':';
        strLine += ' ';
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
