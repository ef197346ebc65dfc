#pragma once

#include <QDialog>

#include <memory>

class CModuleTypes;
class CShellServices;
class QLineEdit;
namespace Ui {
class CModuleTypeDlg;
}

// Edits the library's current type: its three texts and, per channel,
// whether it is an output, a momentary switch latch or (neither) an input.
// OK stores into the library in memory; the system record is not touched.
class CModuleTypeDlg : public QDialog {
    Q_OBJECT
public:
    CModuleTypeDlg(CModuleTypes& types, CShellServices& shell, QWidget* pParent = nullptr);
    ~CModuleTypeDlg() override;

    void accept() override;

    static constexpr int kTextLength = 15;

private:
    void KeepBoxesExclusive();
    bool IsTextTooLong(QLineEdit& field);
    void Store();

    CModuleTypes& m_types;
    CShellServices& m_shell;
    std::unique_ptr<Ui::CModuleTypeDlg> m_ui;
};
