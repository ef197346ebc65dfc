#include "shell/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

const char* const kUsage = "Usage: corvel [--workspace] [FILE]\n"
                           "Configuration and service tool for the DVX vehicle multiplex "
                           "controller.\n"
                           "\n"
                           "  FILE         a system file to open after start-up: a .ZLV file "
                           "is imported,\n"
                           "               any other is opened like File > Open\n"
                           "  --workspace  work in $CORVEL_WORKSPACE, or ~/corvel-workspace "
                           "when it is\n"
                           "               not set, creating it when missing\n"
                           "  --help       print this text\n"
                           "  --version    print the version\n";
const char* const kVersion = "corvel 6.63\n";

} // namespace

CCommandLine::CCommandLine(const QStringList& astrArguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption workspace(kWorkspaceOption);
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version(QStringList{"v", "version"});
    parser.addOptions({workspace, help, version});
    if (!parser.parse(astrArguments)) {
        Exit(2, "corvel: " + parser.errorText() + "\n" + kUsage);
        return;
    }
    if (parser.isSet(help)) {
        Exit(0, kUsage);
        return;
    }
    if (parser.isSet(version)) {
        Exit(0, kVersion);
        return;
    }
    const QStringList astrFiles = parser.positionalArguments();
    if (astrFiles.size() > 1) {
        Exit(2, QString("corvel: one file at a time, not %1\n").arg(astrFiles.size()) + kUsage);
        return;
    }
    m_bWorkspace = parser.isSet(workspace);
    if (!astrFiles.isEmpty())
        m_strFileName = QFileInfo(astrFiles[0]).absoluteFilePath();
}

bool CCommandLine::AsksForTextOnly(const QStringList& astrArguments) {
    for (const QString& strArgument : astrArguments.mid(1)) {
        if (strArgument == "--")
            return false;
        const QString strName = strArgument.startsWith("--")  ? strArgument.mid(2)
                                : strArgument.startsWith('-') ? strArgument.mid(1)
                                                              : QString();
        if (strName == "h" || strName == "help" || strName == "v" || strName == "version")
            return true;
    }
    return false;
}

void CCommandLine::Exit(int nCode, const QString& strText) {
    m_bExit = true;
    m_nExitCode = nCode;
    m_strExitText = strText;
}
