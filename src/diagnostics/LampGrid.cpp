#include "diagnostics/LampGrid.h"

#include "controls/LampColumn.h"

#include "diagnostics/LampGridAccessible.h"

#include <QAccessible>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

namespace {

const int kFirstLampRow = 1;
const int kLastColumn = CLampGrid::kColumns + 1;
const char* const kOnText = "on";
const char* const kOffText = "off";

QLabel* MakeLabel(QWidget* pParent, const QString& strText, const QString& strName) {
    auto* pLabel = new QLabel(strText, pParent);
    pLabel->setObjectName(strName);
    pLabel->setAlignment(Qt::AlignCenter);
    return pLabel;
}

} // namespace

CLampGrid::CLampGrid(QWidget* pParent) : QWidget(pParent) {
    setFocusPolicy(Qt::StrongFocus);
    CLampGridAccessible::Install();
    auto* pGrid = new QGridLayout(this);
    pGrid->setContentsMargins(0, 0, 0, 0);
    pGrid->setVerticalSpacing(0);
    pGrid->setHorizontalSpacing(4);
    const int nBottomRow = kFirstLampRow + CLampColumn::kLamps;
    for (int nModule = 0; nModule < kColumns; ++nModule) {
        const QString strLetter(QChar('A' + nModule));
        const int nColumn = nModule + 1;
        pGrid->addWidget(MakeLabel(this, strLetter, "labelTop" + strLetter), 0, nColumn);
        m_apColumn[nModule] = new CLampColumn(this);
        m_apColumn[nModule]->setObjectName("led" + strLetter);
        for (auto signal : {&CLampColumn::Click, &CLampColumn::DblClick})
            connect(m_apColumn[nModule], signal, this, [this, nModule] {
                SetCurrentLamp(nModule, m_apColumn[nModule]->GetLEDIndex());
            });
        connect(m_apColumn[nModule], &CLampColumn::LampsChanged, this,
                [this, nModule](int32_t nChanged) { TellChanges(nModule, nChanged); });
        pGrid->addWidget(m_apColumn[nModule], kFirstLampRow, nColumn, CLampColumn::kLamps, 1);
        m_apOuterLabel[nModule] = MakeLabel(this, strLetter, "labelBottom" + strLetter);
        pGrid->addWidget(m_apOuterLabel[nModule], nBottomRow, nColumn);
        pGrid->setColumnStretch(nColumn, 1);
    }
    for (int nLamp = 0; nLamp < CLampColumn::kLamps; ++nLamp) {
        const QString strNumber = QString::number(nLamp + 1);
        const int nRow = kFirstLampRow + nLamp;
        auto* pLeft = MakeLabel(this, strNumber, "labelLeft" + strNumber);
        pLeft->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        pGrid->addWidget(pLeft, nRow, 0);
        auto* pRight = MakeLabel(this, strNumber, "labelRight" + strNumber);
        pRight->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        pGrid->addWidget(pRight, nRow, kLastColumn);
        m_apOuterLabel[kColumns + nLamp] = pRight;
        pGrid->setRowStretch(nRow, 1);
    }
}

CLampGrid::~CLampGrid() = default;

void CLampGrid::ShowOuterLabels(bool bShow) {
    for (QWidget* pLabel : m_apOuterLabel)
        pLabel->setVisible(bShow);
}

void CLampGrid::SetOnColor(uint32_t nColorRef) {
    for (CLampColumn* pColumn : m_apColumn)
        pColumn->SetStyleOnColor(nColorRef);
}

void CLampGrid::SetCurrentLamp(int nModule, int nChannel) {
    m_nModule = std::clamp(nModule, 0, kColumns - 1);
    m_nChannel = std::clamp(nChannel, 0, CLampColumn::kLamps - 1);
    ShowRing();
}

void CLampGrid::ShowRing() {
    for (int nModule = 0; nModule < kColumns; ++nModule)
        m_apColumn[nModule]->SetFocusLamp(hasFocus() && nModule == m_nModule ? m_nChannel : -1);
}

