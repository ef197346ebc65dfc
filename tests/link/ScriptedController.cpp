#include "link/ScriptedController.h"

#include "link/ControllerProtocol.h"

std::string CScriptedController::DefaultAnswer(const std::string& strFrame) {
    const std::string strOk = "OK\r\n";
    const std::string strEnd = "\r\n";
    std::string strCommand = strFrame.substr(0, 3);
    std::size_t nLength = strFrame.size();
    if (strFrame == ":I\r" || strFrame == ":XE\r")
        return "0\r\n";
    if (strFrame == ":J\r")
        return "00\r\n";
    if (strFrame == ":XW\r")
        return "0A\r\n";
    if (strFrame == ":XI\r")
        return "02\r\n";
    if (strCommand == ":HI" || strCommand == ":HO")
        return nLength == 6 ? "FF\r\n" : strOk;
    if (strCommand == ":TR")
        return nLength == 6 ? "64\r\n" : strOk;
    if (strCommand.substr(0, 2) == ":T")
        return nLength == 5 ? "00\r\n" : strEnd;
    if (strCommand.substr(0, 2) == ":B")
        return nLength == 6 ? "000000FFFFFFFFFFFFFFFFFF3300\r\n" : strOk;
    if (strCommand.substr(0, 2) == ":K" || strCommand.substr(0, 2) == ":Q" ||
        strCommand.substr(0, 2) == ":V")
        return "\r\n";
    if (strCommand.substr(0, 2) == ":L")
        return nLength == 5 ? strEnd : strOk;
    if (strCommand == ":CA" || strCommand.substr(0, 2) == ":X" || strCommand.substr(0, 2) == ":O" ||
        strCommand.substr(0, 2) == ":U")
        return strOk;
    return strEnd;
}

CScriptedController::Answer
CScriptedController::DefaultExcept(std::map<std::string, std::string> astrAnswers) {
    return [astrAnswers = std::move(astrAnswers)](const std::string& strFrame) {
        auto it = astrAnswers.find(strFrame);
        return it == astrAnswers.end() ? DefaultAnswer(strFrame) : it->second;
    };
}

void CScriptedController::Close() {
    m_bOpen = false;
    m_comm.SetPortOpen(false);
}

std::string CScriptedController::Written() const {
    std::string strAll;
    for (const auto& strFrame : m_astrFrames)
        strAll += strFrame;
    return strAll;
}

void CScriptedController::WriteFrame(const std::string& strFrame) {
    m_astrFrames.push_back(strFrame);
    if (m_fnOnFrame)
        m_fnOnFrame(strFrame);
    std::string strAnswer = m_fnAnswer(strFrame);
    if (!strAnswer.empty())
        m_astrPending.push_back(strAnswer);
}

void CScriptedController::DeliverOne() {
    std::string& strNext = m_astrPending.front();
    if (m_bTrickle && strNext.size() > 1) {
        m_comm.OnReceive(strNext.substr(0, 1));
        strNext.erase(0, 1);
        return;
    }
    std::string strText = strNext;
    m_astrPending.pop_front();
    m_comm.OnReceive(strText);
}

bool CScriptedController::PumpEvents() {
    ++m_nPumps;
    if (m_astrPending.empty())
        return m_bAlwaysBusy;
    DeliverOne();
    return true;
}

void CScriptedController::WaitForEvent(std::chrono::milliseconds) {
    ++m_nWaits;
    if (!m_astrPending.empty()) {
        DeliverOne();
        return;
    }
    ++m_nStalls;
    m_fnOnStall();
}
