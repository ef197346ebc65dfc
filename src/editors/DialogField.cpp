#include "editors/DialogField.h"

#include "editors/FieldCheck.h"
#include "model/ShellServices.h"
#include "shell/Text.h"

#include <QLineEdit>

namespace {

bool Refuse(CShellServices& shell, QLineEdit& field, const std::string& strMessage) {
    shell.MessageBox(strMessage, EBoxButtons::Ok, EBoxIcon::Exclamation);
    field.setFocus();
    field.selectAll();
    return false;
}

} // namespace

bool ReadFloatField(CShellServices& shell, QLineEdit& field, float fMin, float fMax,
                    float& fValue) {
    std::string strMessage;
    if (CFieldCheck::ReadFloat(FromQString(field.text()), fMin, fMax, fValue, strMessage))
        return true;
    return Refuse(shell, field, strMessage);
}

bool ReadUnsignedField(CShellServices& shell, QLineEdit& field, unsigned nMin, unsigned nMax,
                       unsigned& nValue) {
    std::string strMessage;
    if (CFieldCheck::ReadUnsigned(FromQString(field.text()), nMin, nMax, nValue, strMessage))
        return true;
    return Refuse(shell, field, strMessage);
}
