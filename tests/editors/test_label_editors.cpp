#include "editors/ChannelLabelDlg.h"
#include "editors/EditorFixture.h"
#include "editors/LabelCommands.h"
#include "editors/ModuleLabelDlg.h"
#include "editors/SystemLabelDlg.h"
#include "link/WaitIndicator.h"
#include "shell/CommandIds.h"
#include "support/Screenshot.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

const char* const kSaveQuestion = "Do you wish to save your changes?";

QScrollBar& Bar(QWidget& dialog) { return *dialog.findChild<QScrollBar*>("scrollModule"); }

class LabelEditorTest : public EditorCommandTest {
protected:
    LabelEditorTest() { ClosePort(); }

    static void Type(QWidget& dialog, const QString& strName, const QString& strText) {
        QLineEdit& edit = Edit(dialog, strName);
        edit.selectAll();
        QTest::keyClicks(&edit, strText);
    }
    static void ChooseLoop(QWidget& dialog, int nLoop) {
        auto* pCombo = dialog.findChild<QComboBox*>("comboLoop");
        pCombo->setCurrentIndex(nLoop);
        emit pCombo->activated(nLoop);
    }
};

} // namespace

TEST_F(LabelEditorTest, ChannelLabelEditorShowsTheCurrentModule) {
    Select(1, 2, 0);
    sys.SetModuleLabel(2, 1, "WIPERS");
    CChannelLabelDlg dialog(sys, m_shell);
    SaveScreenshot(dialog, "ChannelLabelDlg");
    EXPECT_EQ(dialog.windowTitle(), "CHANNEL LABEL EDITOR");
    EXPECT_EQ(dialog.findChild<QComboBox*>("comboLoop")->currentText(), "YELLOW LOOP");
    EXPECT_EQ(dialog.findChild<QComboBox*>("comboLoop")->count(), 6);
    EXPECT_EQ(Bar(dialog).value(), 2);
    EXPECT_EQ(Edit(dialog, "editModuleLetter").text(), "C");
    EXPECT_EQ(Edit(dialog, "editModuleLabel").text(), "WIPERS");
    EXPECT_EQ(Edit(dialog, "editLabel1").text(), "Yellow_Chl_C1");
    EXPECT_EQ(Edit(dialog, "editLabel10").text(), "Yellow_Chl_C10");
}

// Yes stores the typed labels into the module that was shown; No drops them.
TEST_F(LabelEditorTest, MovingToAnotherModuleAsksToSaveTheTypedLabels) {
    for (EBoxAnswer answer : {EBoxAnswer::Yes, EBoxAnswer::No}) {
        sys.ResetToDefaults();
        sys.ClearModified();
        Select(0, 4, 0);
        CChannelLabelDlg dialog(sys, m_shell);
        Type(dialog, "editLabel3", "HORN");
        m_shell.ExpectBox(kSaveQuestion, answer);
        Bar(dialog).triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(sys.GetCurModule(), 5);
        EXPECT_EQ(Edit(dialog, "editLabel3").text(), "Blue_Chl_F3");
        const bool bSaved = answer == EBoxAnswer::Yes;
        EXPECT_EQ(sys.GetChannelLabel(4, 2, 0), bSaved ? "HORN" : "Blue_Chl_E3");
        EXPECT_EQ(sys.IsModified(), bSaved);
        // The question is asked once per typed change.
        Bar(dialog).triggerAction(QAbstractSlider::SliderSingleStepSub);
        EXPECT_EQ(Edit(dialog, "editLabel3").text(), bSaved ? "HORN" : "Blue_Chl_E3");
    }
    EXPECT_EQ(m_shell.BoxTexts(), (Frames{kSaveQuestion, kSaveQuestion}));
}

// The mouse is let go over the question, never over the bar: the question
// itself ends the click's repeat.
TEST_F(LabelEditorTest, OneClickOnTheModuleBarAsksOnceAndMovesOneModule) {
    Select(0, 4, 0);
    CChannelLabelDlg dialog(sys, m_shell);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    Type(dialog, "editLabel3", "HORN");
    m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::Yes);
    const QPoint arrow(Bar(dialog).width() / 2, Bar(dialog).height() - 3);
    QTest::mousePress(&Bar(dialog), Qt::LeftButton, {}, arrow);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Bar(dialog).value() == 5; }));
    // A held arrow repeats after about half a second: no second step comes.
    EXPECT_FALSE(QTest::qWaitFor(
        [&] { return Bar(dialog).value() != 5 || m_shell.m_aBoxes.size() > 1; }, 1500));
    QTest::mouseRelease(&Bar(dialog), Qt::LeftButton, {}, arrow);
    EXPECT_EQ(5, sys.GetCurModule());
    EXPECT_EQ(5, Bar(dialog).value());
    EXPECT_EQ(m_shell.BoxTexts(), (Frames{kSaveQuestion}));
    EXPECT_EQ("HORN", sys.GetChannelLabel(4, 2, 0));
}

