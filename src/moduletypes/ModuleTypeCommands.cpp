#include "moduletypes/ModuleTypeCommands.h"

#include "editors/ModulePicker.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "moduletypes/AssignModuleTypeDlg.h"
#include "moduletypes/ModuleTypeDlg.h"
#include "moduletypes/ModuleTypePreferencesDlg.h"
#include "moduletypes/ModuleTypes.h"
#include "moduletypes/PickModuleTypeDlg.h"

CModuleTypeCommands::CModuleTypeCommands(CSystem& sys, CModuleTypes& types, CShellServices& shell,
                                         QWidget* pParent)
    : m_sys(sys), m_types(types), m_shell(shell), m_pParent(pParent) {}

// One module after the other until the module selector is cancelled.
void CModuleTypeCommands::OnAssignModuleType() {
    m_shell.UpdateTitle();
    for (;;) {
        CModulePicker selector(m_sys, m_types, m_pParent);
        if (selector.exec() != QDialog::Accepted)
            return;
        if (m_types.GetCount() == 0) {
            m_shell.MessageBox("There are no modules defined.", EBoxButtons::Ok,
                               EBoxIcon::Exclamation);
            return;
        }
        CAssignModuleTypeDlg dialog(m_sys, m_types, m_pParent);
        dialog.exec();
    }
}

void CModuleTypeCommands::OnModuleTypePreferences() {
    m_shell.UpdateTitle();
    CModuleTypePreferencesDlg dialog(m_types, m_pParent);
    dialog.exec();
}

// Cancel keeps the new type with its defaults: it is in the library already.
void CModuleTypeCommands::OnCreateModuleType() {
    m_shell.UpdateTitle();
    if (!m_types.AddType())
        return;
    CModuleTypeDlg dialog(m_types, m_shell, m_pParent);
    dialog.exec();
}

// The pick dialog comes back after each edit until it is cancelled.
void CModuleTypeCommands::OnEditModuleType() {
    m_shell.UpdateTitle();
    if (m_types.GetCount() == 0) {
        m_shell.MessageBox("There are no modules to edit.", EBoxButtons::Ok, EBoxIcon::Exclamation);
        return;
    }
    while (PickType()) {
        CModuleTypeDlg dialog(m_types, m_shell, m_pParent);
        dialog.exec();
    }
}

// Assignments that carry the deleted type's identifier stay as they are and
// read as no type from then on.
void CModuleTypeCommands::OnDeleteModuleType() {
    m_shell.UpdateTitle();
    if (m_types.GetCount() == 0) {
        m_shell.MessageBox("There are no modules to delete.", EBoxButtons::Ok,
                           EBoxIcon::Exclamation);
        return;
    }
    if (!PickType())
        return;
    if (m_types.DeleteType(m_types.GetCurrent()))
        m_shell.MessageBox("Module successfully deleted.", EBoxButtons::Ok, EBoxIcon::Information);
}

bool CModuleTypeCommands::PickType() {
    CPickModuleTypeDlg dialog(m_types, m_pParent);
    return dialog.exec() == QDialog::Accepted;
}
