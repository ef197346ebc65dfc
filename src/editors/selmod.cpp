#include "editors/selmod.h"

#include "editors/SteppingBar.h"
#include "model/system.h"
#include "moduletypes/ModuleTypeTexts.h"
#include "shell/Text.h"

#include "ui_selmod.h"

CSelMod::CSelMod(CSystem& sys, const CModuleTypeTexts& types, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_types(types), m_ui(std::make_unique<Ui::CSelMod>()) {
    m_ui->setupUi(this);
    const short nLoop = m_sys.GetCurLoopLimited();
    m_ui->comboLoop->setCurrentIndex(nLoop);
    AttachStepping(*m_ui->scrollModule, CStepping::ForModules(CSystem::GetLastModule(nLoop)),
                   [this](int nModule) { OnModuleStep(nModule); });
    m_ui->scrollModule->setValue(m_sys.GetCurModule());
    RefreshModuleInfo();

    connect(m_ui->comboLoop, &QComboBox::activated, this, &CSelMod::OnLoopSelected);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CSelMod::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CSelMod::reject);
}

CSelMod::~CSelMod() = default;

void CSelMod::OnModuleStep(int nModule) {
    m_sys.SetCurModule(static_cast<short>(nModule));
    RefreshModuleInfo();
}

void CSelMod::OnLoopSelected(int nLoop) {
    m_sys.SetCurLoop(static_cast<short>(nLoop));
    RefreshModuleInfo();
}

void CSelMod::RefreshModuleInfo() {
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

void CSelMod::accept() {
    QDialog::accept();
    m_sys.SetCurModule(static_cast<short>(m_ui->scrollModule->value()));
}