TEST_F(LabelEditorTest, PagingTheModuleBarFollowsTheModuleRule) {
    const std::pair<int, int> aPages[] = {{12, 15}, {13, 14}, {15, 15}};
    for (const auto& [nFrom, nTo] : aPages) {
        Select(0, static_cast<short>(nFrom), 0);
        CChannelLabelDlg dialog(sys, m_shell);
        Bar(dialog).triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(sys.GetCurModule(), nTo) << nFrom;
        EXPECT_EQ(Bar(dialog).value(), nTo) << nFrom;
        EXPECT_EQ(Edit(dialog, "editModuleLetter").text(), QString(QChar('A' + nTo)));
    }
}

TEST_F(LabelEditorTest, ChoosingALoopMakesItCurrentAfterTheQuestion) {
    Select(0, 3, 0);
    CChannelLabelDlg dialog(sys, m_shell);
    Type(dialog, "editLabel1", "LAMP");
    m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::Yes);
    ChooseLoop(dialog, 4);
    EXPECT_EQ(sys.GetChannelLabel(3, 0, 0), "LAMP");
    EXPECT_EQ(sys.GetCurLoop(), 4);
    EXPECT_EQ(Edit(dialog, "editLabel1").text(), "TmrDone_Chl_D1");
}

// A loop name typed into the list chooses it as a choice from the list
// would, with its trace; text that names no loop changes nothing.
TEST_F(LabelEditorTest, TypingALoopNameChoosesThatLoop) {
    Select(0, 3, 0);
    CChannelLabelDlg dialog(sys, m_shell);
    const std::size_t nTraces = m_shell.m_astrTraces.size();
    QLineEdit& typed = *dialog.findChild<QComboBox*>("comboLoop")->lineEdit();
    typed.selectAll();
    QTest::keyClicks(&typed, "virtual");
    EXPECT_EQ(sys.GetCurLoop(), 0) << "a part of a name chooses nothing";
    EXPECT_EQ(m_shell.m_astrTraces.size(), nTraces);
    QTest::keyClicks(&typed, " loop");
    EXPECT_EQ(sys.GetCurLoop(), 2);
    EXPECT_EQ(m_shell.m_astrTraces.back(), "Edit change loop = 2\n");
    EXPECT_EQ(Bar(dialog).maximum(), CSystem::GetLastModule(2));
    EXPECT_EQ(Edit(dialog, "editLabel1").text().toStdString(),
              sys.GetChannelLabel(sys.GetCurModule(), 0, 2));
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(LabelEditorTest, OkAsksAndCancelDropsWithoutAsking) {
    Select(0, 0, 0);
    {
        CChannelLabelDlg dialog(sys, m_shell);
        Type(dialog, "editLabel2", "FAN");
        dialog.reject();
    }
    EXPECT_EQ(sys.GetChannelLabel(0, 1, 0), "Blue_Chl_A2");
    CChannelLabelDlg dialog(sys, m_shell);
    Type(dialog, "editLabel2", "FAN");
    m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::Yes);
    dialog.accept();
    EXPECT_EQ(sys.GetChannelLabel(0, 1, 0), "FAN");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// The controller answers an empty label with the default one, so that is
// what an emptied field stores.
TEST_F(LabelEditorTest, AnEmptiedChannelLabelIsStoredAsTheDefaultOne) {
    Select(1, 2, 0);
    sys.StoreChannelLabel(2, 4, 1, "FAN");
    CChannelLabelDlg dialog(sys, m_shell);
    Edit(dialog, "editLabel5").selectAll();
    QTest::keyClick(&Edit(dialog, "editLabel5"), Qt::Key_Delete);
    m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::Yes);
    dialog.accept();
    EXPECT_EQ("Yellow_Chl_C5", sys.StoredChannelLabel(2, 4, 1));
}

TEST_F(LabelEditorTest, EveryLabelFieldTakesFifteenCharacters) {
    CChannelLabelDlg channels(sys, m_shell);
    CModuleLabelDlg modules(sys, m_shell);
    CSystemLabelDlg system(sys);
    const std::pair<QDialog*, QString> aFields[] = {
        {&channels, "editLabel1"},     {&channels, "editLabel10"},    {&modules, "editLabelA"},
        {&modules, "editLabelP"},      {&system, "editVehicleModel"}, {&system, "editAuthor"},
        {&system, "editRevisionDate"}, {&system, "editFileName"},
    };
    for (const auto& [pDialog, strName] : aFields) {
        Type(*pDialog, strName, "ABCDEFGHIJKLMNOPQRST");
        EXPECT_EQ(Edit(*pDialog, strName).text(), "ABCDEFGHIJKLMNO") << strName.toStdString();
    }
}

