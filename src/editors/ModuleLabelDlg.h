#pragma once

#include "model/System.h"

#include <QDialog>

#include <memory>

class CShellServices;
namespace Ui {
class CModuleLabelDlg;
}

// Edits the sixteen module labels of one loop, the current loop of the
// system; choosing another loop makes it current. OK saves whatever the
// fields hold, changed or not.
class CModuleLabelDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kSaveQuestionText = "Do you wish to save your changes?";

    CModuleLabelDlg(CSystem& sys, CShellServices& shell, QWidget* pParent = nullptr);
    ~CModuleLabelDlg() override;

    void accept() override;

    // Whether SAVE, a Yes to the save question or OK stored the labels of a
    // loop while the dialog was open.
    bool HasSaved(short nLoop) const { return m_abSaved[nLoop]; }

private:
    void Reload();
    void SaveLabels();
    // A No keeps the change pending, so the question comes again at the next
    // loop change.
    void OnLoopChosen(int nLoop);

    CSystem& m_sys;
    CShellServices& m_shell;
    std::unique_ptr<Ui::CModuleLabelDlg> m_ui;
    bool m_bChanged = false;
    bool m_abSaved[CSystem::kLoops] = {};
};
