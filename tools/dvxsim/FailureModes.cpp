#include "FailureModes.h"

#include <fnmatch.h>

CFailureModes::EAction CFailureModes::OnFrame(const std::string& strLine) {
    ++m_nFrames;
    if (IsSilent()) {
        return EAction::Ignore;
    }
    if (Matches(m_options.m_strRefusePattern, strLine)) {
        return EAction::Refuse;
    }
    if (Matches(m_options.m_strGarbagePattern, strLine)) {
        return EAction::Garble;
    }
    if (Matches(m_options.m_strDropPattern, strLine)) {
        return EAction::DropChar;
    }
    return EAction::Answer;
}

bool CFailureModes::Matches(const std::string& strPattern, const std::string& strLine) {
    return !strPattern.empty() && fnmatch(strPattern.c_str(), strLine.c_str(), 0) == 0;
}

std::string CFailureModes::DropOneChar(const std::string& strAnswer) {
    const std::size_t nEnd = strAnswer.find_first_of("\r\n");
    if (nEnd == 0 || nEnd == std::string::npos) {
        return strAnswer;
    }
    return strAnswer.substr(0, nEnd - 1) + strAnswer.substr(nEnd);
}

bool CFailureModes::IsGarbageDue() const {
    return m_options.m_nGarbageEvery > 0 && !IsSilent() &&
           m_nFrames % m_options.m_nGarbageEvery == 0;
}

bool CFailureModes::IsCloseDue() const {
    return m_options.m_nCloseAfter > 0 && m_nFrames >= m_options.m_nCloseAfter;
}

bool CFailureModes::IsSilent() const {
    return m_options.m_nStopAfter > 0 && m_nFrames > m_options.m_nStopAfter;
}
