#include "editors/RadioGroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QWidget>

#include <algorithm>

QButtonGroup* MakeRadioGroup(QWidget& owner, const QString& strPattern, int nFirst, int nCount) {
    auto* pGroup = new QButtonGroup(&owner);
    for (int i = 0; i < nCount; ++i) {
        auto* pButton = owner.findChild<QAbstractButton*>(strPattern.arg(nFirst + i));
        Q_ASSERT(pButton);
        pGroup->addButton(pButton, i);
    }
    return pGroup;
}

void CheckRadio(QButtonGroup& group, int nId) {
    QAbstractButton* pButton = group.button(nId);
    if (!pButton)
        pButton = group.button(0);
    pButton->setChecked(true);
}

int CheckedRadio(const QButtonGroup& group) { return std::max(group.checkedId(), 0); }
