#pragma once

#include <QDialog>

#include <memory>

class CSystem;
class CModuleTypeTexts;
namespace Ui {
class CModulePicker;
}

// Picks a module of the equation loops with its label and module type in
// view. Browsing makes the loop and module current at once; OK confirms the
// module.
class CModulePicker : public QDialog {
    Q_OBJECT
public:
    CModulePicker(CSystem& sys, const CModuleTypeTexts& types, QWidget* pParent = nullptr);
    ~CModulePicker() override;

    void accept() override;

private:
    void RefreshModuleInfo();

    CSystem& m_sys;
    const CModuleTypeTexts& m_types;
    std::unique_ptr<Ui::CModulePicker> m_ui;
};
