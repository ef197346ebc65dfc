#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

// Holds back what a window shows while frames go faster than the eye: an
// update is shown at once when the last one shown is old enough, otherwise
// it waits (replacing any update still waiting). While updates keep coming,
// the next one due shows it; only when they stop does a timer show the last
// one, two intervals after it began to wait. A frame and its answer come
// unevenly, two updates close together and then a gap, and the longer wait
// lets the timer sleep through such gaps. So a steady stream of frames
// repaints without waking the program in between, and the last update is
// never lost.
class CRepaintThrottle : public QObject {
    Q_OBJECT
public:
    // 25 times a second.
    static constexpr std::chrono::milliseconds kInterval{40};

    explicit CRepaintThrottle(std::chrono::milliseconds interval = kInterval,
                              QObject* pParent = nullptr);

    void Show(std::function<void()> fnShow);
    // Shows the update still waiting, if any, at once.
    void Flush();
    // Shows fnShow at once; an update still waiting is older and is dropped.
    void ShowNow(const std::function<void()>& fnShow);
    bool IsWaiting() const { return static_cast<bool>(m_fnWaiting); }

private:
    std::chrono::milliseconds m_interval;
    QElapsedTimer m_sinceShown;
    QTimer m_timer;
    std::function<void()> m_fnWaiting;
};
