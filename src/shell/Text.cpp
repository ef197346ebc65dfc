#include "shell/Text.h"

#include "model/CodePage.h"

QString ToQString(const std::string& strModelText) {
    std::u16string strUnits = CodePage::ToUtf16(strModelText);
    return QString::fromUtf16(strUnits.data(), static_cast<qsizetype>(strUnits.size()));
}

std::string FromQString(const QString& strText) {
    return CodePage::FromUtf16(strText.toStdU16String());
}

QString PathToQString(const std::string& strPath) { return QString::fromStdString(strPath); }

std::string PathFromQString(const QString& strPath) { return strPath.toStdString(); }
