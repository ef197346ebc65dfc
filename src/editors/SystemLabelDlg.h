#pragma once

#include <QDialog>

#include <memory>

class CSystem;
namespace Ui {
class CSystemLabelDlg;
}

// Edits the system labels a technician names: vehicle model, author,
// revision date and file name (which also becomes the system's file name and
// title). OK marks the system changed without stamping today's date and the
// version over the labels, so a revision date typed here survives its own OK.
class CSystemLabelDlg : public QDialog {
    Q_OBJECT
public:
    CSystemLabelDlg(CSystem& sys, QWidget* pParent = nullptr);
    ~CSystemLabelDlg() override;

    void accept() override;

private:
    CSystem& m_sys;
    std::unique_ptr<Ui::CSystemLabelDlg> m_ui;
};
