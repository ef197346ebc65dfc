#include "editors/Stepping.h"

#include <algorithm>

int CStepping::Step(EScrollAction action, int nValue, int nThumb) const {
    switch (action) {
    case EScrollAction::LineUp:
        return LineUp(nValue);
    case EScrollAction::LineDown:
        return LineDown(nValue);
    case EScrollAction::PageUp:
        return nValue >= m_nPage ? nValue - m_nPage : LineUp(nValue);
    case EScrollAction::PageDown:
        return nValue <= m_nLast - m_nPage ? nValue + m_nPage : LineDown(nValue);
    case EScrollAction::ThumbTrack:
    case EScrollAction::ThumbPosition:
        return std::clamp(nThumb, m_nFirst, std::max(m_nLast, m_nFirst));
    case EScrollAction::Top:
    case EScrollAction::Bottom:
    case EScrollAction::EndScroll:
        break;
    }
    return nValue;
}
