#include "editors/RadioGroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

namespace {

// Keeps the focus on the checked button of its group.
class CRadioKeys : public QObject {
public:
    explicit CRadioKeys(QButtonGroup& group) : QObject(&group), m_group(group) {}

    void Watch(QAbstractButton& button) {
        button.installEventFilter(this);
        connect(&button, &QAbstractButton::toggled, this, [this] { FollowCheck(); });
    }

    // Only the checked button is a Tab stop; the others still take the
    // focus when clicked, which checks them.
    void FollowCheck() {
        for (QAbstractButton* pButton : m_group.buttons())
            pButton->setFocusPolicy(pButton->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override {
        if (pEvent->type() != QEvent::KeyPress)
            return false;
        const int nStep = Step(static_cast<QKeyEvent&>(*pEvent).key());
        if (nStep == 0)
            return false;
        MoveFrom(static_cast<QAbstractButton&>(*pWatched), nStep);
        return true;
    }

private:
    static int Step(int nKey) {
        if (nKey == Qt::Key_Up || nKey == Qt::Key_Left)
            return -1;
        if (nKey == Qt::Key_Down || nKey == Qt::Key_Right)
            return 1;
        return 0;
    }

    void MoveFrom(QAbstractButton& button, int nStep) {
        const int nLast = static_cast<int>(m_group.buttons().size()) - 1;
        QAbstractButton* pNext = m_group.button(std::clamp(m_group.id(&button) + nStep, 0, nLast));
        pNext->click();
        pNext->setFocus(Qt::OtherFocusReason);
    }

    QButtonGroup& m_group;
};

} // namespace

QButtonGroup* MakeRadioGroup(QWidget& owner, const QString& strPattern, int nFirst, int nCount) {
    auto* pGroup = new QButtonGroup(&owner);
    auto* pKeys = new CRadioKeys(*pGroup);
    for (int i = 0; i < nCount; ++i) {
        auto* pButton = owner.findChild<QAbstractButton*>(strPattern.arg(nFirst + i));
        Q_ASSERT(pButton);
        pGroup->addButton(pButton, i);
        pKeys->Watch(*pButton);
    }
    pKeys->FollowCheck();
    return pGroup;
}

void CheckRadio(QButtonGroup& group, int nId) {
    QAbstractButton* pButton = group.button(nId);
    if (!pButton)
        pButton = group.button(0);
    pButton->setChecked(true);
}

int CheckedRadio(const QButtonGroup& group) { return std::max(group.checkedId(), 0); }

void FocusCheckedRadio(QButtonGroup& group) {
    if (QAbstractButton* pButton = group.checkedButton())
        pButton->setFocus(Qt::OtherFocusReason);
}
