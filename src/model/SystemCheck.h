#pragma once

#include "model/LogicGraph.h"
#include "model/SystemFinding.h"

#include <string>
#include <vector>

class CModuleTypes;
class CSystem;

// Looks through a system for what will not work on the vehicle: terms that
// never change, timers that never run, equations that drive nothing or
// hold a constant group, channels that flip on every scan, equations the
// module types or the high speed pairs do not allow, labels used twice,
// flags that are never sent, timer values the controller cannot count.
// The findings come in loop, module and channel order of their first
// channel, errors first where two share it.
class CSystemCheck {
public:
    using ESeverity = CSystemFinding::ESeverity;

    CSystemCheck(const CSystem& system, const CModuleTypes& types);

    std::vector<CSystemFinding> Run();

    static int Count(const std::vector<CSystemFinding>& aFindings, ESeverity severity);
    // "2 errors, 5 warnings, 1 note".
    static std::string CountsText(const std::vector<CSystemFinding>& aFindings);

private:
    void CheckEquation(short nIndex);
    void CheckSources(short nIndex);
    void CheckGroups(short nIndex);
    void CheckOutputFlags(short nIndex);
    void CheckModuleType(short nIndex);
    void CheckFlagsWithoutEquation(short nIndex);
    void CheckTimers();
    void CheckCircles();
    void CheckHiSpeedPairs();
    void CheckLabels(short nLoop);
    void Add(ESeverity severity, const char* szId, std::vector<short> anChannels,
             const std::string& strText);
    CFindingChannel Channel(short nIndex) const;
    std::string Name(short nIndex) const;

    const CSystem& m_system;
    const CModuleTypes& m_types;
    CLogicGraph m_graph;
    std::vector<CSystemFinding> m_aFindings;
};
