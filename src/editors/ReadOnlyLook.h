#pragma once

class QWidget;

// Fields and boxes that only show a value are drawn on the window's colour
// instead of the white of an entry field, as read-only fields look on the
// desktop, so nobody clicks them in vain. Their text and ticks stay as
// readable as before.
void ShowReadOnlyLook(QWidget& widget);

// The read-only look for every read-only text field of a dialog.
void ShowReadOnlyFields(QWidget& dialog);
