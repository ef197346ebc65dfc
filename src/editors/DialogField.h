#pragma once

class CShellServices;
class QLineEdit;

// A number field of a dialog read through the shared field check. A refused
// field is reported in a box, gets the focus and has its text selected, so
// the technician can type over it; the caller stores nothing then.
bool ReadFloatField(CShellServices& shell, QLineEdit& field, float fMin, float fMax, float& fValue);
bool ReadUnsignedField(CShellServices& shell, QLineEdit& field, unsigned nMin, unsigned nMax,
                       unsigned& nValue);
