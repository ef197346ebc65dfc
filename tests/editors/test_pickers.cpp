#include "editors/ChannelNumberDlg.h"
#include "editors/ChannelPicker.h"
#include "editors/ModulePicker.h"
#include "editors/ObjectGroupDlg.h"
#include "editors/SelectLoop.h"
#include "model/SystemFixture.h"
#include "moduletypes/ModuleTypes.h"
#include "support/ModalScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <vector>

namespace {

class PickerTest : public SystemTest {
protected:
    CModuleTypes m_types{m_dir.Str(), m_shell};

    // Adds types until identifier nId exists; that one is named "Type_<nId>"
    // with description "Desc_<nId>" and note "Note_<nId>".
    void AddTypeWithId(short nId) {
        while (m_types.GetCount() < nId)
            ASSERT_TRUE(m_types.AddType());
        const std::string strId = std::to_string(nId);
        m_types.SetTypeName("Type_" + strId);
        m_types.SetDescription("Desc_" + strId);
        m_types.SetNote("Note_" + strId);
    }

    template <class T> static QString Text(const QWidget& dialog, const char* szName) {
        return dialog.findChild<T*>(szName)->text();
    }
    static QString Field(const QWidget& dialog, const char* szName) {
        return Text<QLineEdit>(dialog, szName);
    }
    static QScrollBar& Bar(const QWidget& dialog) {
        return *dialog.findChild<QScrollBar*>("scrollModule");
    }
    static QComboBox& Loops(const QWidget& dialog) {
        return *dialog.findChild<QComboBox*>("comboLoop");
    }
    static QAbstractButton& Button(const QWidget& dialog, const QString& strName) {
        return *dialog.findChild<QAbstractButton*>(strName);
    }
    static bool IsChecked(const QWidget& dialog, const QString& strName) {
        return Button(dialog, strName).isChecked();
    }
};

} // namespace

TEST_F(PickerTest, ChannelPickerStartsOnAnEquationLoopAndShowsTheModule) {
    Select(5, 2, 4);
    sys.SetModuleType(2, 0, 3);
    AddTypeWithId(3);
    sys.SetModuleLabel(2, 0, "DOORS AND LOCKS X");
    CChannelPicker dialog(sys, m_types);

    EXPECT_EQ("SELECT  CHANNEL", dialog.windowTitle());
    EXPECT_EQ(0, sys.GetCurLoop()) << "TIMER RUNNING is not an equation loop";
    EXPECT_EQ("BLUE LOOP", Loops(dialog).currentText());
    EXPECT_EQ(4, Loops(dialog).count());
    EXPECT_EQ(2, Bar(dialog).value());
    EXPECT_EQ(15, Bar(dialog).maximum());
    EXPECT_EQ("C", Field(dialog, "editModuleLetter"));
    EXPECT_EQ("DOORS AND LOCKS", Field(dialog, "editModuleLabel"));
    EXPECT_EQ("Type_3", Field(dialog, "editModuleType"));
    EXPECT_EQ("Desc_3", Field(dialog, "editDescription"));
    EXPECT_EQ("Blue_Chl_C1", Field(dialog, "editChannelLabel1"));
    EXPECT_EQ("Blue_Chl_C10", Field(dialog, "editChannelLabel10"));
    EXPECT_EQ("CHANNEL 5", Text<QAbstractButton>(dialog, "radioChannel5"));
    EXPECT_TRUE(IsChecked(dialog, "radioChannel5"));
}

