#include "moduletypes/AssignModuleTypeDlg.h"
#include "moduletypes/ModuleTypeCommands.h"
#include "moduletypes/ModuleTypeDlg.h"
#include "moduletypes/ModuleTypePreferencesDlg.h"
#include "moduletypes/ModuleTypesFixture.h"
#include "moduletypes/PickModuleTypeDlg.h"
#include "support/ModalScript.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <filesystem>

namespace {

class TypeCommandsTest : public TypeLibraryTest {
protected:
    CModuleTypeCommands commands{sys, types, m_shell, nullptr};
    CModalScript script;

    static QLineEdit& Field(QDialog& dialog, const char* szName) {
        return *dialog.findChild<QLineEdit*>(szName);
    }
    static QScrollBar& TypeBar(QDialog& dialog) {
        return *dialog.findChild<QScrollBar*>("scrollType");
    }
    static QCheckBox& Box(QDialog& dialog, const char* szPrefix, int nChannel) {
        return *dialog.findChild<QCheckBox*>(QString("%1%2").arg(szPrefix).arg(nChannel));
    }
    static CModalScript::Step Scroll(QAbstractSlider::SliderAction action) {
        return [action](QDialog& dialog) { TypeBar(dialog).triggerAction(action); };
    }
    static CModalScript::Step Type(const char* szField, const char* szText) {
        return [szField, szText](QDialog& dialog) {
            Field(dialog, szField).clear();
            QTest::keyClicks(&Field(dialog, szField), szText);
        };
    }
    static CModalScript::Step ExpectShown(const char* szName) {
        return [szName](QDialog& dialog) {
            EXPECT_EQ(szName, Field(dialog, "editModuleType").text());
        };
    }
};

} // namespace

TEST_F(TypeCommandsTest, CreateThenCancelKeepsTheDefaultType) {
    script.Then([](QDialog& dialog) {
        EXPECT_EQ("EDIT DVX MODULE TYPE", dialog.windowTitle());
        EXPECT_EQ("Module_1", Field(dialog, "editModuleType").text());
        EXPECT_EQ("System", Field(dialog, "editDescription").text());
        EXPECT_EQ("DVX", Field(dialog, "editNote").text());
        Field(dialog, "editModuleType").setText("CHANGED");
        dialog.reject();
    });
    commands.OnCreateModuleType();
    ASSERT_EQ(1, types.GetCount());
    EXPECT_EQ("Module_1", types.GetTypeName());
    EXPECT_EQ("System", types.GetDescription());
    EXPECT_EQ("DVX", types.GetNote());
    EXPECT_EQ(1, m_shell.m_nTitleUpdates);
}

TEST_F(TypeCommandsTest, CreateThenOkStoresTheEditsWithoutMarkingTheSystem) {
    script.Then(Type("editModuleType", "LIGHTING"))
        .Then(Type("editNote", "CAB"))
        .Then([](QDialog& dialog) {
            Box(dialog, "checkOutput", 4).click();
            Box(dialog, "checkSwitch", 4).click();
            Box(dialog, "checkSwitch", 7).click();
            Box(dialog, "checkOutput", 7).click();
            Box(dialog, "checkOutput", 9).click();
            Box(dialog, "checkOutput", 9).click();
            EXPECT_FALSE(Box(dialog, "checkOutput", 4).isChecked());
            EXPECT_TRUE(Box(dialog, "checkSwitch", 4).isChecked());
            dialog.accept();
        });
    commands.OnCreateModuleType();
    EXPECT_EQ("LIGHTING", types.GetTypeName());
    EXPECT_EQ("System", types.GetDescription());
    EXPECT_EQ("CAB", types.GetNote());
    EXPECT_TRUE(types.IsSwitchChannel(4));
    EXPECT_FALSE(types.IsOutputChannel(4));
    EXPECT_TRUE(types.IsOutputChannel(7));
    EXPECT_FALSE(types.IsSwitchChannel(7));
    EXPECT_FALSE(types.IsOutputChannel(9)) << "clearing a box changes nothing else";
    EXPECT_FALSE(sys.IsModified());
}

