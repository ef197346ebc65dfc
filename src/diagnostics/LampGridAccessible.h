#pragma once

#include "diagnostics/LampGrid.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <array>

// A lamp grid as assistive technology sees it: a table of 160 lamps, module
// A's ten channels first, each lamp an accessible child of its own (see
// CLampAccessible); the letters and numbers around them say nothing the
// lamps' names do not. The focused child is the ringed lamp.
class CLampGridAccessible : public QAccessibleWidget {
public:
    explicit CLampGridAccessible(CLampGrid& grid);
    ~CLampGridAccessible() override;

    // Lets Qt make one of these for every lamp grid; once is enough.
    static void Install();

    QAccessibleInterface* child(int nIndex) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override;
    QAccessibleInterface* childAt(int nX, int nY) const override;
    QAccessibleInterface* focusChild() const override;

private:
    CLampGrid& Grid() const;

    // The lamps' interfaces, made when first asked for and owned by Qt's
    // registry until this interface goes.
    mutable std::array<QAccessible::Id, CLampGrid::kLampCount> m_anLamp{};
};