TEST_F(PickerTest, ChannelPickerWritesLoopAndModuleWhileBrowsingAndChannelOnOk) {
    Select(1, 12, 3);
    CChannelPicker dialog(sys, m_types);
    Bar(dialog).setFocus();
    QTest::keyClick(&Bar(dialog), Qt::Key_PageDown);
    EXPECT_EQ(15, sys.GetCurModule());
    EXPECT_EQ("P", Field(dialog, "editModuleLetter"));
    QTest::keyClick(&Bar(dialog), Qt::Key_PageUp);
    EXPECT_EQ(12, sys.GetCurModule());
    QTest::keyClick(&Bar(dialog), Qt::Key_Up);
    EXPECT_EQ(11, sys.GetCurModule());
    QTest::keyClick(&Loops(dialog), Qt::Key_Down);
    EXPECT_EQ(2, sys.GetCurLoop());
    EXPECT_EQ("Virtual_Chl_L1", Field(dialog, "editChannelLabel1"));

    Button(dialog, "radioChannel8").click();
    EXPECT_EQ(3, sys.GetCurChannel()) << "the channel waits for OK";
    dialog.accept();
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ(2, sys.GetCurLoop());
    EXPECT_EQ(11, sys.GetCurModule());
    EXPECT_EQ(7, sys.GetCurChannel());
}

TEST_F(PickerTest, ChannelPickerWorksFromTheKeyboardAlone) {
    Select(0, 0, 0);
    CChannelPicker dialog(sys, m_types);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    Loops(dialog).setFocus();
    QTest::keyClick(&dialog, Qt::Key_Tab);
    ASSERT_EQ(&Bar(dialog), QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(&dialog, Qt::Key_Tab);
    ASSERT_EQ(&Button(dialog, "radioChannel1"), QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ(4, sys.GetCurModule());
    EXPECT_EQ(2, sys.GetCurChannel());
}

TEST_F(PickerTest, ChannelPickerCancelKeepsOnlyWhatBrowsingWrote) {
    Select(0, 0, 6);
    CChannelPicker dialog(sys, m_types);
    Bar(dialog).setSliderPosition(9);
    Button(dialog, "radioChannel2").click();
    dialog.reject();
    EXPECT_EQ(9, sys.GetCurModule());
    EXPECT_EQ(6, sys.GetCurChannel());
}

TEST_F(PickerTest, ChannelPickerKeepsTheChosenChannelWhenTheModuleOrLoopChanges) {
    Select(0, 4, 1);
    CChannelPicker dialog(sys, m_types);
    Button(dialog, "radioChannel5").click();
    Bar(dialog).triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(5, sys.GetCurModule());
    EXPECT_TRUE(IsChecked(dialog, "radioChannel5"));
    Loops(dialog).setCurrentIndex(1);
    emit Loops(dialog).activated(1);
    EXPECT_TRUE(IsChecked(dialog, "radioChannel5"));
    dialog.accept();
    EXPECT_EQ(1, sys.GetCurLoop());
    EXPECT_EQ(5, sys.GetCurModule());
    EXPECT_EQ(4, sys.GetCurChannel());
}

// Every radio list opens with the focus on its checked button; the arrow
// keys move check and focus together, Tab comes back to the checked button,
// and Enter takes the checked choice, which is where the focus ring is.
TEST_F(PickerTest, RadioListsDrivenByKeysTakeTheChoiceTheFocusIsOn) {
    enum EPicker { Group, Channel, Pick };
    const struct {
        EPicker picker;
        int nStart;
        std::vector<Qt::Key> aKeys;
        int nChosen;
    } aCases[] = {
        {Group, 2, {Qt::Key_Up}, 1},
        {Group, 2, {Qt::Key_Up, Qt::Key_Left, Qt::Key_Up}, 0},
        {Group, 0, {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down}, 2},
        {Group, 2, {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Up}, 1},
        {Channel, 6, {Qt::Key_Up}, 5},
        {Channel, 0, {Qt::Key_Up, Qt::Key_Down, Qt::Key_Down}, 2},
        {Channel, 9, {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Down, Qt::Key_Left}, 8},
        {Pick, 6, {Qt::Key_Up}, 5},
        {Pick, 3, {Qt::Key_Backtab, Qt::Key_Tab, Qt::Key_Down}, 4},
    };
    for (const auto& c : aCases) {
        Select(0, 2, static_cast<short>(c.picker == Group ? 0 : c.nStart));
        sys.SetObjectGroup(c.nStart);
        std::unique_ptr<QDialog> pDialog;
        if (c.picker == Group)
            pDialog = std::make_unique<CObjectGroupDlg>(sys);
        else if (c.picker == Channel)
            pDialog = std::make_unique<CChannelNumberDlg>(sys);
        else
            pDialog = std::make_unique<CChannelPicker>(sys, m_types);
        const QString strPattern = c.picker == Group ? "radioGroup%1" : "radioChannel%1";
        const int nFirst = c.picker == Group ? 0 : 1;
        pDialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pDialog.get()));
        EXPECT_EQ(&Button(*pDialog, strPattern.arg(c.nStart + nFirst)),
                  QApplication::focusWidget());
        for (Qt::Key key : c.aKeys)
            QTest::keyClick(QApplication::focusWidget(), key);
        auto* pFocus = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
        ASSERT_NE(nullptr, pFocus) << c.nStart;
        EXPECT_EQ(strPattern.arg(c.nChosen + nFirst), pFocus->objectName());
        EXPECT_TRUE(pFocus->isChecked());
        QTest::keyClick(pFocus, Qt::Key_Return);
        EXPECT_EQ(QDialog::Accepted, pDialog->result());
        EXPECT_EQ(c.nChosen, c.picker == Group ? sys.GetObjectGroup() : sys.GetCurChannel())
            << c.picker << " from " << c.nStart;
    }
}

