#include "FailureModes.h"

#include <fnmatch.h>

CFailureModes::EAction CFailureModes::OnFrame(const std::string& strLine) {
    ++m_nFrames;
    if (IsSilent()) {
        return EAction::Ignore;
    }
    if (!m_options.m_strRefusePattern.empty() &&
        fnmatch(m_options.m_strRefusePattern.c_str(), strLine.c_str(), 0) == 0) {
        return EAction::Refuse;
    }
    return EAction::Answer;
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
