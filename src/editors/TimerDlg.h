#pragma once

#include "model/System.h"

#include <QDialog>

#include <functional>
#include <memory>

class CShellServices;
class QLineEdit;
namespace Ui {
class CTimerDlg;
}

// Shows and edits the ten timers of one module of the timer loop, in
// seconds: six FAST timers counted by the controller in tenths of a second
// and four SLOW ones counted in tens of seconds, each within the one byte
// the controller holds. The module shown is the system's current module.
// Values typed reach the system only through SAVE or OK; current values
// only while CHANGE CURRENT is ticked.
class CTimerDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr short kTimerLoop = 3;
    static constexpr const char* kSaveQuestionText =
        "Changes have been made to timer values. Do you wish to save your changes?";

    // The two module buttons exchange the stored values of the current
    // module with the controller through these.
    CTimerDlg(CSystem& sys, CShellServices& shell, std::function<void()> fnRetrieveModule,
              std::function<void()> fnTransmitModule, QWidget* pParent = nullptr);
    ~CTimerDlg() override;

    void accept() override;

    // Whether SAVE, RETRIEVE or TRANSMIT stored or sent the timers of a
    // module while the dialog was open.
    bool HasStored(short nModule) const { return m_abStored[nModule]; }

    bool m_bChangeCurrent = false;
    short m_nTimerModule = 0;
    bool m_bTimersChanged = false;

private:
    void RefreshTimers();
    // False, with the refused field's message shown, when any field is out
    // of its range; nothing is stored then.
    bool SaveTimers();
    void ShowValuesAsRun();
    // False when the technician wanted the changes saved and a field was
    // refused: the button's action then stops, so the typed values stay.
    bool AskToSaveTimerChanges();
    void OnModuleStep(int nModule);
    void OnRetrieve();
    void OnTransmit();
    QLineEdit& ReloadEdit(short nChannel) const;
    QLineEdit& CurrentEdit(short nChannel) const;

    CSystem& m_sys;
    CShellServices& m_shell;
    std::function<void()> m_fnRetrieveModule;
    std::function<void()> m_fnTransmitModule;
    std::unique_ptr<Ui::CTimerDlg> m_ui;
    bool m_abStored[CSystem::kModulesPerLoop] = {};
};