TEST_F(TypeCommandsTest, EditRefusesTextsOverFifteenCharacters) {
    AddType("SIXTEEN_CHARS_XX");
    m_shell.ExpectBox("Please enter no more than 15 characters.");
    script.Then(CModalScript::Accept())
        .Then([](QDialog& dialog) {
            EXPECT_EQ("SIXTEEN_CHARS_XX", Field(dialog, "editModuleType").text())
                << "a long name from the file is shown whole";
            dialog.accept();
        })
        .Then([this](QDialog& dialog) {
            EXPECT_EQ("CModuleTypeDlg", dialog.objectName()) << "the refusal keeps it open";
            EXPECT_EQ("SIXTEEN_CHARS_XX", types.GetTypeName()) << "nothing stored";
            QTest::keyClick(&Field(dialog, "editModuleType"), Qt::Key_End);
            QTest::keyClick(&Field(dialog, "editModuleType"), Qt::Key_Backspace);
            QTest::keyClick(&Field(dialog, "editDescription"), Qt::Key_End);
            QTest::keyClicks(&Field(dialog, "editDescription"), "TYPED TOO LONG");
            dialog.accept();
        })
        .Then(CModalScript::Reject());
    commands.OnEditModuleType();
    EXPECT_EQ("SIXTEEN_CHARS_X", types.GetTypeName());
    EXPECT_EQ("SystemTYPED TOO", types.GetDescription()) << "typing stops at 15";
}

TEST_F(TypeCommandsTest, EmptyLibraryMessages) {
    m_shell.ExpectBox("There are no modules to edit.");
    commands.OnEditModuleType();
    m_shell.ExpectBox("There are no modules to delete.");
    commands.OnDeleteModuleType();
    script.Then(CModalScript::Accept());
    m_shell.ExpectBox("There are no modules defined.");
    commands.OnAssignModuleType();
    EXPECT_EQ((std::vector<QString>{"CModulePicker"}), script.Seen());
}

TEST_F(TypeCommandsTest, EditLoopsBackToThePickDialogUntilCancelled) {
    AddType("FIRST");
    AddType("SECOND");
    AddType("THIRD");
    script
        .Then([](QDialog& dialog) {
            EXPECT_EQ("MODULE TYPE SELECTOR", dialog.windowTitle());
            EXPECT_EQ(2, TypeBar(dialog).value()) << "opens on the current type";
            TypeBar(dialog).triggerAction(QAbstractSlider::SliderSingleStepSub);
            EXPECT_EQ("SECOND", Field(dialog, "editModuleType").text());
            dialog.accept();
        })
        .Then(ExpectShown("SECOND"))
        .Then(Type("editModuleType", "RENAMED"))
        .Then(CModalScript::Accept())
        .Then([](QDialog& dialog) {
            EXPECT_EQ(1, TypeBar(dialog).value());
            EXPECT_EQ("RENAMED", Field(dialog, "editModuleType").text());
            dialog.accept();
        })
        .Then(CModalScript::Reject())
        .Then(CModalScript::Reject());
    commands.OnEditModuleType();
    const std::vector<QString> seen{"CPickModuleTypeDlg", "CModuleTypeDlg",     "CModuleTypeDlg",
                                    "CModuleTypeDlg",     "CPickModuleTypeDlg", "CModuleTypeDlg",
                                    "CPickModuleTypeDlg"};
    EXPECT_EQ(seen, script.Seen());
    EXPECT_EQ(1, types.GetCurrentIndex());
    EXPECT_EQ("RENAMED", types.GetTypeName());
}

