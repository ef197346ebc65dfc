#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CAboutDlg;
}

// The About box: program icon, version line and what Corvel is for.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* pParent = nullptr);
    ~CAboutDlg() override;

private:
    std::unique_ptr<Ui::CAboutDlg> m_pUi;
};
