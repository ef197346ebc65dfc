#pragma once

#include <QString>

class QButtonGroup;
class QWidget;

// Gathers the radio buttons of owner named pattern with nFirst .. nFirst +
// nCount - 1 into an exclusive group whose ids are 0 .. nCount - 1.
//
// The focus and the check move together, as in a desktop toolkit's radio
// group: Tab lands on the checked button only, and the arrow keys check the
// button they move to. Enter then always acts on the button the focus ring
// is on.
QButtonGroup* MakeRadioGroup(QWidget& owner, const QString& strPattern, int nFirst, int nCount);

// Checks the button of id; a choice outside the group checks the first
// button, so that a dialog never returns "no choice" to the model.
void CheckRadio(QButtonGroup& group, int nId);
int CheckedRadio(const QButtonGroup& group);
// Gives the checked button the focus, where a dialog opens.
void FocusCheckedRadio(QButtonGroup& group);