TEST_F(PickerTest, ChannelPickerWhereUsedMakesTheChannelCurrent) {
    Select(0, 0, 0);
    CChannelPicker dialog(sys, m_types);
    Bar(dialog).triggerAction(QAbstractSlider::SliderPageStepAdd);
    Button(dialog, "radioChannel4").click();
    QString strReport;
    CModalScript script;
    script.Then([&](QDialog& report) {
        strReport = report.windowTitle();
        report.accept();
    });
    Button(dialog, "buttonWhereUsed").click();
    EXPECT_EQ("Where Used Report", strReport.toStdString());
    EXPECT_EQ(3, sys.GetCurModule());
    EXPECT_EQ(3, sys.GetCurChannel());

    int nRuns = 0;
    dialog.SetWhereUsedReport([&](QWidget*) { ++nRuns; });
    Button(dialog, "radioChannel9").click();
    Button(dialog, "buttonWhereUsed").click();
    EXPECT_EQ(1, nRuns);
    EXPECT_EQ(8, sys.GetCurChannel());
}

TEST_F(PickerTest, ModulePickerBrowsesAndConfirmsTheModule) {
    Select(4, 3, 2);
    sys.SetModuleType(1, 3, 7);
    AddTypeWithId(7);
    CModulePicker dialog(sys, m_types);
    EXPECT_EQ("DVX  MODULE  SELECTOR", dialog.windowTitle());
    EXPECT_EQ(0, sys.GetCurLoop());
    EXPECT_EQ(" ", Field(dialog, "editModuleType")) << "no type assigned";

    Loops(dialog).setCurrentIndex(3);
    emit Loops(dialog).activated(3);
    Bar(dialog).triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(3, sys.GetCurLoop());
    EXPECT_EQ(0, sys.GetCurModule()) << "page up from 3 goes to 0";
    Bar(dialog).triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ("B", Field(dialog, "editModuleLetter"));
    EXPECT_EQ("TmrEnbl_Modul_B", Field(dialog, "editModuleLabel"));
    EXPECT_EQ("Type_7", Field(dialog, "editModuleType"));
    EXPECT_EQ("Desc_7", Field(dialog, "editDescription"));
    EXPECT_EQ("Note_7", Field(dialog, "editNote"));

    dialog.reject();
    EXPECT_EQ(3, sys.GetCurLoop()) << "browsing already wrote the loop";
    EXPECT_EQ(1, sys.GetCurModule());
    EXPECT_EQ(2, sys.GetCurChannel());

    CModulePicker again(sys, m_types);
    Bar(again).setSliderPosition(14);
    again.accept();
    EXPECT_EQ(14, sys.GetCurModule());
}

