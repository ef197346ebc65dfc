#pragma once

#include "model/SystemFinding.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CModuleTypes;
class CShellServices;
class CSystem;
class QTableWidget;

namespace Ui {
class CSystemCheckDlg;
}

// The findings of the system check, one row each with its severity's icon,
// its channels and its sentence, the counts in the caption. Activating a
// row (double-click or Enter) opens what puts it right: the Boolean editor
// on its first channel, or High speed channels for an equation on a pair.
// The list is made again whenever the window becomes active, so it follows
// the edits made meanwhile.
//
// Modeless, above the main window; deleted when closed.
class CSystemCheckDlg : public QDialog {
    Q_OBJECT
public:
    struct COpeners {
        // Runs the Boolean editor on the current channel.
        std::function<void()> fnEditEquation;
        std::function<void()> fnHighSpeedChannels;
    };

    CSystemCheckDlg(CSystem& system, const CModuleTypes& types, CShellServices& shell,
                    COpeners openers, QWidget* pParent = nullptr);
    ~CSystemCheckDlg() override;

    void Refresh();
    QTableWidget& Table() const;
    const std::vector<CSystemFinding>& Findings() const { return m_aFindings; }
    void OpenFinding(int nRow);
    // Asks for a file name and writes the list there; false when nothing
    // was written (cancelled, or the file could not be written: reported).
    bool OnSaveAsText();

    // A tab between severity, identifier, channels and sentence, one line
    // each.
    static std::string ListText(const std::vector<CSystemFinding>& aFindings);

protected:
    bool event(QEvent* pEvent) override;

private:
    void ComeBackToTheList();

    CSystem& m_system;
    const CModuleTypes& m_types;
    CShellServices& m_shell;
    COpeners m_openers;
    std::unique_ptr<Ui::CSystemCheckDlg> m_pUi;
    std::vector<CSystemFinding> m_aFindings;
};
