#pragma once

#include "model/ShellServices.h"

#include <ostream>
#include <string>
#include <vector>

// The shell services of corvel-cli: no windows. A message box becomes one
// line on the error stream, unless the command reports the outcome in its
// own words (the controller commands), when the texts are only kept. A
// question is answered No and a file dialog cancelled: nothing is done that
// was not asked for on the command line.
class CCliShell : public CShellServices {
public:
    explicit CCliShell(std::ostream& err) : m_err(err) {}

    // Prints "corvel-cli: TEXT" as one line.
    void Error(const std::string& strText);
    void SetEcho(bool bEcho) { m_bEcho = bEcho; }
    const std::vector<std::string>& BoxTexts() const { return m_astrBoxes; }

    EBoxAnswer MessageBox(const std::string& strText, EBoxButtons buttons, EBoxIcon icon) override;
    bool AskFileName(const CFileDialogRequest&, std::string&) override { return false; }
    void SetStatusText(const std::string&) override {}
    void UpdateTitle() override {}
    void Trace(const std::string&) override {}
    void SendChannelState(short, short, short, int) override {}

private:
    std::ostream& m_err;
    bool m_bEcho = true;
    std::vector<std::string> m_astrBoxes;
};
