#include "shell/PortPane.h"

CPortPane::CPortPane(QWidget* pParent) : QLabel(pParent) {
    setObjectName("PortPane");
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // The widest text, so the pane keeps its place as the state changes.
    setMinimumWidth(fontMetrics().horizontalAdvance(Text(4, EState::LinkRunning)) + 12);
}

void CPortPane::Show(short nPort, EState state, const QString& strDevice) {
    setText(Text(nPort, state));
    setToolTip(strDevice);
}

void CPortPane::ShowSimulation(EState state, const QString& strLink) {
    setText(SimulationText(state));
    setToolTip(strLink);
}

QString CPortPane::Text(short nPort, EState state) {
    return StateText(QString("COM%1").arg(nPort), state);
}

QString CPortPane::SimulationText(EState state) { return StateText("simulated DVX CPU", state); }

QString CPortPane::StateText(const QString& strWhat, EState state) {
    switch (state) {
    case EState::Closed:
        return strWhat + " closed";
    case EState::Open:
        return strWhat + " open";
    case EState::LinkRunning:
        return strWhat + " open, link running";
    }
    return strWhat;
}
