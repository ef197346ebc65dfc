#pragma once

// What the user did to a scroll bar, whichever way it reached the bar: a click
// on an arrow or the trough, a key, or the thumb.
enum class EScrollAction {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbTrack,
    ThumbPosition,
    Top,
    Bottom,
    EndScroll,
};

// How a scroll bar over positions 0..last moves: a line is one position, a
// page is a fixed stride that falls back to a single line where a whole page
// would leave the range. Every module and channel bar, and the module type
// lists, follow such a rule, so that the bar and the keyboard agree with the
// selection the dialogs write.
class CStepping {
public:
    CStepping(int nLast, int nPage, int nFirst = 0)
        : m_nFirst(nFirst), m_nLast(nLast), m_nPage(nPage) {}

    // Modules 0..last of a loop, three at a time.
    static CStepping ForModules(int nLast) { return {nLast, 3}; }
    // Channels 0..9, two at a time.
    static CStepping ForChannels() { return {9, 2}; }
    // The same rules with -1 (none) above the first module or channel: the
    // high speed pairs' bars, where a pair may be left unused.
    static CStepping ForModulesOrNone(int nLast) { return {nLast, 3, -1}; }
    static CStepping ForChannelsOrNone() { return {9, 2, -1}; }
    // A list of nCount entries paged by nPage (which may be 0: no paging).
    static CStepping ForList(int nCount, int nPage) { return {nCount - 1, nPage}; }

    int GetFirst() const { return m_nFirst; }
    int GetLast() const { return m_nLast; }
    int GetPage() const { return m_nPage; }

    // The position after action from nValue; nThumb is where the thumb was
    // dragged (used by the thumb actions only).
    int Step(EScrollAction action, int nValue, int nThumb) const;

private:
    int LineUp(int nValue) const { return nValue > m_nFirst ? nValue - 1 : nValue; }
    int LineDown(int nValue) const { return nValue < m_nLast ? nValue + 1 : nValue; }

    int m_nFirst;
    int m_nLast;
    int m_nPage;
};
