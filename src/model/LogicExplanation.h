#pragma once

#include "model/LogicGraph.h"

#include <functional>
#include <string>
#include <vector>

class CSystem;
struct CChannelRecord;

// A channel's state as the PC knows it: Unknown until its loop's report has
// come (or while the port is closed), never taken for off.
enum class ELogicState { Unknown, Off, On };

// What is known of the channels beyond their equations. Only the state is
// needed; the rest is empty or false when nobody knows better.
struct CLogicFacts {
    std::function<ELogicState(short)> fnState;
    // The state was forced from the loop status controller.
    std::function<bool(short)> fnForced;
    // A compare found the controller's equation to differ from the PC's.
    std::function<bool(short)> fnDiffers;
    bool bProcessorOff = false;

    ELogicState State(short nIndex) const {
        return fnState ? fnState(nIndex) : ELogicState::Unknown;
    }
    bool IsForced(short nIndex) const { return fnForced && fnForced(nIndex); }
    bool Differs(short nIndex) const { return fnDiffers && fnDiffers(nIndex); }
};

// One equation in canonical form as the logic reads it:
//   Q = [NOT] ( [NOT] (A1 AND A2 AND A3) OR [NOT] (B1 AND B2 AND B3) )
struct CLogicEquation {
    std::vector<CLogicTerm> aTerms;
    bool abGroupNot[2] = {};
    bool bEquationNot = false;
    bool bLatched = false;

    static CLogicEquation Of(const CLogicGraph& graph, short nIndex);
    // The editor's working copy, before it is stored.
    static CLogicEquation Of(const CChannelRecord& record);

    bool HasGroup(short nGroup) const;
    // A term's value: its source's state through the term's own NOT.
    static ELogicState TermValue(const CLogicTerm& term, const CLogicFacts& facts);
    // A group's value after its NOT; Unknown for a group without terms.
    ELogicState GroupValue(short nGroup, const CLogicFacts& facts) const;
    // As the controller computes it: no group at all reads as off before
    // the whole-equation NOT.
    ELogicState Result(const CLogicFacts& facts) const;
    // The terms (places in aTerms) that decide the result: in each group
    // that decides, the terms whose value gives the group its value; none
    // while the result is unknown.
    std::vector<int> DecidingTerms(const CLogicFacts& facts) const;

private:
    // A group before its NOT: the AND of its terms.
    ELogicState GroupAnd(short nGroup, const CLogicFacts& facts) const;
    std::vector<int> DecidingTermsOfGroup(short nGroup, const CLogicFacts& facts) const;
};

// Why a channel is on or off, in words: the terms that decide its equation,
// followed down to the inputs ("Blue A3 is off because Blue B1 (Door
// switch) is off"), or what overrides the equation instead.
class CLogicExplanation {
public:
    static constexpr int kMaxSentences = 8;

    CLogicExplanation(const CSystem& system, const CLogicGraph& graph, const CLogicFacts& facts)
        : m_system(system), m_graph(graph), m_facts(facts) {}

    // "Blue B1 (Door switch)": loop, designation and the label when it is
    // not the default one.
    static std::string Name(const CSystem& system, short nIndex);
    static const char* StateWord(ELogicState state);

    // The line above the tree: the channel's sentence, then those of the
    // equation channels that decide it, nearest first.
    std::string Line(short nIndex) const;
    // One channel's sentence.
    std::string Sentence(short nIndex) const;
    // The same for an equation that is not stored yet (the editor's).
    std::string Sentence(short nIndex, const CLogicEquation& equation) const;

private:
    std::string Because(short nIndex, const CLogicEquation& equation, ELogicState result) const;
    std::string TimerSentence(short nIndex) const;
    // The channels a sentence leads on to: the sources of the deciding
    // terms that have an equation or a timer behind them.
    std::vector<short> FollowedBy(short nIndex) const;

    const CSystem& m_system;
    const CLogicGraph& m_graph;
    const CLogicFacts& m_facts;
};
