#pragma once

#include <vector>

class CSystem;
struct CChannelRecord;

// One present term of an equation as the logic reads it.
struct CLogicTerm {
    short nSource = -1;
    short nGroup = 0; // 0 group A, 1 group B
    bool bNot = false;
    // An odd number of NOTs (term, group, whole equation) lies between the
    // source and the channel's result: the result falls when the source rises.
    bool bInverting = false;
};

// Channels that can switch each other round within the scans, and whether
// some way round passes an odd number of NOTs, which makes them flip on
// every scan.
struct CLogicCircle {
    std::vector<short> anChannels;
    bool bInverting = false;
};

// Who drives whom, read once from a system: each equation channel's terms
// and the circles among them. A change passes from a term's source to the
// channel, except through a Timer Done or Running term (the timer takes
// its time; the channel behind it is its timer's enable channel), into a
// latched channel (it toggles on a rising result only) or through a group
// that holds one source with and without NOT (its value never changes).
class CLogicGraph {
public:
    explicit CLogicGraph(const CSystem& system);

    // The present terms of a record in the order A1, A2, A3, B1, B2, B3.
    static std::vector<CLogicTerm> ReadTerms(const CChannelRecord& record);

    // Only loops 0 to 3 carry equations the controller runs.
    bool HasEquation(short nIndex) const { return m_abEquation[nIndex]; }
    // The present terms in the order A1, A2, A3, B1, B2, B3.
    const std::vector<CLogicTerm>& Terms(short nIndex) const { return m_aaTerms[nIndex]; }
    bool IsGroupNot(short nIndex, short nGroup) const { return m_aabGroupNot[nIndex][nGroup]; }
    bool IsEquationNot(short nIndex) const { return m_abEquationNot[nIndex]; }
    bool IsLatched(short nIndex) const { return m_abLatched[nIndex]; }
    // The equation channels with a term on this channel, ascending, each once.
    const std::vector<short>& Users(short nIndex) const { return m_aaUsers[nIndex]; }
    // Whether a group holds one source both with and without NOT.
    bool IsGroupConstant(short nIndex, short nGroup) const;
    // The Timer Enable channel of the timer whose Done or Running channel
    // this is; -1 for any other channel.
    static short TimerEnableOf(short nIndex);
    // In the order of their first channel, channels ascending.
    const std::vector<CLogicCircle>& Circles() const { return m_aCircles; }

private:
    struct CDriver {
        short nSource;
        bool bInverting;
    };
    std::vector<CDriver> FindDrivers(short nIndex) const;
    void FindCircles();
    void Visit(short nIndex);
    void CloseComponent(short nRoot);
    bool IsInverting(const std::vector<short>& anComponent) const;

    static constexpr int kChannels = 960;
    bool m_abEquation[kChannels] = {};
    bool m_abLatched[kChannels] = {};
    bool m_aabGroupNot[kChannels][2] = {};
    bool m_abEquationNot[kChannels] = {};
    std::vector<short> m_aaUsers[kChannels];
    std::vector<CLogicTerm> m_aaTerms[kChannels];
    std::vector<CDriver> m_aaDrivers[kChannels];
    std::vector<CLogicCircle> m_aCircles;

    // The one strongly connected components pass.
    int m_nNextOrder = 0;
    int m_anOrder[kChannels] = {};
    int m_anLow[kChannels] = {};
    bool m_abOnStack[kChannels] = {};
    std::vector<short> m_anStack;
};
