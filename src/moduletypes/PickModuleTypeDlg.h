#pragma once

#include <QDialog>

#include <memory>

class CModuleTypes;
namespace Ui {
class CPickModuleTypeDlg;
}

// Walks through the module type library with a scroll bar; the type in view
// is the library's current type, which OK confirms as the choice. Cancel
// leaves the current type where scrolling left it.
class CPickModuleTypeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPickModuleTypeDlg(CModuleTypes& types, QWidget* pParent = nullptr);
    ~CPickModuleTypeDlg() override;

private:
    CModuleTypes& m_types;
    std::unique_ptr<Ui::CPickModuleTypeDlg> m_ui;
};
