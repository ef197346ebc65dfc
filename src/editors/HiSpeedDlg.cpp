#include "editors/HiSpeedDlg.h"

#include "editors/SteppingBar.h"
#include "model/System.h"
#include "shell/HelpRouter.h"
#include "shell/Text.h"

#include "ui_HiSpeedDlg.h"

#include <QLineEdit>
#include <QScrollBar>

namespace {

const char* SideName(bool bInput) { return bInput ? "In" : "Out"; }

QLineEdit& Field(const QWidget& dialog, bool bInput, const char* szKind, short nPair) {
    return *dialog.findChild<QLineEdit*>(
        QString("edit%1%2%3").arg(SideName(bInput), szKind).arg(nPair + 1));
}

} // namespace

CHiSpeedDlg::CHiSpeedDlg(CSystem& sys, const CModuleTypes& types, CShellServices& shell,
                         CHiSpeedRules::SendEquation fnSend, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_rules(sys, types, shell, std::move(fnSend)),
      m_ui(std::make_unique<Ui::CHiSpeedDlg>()) {
    m_ui->setupUi(this);
    setProperty(CHelpRouter::kSectionProperty, "high-speed");
    for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair) {
        LoadSide(nPair, ESide::Input, m_sys.GetHiSpeedInput(nPair));
        LoadSide(nPair, ESide::Output, m_sys.GetHiSpeedOutput(nPair));
        AttachBars(nPair, ESide::Input);
        AttachBars(nPair, ESide::Output);
    }
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CHiSpeedDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CHiSpeedDlg::reject);
}

CHiSpeedDlg::~CHiSpeedDlg() = default;

QScrollBar& CHiSpeedDlg::Bar(short nPair, ESide side, const char* szKind) const {
    return *findChild<QScrollBar*>(
        QString("scroll%1%2%3").arg(SideName(side == ESide::Input), szKind).arg(nPair + 1));
}

// A stored pair shows its designation, labels and module letter; a side not
// in use shows "_" as its designation until a bar moves.
void CHiSpeedDlg::LoadSide(short nPair, ESide side, short nIndex) {
    const bool bInput = side == ESide::Input;
    const bool bUsed = CSystem::IsHighSpeedCapable(nIndex);
    const short nModule = bUsed ? CSystem::ModuleOf(nIndex) : -1;
    const short nChannel = bUsed ? CSystem::ChannelOf(nIndex) : -1;
    (bInput ? m_anInModule : m_anOutModule)[nPair] = nModule;
    (bInput ? m_anInChannel : m_anOutChannel)[nPair] = nChannel;
    Field(*this, bInput, "Designation", nPair)
        .setText(ToQString(CSystem::HiSpeedDesignation(bUsed ? nIndex : -1)));
    Field(*this, bInput, "ChannelLabel", nPair)
        .setText(ToQString(bUsed ? m_sys.HiSpeedChannelLabel(nIndex) : ""));
    Field(*this, bInput, "ModuleLetter", nPair)
        .setText(ToQString(CSystem::HiSpeedModuleLetter(bUsed ? nIndex : -1)));
    Field(*this, bInput, "ModuleLabel", nPair)
        .setText(ToQString(m_sys.HiSpeedModuleLabel(nModule)));
}

void CHiSpeedDlg::AttachBars(short nPair, ESide side) {
    const bool bInput = side == ESide::Input;
    short* pnModule = &(bInput ? m_anInModule : m_anOutModule)[nPair];
    short* pnChannel = &(bInput ? m_anInChannel : m_anOutChannel)[nPair];
    QScrollBar& module = Bar(nPair, side, "Module");
    AttachStepping(module, CStepping::ForModulesOrNone(CSystem::GetLastModule(0)),
                   [this, nPair, side, pnModule](int nValue) {
                       *pnModule = static_cast<short>(nValue);
                       ShowSide(nPair, side, true);
                   });
    module.setValue(*pnModule);
    QScrollBar& channel = Bar(nPair, side, "Channel");
    AttachStepping(channel, CStepping::ForChannelsOrNone(),
                   [this, nPair, side, pnChannel](int nValue) {
                       *pnChannel = static_cast<short>(nValue);
                       ShowSide(nPair, side, false);
                   });
    channel.setValue(*pnChannel);
}

void CHiSpeedDlg::ShowSide(short nPair, ESide side, bool bModuleMoved) {
    const bool bInput = side == ESide::Input;
    const short nModule = (bInput ? m_anInModule : m_anOutModule)[nPair];
    const short nChannel = (bInput ? m_anInChannel : m_anOutChannel)[nPair];
    const bool bBoth = nModule >= 0 && nChannel >= 0;
    if (bModuleMoved) {
        Field(*this, bInput, "ModuleLabel", nPair)
            .setText(ToQString(m_sys.HiSpeedModuleLabel(nModule)));
        Field(*this, bInput, "ModuleLetter", nPair)
            .setText(nModule >= 0 ? QString(QChar(CSystem::ModuleLetter(nModule))) : QString());
    }
    Field(*this, bInput, "ChannelLabel", nPair)
        .setText(ToQString(m_sys.GetChannelLabel(nModule, nChannel, CHiSpeedRules::kBlueLoop)));
    Field(*this, bInput, "Designation", nPair)
        .setText(bBoth ? ToQString(CSystem::ChannelDesignation(nModule, nChannel)) : QString());
}

void CHiSpeedDlg::accept() {
    QDialog::accept();
    for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair)
        m_rules.Apply(nPair, {m_anInModule[nPair], m_anInChannel[nPair], m_anOutModule[nPair],
                              m_anOutChannel[nPair]});
}
