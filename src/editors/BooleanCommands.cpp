#include "editors/BooleanCommands.h"

#include "diagnostics/LogicView.h"
#include "editors/BooleanCopyDlg.h"
#include "editors/BooleanEditor.h"
#include "editors/ChannelPicker.h"
#include "link/ControllerProtocol.h"
#include "link/TransferHost.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "moduletypes/ModuleTypes.h"
#include "reports/WhereUsedDlg.h"

CBooleanCommands::CBooleanCommands(CSystem& sys, const CModuleTypes& types, CShellServices& shell,
                                   QWidget* pParent)
    : m_sys(sys), m_types(types), m_shell(shell), m_pParent(pParent) {}

bool CBooleanCommands::PickChannel() {
    CChannelPicker picker(m_sys, m_types, m_pParent);
    auto explorer = [this](QWidget* pParent, short nIndex) { ShowExplorer(pParent, nIndex, true); };
    picker.SetLogicExplorer(explorer);
    picker.SetWhereUsedReport(
        [this, explorer](QWidget* pParent) { ShowWhereUsedReport(m_sys, pParent, explorer); });
    return picker.exec() == QDialog::Accepted;
}

void CBooleanCommands::ShowExplorer(QWidget* pParent, short nIndex, bool bEditable) {
    std::function<void(QWidget*)> editor;
    if (bEditable)
        editor = [this](QWidget*) { EditCurrentEquation(); };
    ShowLogicView(m_sys, m_pLive, nIndex, pParent, std::move(editor),
                  CBooleanEditor::kReadOnlyText);
}

bool CBooleanCommands::MayCarryBoolean() const {
    return m_types.ChannelMayCarryBoolean(
        m_sys.GetModuleType(m_sys.GetCurModule(), m_sys.GetCurLoop()), m_sys.GetCurChannel() + 1);
}

bool CBooleanCommands::IsPortOpen() const { return m_pHost && m_pComm && m_pHost->IsPortOpen(); }

void CBooleanCommands::ReportFailure(bool bOk) {
    if (!bOk)
        m_pHost->ReportTransmitError();
}

void CBooleanCommands::SendCurrentEquation() {
    if (!IsPortOpen())
        return;
    m_pHost->PauseLink();
    ReportFailure(m_pComm->SendEquation());
    m_pHost->ContinueLink();
}

// Each pass handles one channel, so the picker always reopens on the channel
// after the one just handled, refused or edited.
void CBooleanCommands::OnBooleanEditor() {
    m_shell.UpdateTitle();
    while (PickChannel()) {
        if (m_sys.IsCurChannelHiSpeed())
            m_shell.MessageBox(kHiSpeedText, EBoxButtons::Ok, EBoxIcon::Exclamation);
        else if (!MayCarryBoolean())
            m_shell.MessageBox(kStrictText, EBoxButtons::Ok, EBoxIcon::Exclamation);
        else
            EditCurrentEquation();
        m_sys.NextCurChannel();
    }
}

// The controller's equation is the one the vehicle runs, so it is the one
// edited; Cancel puts every equation back as it was before the command,
// undoing the read as well as whatever COPY, CUT, PASTE or the type button
// stored meanwhile.
void CBooleanCommands::EditCurrentEquation() {
    m_shell.UpdateTitle();
    m_sys.BackupEquations();
    if (IsPortOpen()) {
        m_pHost->PauseLink();
        m_pComm->ReadEquation();
        m_pHost->ContinueLink();
    }
    CBooleanEditor dialog(m_sys, m_pParent);
    auto explorer = [this](QWidget* pParent, short nIndex) {
        ShowExplorer(pParent, nIndex, false);
    };
    dialog.SetLogicExplorer(explorer);
    dialog.SetWhereUsedReport(
        [this, explorer](QWidget* pParent) { ShowWhereUsedReport(m_sys, pParent, explorer); });
    if (m_pLive)
        dialog.SetLiveLogic(m_pLive);
    if (dialog.exec() == QDialog::Accepted)
        SendCurrentEquation();
    else
        m_sys.RestoreEquations();
}

// A cleared channel is a change like any other edit: it counts as unsaved
// work, so opening another system asks first.
void CBooleanCommands::OnBooleanClear() {
    m_shell.UpdateTitle();
    while (PickChannel()) {
        if (m_sys.IsCurChannelHiSpeed()) {
            m_shell.MessageBox(kHiSpeedText, EBoxButtons::Ok, EBoxIcon::Exclamation);
            m_sys.NextCurChannel();
            continue;
        }
        m_sys.ClearCurChannel();
        m_sys.SetModified();
        SendCurrentEquation();
        if (m_shell.MessageBox(kClearAnotherText, EBoxButtons::YesNo, EBoxIcon::Question) !=
            EBoxAnswer::Yes)
            return;
        m_sys.NextCurChannel();
    }
}

// The copy marks name the channels that received a copy, so OK sends those
// and nothing else; Cancel puts every equation back.
void CBooleanCommands::OnBooleanCopy() {
    m_shell.UpdateTitle();
    m_sys.ClearCopyMarks();
    {
        CBooleanCopyDlg dialog(m_sys, m_types, m_pParent);
        m_sys.BackupEquations();
        if (dialog.exec() != QDialog::Accepted)
            m_sys.RestoreEquations();
        else if (IsPortOpen())
            SendMarkedChannels();
    }
    m_sys.ClearCopyMarks();
}

// The current channel ends on the last channel sent.
void CBooleanCommands::SendMarkedChannels() {
    m_pHost->PauseLink();
    m_sys.SuspendLink();
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
            for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
                if (!m_sys.Channel(nModule, nChannel, nLoop).m_bCopyMark)
                    continue;
                m_sys.SetCurLoop(nLoop);
                m_sys.SetCurModule(nModule);
                m_sys.SetCurChannel(nChannel);
                ReportFailure(m_pComm->SendEquation());
                ReportFailure(m_pComm->SendChannelLabel());
            }
    m_sys.ResumeLink();
    m_pHost->ContinueLink();
}
