#pragma once

#include <QDialog>

#include <memory>

class CShellServices;
class CSystem;
namespace Ui {
class CModLabel;
}

// Edits the sixteen module labels of one loop, the current loop of the
// system; choosing another loop makes it current. OK saves whatever the
// fields hold, changed or not.
class CModLabel : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kSaveQuestionText = "Do you wish to save your changes?";

    CModLabel(CSystem& sys, CShellServices& shell, QWidget* pParent = nullptr);
    ~CModLabel() override;

    void accept() override;

private:
    void Reload();
    void SaveLabels();
    // A No keeps the change pending, so the question comes again at the next
    // loop change.
    void OnLoopChosen(int nLoop);

    CSystem& m_sys;
    CShellServices& m_shell;
    std::unique_ptr<Ui::CModLabel> m_ui;
    bool m_bChanged = false;
};
