#include "shell/DocumentationDocument.h"

#include <QFileInfo>

void CDocumentationDocument::SetPathName(const QString& strPath) {
    m_strPath = strPath;
    m_bSavedSheet = true;
    m_strTitle = QFileInfo(strPath).fileName();
}
