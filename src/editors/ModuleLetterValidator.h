#pragma once

#include <QValidator>

#include <functional>

// A term's module letter field takes one letter of the term's loop or "_",
// which with an empty field means no term. A letter typed in lower case is
// shown in capitals; anything else never reaches the field, so a term
// cannot silently vanish on OK because of a letter the loop does not have.
class CModuleLetterValidator : public QValidator {
public:
    // nLoop tells the loop the term names at the moment of typing.
    CModuleLetterValidator(std::function<short()> nLoop, QObject* pParent);

    State validate(QString& strInput, int& nPos) const override;

private:
    std::function<short()> m_loop;
};
