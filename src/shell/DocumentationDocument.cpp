#include "shell/winzlv4Doc.h"

#include <QFileInfo>

void CWinzlv4Doc::SetPathName(const QString& strPath) {
    m_strPath = strPath;
    m_bSavedSheet = true;
    m_strTitle = QFileInfo(strPath).fileName();
}
