#pragma once

#include <QString>

#include <functional>

// The document of a documentation window. The sheet shows the system as it
// was when the window opened, and the document keeps only its title and the
// file it was opened from or its sheet was saved to.
class CDocumentationDocument {
public:
    CDocumentationDocument(const QString& strTitle, const QString& strPath,
                           std::function<void()> onClose)
        : m_strTitle(strTitle), m_strPath(strPath), m_onClose(std::move(onClose)) {}

    const QString& GetTitle() const { return m_strTitle; }
    const QString& GetPathName() const { return m_strPath; }
    // The sheet was written to strPath, which names the document from now on.
    void SetPathName(const QString& strPath);
    // Whether the path is a file this window's sheet was written to, so Save
    // may write it again without asking.
    bool IsSavedSheet() const { return m_bSavedSheet; }
    // Closing a documentation window recomposes the main window's title.
    void OnCloseDocument() { m_onClose(); }

private:
    QString m_strTitle;
    QString m_strPath;
    bool m_bSavedSheet = false;
    std::function<void()> m_onClose;
};
