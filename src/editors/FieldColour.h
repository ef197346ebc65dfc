#pragma once

struct CRgb;
class QWidget;

// Gives a field (an edit box or a label) a background colour of its own,
// with black or white text, whichever reads better on it: the loop colours
// run from pure blue to yellow, and one text colour cannot serve them all.
void PaintField(QWidget& field, const CRgb& colour);