TEST_F(PickerTest, ChannelNumberDlgWritesTheChannelOnlyOnOk) {
    Select(0, 0, 3);
    CChannelNumberDlg dialog(sys);
    EXPECT_EQ("DVX  CHANNEL  SELECTOR", dialog.windowTitle());
    EXPECT_TRUE(IsChecked(dialog, "radioChannel4"));
    Button(dialog, "radioChannel10").click();
    dialog.reject();
    EXPECT_EQ(3, sys.GetCurChannel());

    CChannelNumberDlg again(sys);
    Button(again, "radioChannel10").click();
    again.accept();
    EXPECT_EQ(9, sys.GetCurChannel());
}

TEST_F(PickerTest, ObjectGroupDlgWritesTheScopeOnlyOnOk) {
    CObjectGroupDlg dialog(sys);
    EXPECT_EQ("SELECT  OBJECT  GROUP", dialog.windowTitle());
    EXPECT_TRUE(IsChecked(dialog, "radioGroup2")) << "SYSTEM after the defaults";
    Button(dialog, "radioGroup0").click();
    dialog.reject();
    EXPECT_EQ(CSystem::GroupSystem, sys.GetObjectGroup());

    CObjectGroupDlg again(sys);
    EXPECT_EQ("MODULE", Text<QAbstractButton>(again, "radioGroup1"));
    Button(again, "radioGroup1").click();
    again.accept();
    EXPECT_EQ(CSystem::GroupModule, sys.GetObjectGroup());
}

TEST_F(PickerTest, SelectLoopPreselectsTheFirstLoopWithoutAViewer) {
    struct Case {
        std::vector<int> anOpen;
        int nPreselected;
    };
    const Case cases[] = {{{}, 0}, {{0, 1}, 2}, {{0, 2}, 1}, {{0, 1, 2, 3, 4, 5}, 0}};
    for (const Case& c : cases) {
        CSelectLoop dialog(sys, [&](int nLoop) {
            return std::find(c.anOpen.begin(), c.anOpen.end(), nLoop) != c.anOpen.end();
        });
        EXPECT_EQ(c.nPreselected, Loops(dialog).currentIndex());
    }
    CSelectLoop dialog(sys, [](int nLoop) { return nLoop < 2; });
    EXPECT_EQ("LOOP SELECTOR", dialog.windowTitle());
    EXPECT_EQ("VIRTUAL LOOP", Loops(dialog).currentText());
    EXPECT_EQ("TIMER RUNNING", Loops(dialog).itemText(5));
}

TEST_F(PickerTest, SelectLoopWritesThePickedLoopOnlyOnOk) {
    CSelectLoop dialog(sys, {});
    Loops(dialog).setCurrentIndex(5);
    dialog.reject();
    EXPECT_EQ(0, sys.GetPickedLoop());

    CSelectLoop again(sys, {});
    Loops(again).setCurrentIndex(4);
    again.accept();
    EXPECT_EQ(4, sys.GetPickedLoop());
}

// Fields that only show a value must not look like entry fields.
TEST_F(PickerTest, DisplayOnlyFieldsLookReadOnly) {
    CChannelPicker pick(sys, m_types);
    CModulePicker selMod(sys, m_types);
    for (QDialog* pDialog : std::initializer_list<QDialog*>{&pick, &selMod}) {
        int nReadOnly = 0;
        for (QLineEdit* pField : pDialog->findChildren<QLineEdit*>()) {
            if (!pField->isReadOnly())
                continue;
            ++nReadOnly;
            EXPECT_EQ(pField->palette().color(QPalette::Base),
                      pDialog->palette().color(QPalette::Window))
                << pField->objectName().toStdString();
        }
        EXPECT_GT(nReadOnly, 0);
    }
}
