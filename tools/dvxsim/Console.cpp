#include "Console.h"

#include "model/InputQuote.h"
#include "model/System.h"

#include <cctype>
#include <sstream>

namespace {

constexpr const char* kLoopWords[] = {"blue", "yellow", "virtual", "tmrenbl", "tmrdone", "tmrrun"};

std::string Lower(std::string strText) {
    for (char& c : strText) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return strText;
}

int SmallNumber(const std::string& strWord) {
    if (strWord.empty() || strWord.size() > 2) {
        return -1;
    }
    for (char c : strWord) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return -1;
        }
    }
    return std::stoi(strWord);
}

void AppendGroup(std::string& strText, const CControllerMemory& memory, const CEquationBlock& block,
                 int nGroup, const char* szLead) {
    int nCount = 0;
    for (int nTerm = 0; nTerm < 3; ++nTerm) {
        const int nSource = block.TermSource(nGroup, nTerm);
        if (nSource < 0) {
            continue;
        }
        if (++nCount == 1) {
            strText += szLead;
            strText += block.IsGroupNot(nGroup) ? "!(" : "(";
        } else {
            strText += ")*(";
        }
        strText += block.IsTermNot(nGroup, nTerm) ? "!" : "";
        strText += block.IsTermPr(nGroup, nTerm) ? "Pr_" : "";
        strText += memory.m_astrChannelLabel[nSource];
    }
    if (nCount > 0) {
        strText += ")";
    }
}

const char* OnOff(bool bOn) { return bOn ? "on" : "off"; }

} // namespace

std::string CConsole::Execute(const std::string& strLine) {
    std::istringstream stream(strLine);
    Words aWords;
    for (std::string strWord; stream >> strWord;) {
        aWords.push_back(strWord);
    }
    if (aWords.empty()) {
        return {};
    }
    const std::string strCommand = Lower(aWords[0]);
    if (strCommand == "set") {
        return Set(aWords);
    }
    if (strCommand == "loop") {
        return Loop(aWords);
    }
    if (strCommand == "equation") {
        return Equation(aWords);
    }
    if (strCommand == "label") {
        return Label(aWords, strLine);
    }
    if (strCommand == "status") {
        return Status();
    }
    if (strCommand == "help") {
        return kCommands;
    }
    if (strCommand == "quit") {
        m_bQuit = true;
        return "bye\n";
    }
    return "error: unknown command \"" + InputQuote::Cut(aWords[0]) +
           "\"; type help for the commands\n";
}

std::string CConsole::Set(const Words& aWords) {
    const int nIndex = aWords.size() == 5 ? ChannelIndex(aWords) : -1;
    if (nIndex < 0 || (aWords[4] != "0" && aWords[4] != "1")) {
        return "error: use set LOOP MODULE CHANNEL 0|1\n";
    }
    m_memory.m_abChannelState[nIndex] = aWords[4] == "1";
    return "ok " + m_memory.m_astrChannelLabel[nIndex] + " " + aWords[4] + "\n";
}

std::string CConsole::Loop(const Words& aWords) const {
    const int nLoop = aWords.size() == 2 ? ParseLoop(aWords[1]) : -1;
    if (nLoop < 0) {
        return "error: use loop LOOP\n";
    }
    std::string strText = "loop " + std::to_string(nLoop);
    const bool* abState = m_memory.m_abChannelState + nLoop * CControllerMemory::kChannelsPerLoop;
    for (int nModule = 0; nModule < CControllerMemory::kModules; ++nModule) {
        strText += ' ';
        strText += static_cast<char>('A' + nModule);
        strText += ':';
        for (int nChannel = 0; nChannel < 10; ++nChannel) {
            strText += abState[nModule * 10 + nChannel] ? '1' : '0';
        }
    }
    return strText + "\n";
}

