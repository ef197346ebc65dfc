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
    static constexpr const char* kVersionLine = "CorvelII v 6.63  06/08/04";

    explicit CAboutDlg(QWidget* pParent = nullptr);
    ~CAboutDlg() override;

private:
    std::unique_ptr<Ui::CAboutDlg> m_pUi;
};
