#pragma once

#include "editors/HiSpeedRules.h"

#include <QDialog>

#include <memory>

class CModuleTypes;
class CShellServices;
class CSystem;
class QScrollBar;
namespace Ui {
class CHiSpeedDlg;
}

// Chooses the four high speed pairs of the Blue loop with sixteen bars:
// input module and channel, output module and channel of each pair, each
// able to go above the first module or channel to none. The dialog works on
// its own copies of the coordinates; OK hands them, pair by pair, to the
// pair rules, which decide what reaches the system.
class CHiSpeedDlg : public QDialog {
    Q_OBJECT
public:
    CHiSpeedDlg(CSystem& sys, const CModuleTypes& types, CShellServices& shell,
                CHiSpeedRules::SendEquation fnSend, QWidget* pParent = nullptr);
    ~CHiSpeedDlg() override;

    void accept() override;

    // Stored pair by pair: input module, input channel, output module, output
    // channel; -1 for none.
    short m_anInModule[4] = {-1, -1, -1, -1};
    short m_anInChannel[4] = {-1, -1, -1, -1};
    short m_anOutModule[4] = {-1, -1, -1, -1};
    short m_anOutChannel[4] = {-1, -1, -1, -1};

private:
    enum class ESide { Input, Output };
    void LoadSide(short nPair, ESide side, short nIndex);
    void AttachBars(short nPair, ESide side);
    // Shows a side after a move: empty texts where a coordinate is none.
    void ShowSide(short nPair, ESide side, bool bModuleMoved);
    QScrollBar& Bar(short nPair, ESide side, const char* szKind) const;

    CSystem& m_sys;
    CHiSpeedRules m_rules;
    std::unique_ptr<Ui::CHiSpeedDlg> m_ui;
};
