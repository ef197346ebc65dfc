#include "model/TimerCount.h"

#include <cmath>

CTimerCount CTimerCount::Reload(float fSeconds, bool bFast) {
    const double fUnit = bFast ? 0.1 : 10.0;
    return CTimerCount(std::trunc((fSeconds + 0.01) / fUnit));
}

CTimerCount CTimerCount::Current(float fSeconds, bool bFast) {
    if (bFast) {
        volatile float fCounts = fSeconds / Unit(true);
        return CTimerCount(std::trunc(static_cast<double>(fCounts)));
    }
    return CTimerCount(std::trunc(fSeconds / 10.0));
}

bool CTimerCount::IsNumber() const { return !std::isnan(m_fCounts); }

bool CTimerCount::IsCountable() const { return IsNumber() && !IsBelowRange() && !IsAboveRange(); }

short CTimerCount::Nearest() const {
    if (!IsNumber() || IsBelowRange())
        return 0;
    if (IsAboveRange())
        return kMaxCount;
    return static_cast<short>(m_fCounts);
}

short CTimerCount::NearestCount(int nCount) {
    return static_cast<short>(nCount < 0 ? 0 : nCount > kMaxCount ? kMaxCount : nCount);
}
