#pragma once

#include <QDialog>

#include <memory>

class CModuleTypes;
namespace Ui {
class CModuleTypePreferencesDlg;
}

// Switches strict module type checking; OK stores the choice in the library
// (in memory: the library file keeps it once the library is written).
class CModuleTypePreferencesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CModuleTypePreferencesDlg(CModuleTypes& types, QWidget* pParent = nullptr);
    ~CModuleTypePreferencesDlg() override;

    void accept() override;

private:
    CModuleTypes& m_types;
    std::unique_ptr<Ui::CModuleTypePreferencesDlg> m_ui;
};
