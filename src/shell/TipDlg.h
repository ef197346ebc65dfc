#pragma once

#include <QDialog>
#include <QFile>

#include <memory>

class CShellServices;
class QSettings;

namespace Ui {
class CTipDlg;
}

// The Tip of the Day. Tips are the lines of "tips.txt" that do not start
// with white space or ";". The profile remembers where reading stopped, so
// each showing goes on with the next tip; when the file changes, reading
// starts again at its first tip.
class CTipDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kMissingText =
        "Tips file does not exist in the prescribed directory";
    static constexpr const char* kTroubleText = "Trouble reading the tips file";
    static constexpr int kMaxLine = 1000;

    CTipDlg(QSettings& profile, const QString& strTipsPath, CShellServices& shell,
            QWidget* pParent = nullptr);
    ~CTipDlg() override;

    // Whether the dialog should show at start-up, from the profile.
    static bool ShowAtStartup(QSettings& profile);
    // The modification time as the tips file's stamp: "Tue Jun  8 16:51:55 2004".
    static QString StampOf(const QString& strPath);

    QString TipText() const { return m_strTip; }
    void OnNextTip();
    void accept() override;

private:
    void ReadNextTip();
    bool Rewind();

    std::unique_ptr<Ui::CTipDlg> m_pUi;
    QSettings& m_profile;
    CShellServices& m_shell;
    QFile m_file;
    QString m_strTip;
};
