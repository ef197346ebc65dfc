#include "cli/CliOptions.h"

#include "model/InputQuote.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <cstdlib>

namespace {

struct CCommandSpec {
    const char* szName;
    int nFiles;
    bool bOutput;
    bool bOutputRequired;
    const char* szJson;
    bool bController;
    const char* szUsage;
    const char* szHelp;
};

const char* const kDiffJson = "  --json          print {\"differences\": [{\"item\": ..., "
                              "\"left\": ..., \"right\": ...}, ...],\n"
                              "                  \"information\": [...]}\n";

const char* const kCheckJson =
    "  --json          print {\"findings\": [{\"severity\", \"id\", \"channels\": [{\"loop\",\n"
    "                  \"designation\", \"label\"}], \"timer\", \"pair\", \"text\"}, ...],\n"
    "                  \"counts\": {\"error\", \"warning\", \"note\"}} (absent values null)\n";

const CCommandSpec kCommands[] = {
    {"show", 1, false, false, nullptr, false, "show FILE",
     "Prints a summary of a system file (.DVX, SYSTEM6C.DAT, .ZLV or .json): its system\n"
     "labels and what it defines.\n"},
    {"listing", 1, true, false, nullptr, false, "listing FILE [-o OUT]",
     "Prints the equation listing of a system file, as Corvel writes Corvel_SS.VTS, or\n"
     "writes it to OUT.\n"},
    {"convert", 2, false, false, nullptr, false, "convert IN OUT",
     "Converts between a system file (.DVX or .DAT), an old-format file (.ZLV) and the\n"
     "system as text (.json), the direction given by the extensions. The text keeps\n"
     "every field: .DVX to .json and back gives the same bytes. A system file written\n"
     "as .ZLV is read as File > Open reads it; channel numbers are converted as Import\n"
     "ZLV and Export ZLV do, and a line on the error stream counts what the old format\n"
     "cannot hold. A .json that breaks the form is refused with the key and the reason.\n"},
    {"document", 1, true, true, nullptr, false, "document FILE -o OUT.xlsx",
     "Writes the documentation workbook of a system file, as a documentation window of\n"
     "Corvel shows it. Module types are named from ModuleTypes.dat in the current folder\n"
     "when there is one.\n"},
    {"check", 1, false, false, kCheckJson, false, "check FILE [--json]",
     "Checks the logic of a system file before it goes into a vehicle, as Utility > Check\n"
     "system does, and prints one finding a line, then the counts. Module types are read\n"
     "from ModuleTypes.dat in the current folder when there is one. Exit status 1 when\n"
     "there are errors or warnings.\n"},
    {"diff", 2, false, false, kDiffJson, false, "diff A B [--json]",
     "Lists the differences between two systems, each a system file, an old-format file\n"
     "or a .json. Exit status 1 when they differ.\n"},
    {"transfer", 1, false, false, nullptr, true, "transfer FILE (--port N | --device PATH)",
     "Sends the file's system to the DVX CPU, as the window's SYSTEM transfer does.\n"},
    {"retrieve", 1, false, false, nullptr, true, "retrieve OUT (--port N | --device PATH)",
     "Reads the whole system from the DVX CPU and writes it to a new system file, only\n"
     "once every answer has arrived.\n"},
    {"verify", 1, false, false, kDiffJson, true, "verify FILE (--port N | --device PATH) [--json]",
     "Reads the whole system from the DVX CPU and lists where it differs from the file.\n"
     "Exit status 1 when they differ.\n"},
};

const CCommandSpec* FindCommand(const std::string& strName) {
    for (const CCommandSpec& spec : kCommands) {
        if (strName == spec.szName)
            return &spec;
    }
    return nullptr;
}

const char* const kControllerOptions =
    "  --port N        the serial port numbered N, as the window finds it: CORVEL_COM<N>,\n"
    "                  the settings, then the platform's own name\n"
    "  --device PATH   the serial device itself\n"
    "  --timeout S     give up when the DVX CPU sends nothing for S seconds (default 5)\n"
    "  --quiet         no progress lines\n";

const char* const kExitStatuses =
    "Exit status: 0 done and no difference, 1 differences found (check: errors or\n"
    "warnings found), 2 usage error, 3 a file could not be read or written, 4 a controller\n"
    "problem.\n";

bool ParseNumber(const std::string& strText, int nMin, int nMax, int& nValue) {
    if (strText.empty() || strText.size() > 6 ||
        strText.find_first_not_of("0123456789") != std::string::npos)
        return false;
    nValue = std::atoi(strText.c_str());
    return nValue >= nMin && nValue <= nMax;
}

// The options every command shares; each command then says which it takes.
struct COptionSet {
    QCommandLineOption help{{"h", "help"}};
    QCommandLineOption version{"version"};
    QCommandLineOption json{"json"};
    QCommandLineOption quiet{{"q", "quiet"}};
    QCommandLineOption output{"o", "", "OUT"};
    QCommandLineOption port{"port", "", "N"};
    QCommandLineOption device{"device", "", "PATH"};
    QCommandLineOption timeout{"timeout", "", "S"};
};

// The option as it was typed: the parser names a short option by its letter
// alone, which may have come in a group such as "-json".
std::string TypedOption(const QString& strName, const std::vector<std::string>& astrArgs) {
    if (strName.size() > 1)
        return "--" + strName.toLatin1().toStdString();
    for (const std::string& strArg : astrArgs) {
        if (strArg.size() > 1 && strArg[0] == '-' && strArg[1] != '-' &&
            strArg.find(strName.toLatin1().toStdString()) != std::string::npos)
            return strArg;
    }
    return "-" + strName.toLatin1().toStdString();
}

// The parser's complaint in the words scripts already know: only an option
// that takes a value can end the arguments without one, and the only other
// complaint is a value given to a switch ("--json=yes").
std::string ParseErrorText(const QCommandLineParser& parser,
                           const std::vector<std::string>& astrArgs) {
    if (!parser.unknownOptionNames().isEmpty())
        return "unknown option " +
               InputQuote::Cut(TypedOption(parser.unknownOptionNames().first(), astrArgs));
    if (!astrArgs.empty()) {
        const std::string& strLast = astrArgs.back();
        for (const char* szOption : {"-o", "--port", "--device", "--timeout"})
            if (strLast == szOption)
                return strLast + " needs a value";
    }
    for (const std::string& strArg : astrArgs) {
        const std::string strName = strArg.substr(0, strArg.find('='));
        for (const char* szSwitch : {"--help", "--version", "--json", "--quiet"})
            if (strName == szSwitch && strName != strArg)
                return "unknown option " + InputQuote::Cut(strArg);
    }
    return parser.errorText().toStdString();
}

bool CheckRequest(const CCliRequest& request, std::string& strError) {
    const CCommandSpec* pSpec = FindCommand(request.strCommand);
    if (!pSpec) {
        strError = "unknown command \"" + InputQuote::Cut(request.strCommand) + "\"";
        return false;
    }
    std::string strUsage = std::string("usage: ") + CliOptions::kProgram + " " + pSpec->szUsage;
    if (static_cast<int>(request.astrFiles.size()) != pSpec->nFiles) {
        strError = strUsage;
        return false;
    }
    bool bLink = request.nPort != 0 || !request.strDevice.empty();
    if ((!request.strOutput.empty() && !pSpec->bOutput) ||
        (request.strOutput.empty() && pSpec->bOutputRequired) ||
        (request.bJson && !pSpec->szJson) || (bLink && !pSpec->bController)) {
        strError = strUsage;
        return false;
    }
    if (pSpec->bController && (request.nPort != 0) == !request.strDevice.empty()) {
        strError = strUsage + " (give --port or --device, not both)";
        return false;
    }
    return true;
}

} // namespace

