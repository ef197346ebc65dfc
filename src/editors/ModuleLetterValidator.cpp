#include "editors/ModuleLetterValidator.h"

#include "editors/TermScroll.h"
#include "model/System.h"

CModuleLetterValidator::CModuleLetterValidator(std::function<short()> nLoop, QObject* pParent)
    : QValidator(pParent), m_loop(std::move(nLoop)) {}

QValidator::State CModuleLetterValidator::validate(QString& strInput, int& /*nPos*/) const {
    if (strInput.isEmpty())
        return Acceptable;
    if (strInput.size() > 1)
        return Invalid;
    strInput = strInput.toUpper();
    const QChar c = strInput.front();
    if (c == QChar(CTermEntry::kNone))
        return Acceptable;
    const bool bLetter = c >= QChar('A') && c <= QChar(CSystem::GetLastModuleLetter(m_loop()));
    return bLetter ? Acceptable : Invalid;
}
