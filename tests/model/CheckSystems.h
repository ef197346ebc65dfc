#pragma once

#include "model/System.h"

#include <initializer_list>

// Small systems for the logic checks, written by channel index: Blue A1 is
// 0, Yellow A1 160, Virtual A1 320, TmrEnbl A1 480, TmrDone A1 640 and
// TmrRun A1 800.
namespace CheckSystems {

constexpr short kBlueA1 = 0, kBlueA2 = 1, kBlueA3 = 2, kBlueC4 = 23;
constexpr short kYellowA1 = 160;
constexpr short kVirtualA1 = 320, kVirtualA2 = 321, kVirtualA3 = 322;
constexpr short kTmrEnblA1 = 480, kTmrDoneA1 = 640, kTmrRunA1 = 800;

struct CTerm {
    short nSource;
    bool bNot = false;
};

inline CChannelRecord& Record(CSystem& sys, short nIndex) {
    return sys.Channel(CSystem::ModuleOf(nIndex), CSystem::ChannelOf(nIndex),
                       CSystem::LoopOf(nIndex));
}

// Puts the terms into group A and group B of a channel's equation; Blue and
// Yellow channels are marked as outputs.
inline CChannelRecord& Equation(CSystem& sys, short nIndex, std::initializer_list<CTerm> aGroupA,
                                std::initializer_list<CTerm> aGroupB = {}) {
    CChannelRecord& record = Record(sys, nIndex);
    int i = 0;
    for (const CTerm& term : aGroupA) {
        record.m_anTermA[i] = term.nSource;
        record.m_abTermNotA[i++] = term.bNot;
    }
    i = 0;
    for (const CTerm& term : aGroupB) {
        record.m_anTermB[i] = term.nSource;
        record.m_abTermNotB[i++] = term.bNot;
    }
    record.m_bOutput = CSystem::LoopOf(nIndex) < 2;
    return record;
}

inline void Label(CSystem& sys, short nIndex, const char* szLabel) {
    sys.StoreChannelLabel(CSystem::ModuleOf(nIndex), CSystem::ChannelOf(nIndex),
                          CSystem::LoopOf(nIndex), szLabel);
}

} // namespace CheckSystems