std::string CConsole::Equation(const Words& aWords) const {
    const int nIndex = aWords.size() == 4 ? ChannelIndex(aWords) : -1;
    if (nIndex < 0) {
        return "error: use equation LOOP MODULE CHANNEL\n";
    }
    const CEquationBlock& block = m_memory.m_aEquation[nIndex];
    const std::string strText = EquationText(m_memory, nIndex);
    std::ostringstream out;
    out << m_memory.m_astrChannelLabel[nIndex] << ": "
        << (strText.empty() ? "no equation" : strText) << "\n"
        << "  output " << OnOff(block.IsOutput()) << ", on at power up "
        << OnOff(block.IsPowerUpOn()) << ", latch " << OnOff(block.IsMomentaryLatch()) << ", state "
        << OnOff(m_memory.m_abChannelState[nIndex]) << "\n";
    return out.str();
}

// The label is the rest of the line after the channel, spaces and all, held
// to the label length the controller keeps.
std::string CConsole::Label(const Words& aWords, const std::string& strLine) {
    const int nIndex = aWords.size() >= 5 ? ChannelIndex(aWords) : -1;
    if (nIndex < 0) {
        return "error: use label LOOP MODULE CHANNEL TEXT\n";
    }
    std::size_t nPos = 0;
    for (int nWord = 0; nWord < 4; ++nWord) {
        nPos = strLine.find_first_not_of(" \t", nPos);
        nPos = strLine.find_first_of(" \t", nPos);
    }
    std::string strText = strLine.substr(strLine.find_first_not_of(" \t", nPos));
    strText = strText.substr(0, strText.find_last_not_of(" \t\r\n") + 1);
    m_memory.m_astrChannelLabel[nIndex] = strText.substr(0, CSystem::kLabelLength);
    return "ok " + m_memory.m_astrChannelLabel[nIndex] + "\n";
}

std::string CConsole::Status() const {
    std::string strReports;
    for (int nLoop = 0; nLoop < CControllerMemory::kLoops; ++nLoop) {
        if (m_memory.m_abLoopMonitor[nLoop]) {
            strReports += " " + std::to_string(nLoop);
        }
    }
    std::ostringstream out;
    out << "processor " << OnOff(m_memory.m_bProcessorOn) << ", paused "
        << (m_controller.IsPaused() ? "yes" : "no") << ", module link "
        << OnOff(m_memory.m_bModuleLink) << ", reports"
        << (strReports.empty() ? " none" : strReports) << "\n";
    return out.str();
}

std::string CConsole::EquationText(const CControllerMemory& memory, int nIndex) {
    const CEquationBlock& block = memory.m_aEquation[nIndex];
    if (!block.IsDefined()) {
        return {};
    }
    std::string strText = block.IsEquationNot() ? "Q=![" : "Q=";
    AppendGroup(strText, memory, block, 0, "");
    AppendGroup(strText, memory, block, 1, block.IsGroupPresent(0) ? "+" : "");
    return block.IsEquationNot() ? strText + "]" : strText;
}

int CConsole::ChannelIndex(const Words& aWords) {
    const int nLoop = ParseLoop(aWords[1]);
    const std::string& strModule = aWords[2];
    const int nModule =
        strModule.size() == 1 ? std::toupper(static_cast<unsigned char>(strModule[0])) - 'A' : -1;
    const int nChannel = SmallNumber(aWords[3]);
    if (nLoop < 0 || nModule < 0 || nModule >= CControllerMemory::kModules || nChannel < 1 ||
        nChannel > 10) {
        return -1;
    }
    return nLoop * CControllerMemory::kChannelsPerLoop + nModule * 10 + nChannel - 1;
}

int CConsole::ParseLoop(const std::string& strWord) {
    const int nLoop = SmallNumber(strWord);
    if (nLoop >= 0) {
        return nLoop < CControllerMemory::kLoops ? nLoop : -1;
    }
    const std::string strLower = Lower(strWord);
    for (int i = 0; i < CControllerMemory::kLoops; ++i) {
        if (strLower == kLoopWords[i]) {
            return i;
        }
    }
    return -1;
}
