#include "model/LogicGraph.h"

#include "model/System.h"

#include <algorithm>
#include <deque>

namespace {

constexpr short kTimerLoop = 3;
constexpr short kTimerDoneLoop = 4;
constexpr short kTimerRunningLoop = 5;

void AddGroup(std::vector<CLogicTerm>& aTerms, short nGroup, const int16_t* anTerm,
              const int32_t* abNot, bool bOuterInverting) {
    for (int i = 0; i < 3; ++i) {
        if (!CSystem::IsTermPresent(anTerm[i]))
            continue;
        const bool bNot = abNot[i] != 0;
        aTerms.push_back({anTerm[i], nGroup, bNot, bNot != bOuterInverting});
    }
}

} // namespace

CLogicGraph::CLogicGraph(const CSystem& system) {
    for (short nIndex = 0; nIndex < CSystem::kEquationLoops * CSystem::kChannelsPerLoop; ++nIndex) {
        const short nLoop = CSystem::LoopOf(nIndex);
        const short nModule = CSystem::ModuleOf(nIndex);
        const short nChannel = CSystem::ChannelOf(nIndex);
        if (!system.IsEquationDefined(nModule, nChannel, nLoop))
            continue;
        const CChannelRecord& record = system.Channel(nModule, nChannel, nLoop);
        m_abEquation[nIndex] = true;
        m_abLatched[nIndex] = record.m_bMomentaryLatch != 0;
        m_aabGroupNot[nIndex][0] = record.m_bGroupNotA != 0;
        m_aabGroupNot[nIndex][1] = record.m_bGroupNotB != 0;
        m_abEquationNot[nIndex] = record.m_bEquationNot != 0;
        m_aaTerms[nIndex] = ReadTerms(record);
        m_aaDrivers[nIndex] = FindDrivers(nIndex);
        for (const CLogicTerm& term : m_aaTerms[nIndex]) {
            std::vector<short>& anUsers = m_aaUsers[term.nSource];
            if (anUsers.empty() || anUsers.back() != nIndex)
                anUsers.push_back(nIndex);
        }
    }
    FindCircles();
}

std::vector<CLogicTerm> CLogicGraph::ReadTerms(const CChannelRecord& record) {
    std::vector<CLogicTerm> aTerms;
    const bool bWholeNot = record.m_bEquationNot != 0;
    AddGroup(aTerms, 0, record.m_anTermA, record.m_abTermNotA,
             (record.m_bGroupNotA != 0) != bWholeNot);
    AddGroup(aTerms, 1, record.m_anTermB, record.m_abTermNotB,
             (record.m_bGroupNotB != 0) != bWholeNot);
    return aTerms;
}

bool CLogicGraph::IsGroupConstant(short nIndex, short nGroup) const {
    const std::vector<CLogicTerm>& aTerms = m_aaTerms[nIndex];
    for (const CLogicTerm& term : aTerms) {
        if (term.nGroup != nGroup)
            continue;
        auto opposite = [&](const CLogicTerm& other) {
            return other.nGroup == nGroup && other.nSource == term.nSource &&
                   other.bNot != term.bNot;
        };
        if (std::any_of(aTerms.begin(), aTerms.end(), opposite))
            return true;
    }
    return false;
}

short CLogicGraph::TimerEnableOf(short nIndex) {
    const short nLoop = CSystem::LoopOf(nIndex);
    if (!CSystem::IsValidIndex(nIndex) || (nLoop != kTimerDoneLoop && nLoop != kTimerRunningLoop))
        return -1;
    return CSystem::MakeIndex(kTimerLoop, CSystem::ModuleOf(nIndex), CSystem::ChannelOf(nIndex));
}

std::vector<CLogicGraph::CDriver> CLogicGraph::FindDrivers(short nIndex) const {
    std::vector<CDriver> aDrivers;
    if (m_abLatched[nIndex])
        return aDrivers;
    const bool abConstant[2] = {IsGroupConstant(nIndex, 0), IsGroupConstant(nIndex, 1)};
    for (const CLogicTerm& term : m_aaTerms[nIndex]) {
        if (abConstant[term.nGroup] || TimerEnableOf(term.nSource) >= 0)
            continue;
        aDrivers.push_back({term.nSource, term.bInverting});
    }
    return aDrivers;
}

// Tarjan's pass over the drivers: following a channel's drivers walks the
// graph against its edges, which finds the same components.
void CLogicGraph::FindCircles() {
    std::fill(std::begin(m_anOrder), std::end(m_anOrder), -1);
    for (short nIndex = 0; nIndex < kChannels; ++nIndex) {
        if (m_abEquation[nIndex] && m_anOrder[nIndex] < 0)
            Visit(nIndex);
    }
    std::sort(m_aCircles.begin(), m_aCircles.end(),
              [](const CLogicCircle& a, const CLogicCircle& b) {
                  return a.anChannels.front() < b.anChannels.front();
              });
}

void CLogicGraph::Visit(short nIndex) {
    m_anOrder[nIndex] = m_anLow[nIndex] = m_nNextOrder++;
    m_anStack.push_back(nIndex);
    m_abOnStack[nIndex] = true;
    for (const CDriver& driver : m_aaDrivers[nIndex]) {
        if (m_anOrder[driver.nSource] < 0) {
            Visit(driver.nSource);
            m_anLow[nIndex] = std::min(m_anLow[nIndex], m_anLow[driver.nSource]);
        } else if (m_abOnStack[driver.nSource]) {
            m_anLow[nIndex] = std::min(m_anLow[nIndex], m_anOrder[driver.nSource]);
        }
    }
    if (m_anLow[nIndex] == m_anOrder[nIndex])
        CloseComponent(nIndex);
}

void CLogicGraph::CloseComponent(short nRoot) {
    std::vector<short> anComponent;
    short nIndex = -1;
    do {
        nIndex = m_anStack.back();
        m_anStack.pop_back();
        m_abOnStack[nIndex] = false;
        anComponent.push_back(nIndex);
    } while (nIndex != nRoot);
    auto drivesItself = [this](short n) {
        const std::vector<CDriver>& aDrivers = m_aaDrivers[n];
        return std::any_of(aDrivers.begin(), aDrivers.end(),
                           [n](const CDriver& d) { return d.nSource == n; });
    };
    if (anComponent.size() == 1 && !drivesItself(nRoot))
        return;
    std::sort(anComponent.begin(), anComponent.end());
    m_aCircles.push_back({anComponent, IsInverting(anComponent)});
}

// The signed two-colouring: every channel of the component gets a side so
// that each non-inverting edge joins channels of one side and each
// inverting edge channels of opposite sides. It fails exactly when some way
// round the component passes an odd number of NOTs.
bool CLogicGraph::IsInverting(const std::vector<short>& anComponent) const {
    auto inComponent = [&](short n) {
        return std::binary_search(anComponent.begin(), anComponent.end(), n);
    };
    std::vector<int> anSide(kChannels, -1);
    std::deque<short> anQueue{anComponent.front()};
    anSide[anComponent.front()] = 0;
    while (!anQueue.empty()) {
        const short nIndex = anQueue.front();
        anQueue.pop_front();
        for (const CDriver& driver : m_aaDrivers[nIndex]) {
            if (!inComponent(driver.nSource))
                continue;
            const int nWanted = anSide[nIndex] ^ (driver.bInverting ? 1 : 0);
            if (anSide[driver.nSource] < 0) {
                anSide[driver.nSource] = nWanted;
                anQueue.push_back(driver.nSource);
            } else if (anSide[driver.nSource] != nWanted) {
                return true;
            }
        }
    }
    return false;
}
