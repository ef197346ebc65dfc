#include "diagnostics/LedGrid.h"

#include "controls/LED.h"

#include <QGridLayout>
#include <QLabel>

namespace {

const int kFirstLampRow = 1;
const int kLastColumn = CLedGrid::kColumns + 1;

QLabel* MakeLabel(QWidget* pParent, const QString& strText, const QString& strName) {
    auto* pLabel = new QLabel(strText, pParent);
    pLabel->setObjectName(strName);
    pLabel->setAlignment(Qt::AlignCenter);
    return pLabel;
}

} // namespace

CLedGrid::CLedGrid(QWidget* pParent) : QWidget(pParent) {
    auto* pGrid = new QGridLayout(this);
    pGrid->setContentsMargins(0, 0, 0, 0);
    pGrid->setVerticalSpacing(0);
    pGrid->setHorizontalSpacing(4);
    const int nBottomRow = kFirstLampRow + CLED::kLamps;
    for (int nModule = 0; nModule < kColumns; ++nModule) {
        const QString strLetter(QChar('A' + nModule));
        const int nColumn = nModule + 1;
        pGrid->addWidget(MakeLabel(this, strLetter, "labelTop" + strLetter), 0, nColumn);
        m_apLed[nModule] = new CLED(this);
        m_apLed[nModule]->setObjectName("led" + strLetter);
        pGrid->addWidget(m_apLed[nModule], kFirstLampRow, nColumn, CLED::kLamps, 1);
        m_apOuterLabel[nModule] = MakeLabel(this, strLetter, "labelBottom" + strLetter);
        pGrid->addWidget(m_apOuterLabel[nModule], nBottomRow, nColumn);
        pGrid->setColumnStretch(nColumn, 1);
    }
    for (int nLamp = 0; nLamp < CLED::kLamps; ++nLamp) {
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

CLedGrid::~CLedGrid() = default;

void CLedGrid::ShowOuterLabels(bool bShow) {
    for (QWidget* pLabel : m_apOuterLabel)
        pLabel->setVisible(bShow);
}

void CLedGrid::SetOnColor(uint32_t nColorRef) {
    for (CLED* pLed : m_apLed)
        pLed->SetStyleOnColor(nColorRef);
}
