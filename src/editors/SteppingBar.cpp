#include "editors/SteppingBar.h"

#include "editors/FocusRing.h"

#include <QScrollBar>

#include <algorithm>

EScrollAction ToScrollAction(int nAction) {
    switch (nAction) {
    case QAbstractSlider::SliderSingleStepSub:
        return EScrollAction::LineUp;
    case QAbstractSlider::SliderSingleStepAdd:
        return EScrollAction::LineDown;
    case QAbstractSlider::SliderPageStepSub:
        return EScrollAction::PageUp;
    case QAbstractSlider::SliderPageStepAdd:
        return EScrollAction::PageDown;
    case QAbstractSlider::SliderMove:
        return EScrollAction::ThumbTrack;
    case QAbstractSlider::SliderToMinimum:
        return EScrollAction::Top;
    case QAbstractSlider::SliderToMaximum:
        return EScrollAction::Bottom;
    default:
        return EScrollAction::EndScroll;
    }
}

void AttachStepping(QScrollBar& bar, const CStepping& rule, std::function<void(int)> onStep) {
    bar.setRange(rule.GetFirst(), std::max(rule.GetLast(), rule.GetFirst()));
    bar.setSingleStep(1);
    bar.setPageStep(std::max(rule.GetPage(), 1));
    bar.setFocusPolicy(Qt::StrongFocus);
    CFocusRing::Attach(bar);
    // Qt has already moved the slider position by its own step when the
    // action is announced, but not the value: the value is still where the
    // bar stood, and setting the position here replaces Qt's step with ours.
    QObject::connect(&bar, &QAbstractSlider::actionTriggered, &bar,
                     [&bar, rule, onStep = std::move(onStep)](int nAction) {
                         const int nValue =
                             rule.Step(ToScrollAction(nAction), bar.value(), bar.sliderPosition());
                         bar.setSliderPosition(nValue);
                         onStep(nValue);
                     });
}
