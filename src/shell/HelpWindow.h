#pragma once

#include <QWidget>

class QTextBrowser;

// The user manual in a window of its own beside the main window, opened at
// the section that belongs to the command or dialog in use.
class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Corvel Help";

    CHelpWindow(const QString& strManualPath, QWidget* pParent);

    // "" shows the contents at the top of the manual.
    void ShowSection(const QString& strSection);
    QString CurrentSection() const;
    QTextBrowser* Browser() const { return m_pBrowser; }

private:
    QString m_strManualPath;
    QTextBrowser* m_pBrowser;
};
