#pragma once

#include <QDialog>

#include <memory>

class CSystem;
class QButtonGroup;
namespace Ui {
class CSelGroup;
}

// Picks the scope of a transfer or retrieval: CHANNEL, MODULE or SYSTEM. OK
// stores it as the object group.
class CSelGroup : public QDialog {
    Q_OBJECT
public:
    explicit CSelGroup(CSystem& sys, QWidget* pParent = nullptr);
    ~CSelGroup() override;

    void accept() override;

private:
    CSystem& m_sys;
    std::unique_ptr<Ui::CSelGroup> m_ui;
    QButtonGroup* m_pScopes;
};
