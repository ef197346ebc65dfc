#pragma once

#include "diagnostics/LoopReports.h"
#include "model/LogicExplanation.h"

#include <functional>
#include <vector>

class CSystem;

// What the live logic knows of the controller: the states from the loop
// reports, through the shared loop report users, and what overrides the
// equations there (states forced from a lamp, the Boolean processor
// switched off, equations a compare found to differ). A state is known
// only while the port is open and its loop's report has come.
class CLiveLogic {
public:
    CLiveLogic(const CSystem& system, CLoopReports::CActions actions,
               std::function<bool()> fnPortOpen);

    CLoopReports& Reports() { return m_reports; }
    const CLoopReports& Reports() const { return m_reports; }

    bool IsPortOpen() const { return m_fnPortOpen && m_fnPortOpen(); }
    ELogicState State(short nIndex) const;
    // The facts for an explanation; they read this object, which must
    // outlive them.
    CLogicFacts Facts() const;

    void SetForced(short nIndex);
    void SetProcessorOff(bool bOff) { m_bProcessorOff = bOff; }
    bool IsProcessorOff() const { return m_bProcessorOff; }
    // The channels whose equations the last compare found different.
    void SetDiffering(const std::vector<short>& anChannels);
    // A port opened afresh knows nothing of what was forced before.
    void ForgetController();

private:
    const CSystem& m_system;
    CLoopReports m_reports;
    std::function<bool()> m_fnPortOpen;
    std::vector<bool> m_abForced;
    std::vector<bool> m_abDiffers;
    bool m_bProcessorOff = false;
};
