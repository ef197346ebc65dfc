#pragma once

#include "diagnostics/LoopReports.h"
#include "model/LogicExplanation.h"

#include <array>

class CLiveLogic;
class QLabel;
struct CChannelRecord;

// The Boolean editor's live lamps: each term's channel state, each group's
// value, what the equation gives and the channel's own reported state. The
// loops the lamps need report while the editor is open, through the shared
// loop report users; they follow the terms as they are edited.
class CTermLamps {
public:
    static constexpr int kTerms = 6;

    struct CLamps {
        std::array<QLabel*, kTerms> apTerm{};
        std::array<QLabel*, 2> apGroup{};
        QLabel* pResult = nullptr;
        QLabel* pChannel = nullptr;
    };

    // pLive may be null: every lamp then shows unknown.
    CTermLamps(CLiveLogic* pLive, CLamps lamps);
    CTermLamps(const CTermLamps&) = delete;
    CTermLamps& operator=(const CTermLamps&) = delete;

    // Shows the equation being edited for the channel nIndex.
    void Refresh(const CChannelRecord& equation, short nIndex);
    void ReleaseAll() { m_holds.ReleaseAll(); }

private:
    void HoldLoops(const CChannelRecord& equation, short nIndex);
    // Names each lamp by the term, group or channel it shows.
    void NameLamps(const CChannelRecord& equation, short nIndex);
    CLogicFacts Facts() const;

    CLiveLogic* m_pLive;
    CLamps m_lamps;
    CLoopHolds m_holds;
};
