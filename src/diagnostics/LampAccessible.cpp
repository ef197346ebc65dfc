#include "diagnostics/LampAccessible.h"

#include "diagnostics/LampGrid.h"

#include <QWidget>

CLampAccessible::CLampAccessible(CLampGrid& grid, int nModule, int nChannel)
    : m_pGrid(&grid), m_nModule(nModule), m_nChannel(nChannel) {}

QWindow* CLampAccessible::window() const {
    return isValid() ? m_pGrid->window()->windowHandle() : nullptr;
}

QAccessibleInterface* CLampAccessible::parent() const {
    return isValid() ? QAccessible::queryAccessibleInterface(m_pGrid.data()) : nullptr;
}

QString CLampAccessible::text(QAccessible::Text type) const {
    if (!isValid())
        return {};
    switch (type) {
    case QAccessible::Name:
        return m_pGrid->LampName(m_nModule, m_nChannel);
    case QAccessible::Value:
    case QAccessible::Description:
        return m_pGrid->LampStateText(m_nModule, m_nChannel);
    default:
        return {};
    }
}

QRect CLampAccessible::rect() const {
    return isValid() ? m_pGrid->LampScreenRect(m_nModule, m_nChannel) : QRect();
}

QAccessible::State CLampAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.focusable = true;
    state.checked = m_pGrid->Column(m_nModule).IsLit(m_nChannel);
    state.invisible = !m_pGrid->isVisible();
    state.focused = m_pGrid->hasFocus() && m_pGrid->CurrentModule() == m_nModule &&
                    m_pGrid->CurrentChannel() == m_nChannel;
    return state;
}