TEST_F(TypeCommandsTest, PageScrollingMovesASixthOfTheLibrary) {
    for (int i = 0; i < 5; ++i)
        AddType("T" + std::to_string(i));
    types.SelectByIndex(2);
    script.Then([](QDialog& dialog) {
        TypeBar(dialog).setFocus();
        QTest::keyClick(&TypeBar(dialog), Qt::Key_PageDown);
        QTest::keyClick(&TypeBar(dialog), Qt::Key_PageUp);
        EXPECT_EQ(2, TypeBar(dialog).value()) << "no paging below six types";
        QTest::keyClick(&TypeBar(dialog), Qt::Key_Down);
        EXPECT_EQ("T3", Field(dialog, "editModuleType").text());
        dialog.reject();
    });
    commands.OnEditModuleType();
    EXPECT_EQ(3, types.GetCurrentIndex()) << "Cancel leaves the type where scrolling left it";

    for (int i = 5; i < 12; ++i)
        AddType("T" + std::to_string(i));
    types.SelectByIndex(9);
    script.Then([](QDialog& dialog) {
        TypeBar(dialog).triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(11, TypeBar(dialog).value());
        TypeBar(dialog).triggerAction(QAbstractSlider::SliderPageStepSub);
        TypeBar(dialog).triggerAction(QAbstractSlider::SliderPageStepSub);
        EXPECT_EQ(7, TypeBar(dialog).value());
        TypeBar(dialog).setSliderPosition(4);
        EXPECT_EQ("T4", Field(dialog, "editModuleType").text());
        dialog.reject();
    });
    commands.OnDeleteModuleType();
    EXPECT_EQ(4, types.GetCurrentIndex());
    EXPECT_EQ(12, types.GetCount());
}

TEST_F(TypeCommandsTest, DeletedTypesRenumberWhenTheLibraryIsReadAgain) {
    for (const char* szName : {"ONE", "TWO", "THREE", "FOUR"})
        AddType(szName);
    sys.SetModuleType(5, 1, 4);
    sys.SetModuleType(6, 1, 3);
    script.Then([](QDialog& dialog) {
        TypeBar(dialog).setSliderPosition(1);
        dialog.accept();
    });
    m_shell.ExpectBox("Module successfully deleted.");
    commands.OnDeleteModuleType();
    ASSERT_EQ(3, types.GetCount());
    EXPECT_EQ(0, types.GetCurrentIndex());
    EXPECT_EQ("FOUR", types.GetNameById(4)) << "identifiers hold until the next read";

    ASSERT_TRUE(types.Save(""));
    types.RemoveAll();
    types.Load("");
    EXPECT_EQ("THREE", types.GetNameById(2));
    EXPECT_EQ("FOUR", types.GetNameById(3));
    EXPECT_EQ(" ", types.GetNameById(sys.GetModuleType(5, 1)));
    EXPECT_EQ("FOUR", types.GetNameById(sys.GetModuleType(6, 1)))
        << "assignments follow the position in the file";
}

