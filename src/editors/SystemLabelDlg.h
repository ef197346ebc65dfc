#pragma once

#include <QDialog>

#include <memory>

class CSystem;
namespace Ui {
class CSysLabel;
}

// Edits the system labels a technician names: vehicle model, author,
// revision date and file name (which also becomes the system's file name and
// title). OK marks the system changed without stamping today's date and the
// version over the labels, so a revision date typed here survives its own OK.
class CSysLabel : public QDialog {
    Q_OBJECT
public:
    CSysLabel(CSystem& sys, QWidget* pParent = nullptr);
    ~CSysLabel() override;

    void accept() override;

private:
    CSystem& m_sys;
    std::unique_ptr<Ui::CSysLabel> m_ui;
};
