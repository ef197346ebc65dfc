#include "model/CountRangeText.h"

#include "model/System.h"
#include "model/TimerCount.h"

#include <cstdio>

namespace CountRangeText {

namespace {

std::string Number(double fValue) {
    char szText[32];
    std::snprintf(szText, sizeof szText, "%g", fValue);
    return szText;
}

std::string Text(const char* szFormat, const std::string& strA, const std::string& strB,
                 const std::string& strC = {}, const std::string& strD = {},
                 const std::string& strE = {}) {
    char szText[256];
    std::snprintf(szText, sizeof szText, szFormat, strA.c_str(), strB.c_str(), strC.c_str(),
                  strD.c_str(), strE.c_str());
    return szText;
}

std::string TimerProblem(short nTimer, const char* szField, float fSeconds,
                         const CTimerCount& count) {
    if (count.IsCountable())
        return {};
    const std::string strTimer = CSystem::IndexDesignation(nTimer);
    if (!count.IsNumber())
        return Text(kNoNumberTimerText, strTimer, szField);
    if (count.IsBelowRange())
        return Text(kLessThanTimerText, strTimer, szField, Number(fSeconds));
    const bool bFast = CSystem::IsFastTimer(nTimer);
    return Text(kMoreThanTimerText, strTimer, szField, Number(fSeconds), bFast ? "FAST" : "SLOW",
                Number(CTimerCount::kMaxCount * static_cast<double>(CTimerCount::Unit(bFast))));
}

std::string TimerSent(short nTimer, const char* szField, float fSeconds, const CTimerCount& count) {
    if (count.IsCountable())
        return {};
    const double fUnit = CTimerCount::Unit(CSystem::IsFastTimer(nTimer));
    return Text(kTimerSentText, CSystem::IndexDesignation(nTimer), szField, Number(fSeconds),
                Number(count.Nearest() * fUnit));
}

// A sleep interval in seconds and the seconds one count stands for.
std::string SleepProblem(const char* szField, short nCount, int nUnit) {
    if (CTimerCount::IsCountable(nCount))
        return {};
    if (nCount < 0)
        return Text(kLessThanSleepText, szField, Number(nCount * nUnit));
    return Text(kMoreThanSleepText, szField, Number(nCount * nUnit),
                Number(CTimerCount::kMaxCount * nUnit));
}

std::string SleepSent(const char* szField, short nCount, int nUnit) {
    if (CTimerCount::IsCountable(nCount))
        return {};
    return Text(kSleepSentText, szField, Number(nCount * nUnit),
                Number(CTimerCount::NearestCount(nCount) * nUnit));
}

constexpr int kInactivityUnit = 10;

} // namespace

std::string TimerReload(const CSystem& system, short nTimer) {
    const float fSeconds = system.GetTimerReload(nTimer);
    return TimerProblem(nTimer, kReloadText, fSeconds,
                        CTimerCount::Reload(fSeconds, CSystem::IsFastTimer(nTimer)));
}

std::string TimerCurrent(const CSystem& system, short nTimer) {
    const float fSeconds = system.GetTimerCurrent(nTimer);
    return TimerProblem(nTimer, kCurrentText, fSeconds,
                        CTimerCount::Current(fSeconds, CSystem::IsFastTimer(nTimer)));
}

std::string SleepWakeUp(const CSystem& system) {
    return SleepProblem(kWakeUpText, system.GetSleepWakeUp(), 1);
}

std::string SleepInactivity(const CSystem& system) {
    return SleepProblem(kInactivityText, system.GetSleepInactivity(), kInactivityUnit);
}

std::string TimerReloadSent(const CSystem& system, short nTimer) {
    const float fSeconds = system.GetTimerReload(nTimer);
    return TimerSent(nTimer, kReloadText, fSeconds,
                     CTimerCount::Reload(fSeconds, CSystem::IsFastTimer(nTimer)));
}

std::string TimerCurrentSent(const CSystem& system, short nTimer) {
    const float fSeconds = system.GetTimerCurrent(nTimer);
    return TimerSent(nTimer, kCurrentText, fSeconds,
                     CTimerCount::Current(fSeconds, CSystem::IsFastTimer(nTimer)));
}

std::string SleepWakeUpSent(const CSystem& system) {
    return SleepSent(kWakeUpText, system.GetSleepWakeUp(), 1);
}

std::string SleepInactivitySent(const CSystem& system) {
    return SleepSent(kInactivityText, system.GetSleepInactivity(), kInactivityUnit);
}

} // namespace CountRangeText
