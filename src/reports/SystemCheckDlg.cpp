#include "reports/SystemCheckDlg.h"

#include "model/ShellServices.h"
#include "model/System.h"
#include "model/SystemCheck.h"
#include "reports/ListTextFile.h"
#include "shell/FocusedButtonEnter.h"
#include "shell/Text.h"
#include "ui_SystemCheckDlg.h"

#include <QEvent>

#include <QHeaderView>
#include <QStyle>
#include <algorithm>

namespace {

QStyle::StandardPixmap SeverityIcon(CSystemFinding::ESeverity severity) {
    switch (severity) {
    case CSystemFinding::ESeverity::Error:
        return QStyle::SP_MessageBoxCritical;
    case CSystemFinding::ESeverity::Warning:
        return QStyle::SP_MessageBoxWarning;
    case CSystemFinding::ESeverity::Note:
        break;
    }
    return QStyle::SP_MessageBoxInformation;
}

} // namespace

CSystemCheckDlg::CSystemCheckDlg(CSystem& system, const CModuleTypes& types, CShellServices& shell,
                                 COpeners openers, QWidget* pParent)
    : QDialog(pParent), m_system(system), m_types(types), m_shell(shell),
      m_openers(std::move(openers)), m_pUi(std::make_unique<Ui::CSystemCheckDlg>()) {
    m_pUi->setupUi(this);
    // A dialog window stays above the main window, where the technician
    // edits what it lists.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setSizeGripEnabled(true);
    // Tab leaves the list for its buttons; the arrows move from row to row.
    Table().setTabKeyNavigation(false);
    CFocusedButtonEnter::Install(*this);
    connect(&Table(), &QTableWidget::activated, this,
            [this](const QModelIndex& index) { OpenFinding(index.row()); });
    connect(m_pUi->SaveButton, &QPushButton::clicked, this, [this] { OnSaveAsText(); });
    Refresh();
}

CSystemCheckDlg::~CSystemCheckDlg() = default;

QTableWidget& CSystemCheckDlg::Table() const { return *m_pUi->FindingTable; }

void CSystemCheckDlg::Refresh() {
    m_aFindings = CSystemCheck(m_system, m_types).Run();
    setWindowTitle(ToQString("CHECK SYSTEM: " + CSystemCheck::CountsText(m_aFindings)));
    QTableWidget& table = Table();
    const int nCurrent = table.currentRow();
    table.setRowCount(static_cast<int>(m_aFindings.size()));
    for (int nRow = 0; nRow < table.rowCount(); ++nRow) {
        const CSystemFinding& finding = m_aFindings[static_cast<std::size_t>(nRow)];
        auto* pChannel = new QTableWidgetItem(style()->standardIcon(SeverityIcon(finding.severity)),
                                              ToQString(finding.ChannelsText()));
        pChannel->setToolTip(CSystemFinding::SeverityName(finding.severity));
        table.setItem(nRow, 0, pChannel);
        table.setItem(nRow, 1, new QTableWidgetItem(ToQString(finding.strText)));
    }
    table.setVisible(!m_aFindings.empty());
    m_pUi->NoFindingsLabel->setVisible(m_aFindings.empty());
    table.resizeColumnToContents(0);
    table.resizeRowsToContents();
    if (table.rowCount() > 0)
        table.setCurrentCell(std::clamp(nCurrent, 0, table.rowCount() - 1), 0);
}

void CSystemCheckDlg::OpenFinding(int nRow) {
    if (nRow < 0 || nRow >= static_cast<int>(m_aFindings.size()))
        return;
    const CSystemFinding& finding = m_aFindings[static_cast<std::size_t>(nRow)];
    if (finding.nPair > 0) {
        m_openers.fnHighSpeedChannels();
    } else {
        const short nIndex = finding.aChannels.front().nIndex;
        m_system.SetCurLoop(CSystem::LoopOf(nIndex));
        m_system.SetCurModule(CSystem::ModuleOf(nIndex));
        m_system.SetCurChannel(CSystem::ChannelOf(nIndex));
        m_openers.fnEditEquation();
    }
    Refresh();
    ComeBackToTheList();
}

// The editor gives the activation back to the main window, its parent,
// when it closes; the technician was working down the list.
void CSystemCheckDlg::ComeBackToTheList() {
    activateWindow();
    raise();
    Table().setFocus();
}

bool CSystemCheckDlg::OnSaveAsText() {
    return ListTextFile::Save(m_shell, "the findings", "FINDINGS.TXT", ListText(m_aFindings));
}

std::string CSystemCheckDlg::ListText(const std::vector<CSystemFinding>& aFindings) {
    std::string strText = "Severity\tFinding\tChannels\tText\r\n";
    for (const CSystemFinding& finding : aFindings)
        strText += std::string(CSystemFinding::SeverityName(finding.severity)) + "\t" +
                   finding.strId + "\t" + finding.ChannelsText() + "\t" + finding.strText + "\r\n";
    return strText + CSystemCheck::CountsText(aFindings) + "\r\n";
}

bool CSystemCheckDlg::event(QEvent* pEvent) {
    if (pEvent->type() == QEvent::WindowActivate)
        Refresh();
    return QDialog::event(pEvent);
}
