#pragma once

#include "model/System.h"

#include <QDialog>

#include <memory>

class CShellServices;
namespace Ui {
class CChannelLabelDlg;
}

// Edits the ten channel labels of one module. The dialog works on the
// current loop and module of the system: choosing a loop or moving the
// module bar makes that loop or module current at once, after offering to
// save what was typed for the module shown until then.
class CChannelLabelDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kSaveQuestionText = "Do you wish to save your changes?";

    CChannelLabelDlg(CSystem& sys, CShellServices& shell, QWidget* pParent = nullptr);
    ~CChannelLabelDlg() override;

    void accept() override;

    // Whether SAVE, or a Yes to the save question, stored the labels of a
    // module while the dialog was open.
    bool HasSaved(short nModule, short nLoop) const { return m_abSaved[nLoop][nModule]; }

private:
    void Reload();
    void AskSave();
    void SaveLabels();
    void OnModuleStep(int nModule);
    void OnLoopChosen(int nLoop);
    // A loop name typed into the loop list (in any case) chooses that loop;
    // other text changes nothing.
    void OnLoopTyped(const QString& strText);

    CSystem& m_sys;
    CShellServices& m_shell;
    std::unique_ptr<Ui::CChannelLabelDlg> m_ui;
    short m_nLoop = 0;
    short m_nModule = 0;
    bool m_bChanged = false;
    bool m_abSaved[CSystem::kLoops][CSystem::kModulesPerLoop] = {};
};