TEST_F(LabelEditorTest, ModuleLabelEditorAsksOnEveryLoopChangeUntilSaved) {
    sys.SetCurLoop(2);
    sys.ClearModified();
    CModuleLabelDlg dialog(sys, m_shell);
    SaveScreenshot(dialog, "ModuleLabelDlg");
    EXPECT_EQ(dialog.windowTitle(), "MODULE   LABEL   EDITOR");
    EXPECT_EQ(dialog.findChild<QLabel*>("labelModuleI")->text(), "MODULE  I");
    EXPECT_EQ(Edit(dialog, "editLabelB").text(), "Virtual_Modul_B");
    Type(dialog, "editLabelB", "CAB");
    m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::No);
    ChooseLoop(dialog, 0);
    EXPECT_EQ(Edit(dialog, "editLabelB").text(), "Blue_Modul_B");
    m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::Yes);
    ChooseLoop(dialog, 1);
    EXPECT_EQ(sys.GetModuleLabel(1, 0), "Blue_Modul_B") << "saved into the loop shown";
    EXPECT_EQ(sys.GetModuleLabel(1, 2), "Virtual_Modul_B") << "the typed text was dropped";
    EXPECT_EQ(sys.GetCurLoop(), 1);
    EXPECT_TRUE(sys.IsModified());
    ChooseLoop(dialog, 3); // nothing typed since the save: no question
}

TEST_F(LabelEditorTest, ModuleLabelOkSavesEvenWithoutChangesAndCancelSavesNothing) {
    sys.SetCurLoop(1);
    {
        CModuleLabelDlg dialog(sys, m_shell);
        Type(dialog, "editLabelP", "TRAILER");
        dialog.reject();
    }
    EXPECT_EQ(sys.GetModuleLabel(15, 1), "Yellow_Modul_P");
    EXPECT_FALSE(sys.IsModified());
    CModuleLabelDlg dialog(sys, m_shell);
    Edit(dialog, "editLabelA").clear();
    dialog.accept();
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ(sys.GetModuleLabelInCurLoop(0), "Yellow_Modul_A")
        << "an emptied field stores the default label";
}

TEST_F(LabelEditorTest, SystemLabelsKeepTheTypedDateAndNameTheFile) {
    const std::string strToday = sys.GetSysLabel(CSystem::SysLabelRevisionDate);
    sys.ClearModified();
    {
        CSystemLabelDlg dialog(sys);
        SaveScreenshot(dialog, "SystemLabelDlg");
        Type(dialog, "editFileName", "x");
        dialog.reject();
    }
    EXPECT_EQ(sys.GetSysLabel(CSystem::SysLabelFileName), "SysLabel_5");
    EXPECT_FALSE(sys.IsModified());
    const int nTitles = m_shell.m_nTitleUpdates;
    CModalScript script;
    script.Then(TypeAndAccept({{"editVehicleModel", "COACH 9"},
                               {"editAuthor", "  J. SMITH  "},
                               {"editRevisionDate", "Jan.  02, 1999"},
                               {"editFileName", "BUS 12"}}));
    Trigger(ID_SYSTEM_LABELS);
    EXPECT_EQ(sys.GetSysLabel(CSystem::SysLabelVehicleModel), "COACH 9");
    EXPECT_EQ(sys.GetSysLabel(CSystem::SysLabelAuthor), "J. SMITH");
    EXPECT_EQ(sys.GetSysLabel(CSystem::SysLabelRevisionDate), "Jan.  02, 1999");
    EXPECT_NE(strToday, "Jan.  02, 1999");
    EXPECT_EQ(sys.GetSysLabel(CSystem::SysLabelFileName), "BUS 12");
    EXPECT_EQ(sys.GetFilePath(), "BUS 12.DVX");
    EXPECT_GT(m_shell.m_nTitleUpdates, nTitles);
    EXPECT_TRUE(sys.IsModified()) << "the changed labels are offered for saving";
    frame.UpdateTitle();
    EXPECT_EQ(frame.windowTitle(), "CorvelII 6.63 [ BUS 12.DVX ]");
}

// The file name label becomes the system's file name, so the characters a
// file name cannot hold are refused as they are typed or pasted.
TEST_F(LabelEditorTest, TheFileNameTakesNothingThatCannotStandInAFileName) {
    const std::pair<QString, QString> aCases[] = {{"../bus/12", "..bus12"},
                                                  {"A\\B:C*D?E", "ABCDE"},
                                                  {"\"BUS\" <1>|2", "BUS 12"},
                                                  {"BUS 12.a-b_c", "BUS 12.a-b_c"}};
    for (const auto& [strTyped, strKept] : aCases) {
        CSystemLabelDlg dialog(sys);
        Type(dialog, "editFileName", strTyped);
        EXPECT_EQ(strKept, Edit(dialog, "editFileName").text()) << strTyped.toStdString();
        Edit(dialog, "editFileName").selectAll();
        Edit(dialog, "editFileName").insert("x/y");
        EXPECT_EQ(strKept, Edit(dialog, "editFileName").text()) << "pasted";
    }
}

