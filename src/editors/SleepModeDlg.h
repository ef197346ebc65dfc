#pragma once

#include <QDialog>

#include <memory>

class CShellServices;
class CSystem;
namespace Ui {
class CSleepModeDlg;
}

// Edits the sleep mode: whether it is enabled, the inactivity interval and
// the wake-up interval, both typed in seconds. The system keeps inactivity
// in units of ten seconds (one byte on the line), so a typed value is
// stored divided by ten, the remainder dropped. OK stores and marks the
// system changed, so the change is offered for saving like any other.
class CSleepModeDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr unsigned kMinInactivity = 10;
    static constexpr unsigned kMaxInactivity = 2540;
    static constexpr unsigned kMinWakeUp = 1;
    static constexpr unsigned kMaxWakeUp = 254;

    CSleepModeDlg(CSystem& sys, CShellServices& shell, QWidget* pParent = nullptr);
    ~CSleepModeDlg() override;

    void accept() override;

    bool m_bSleepEnabledShown = false;
    unsigned m_nInactivitySeconds = 0;
    unsigned m_nWakeUpSeconds = 0;

private:
    // Fields to members; false, with the field's message shown, when one is
    // refused.
    bool DoDataExchange();
    void Store();

    CSystem& m_sys;
    CShellServices& m_shell;
    std::unique_ptr<Ui::CSleepModeDlg> m_ui;
};
