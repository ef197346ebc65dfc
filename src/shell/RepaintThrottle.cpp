#include "shell/RepaintThrottle.h"

CRepaintThrottle::CRepaintThrottle(std::chrono::milliseconds interval, QObject* pParent)
    : QObject(pParent), m_interval(interval) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CRepaintThrottle::Flush);
}

void CRepaintThrottle::Show(std::function<void()> fnShow) {
    if (!m_sinceShown.isValid() ||
        std::chrono::milliseconds(m_sinceShown.elapsed()) >= m_interval) {
        ShowNow(fnShow);
        return;
    }
    m_fnWaiting = std::move(fnShow);
    if (!m_timer.isActive())
        m_timer.start(2 * m_interval);
}

void CRepaintThrottle::Flush() {
    m_timer.stop();
    if (!m_fnWaiting)
        return;
    std::function<void()> fnShow = std::move(m_fnWaiting);
    m_fnWaiting = nullptr;
    ShowNow(fnShow);
}

void CRepaintThrottle::ShowNow(const std::function<void()>& fnShow) {
    m_fnWaiting = nullptr;
    m_timer.stop();
    m_sinceShown.start();
    fnShow();
}
