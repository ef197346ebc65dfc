#include "shell/CommandIds.h"
#include "shell/FrameFixture.h"
#include "support/ModalScript.h"

#include <QCheckBox>
#include <QDialog>

TEST_F(FrameTest, ModuleTypeMenuRunsTheTypeCommands) {
    m_shell.ExpectBox("There are no modules to edit.");
    Trigger(ID_EDIT_MODULE_TYPE);
    m_shell.ExpectBox("There are no modules to delete.");
    Trigger(ID_DELETE_MODULE_TYPE);

    CModalScript script;
    script.Then(CModalScript::Reject())
        .Then(CModalScript::Accept())
        .Then(CModalScript::Accept())
        .Then(CModalScript::Reject())
        .Then([](QDialog& dialog) {
            dialog.findChild<QCheckBox*>("checkStrict")->click();
            dialog.accept();
        });
    Trigger(ID_CREATE_MODULE_TYPE);
    Trigger(ID_ASSIGN_MODULE_TYPE);
    Trigger(ID_MODULE_TYPE_PREFERENCES);
    EXPECT_EQ(1, m_types.GetCount());
    EXPECT_TRUE(m_types.GetStrictChecking());
    EXPECT_EQ(1, sys.GetModuleType(0, 0));
    const std::vector<QString> seen{"CModuleTypeDlg", "CModulePicker", "CAssignModuleTypeDlg",
                                    "CModulePicker", "CModuleTypePreferencesDlg"};
    EXPECT_EQ(seen, script.Seen());
}
