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

QString CPortPane::Text(short nPort, EState state) {
    QString strPort = QString("COM%1").arg(nPort);
    switch (state) {
    case EState::Closed:
        return strPort + " closed";
    case EState::Open:
        return strPort + " open";
    case EState::LinkRunning:
        return strPort + " open, link running";
    }
    return strPort;
}
