#pragma once

#include <QDialog>

#include <memory>

class CSystem;
class CModuleTypes;
namespace Ui {
class CAssignModuleTypeDlg;
}

// Shows the current module and walks through the module type library; OK
// assigns the type in view to the module and marks the system changed.
class CAssignModuleTypeDlg : public QDialog {
    Q_OBJECT
public:
    CAssignModuleTypeDlg(CSystem& sys, CModuleTypes& types, QWidget* pParent = nullptr);
    ~CAssignModuleTypeDlg() override;

    void accept() override;

private:
    CSystem& m_sys;
    CModuleTypes& m_types;
    std::unique_ptr<Ui::CAssignModuleTypeDlg> m_ui;
};
