#include "diagnostics/LiveLogic.h"

#include "model/System.h"

CLiveLogic::CLiveLogic(const CSystem& system, CLoopReports::CActions actions,
                       std::function<bool()> fnPortOpen)
    : m_system(system), m_reports(std::move(actions)), m_fnPortOpen(std::move(fnPortOpen)),
      m_abForced(CSystem::kChannels, false), m_abDiffers(CSystem::kChannels, false) {}

ELogicState CLiveLogic::State(short nIndex) const {
    if (!CSystem::IsValidIndex(nIndex) || !IsPortOpen())
        return ELogicState::Unknown;
    const short nLoop = CSystem::LoopOf(nIndex);
    if (!m_reports.HasReported(nLoop))
        return ELogicState::Unknown;
    const bool bOn = m_system.GetChannelStateAt(CSystem::ModuleOf(nIndex),
                                                CSystem::ChannelOf(nIndex), nLoop) != 0;
    return bOn ? ELogicState::On : ELogicState::Off;
}

CLogicFacts CLiveLogic::Facts() const {
    CLogicFacts facts;
    facts.fnState = [this](short nIndex) { return State(nIndex); };
    facts.fnForced = [this](short nIndex) {
        return CSystem::IsValidIndex(nIndex) && m_abForced[nIndex];
    };
    facts.fnDiffers = [this](short nIndex) {
        return CSystem::IsValidIndex(nIndex) && m_abDiffers[nIndex];
    };
    facts.bProcessorOff = m_bProcessorOff;
    return facts;
}

void CLiveLogic::SetForced(short nIndex) {
    if (CSystem::IsValidIndex(nIndex))
        m_abForced[nIndex] = true;
}

void CLiveLogic::SetDiffering(const std::vector<short>& anChannels) {
    m_abDiffers.assign(CSystem::kChannels, false);
    for (short nIndex : anChannels)
        if (CSystem::IsValidIndex(nIndex))
            m_abDiffers[nIndex] = true;
}

void CLiveLogic::ForgetController() {
    m_abForced.assign(CSystem::kChannels, false);
    m_bProcessorOff = false;
}
