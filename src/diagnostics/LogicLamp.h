#pragma once

#include "model/LogicExplanation.h"

#include <QColor>
#include <QString>

class QLabel;

// How a live state looks wherever the logic is shown: on lit green, off
// dark red, unknown grey, so an unknown state is never taken for off.
QColor LogicStateColour(ELogicState state);
QColor LogicStateTextColour(ELogicState state);
QString LogicStateText(ELogicState state);
// A small field showing a state: its word on its colour.
void ShowLogicLamp(QLabel& lamp, ELogicState state);
