#pragma once

#include <QString>

#include <functional>

// The document of a documentation window. The sheet shows the current system
// and the document keeps nothing of its own: only its title and the file it
// was opened from or saved to.
class CWinzlv4Doc {
public:
    CWinzlv4Doc(const QString& strTitle, const QString& strPath, std::function<void()> onClose)
        : m_strTitle(strTitle), m_strPath(strPath), m_onClose(std::move(onClose)) {}

    const QString& GetTitle() const { return m_strTitle; }
    const QString& GetPathName() const { return m_strPath; }
    void SetPathName(const QString& strPath);
    // Closing a documentation window recomposes the main window's title.
    void OnCloseDocument() { m_onClose(); }

private:
    QString m_strTitle;
    QString m_strPath;
    std::function<void()> m_onClose;
};