class LabelLinkTest : public EditorCommandTest {};

TEST_F(LabelLinkTest, ChannelLabelsAreReadForTheCurrentModuleAndTheLastModuleIsSent) {
    sys.SetCurLoop(1);
    sys.SetCurModule(0);
    host.m_fnAnswer = CScriptedController::DefaultExcept({{":K0A0\r", "DOME\r\n"}});
    CModalScript script;
    script.Then([](QDialog& dialog) {
        EXPECT_EQ(Edit(dialog, "editLabel1").text(), "DOME") << "the controller's label";
        Bar(dialog).triggerAction(QAbstractSlider::SliderSingleStepAdd);
        dialog.accept();
    });
    Trigger(ID_CHANNEL_LABELS);
    Frames astrExpected;
    for (int nChannel = 0; nChannel < 10; ++nChannel)
        astrExpected.push_back(":K0" +
                               QString::number(0xA0 + nChannel, 16).toUpper().toStdString() + "\r");
    for (int nChannel = 1; nChannel <= 10; ++nChannel)
        astrExpected.push_back(":L0" +
                               QString::number(0xAA + nChannel - 1, 16).toUpper().toStdString() +
                               "Yellow_Chl_B" + std::to_string(nChannel) + "\r");
    EXPECT_EQ(TakeDataFrames(), astrExpected);
}

TEST_F(LabelLinkTest, CancelSendsNoWriteFrame) {
    const int aCommands[] = {ID_CHANNEL_LABELS, ID_MODULE_LABELS, ID_SYSTEM_LABELS};
    for (int nId : aCommands) {
        CModalScript script;
        script.Then(CModalScript::Reject());
        Trigger(nId);
        for (const std::string& strFrame : TakeDataFrames())
            EXPECT_TRUE(strFrame.rfind(":K", 0) == 0 || strFrame.rfind(":Q", 0) == 0 ||
                        strFrame.rfind(":V", 0) == 0)
                << nId << ": " << strFrame;
    }
}

TEST_F(LabelLinkTest, SystemLabelsGoBackAfterOkAndAFailureIsReported) {
    host.m_fnAnswer = [](const std::string& strFrame) {
        if (strFrame.rfind(":V", 0) == 0)
            return "CPU_" + strFrame.substr(2, 2) + "\r\n";
        return strFrame.rfind(":U02", 0) == 0 ? std::string("NO\r\n")
                                              : CScriptedController::DefaultAnswer(strFrame);
    };
    m_shell.ExpectBox("ERROR WHILE TRANSMITTING TO DVX CPU");
    CModalScript script;
    script.Then(TypeAndAccept({{"editAuthor", "ANN"}}));
    Trigger(ID_SYSTEM_LABELS);
    Frames astrWrites;
    for (const std::string& strFrame : TakeDataFrames())
        if (strFrame.rfind(":U", 0) == 0)
            astrWrites.push_back(strFrame);
    EXPECT_EQ(astrWrites, (Frames{":U00CPU_00\r", ":U01ANN\r", ":U02CPU_02\r"}));
    EXPECT_EQ(sys.GetSysLabel(1), "ANN") << "the labels stay as edited";
}

// Reading the 96 module labels takes seconds at 9600 baud: the indicator
// says so while it runs and is gone when the dialog opens.
TEST_F(LabelLinkTest, ModuleLabelsAreReadUnderTheIndicator) {
    std::vector<std::string> astrShown;
    host.m_fnAnswer = [&](const std::string& strFrame) {
        if (strFrame.rfind(":Q", 0) == 0 && frame.WaitIndicator())
            astrShown.push_back(frame.WaitIndicator()->TextLine().text().toStdString());
        return CScriptedController::DefaultAnswer(strFrame);
    };
    bool bIndicatorOverDialog = true;
    CModalScript script;
    script.Then([&](QDialog& dialog) {
        bIndicatorOverDialog = frame.WaitIndicator() != nullptr;
        dialog.reject();
    });
    Trigger(ID_MODULE_LABELS);
    ASSERT_EQ(astrShown.size(), 96u);
    EXPECT_EQ(astrShown.front(), CLabelCommands::kRetrievingModuleLabelsText);
    EXPECT_EQ(astrShown.back(), CLabelCommands::kRetrievingModuleLabelsText);
    EXPECT_FALSE(bIndicatorOverDialog);
}
