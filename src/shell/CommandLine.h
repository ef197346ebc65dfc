#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of Corvel: a system file to open once the main
// window is up (a file manager starts Corvel so for a double click), and
// whether to work in the workspace folder (the desktop menu asks for it,
// since a desktop starts programs in whatever folder it likes). Help, the
// version and mistakes end the program with a text for the terminal.
class CCommandLine {
public:
    static constexpr const char* kWorkspaceOption = "workspace";

    // The arguments as the program got them, its own name first. A file
    // name is made absolute against the current folder, before anything
    // moves to the workspace.
    explicit CCommandLine(const QStringList& astrArguments);

    // Whether the arguments ask only for help or the version: those are
    // answered before the application connects to a display, so they work
    // in a terminal without one.
    static bool AsksForTextOnly(const QStringList& astrArguments);

    bool ShouldExit() const { return m_bExit; }
    int ExitCode() const { return m_nExitCode; }
    // For standard output when the exit code is 0, standard error otherwise.
    const QString& ExitText() const { return m_strExitText; }

    bool UseWorkspace() const { return m_bWorkspace; }
    // Native path of the file to open; empty when none was named.
    const QString& FileName() const { return m_strFileName; }

private:
    void Exit(int nCode, const QString& strText);

    bool m_bExit = false;
    int m_nExitCode = 0;
    QString m_strExitText;
    bool m_bWorkspace = false;
    QString m_strFileName;
};
