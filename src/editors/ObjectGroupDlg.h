#pragma once

#include <QDialog>

#include <memory>

class CSystem;
class QButtonGroup;
namespace Ui {
class CObjectGroupDlg;
}

// Picks the scope of a transfer or retrieval: CHANNEL, MODULE or SYSTEM. OK
// stores it as the object group.
class CObjectGroupDlg : public QDialog {
    Q_OBJECT
public:
    explicit CObjectGroupDlg(CSystem& sys, QWidget* pParent = nullptr);
    ~CObjectGroupDlg() override;

    void accept() override;

private:
    CSystem& m_sys;
    std::unique_ptr<Ui::CObjectGroupDlg> m_ui;
    QButtonGroup* m_pScopes;
};