TEST_F(TypeCommandsTest, AssignSetsTheTypeOfEachModulePickedAndNeverTouchesEquations) {
    AddType("LAMPS", {1});
    AddType("SWITCHES", {}, {2});
    types.SetStrictChecking(true);
    Select(1, 2, 3);
    sys.SetTermA(0, 17);
    sys.SetEquationNot(true);
    const std::string strEquation = sys.GetEquationText(2, 3, 1);

    script
        .Then([](QDialog& dialog) {
            EXPECT_EQ("DVX  MODULE  SELECTOR", dialog.windowTitle());
            dialog.accept();
        })
        .Then([](QDialog& dialog) {
            EXPECT_EQ("ASSIGN MODULE TYPE SELECTOR", dialog.windowTitle());
            EXPECT_EQ("YELLOW LOOP", Field(dialog, "editLoop").text());
            EXPECT_EQ("C", Field(dialog, "editModuleLetter").text());
            EXPECT_EQ("Yellow_Modul_C", Field(dialog, "editModuleLabel").text());
            EXPECT_EQ("SWITCHES", Field(dialog, "editModuleType").text());
            EXPECT_TRUE(Box(dialog, "checkSwitch", 2).isChecked());
            TypeBar(dialog).triggerAction(QAbstractSlider::SliderSingleStepSub);
            EXPECT_EQ("LAMPS", Field(dialog, "editModuleType").text());
            EXPECT_TRUE(Box(dialog, "checkOutput", 1).isChecked());
            QTest::mouseClick(&Box(dialog, "checkOutput", 1), Qt::LeftButton);
            EXPECT_TRUE(Box(dialog, "checkOutput", 1).isChecked()) << "display only";
            dialog.accept();
        })
        .Then([](QDialog& dialog) {
            dialog.findChild<QScrollBar*>("scrollModule")
                ->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            dialog.accept();
        })
        .Then([](QDialog& dialog) {
            TypeBar(dialog).triggerAction(QAbstractSlider::SliderSingleStepAdd);
            dialog.reject();
        })
        .Then(CModalScript::Reject());
    commands.OnAssignModuleType();

    EXPECT_EQ(1, sys.GetModuleType(2, 1));
    EXPECT_EQ(0, sys.GetModuleType(3, 1)) << "Cancel assigns nothing";
    EXPECT_EQ(1, types.GetCurrentIndex()) << "the type stays where scrolling left it";
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ(strEquation, sys.GetEquationText(2, 3, 1));
    EXPECT_TRUE(sys.IsEquationDefined(2, 3, 1));
}

TEST_F(TypeCommandsTest, PreferencesSwitchStrictCheckingInMemoryOnly) {
    types.Save("");
    const auto fileBefore = std::filesystem::last_write_time(m_dir.Path() / "ModuleTypes.dat");
    script.Then([](QDialog& dialog) {
        EXPECT_EQ("DVX Module Type Preferences", dialog.windowTitle());
        auto* pBox = dialog.findChild<QCheckBox*>("checkStrict");
        EXPECT_EQ("Strict module type checking", pBox->text());
        EXPECT_FALSE(pBox->isChecked());
        pBox->click();
        dialog.accept();
    });
    commands.OnModuleTypePreferences();
    EXPECT_TRUE(types.GetStrictChecking());

    script.Then([](QDialog& dialog) {
        auto* pBox = dialog.findChild<QCheckBox*>("checkStrict");
        EXPECT_TRUE(pBox->isChecked());
        pBox->click();
        dialog.reject();
    });
    commands.OnModuleTypePreferences();
    EXPECT_TRUE(types.GetStrictChecking()) << "Cancel changes nothing";
    EXPECT_EQ(fileBefore, std::filesystem::last_write_time(m_dir.Path() / "ModuleTypes.dat"));
}

// The flags of a type that is only shown must not look like boxes to tick.
TEST_F(TypeCommandsTest, DisplayOnlyFlagsAndFieldsLookReadOnly) {
    AddType("LIGHTING BAR", {1, 2}, {7});
    CAssignModuleTypeDlg assign(sys, types);
    CPickModuleTypeDlg pick(types);
    for (QDialog* pDialog : std::initializer_list<QDialog*>{&assign, &pick}) {
        const QColor window = pDialog->palette().color(QPalette::Window);
        EXPECT_EQ(Box(*pDialog, "checkOutput", 1).palette().color(QPalette::Base), window);
        EXPECT_EQ(Box(*pDialog, "checkSwitch", 10).palette().color(QPalette::Base), window);
        EXPECT_EQ(Field(*pDialog, "editModuleType").palette().color(QPalette::Base), window);
    }
    CModuleTypeDlg edit(types, m_shell);
    EXPECT_NE(Box(edit, "checkOutput", 1).palette().color(QPalette::Base),
              edit.palette().color(QPalette::Window))
        << "the editing dialog's boxes are there to be ticked";
}
