#include "diagnostics/LogicLamp.h"

#include <QLabel>

QColor LogicStateColour(ELogicState state) {
    switch (state) {
    case ELogicState::On:
        return QColor(0, 220, 0);
    case ELogicState::Off:
        return QColor(128, 0, 0);
    default:
        return QColor(192, 192, 192);
    }
}

QColor LogicStateTextColour(ELogicState state) {
    return state == ELogicState::Off ? Qt::white : Qt::black;
}

QString LogicStateText(ELogicState state) { return CLogicExplanation::StateWord(state); }

void ShowLogicLamp(QLabel& lamp, ELogicState state) {
    const QString strStyle =
        QString("background-color: %1; color: %2;")
            .arg(LogicStateColour(state).name(), LogicStateTextColour(state).name());
    if (lamp.styleSheet() != strStyle)
        lamp.setStyleSheet(strStyle);
    if (lamp.text() != LogicStateText(state))
        lamp.setText(LogicStateText(state));
}
