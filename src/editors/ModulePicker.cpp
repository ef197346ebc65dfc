#include "editors/ModulePicker.h"

#include "editors/ModuleBrowser.h"
#include "editors/ReadOnlyLook.h"
#include "model/System.h"
#include "moduletypes/ModuleTypeTexts.h"
#include "shell/Text.h"

#include "ui_ModulePicker.h"

CModulePicker::CModulePicker(CSystem& sys, const CModuleTypeTexts& types, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_types(types), m_ui(std::make_unique<Ui::CModulePicker>()) {
    m_ui->setupUi(this);
    ShowReadOnlyFields(*this);
    AttachModuleBrowser(m_sys, *m_ui->comboLoop, *m_ui->scrollModule,
                        [this] { RefreshModuleInfo(); });
    RefreshModuleInfo();

    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CModulePicker::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CModulePicker::reject);
}

CModulePicker::~CModulePicker() = default;

void CModulePicker::RefreshModuleInfo() {
    const short nLoop = m_sys.GetCurLoop();
    const short nModule = m_sys.GetCurModule();
    m_ui->editModuleLetter->setText(QString(QChar(CSystem::ModuleLetter(nModule))));
    m_ui->editModuleLabel->setText(
        ToQString(m_sys.GetModuleLabel(nModule, nLoop).substr(0, CSystem::kLabelLength)));
    const short nType = m_sys.GetModuleType(nModule, nLoop);
    m_ui->editModuleType->setText(ToQString(m_types.GetNameById(nType)));
    m_ui->editNote->setText(ToQString(m_types.GetNoteById(nType)));
    m_ui->editDescription->setText(ToQString(m_types.GetDescriptionById(nType)));
}

void CModulePicker::accept() {
    QDialog::accept();
    m_sys.SetCurModule(static_cast<short>(m_ui->scrollModule->value()));
}
