#include "model/OldFormatLoss.h"

#include "model/System.h"

#include <bit>

namespace {

constexpr short kOldTimers = 10;

struct CCount {
    const char* szOne;
    const char* szMany;
    int nCount = 0;
};

// The Blue loop and module A of the virtual and timer loops are in the old file.
bool IsOldModule(short nLoop, short nModule) { return nLoop == 0 || (nLoop >= 2 && nModule == 0); }

bool HasReservedFields(const CSystem& system, short nIndex, const CChannelRecord& record) {
    const int32_t* a = record.m_anReservedA;
    return a[0] != 0 || a[1] != 0 || a[2] != 0 || a[3] != 0 || record.m_nReservedB != 0 ||
           record.m_nReservedC != 0 || record.m_nReservedD != 0 || record.m_nReservedE != 0 ||
           system.GetChannelReserved(nIndex) != 0;
}

bool IsChannelChanged(const CSystem& system, short nLoop, short nModule, short nChannel) {
    const short nIndex = CSystem::MakeIndex(nLoop, nModule, nChannel);
    const CChannelRecord& record = system.Channel(nModule, nChannel, nLoop);
    bool bSameEquation = record.m_bEquationNot == 0 && record.m_bGroupNotA == 0 &&
                         record.m_bGroupNotB == 0 && record.m_bOutput == 0 &&
                         record.m_bMomentaryLatch == 0 && record.m_bPowerUpOn == 0;
    for (int j = 0; j < 3; ++j)
        bSameEquation = bSameEquation && record.m_anTermA[j] == -1 && record.m_anTermB[j] == -1 &&
                        record.m_abTermNotA[j] == 0 && record.m_abTermNotB[j] == 0 &&
                        record.m_abTermPrA[j] == 0 && record.m_abTermPrB[j] == 0;
    return !bSameEquation || record.m_nEquationType != 0 ||
           system.IsChannelLabelCustom(nModule, nChannel, nLoop) ||
           system.GetChannelStateAt(nModule, nChannel, nLoop) != 0 ||
           HasReservedFields(system, nIndex, record);
}

} // namespace

std::string COldFormatLoss::Summary(const CSystem& system) {
    enum { Yellow, Other, Channels, Modules, Timers, Pr, Types, Terms, Reserved, Kinds };
    CCount aCounts[Kinds] = {
        {"Yellow equation", "Yellow equations"},
        {"equation of modules B to P of the virtual and timer loops",
         "equations of modules B to P of the virtual and timer loops"},
        {"other channel without an equation", "other channels without an equation"},
        {"module label or type", "module labels or types"},
        {"timer", "timers"},
        {"Pr flag", "Pr flags"},
        {"equation type", "equation types"},
        {"term", "terms"},
        {"channel with reserved fields", "channels with reserved fields"},
    };
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
            const bool bKept = IsOldModule(nLoop, nModule);
            if (!bKept && (system.IsModuleLabelCustom(nModule, nLoop) ||
                           system.GetModuleType(nModule, nLoop) != 0))
                ++aCounts[Modules].nCount;
            for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
                const CChannelRecord& record = system.Channel(nModule, nChannel, nLoop);
                if (!bKept) {
                    if (system.IsEquationDefined(nModule, nChannel, nLoop))
                        ++aCounts[nLoop == 1 ? Yellow : Other].nCount;
                    else if (IsChannelChanged(system, nLoop, nModule, nChannel))
                        ++aCounts[Channels].nCount;
                    continue;
                }
                for (int j = 0; j < 3; ++j) {
                    aCounts[Pr].nCount +=
                        (record.m_abTermPrA[j] != 0) + (record.m_abTermPrB[j] != 0);
                    for (short nSource : {record.m_anTermA[j], record.m_anTermB[j]})
                        aCounts[Terms].nCount +=
                            nSource != -1 && CSystem::NewToOldIndex(nSource) == -1;
                }
                aCounts[Types].nCount += record.m_nEquationType != 0;
                aCounts[Reserved].nCount +=
                    HasReservedFields(system, CSystem::MakeIndex(nLoop, nModule, nChannel), record);
            }
        }
    for (short nTimer = kOldTimers; nTimer < CSystem::kTimers; ++nTimer)
        aCounts[Timers].nCount += std::bit_cast<uint32_t>(system.GetTimerReload(nTimer)) !=
                                      std::bit_cast<uint32_t>(10.0f) ||
                                  std::bit_cast<uint32_t>(system.GetTimerCurrent(nTimer)) != 0u;
    std::string strList;
    for (const CCount& count : aCounts) {
        if (count.nCount == 0)
            continue;
        strList += (strList.empty() ? "" : ", ") + std::to_string(count.nCount) + " " +
                   (count.nCount == 1 ? count.szOne : count.szMany);
    }
    return strList.empty() ? "" : "not kept in the old format: " + strList;
}
