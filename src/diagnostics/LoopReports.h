#pragma once

#include <array>
#include <functional>

// The one place that switches the controller's loop reports on and off for
// the windows that show live states (the loop status controller, the logic
// explorer, the Boolean editor's term lamps). It counts the users of each
// loop: a loop's reports go on with its first user and off with its last,
// so a window opened from another never switches off a loop the other
// still shows. The monitor flags are saved when the first user of any loop
// comes and every loop is restored to them when the last one goes, as the
// loop status controller always did.
class CLoopReports {
public:
    static constexpr int kLoops = 6;

    struct CActions {
        // Copies the monitor flags the loop status viewers keep.
        std::function<void()> fnSave;
        // Switches one loop's reports (left alone when a viewer had them on).
        std::function<void(short nLoop, bool bOn)> fnMonitor;
        // Every loop back to the saved flags.
        std::function<void()> fnRestore;
        // How many status lines of a loop have come so far.
        std::function<long(short nLoop)> fnLinesReceived;
    };

    explicit CLoopReports(CActions actions) : m_actions(std::move(actions)) {}

    void Acquire(short nLoop);
    void Release(short nLoop);
    // A user moving from one loop to another: the old loop goes off before
    // the new one comes on, and nothing is restored in between.
    void Move(short nFrom, short nTo);

    int Users(short nLoop) const { return IsLoop(nLoop) ? m_anUsers[nLoop] : 0; }
    bool HasUsers() const { return m_nTotal > 0; }
    // Whether a report of the loop has come since its reports were asked for.
    bool HasReported(short nLoop) const;

private:
    static bool IsLoop(short nLoop) { return nLoop >= 0 && nLoop < kLoops; }
    long LinesReceived(short nLoop) const;
    void Add(short nLoop);
    void Remove(short nLoop);

    CActions m_actions;
    int m_anUsers[kLoops] = {};
    int m_nTotal = 0;
    long m_anLinesAtStart[kLoops] = {};
};

// One window's share of the loop reports: the loops it has asked for, so it
// gives back exactly those, once, however it goes away.
class CLoopHolds {
public:
    using CLoops = std::array<bool, CLoopReports::kLoops>;

    // pReports may be null: nothing is held then.
    explicit CLoopHolds(CLoopReports* pReports) : m_pReports(pReports) {}
    ~CLoopHolds() { ReleaseAll(); }
    CLoopHolds(const CLoopHolds&) = delete;
    CLoopHolds& operator=(const CLoopHolds&) = delete;

    void Hold(short nLoop);
    // Holds exactly the loops wanted. The new ones are taken before the old
    // ones are given back, so a loop kept never goes without a user.
    void HoldOnly(const CLoops& abWanted);
    void ReleaseAll();

private:
    CLoopReports* m_pReports;
    CLoops m_abHeld{};
};
