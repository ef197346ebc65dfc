#pragma once

#include "editors/Stepping.h"

#include <functional>

class QScrollBar;

// Makes every action on bar (arrows, trough, thumb, wheel, and the arrow and
// Page Up/Down keys) move by rule instead of Qt's own steps, sets the range
// first..last, and calls onStep with the new position after each action, moved
// or not, as the dialogs refresh after every scroll message.
// The scroll action a Qt slider action (QAbstractSlider::SliderAction) stands
// for.
EScrollAction ToScrollAction(int nSliderAction);

void AttachStepping(QScrollBar& bar, const CStepping& rule, std::function<void(int)> onStep);
