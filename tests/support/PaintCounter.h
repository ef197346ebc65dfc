#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

// Counts the paint events a widget receives, to show that it repaints only
// when what it shows changes.
class CPaintCounter : public QObject {
public:
    explicit CPaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int Count() const { return m_nPaints; }
    void Reset() { m_nPaints = 0; }

private:
    bool eventFilter(QObject*, QEvent* pEvent) override {
        if (pEvent->type() == QEvent::Paint)
            ++m_nPaints;
        return false;
    }
    int m_nPaints = 0;
};
