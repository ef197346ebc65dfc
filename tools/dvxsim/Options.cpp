#include "Options.h"

#include "Console.h"
#include "model/InputQuote.h"

#include <charconv>

namespace {

bool ParseCount(const std::string& strText, int& nValue) {
    const char* pEnd = strText.data() + strText.size();
    const auto result = std::from_chars(strText.data(), pEnd, nValue);
    return result.ec == std::errc() && result.ptr == pEnd && nValue > 0;
}

} // namespace

bool COptions::Parse(const std::vector<std::string>& astrArgs, COptions& options,
                     std::string& strError) {
    for (std::size_t i = 0; i < astrArgs.size(); ++i) {
        std::string strName = astrArgs[i];
        std::string strValue;
        const std::size_t nEquals = strName.find('=');
        const bool bInline = strName.rfind("--", 0) == 0 && nEquals != std::string::npos;
        if (bInline) {
            strValue = strName.substr(nEquals + 1);
            strName.resize(nEquals);
        }
        if (strName == "--help" || strName == "-h") {
            options.m_bHelp = true;
            continue;
        }
        if (!bInline) {
            if (i + 1 >= astrArgs.size()) {
                strError = strName.rfind("--", 0) == 0 ? strName + " needs a value"
                                                       : "unexpected argument " + strName;
                return false;
            }
            strValue = astrArgs[++i];
        }
        int nCount = 0;
        const bool bCount = ParseCount(strValue, nCount);
        CFailureOptions& failures = options.m_failures;
        if (strName == "--link") {
            options.m_strLink = strValue;
        } else if (strName == "--device") {
            options.m_strDevice = strValue;
        } else if (strName == "--log") {
            options.m_strLog = strValue;
        } else if (strName == "--memory") {
            options.m_strMemory = strValue;
        } else if (strName == "--refuse") {
            failures.m_strRefusePattern = strValue;
        } else if (strName == "--garble") {
            failures.m_strGarbagePattern = strValue;
        } else if (strName == "--drop-char") {
            failures.m_strDropPattern = strValue;
        } else if (strName == "--baud" && bCount) {
            options.m_nBaud = nCount;
        } else if (strName == "--stop-after" && bCount) {
            failures.m_nStopAfter = nCount;
        } else if (strName == "--close-after" && bCount) {
            failures.m_nCloseAfter = nCount;
        } else if (strName == "--garbage-every" && bCount) {
            failures.m_nGarbageEvery = nCount;
        } else {
            strError = "unknown option or bad value: " + InputQuote::Cut(strName) + " " +
                       InputQuote::Cut(strValue);
            return false;
        }
    }
    if (!options.m_strLink.empty() && !options.m_strDevice.empty()) {
        strError = "--link and --device exclude each other";
        return false;
    }
    return true;
}

std::string COptions::HelpText() {
    return std::string(
               "Usage: dvxsim [options]\n"
               "Plays a DVX controller CPU at the far end of a serial line: answers every\n"
               "frame Corvel sends, keeps the controller's memory, runs its Boolean processor\n"
               "and reports monitored loops. The first line printed is the path of the\n"
               "terminal or device it serves. SIGTERM, SIGINT or quit stop it and remove the\n"
               "link.\n"
               "\n"
               "Options:\n"
               "  --link PATH        serve a new pseudo-terminal and make PATH a symbolic link\n"
               "                     to it; start Corvel with CORVEL_COM1=PATH to reach it\n"
               "  --device DEV       serve a real serial device instead (9600,N,8,2)\n"
               "  --baud N           pace every character sent and received like a line of N\n"
               "                     baud, eleven bits a character (use 9600 for the real\n"
               "                     line); without it, answers go out at once\n"
               "  --log FILE         append every frame received and every line sent, with\n"
               "                     UTC time stamps\n"
               "  --memory FILE      keep the controller's memory in FILE across runs, like\n"
               "                     its non-volatile memory (written a second after a change\n"
               "                     and when dvxsim stops)\n"
               "  --help             print this text\n"
               "\n"
               "Failure modes, for tests (frames are counted from the start; a pattern is\n"
               "matched against the whole frame without its carriage return):\n"
               "  --refuse PATTERN   answer frames matching the shell pattern (\":TR0*\") with\n"
               "                     \"ERROR\" instead of their answer\n"
               "  --garble PATTERN   answer frames matching the pattern (\":B???\" matches the\n"
               "                     equation reads only) with a garbage line instead\n"
               "  --drop-char PATTERN\n"
               "                     leave the last character before the line end out of\n"
               "                     the answer of frames matching the pattern, as a line\n"
               "                     that lost a character would\n"
               "  --stop-after N     answer the first N frames, then fall silent\n"
               "  --close-after N    close the line and stop once N frames are answered\n"
               "  --garbage-every N  send a garbage line before the answer of every Nth frame\n"
               "\n"
               "Commands on standard input:\n") +
           CConsole::kCommands +
           "\n"
           "What the simulation does:\n"
           "  Every 10 ms, while the processor is on (\":P1\", the default; \":P0\" stops\n"
           "  it and every state holds), each defined equation of loops 0..3 sets its\n"
           "  channel, in channel order; a momentary switch latch toggles on each rising\n"
           "  edge of its equation; high speed pairs copy input to output; a timer counts\n"
           "  down from its reload while its TIMER loop channel is on (FAST in tenths of a\n"
           "  second, SLOW in tens of seconds), with its TIMER RUNNING channel on while it\n"
           "  counts and its TIMER DONE channel on at zero; when the enable drops it is\n"
           "  reloaded and both go off. \":S\" and set force a state; an equation's result\n"
           "  overrides its own channel at the next scan. Channel states start from their\n"
           "  power-up values (on where \"CHANNEL ON AT POWER UP\" is set) at every start.\n"
           "  Loops switched on with \":L\" are reported on every change and at least\n"
           "  twice a second, never while paused (\":E0\" until \":E1\").\n"
           "  The \"Pr\" flag is stored and sent back with its term, but the simulation\n"
           "  gives it no meaning: a term marked Pr is evaluated like any other.\n"
           "  Sleep mode is stored and sent back only: the simulated controller never puts\n"
           "  modules to sleep and never wakes them. The module link (\":I1\", \":I0\") is\n"
           "  a stored flag; there are no modules on the loops.\n";
}
