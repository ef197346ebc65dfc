#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class CLampGrid;

// One lamp of a lamp grid as assistive technology sees it: an indicator
// named by its channel ("Blue A3 DOME LAMP") whose value is its state in
// words, at the lamp's place on the screen. The lamp is painted, not a
// widget, so the grid's interface makes one of these per lamp.
class CLampAccessible : public QAccessibleInterface {
public:
    CLampAccessible(CLampGrid& grid, int nModule, int nChannel);

    bool isValid() const override { return !m_pGrid.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Indicator; }
    QAccessible::State state() const override;

private:
    QPointer<CLampGrid> m_pGrid;
    int m_nModule;
    int m_nChannel;
};
