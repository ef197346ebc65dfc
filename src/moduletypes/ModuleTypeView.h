#pragma once

#include <functional>

class CModuleTypes;
class QCheckBox;
class QScrollBar;
class QWidget;

// The module type dialogs name their fields alike: editModuleType,
// editDescription, editNote, checkOutput1..10 and checkSwitch1..10.

QCheckBox& OutputBox(QWidget& dialog, int nChannel);
QCheckBox& SwitchBox(QWidget& dialog, int nChannel);

// Fills the fields of dialog from the library's current type.
void ShowCurrentType(QWidget& dialog, CModuleTypes& types);

// Closes the channel boxes of dialog to the mouse and keyboard, for dialogs
// that only show a type; they and the read-only fields get the read-only
// look, ticks and text as readable as in the editing dialog.
void MakeFlagsDisplayOnly(QWidget& dialog);

// Lets bar walk through the library: each step makes the type at the new
// position current and calls onStep. Paging moves a sixth of the library.
void AttachTypeScroll(QScrollBar& bar, CModuleTypes& types, std::function<void()> onStep);
