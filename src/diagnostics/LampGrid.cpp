#include "diagnostics/LampGrid.h"

#include "controls/LampColumn.h"

#include <QGridLayout>
#include <QLabel>

namespace {

const int kFirstLampRow = 1;
const int kLastColumn = CLampGrid::kColumns + 1;

QLabel* MakeLabel(QWidget* pParent, const QString& strText, const QString& strName) {
    auto* pLabel = new QLabel(strText, pParent);
    pLabel->setObjectName(strName);
    pLabel->setAlignment(Qt::AlignCenter);
    return pLabel;
}

} // namespace

CLampGrid::CLampGrid(QWidget* pParent) : QWidget(pParent) {
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
