#include "editors/ChannelPicker.h"

#include "diagnostics/LogicView.h"
#include "editors/ModuleBrowser.h"
#include "editors/RadioGroup.h"
#include "editors/ReadOnlyLook.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "moduletypes/ModuleTypeTexts.h"
#include "reports/WhereUsedDlg.h"
#include "shell/FocusedButtonEnter.h"
#include "shell/Text.h"

#include "ui_ChannelPicker.h"

#include <QButtonGroup>
#include <QStyle>

CChannelPicker::CChannelPicker(CSystem& sys, const CModuleTypeTexts& types, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_types(types), m_ui(std::make_unique<Ui::CChannelPicker>()),
      m_whereUsed([&sys](QWidget* pParent) { ShowWhereUsedReport(sys, pParent); }),
      m_explorer([&sys](QWidget* pParent, short nIndex) {
          ShowLogicView(sys, nullptr, nIndex, pParent, {}, "");
      }) {
    m_ui->setupUi(this);
    ShowReadOnlyFields(*this);
    m_pChannels = MakeRadioGroup(*this, "radioChannel%1", 1, CSystem::kChannelsPerModule);
    m_ui->buttonWhereUsed->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    m_ui->buttonExplorer->setIcon(style()->standardIcon(QStyle::SP_FileDialogListView));

    AttachModuleBrowser(m_sys, *m_ui->comboLoop, *m_ui->scrollModule,
                        [this] { RefreshChannelList(); });
    RefreshChannelList();
    CheckRadio(*m_pChannels, m_sys.GetCurChannel());
    FocusCheckedRadio(*m_pChannels);

    CFocusedButtonEnter::Install(*this);
    connect(m_ui->buttonWhereUsed, &QToolButton::clicked, this, &CChannelPicker::OnWhereUsed);
    connect(m_ui->buttonExplorer, &QToolButton::clicked, this, &CChannelPicker::OnExplorer);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CChannelPicker::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CChannelPicker::reject);
}

CChannelPicker::~CChannelPicker() = default;

void CChannelPicker::OnWhereUsed() {
    StoreChoice();
    m_whereUsed(this);
}

void CChannelPicker::OnExplorer() {
    StoreChoice();
    m_explorer(this, m_sys.GetCurIndex());
    // An equation edited from the explorer may have changed the labels.
    RefreshChannelList();
}

// The channel ticked stays ticked while the module and loop change: it is
// the technician's choice, and the current channel changes only on OK.
void CChannelPicker::RefreshChannelList() {
    const short nLoop = m_sys.GetCurLoop();
    const short nModule = m_sys.GetCurModule();
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
        auto* pLabel = findChild<QLineEdit*>(QString("editChannelLabel%1").arg(nChannel + 1));
        pLabel->setText(ToQString(m_sys.GetChannelLabel(nModule, nChannel, nLoop)));
    }
    m_ui->editModuleLetter->setText(QString(QChar(CSystem::ModuleLetter(nModule))));
    m_ui->editModuleLabel->setText(
        ToQString(m_sys.GetModuleLabel(nModule, nLoop).substr(0, CSystem::kLabelLength)));
    const short nType = m_sys.GetModuleType(nModule, nLoop);
    m_ui->editModuleType->setText(ToQString(m_types.GetNameById(nType)));
    m_ui->editDescription->setText(ToQString(m_types.GetDescriptionById(nType)));
}

void CChannelPicker::StoreChoice() {
    m_sys.SetCurModule(static_cast<short>(m_ui->scrollModule->value()));
    m_sys.SetCurChannel(static_cast<short>(CheckedRadio(*m_pChannels)));
}

void CChannelPicker::accept() {
    QDialog::accept();
    StoreChoice();
}
