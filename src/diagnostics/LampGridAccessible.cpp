#include "diagnostics/LampGridAccessible.h"

#include "diagnostics/LampAccessible.h"

namespace {

QAccessibleInterface* MakeForLampGrid(const QString& strClass, QObject* pObject) {
    auto* pGrid = qobject_cast<CLampGrid*>(pObject);
    if (strClass != QLatin1String("CLampGrid") || !pGrid)
        return nullptr;
    return new CLampGridAccessible(*pGrid);
}

} // namespace

CLampGridAccessible::CLampGridAccessible(CLampGrid& grid)
    : QAccessibleWidget(&grid, QAccessible::Table) {}

CLampGridAccessible::~CLampGridAccessible() {
    for (QAccessible::Id nId : m_anLamp) {
        if (nId != 0)
            QAccessible::deleteAccessibleInterface(nId);
    }
}

void CLampGridAccessible::Install() {
    static const bool bInstalled = [] {
        QAccessible::installFactory(MakeForLampGrid);
        return true;
    }();
    (void)bInstalled;
}

CLampGrid& CLampGridAccessible::Grid() const { return *static_cast<CLampGrid*>(widget()); }

QAccessibleInterface* CLampGridAccessible::child(int nIndex) const {
    if (nIndex < 0 || nIndex >= CLampGrid::kLampCount)
        return nullptr;
    QAccessible::Id& nId = m_anLamp[static_cast<std::size_t>(nIndex)];
    if (nId == 0)
        nId = QAccessible::registerAccessibleInterface(new CLampAccessible(
            Grid(), nIndex / CLampColumn::kLamps, nIndex % CLampColumn::kLamps));
    return QAccessible::accessibleInterface(nId);
}

int CLampGridAccessible::childCount() const { return CLampGrid::kLampCount; }

int CLampGridAccessible::indexOfChild(const QAccessibleInterface* pChild) const {
    for (int nIndex = 0; nIndex < CLampGrid::kLampCount; ++nIndex) {
        const QAccessible::Id nId = m_anLamp[static_cast<std::size_t>(nIndex)];
        if (nId != 0 && QAccessible::accessibleInterface(nId) == pChild)
            return nIndex;
    }
    return -1;
}

QAccessibleInterface* CLampGridAccessible::childAt(int nX, int nY) const {
    return child(Grid().LampAt(Grid().mapFromGlobal(QPoint(nX, nY))));
}

QAccessibleInterface* CLampGridAccessible::focusChild() const {
    if (!Grid().hasFocus())
        return nullptr;
    return child(CLampGrid::LampIndex(Grid().CurrentModule(), Grid().CurrentChannel()));
}
