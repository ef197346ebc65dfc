#include "model/LogicTree.h"

#include "model/System.h"

#include <algorithm>
#include <deque>

namespace {

constexpr short kTimerLoop = 3;
constexpr short kTimerDoneLoop = 4;
constexpr short kTimerRunningLoop = 5;

bool Contains(const std::vector<short>& anPath, short nIndex) {
    return std::find(anPath.begin(), anPath.end(), nIndex) != anPath.end();
}

} // namespace

CLogicNode CLogicTree::Root(short nIndex) const {
    CLogicNode node;
    node.nChannel = nIndex;
    return node;
}

short CLogicTree::EquationOf(const CLogicNode& node) const {
    if (node.bCircle || !CSystem::IsValidIndex(node.nChannel))
        return -1;
    const short nEnable = CLogicGraph::TimerEnableOf(node.nChannel);
    const short nIndex = nEnable >= 0 ? nEnable : node.nChannel;
    if (!m_graph.HasEquation(nIndex))
        return -1;
    // A timer whose enable channel is higher up the branch closes a circle
    // as well: its equation is already open above.
    if (nEnable >= 0 && Contains(node.anPath, nEnable))
        return -1;
    return nIndex;
}

bool CLogicTree::HasChildren(const CLogicNode& node) const {
    const short nIndex = EquationOf(node);
    return nIndex >= 0 && !m_graph.Terms(nIndex).empty();
}

std::vector<CLogicNode> CLogicTree::Children(const CLogicNode& node) const {
    std::vector<CLogicNode> aChildren;
    const short nIndex = EquationOf(node);
    if (nIndex < 0)
        return aChildren;
    std::vector<short> anPath = node.anPath;
    anPath.push_back(node.nChannel);
    if (nIndex != node.nChannel)
        anPath.push_back(nIndex);
    const std::vector<CLogicTerm>& aTerms = m_graph.Terms(nIndex);
    for (int i = 0; i < static_cast<int>(aTerms.size()); ++i) {
        CLogicNode child;
        child.nChannel = aTerms[i].nSource;
        child.nTerm = i;
        child.term = aTerms[i];
        child.bCircle = Contains(anPath, child.nChannel);
        child.anPath = anPath;
        aChildren.push_back(std::move(child));
    }
    return aChildren;
}

// The users of the channel and, for a timer's enable channel, the users of
// the channels that report the timer.
std::vector<short> CLogicTree::Reached(short nIndex) const {
    std::vector<short> anReached = m_graph.Users(nIndex);
    if (CSystem::LoopOf(nIndex) != kTimerLoop)
        return anReached;
    for (short nLoop : {kTimerDoneLoop, kTimerRunningLoop}) {
        const short nReport =
            CSystem::MakeIndex(nLoop, CSystem::ModuleOf(nIndex), CSystem::ChannelOf(nIndex));
        const std::vector<short>& anUsers = m_graph.Users(nReport);
        anReached.insert(anReached.end(), anUsers.begin(), anUsers.end());
    }
    return anReached;
}

std::vector<CLogicDriven> CLogicTree::Driven(short nIndex) const {
    std::vector<CLogicDriven> aDriven;
    if (!CSystem::IsValidIndex(nIndex))
        return aDriven;
    // The channel itself is listed only when it drives itself round a
    // circle.
    std::vector<bool> abSeen(CSystem::kChannels, false);
    std::deque<CLogicDriven> aQueue{{nIndex, -1, 0}};
    while (!aQueue.empty()) {
        const CLogicDriven from = aQueue.front();
        aQueue.pop_front();
        for (short nUser : Reached(from.nChannel)) {
            if (abSeen[nUser])
                continue;
            abSeen[nUser] = true;
            const CLogicDriven driven{nUser, from.nChannel, from.nLevel + 1};
            aDriven.push_back(driven);
            aQueue.push_back(driven);
        }
    }
    return aDriven;
}