void CLampGrid::focusInEvent(QFocusEvent* pEvent) {
    QWidget::focusInEvent(pEvent);
    ShowRing();
    TellFocus();
}

void CLampGrid::focusOutEvent(QFocusEvent* pEvent) {
    QWidget::focusOutEvent(pEvent);
    ShowRing();
}

bool CLampGrid::MoveRing(int nKey) {
    int nModule = m_nModule;
    int nChannel = m_nChannel;
    switch (nKey) {
    case Qt::Key_Left:
        --nModule;
        break;
    case Qt::Key_Right:
        ++nModule;
        break;
    case Qt::Key_Up:
        --nChannel;
        break;
    case Qt::Key_Down:
        ++nChannel;
        break;
    case Qt::Key_Home:
        nModule = 0;
        break;
    case Qt::Key_End:
        nModule = kColumns - 1;
        break;
    case Qt::Key_PageUp:
        nChannel = 0;
        break;
    case Qt::Key_PageDown:
        nChannel = CLampColumn::kLamps - 1;
        break;
    default:
        return false;
    }
    const int nOldModule = m_nModule;
    const int nOldChannel = m_nChannel;
    SetCurrentLamp(nModule, nChannel);
    if (m_nModule == nOldModule && m_nChannel == nOldChannel)
        return true;
    TellFocus();
    emit LampChosen(m_nModule, m_nChannel);
    return true;
}

// A held Space forces once: the repeats would switch the output on and off
// as fast as the keyboard repeats.
void CLampGrid::keyPressEvent(QKeyEvent* pEvent) {
    if (pEvent->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(pEvent);
        return;
    }
    const int nKey = pEvent->key();
    if (nKey == Qt::Key_Space) {
        if (!pEvent->isAutoRepeat())
            emit LampForced(m_nModule, m_nChannel);
        return;
    }
    if (nKey == Qt::Key_Return || nKey == Qt::Key_Enter || MoveRing(nKey))
        return;
    QWidget::keyPressEvent(pEvent);
}

QString CLampGrid::LampName(int nModule, int nChannel) const {
    if (m_namer)
        return m_namer(nModule, nChannel);
    return QChar('A' + nModule) + QString::number(nChannel + 1);
}

QString CLampGrid::LampStateText(int nModule, int nChannel) const {
    return m_apColumn[nModule]->IsLit(nChannel) ? kOnText : kOffText;
}

QRect CLampGrid::LampScreenRect(int nModule, int nChannel) const {
    const CLampColumn& column = *m_apColumn[nModule];
    const QRect rect = column.LampRect(nChannel);
    return {column.mapToGlobal(rect.topLeft()), rect.size()};
}

int CLampGrid::LampAt(QPoint point) const {
    for (int nModule = 0; nModule < kColumns; ++nModule) {
        const CLampColumn& column = *m_apColumn[nModule];
        const QPoint inColumn = column.mapFrom(this, point);
        if (column.rect().contains(inColumn))
            return LampIndex(nModule, column.LampAt(inColumn.y()));
    }
    return -1;
}

// The lamps change at most once a refresh, 25 times a second, like the
// paints; nothing is said while no assistive technology listens.
void CLampGrid::TellChanges(int nModule, int32_t nChanged) {
    if (!QAccessible::isActive())
        return;
    for (int nChannel = 0; nChannel < CLampColumn::kLamps; ++nChannel) {
        if ((nChanged >> nChannel & 1) == 0)
            continue;
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent state(this, changed);
        state.setChild(LampIndex(nModule, nChannel));
        QAccessible::updateAccessibility(&state);
        QAccessibleValueChangeEvent value(this, LampStateText(nModule, nChannel));
        value.setChild(LampIndex(nModule, nChannel));
        QAccessible::updateAccessibility(&value);
    }
}

void CLampGrid::TellFocus() {
    if (!QAccessible::isActive() || !hasFocus())
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(LampIndex(m_nModule, m_nChannel));
    QAccessible::updateAccessibility(&focus);
}