namespace CliOptions {

bool Parse(const std::vector<std::string>& astrArgs, CCliRequest& request, std::string& strError) {
    COptionSet options;
    QCommandLineParser parser;
    parser.addOptions({options.help, options.version, options.json, options.quiet, options.output,
                       options.port, options.device, options.timeout});
    // Byte for byte, so a file name that is not UTF-8 comes through unchanged;
    // the option names are plain ASCII.
    QStringList astrArguments{QString::fromLatin1(kProgram)};
    for (const std::string& strArg : astrArgs)
        astrArguments << QString::fromLatin1(strArg.data(), static_cast<qsizetype>(strArg.size()));
    if (!parser.parse(astrArguments)) {
        strError = ParseErrorText(parser, astrArgs);
        return false;
    }
    request.bHelp = parser.isSet(options.help);
    request.bVersion = parser.isSet(options.version);
    request.bJson = parser.isSet(options.json);
    request.bQuiet = parser.isSet(options.quiet);
    request.strOutput = parser.value(options.output).toLatin1().toStdString();
    request.strDevice = parser.value(options.device).toLatin1().toStdString();
    if (parser.isSet(options.port) &&
        !ParseNumber(parser.value(options.port).toLatin1().toStdString(), 1, 255, request.nPort)) {
        strError = "--port needs a port number from 1 to 255";
        return false;
    }
    if (parser.isSet(options.timeout) &&
        !ParseNumber(parser.value(options.timeout).toLatin1().toStdString(), 1, 3600,
                     request.nTimeoutSeconds)) {
        strError = "--timeout needs a number of seconds from 1 to 3600";
        return false;
    }
    for (const QString& strArg : parser.positionalArguments()) {
        if (request.strCommand.empty())
            request.strCommand = strArg.toLatin1().toStdString();
        else
            request.astrFiles.push_back(strArg.toLatin1().toStdString());
    }
    if (request.bHelp || request.bVersion) {
        if (!request.strCommand.empty() && !FindCommand(request.strCommand)) {
            strError = "unknown command \"" + InputQuote::Cut(request.strCommand) + "\"";
            return false;
        }
        return true;
    }
    if (request.strCommand.empty()) {
        strError = std::string("no command given; ") + kProgram + " --help lists them";
        return false;
    }
    return CheckRequest(request, strError);
}

std::string HelpText(const std::string& strCommand) {
    if (const CCommandSpec* pSpec = FindCommand(strCommand)) {
        std::string strText =
            std::string("usage: ") + kProgram + " " + pSpec->szUsage + "\n\n" + pSpec->szHelp;
        std::string strOptions;
        if (pSpec->bOutput)
            strOptions += "  -o OUT          the file to write\n";
        if (pSpec->szJson)
            strOptions += pSpec->szJson;
        if (pSpec->bController)
            strOptions += kControllerOptions;
        if (!strOptions.empty())
            strText += "\n" + strOptions;
        return strText + "\n" + kExitStatuses;
    }
    std::string strText = std::string("usage: ") + kProgram + " COMMAND [ARGUMENTS]\n\n" +
                          "The batch tool of Corvel, for the DVX vehicle multiplex controller.\n\n";
    for (const CCommandSpec& spec : kCommands)
        strText += std::string("  ") + kProgram + " " + spec.szUsage + "\n";
    strText += std::string("\n") + kControllerOptions +
               "  --help          this text; after a command, that command's\n"
               "  --version       the program's version\n\n" +
               kExitStatuses;
    return strText;
}

std::string VersionText() { return std::string(kProgram) + " (CorvelII 6.63)\n"; }

bool IsControllerCommand(const std::string& strCommand) {
    const CCommandSpec* pSpec = FindCommand(strCommand);
    return pSpec && pSpec->bController;
}

} // namespace CliOptions
