#include "diagnostics/LogicView.h"
#include "diagnostics/LoopStatusController.h"
#include "editors/BooleanEditor.h"
#include "editors/ChannelPicker.h"
#include "shell/FrameFixture.h"
#include "support/Mnemonics.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>
#include <string>

namespace {

// What Enter did in a dialog: the action of a button that ran, or the
// dialog's result when it closed.
class FocusedButtonEnterTest : public FrameTest {
protected:
    std::unique_ptr<QDialog> Make(const std::string& strDialog) {
        if (strDialog == "SELECT CHANNEL") {
            auto pPicker = std::make_unique<CChannelPicker>(sys, m_types);
            pPicker->SetWhereUsedReport([this](QWidget*) { m_strRan = "where used"; });
            pPicker->SetLogicExplorer([this](QWidget*, short) { m_strRan = "explorer"; });
            return pPicker;
        }
        if (strDialog == "Boolean editor") {
            auto pEditor = std::make_unique<CBooleanEditor>(sys);
            pEditor->SetWhereUsedReport([this](QWidget*) { m_strRan = "where used"; });
            pEditor->SetLogicExplorer([this](QWidget*, short) { m_strRan = "explorer"; });
            return pEditor;
        }
        if (strDialog == "logic explorer") {
            auto pView = std::make_unique<CLogicView>(sys, nullptr, CSystem::MakeIndex(0, 0, 0));
            pView->SetEditor([this](QWidget*) { m_strRan = "editor"; });
            return pView;
        }
        auto pMonitor = std::make_unique<CLoopStatusController>(sys, frame, &frame);
        pMonitor->SetBooleanEditor([this](QWidget*) { m_strRan = "editor"; });
        pMonitor->SetWhereUsedReport([this](QWidget*) { m_strRan = "where used"; });
        pMonitor->SetLogicExplorer([this](QWidget*, short) { m_strRan = "explorer"; });
        return pMonitor;
    }
    // Enter on the named control, or on the dialog's OK or Close button.
    std::string EnterOn(QDialog& dialog, const std::string& strControl) {
        const auto* pBox = dialog.findChild<QDialogButtonBox*>();
        QWidget* pControl = strControl == "OK" ? pBox->button(QDialogButtonBox::Ok)
                            : strControl == "Close"
                                ? pBox->button(QDialogButtonBox::Close)
                                : dialog.findChild<QWidget*>(QString::fromStdString(strControl));
        EXPECT_NE(pControl, nullptr) << strControl;
        if (!pControl)
            return "";
        pControl->setFocus();
        QTest::keyClick(pControl, Qt::Key_Return);
        if (dialog.isVisible())
            return m_strRan.empty() ? "nothing" : m_strRan;
        return dialog.result() == QDialog::Accepted ? "accepted" : "rejected";
    }

    std::string m_strRan;
};

} // namespace

TEST_F(FocusedButtonEnterTest, EnterActsOnTheFocusedButtonAndOnOkOnlyWhenNoButtonHasIt) {
    struct Case {
        const char* szDialog;
        const char* szFocus;
        const char* szDone;
    };
    const Case aCases[] = {
        {"SELECT CHANNEL", "buttonWhereUsed", "where used"},
        {"SELECT CHANNEL", "buttonExplorer", "explorer"},
        {"SELECT CHANNEL", "radioChannel3", "accepted"},
        {"SELECT CHANNEL", "OK", "accepted"},
        {"Boolean editor", "buttonWhereUsed", "where used"},
        {"Boolean editor", "buttonExplorer", "explorer"},
        {"loop status controller", "buttonEditor", "editor"},
        {"loop status controller", "buttonWhereUsed", "where used"},
        {"loop status controller", "buttonExplorer", "explorer"},
        {"loop status controller", "buttonProcessor", "nothing"}, // but its own, below
        {"loop status controller", "comboLoop", "accepted"},
        {"loop status controller", "OK", "accepted"},
        {"logic explorer", "buttonEdit", "editor"},
        {"logic explorer", "Close", "rejected"},
    };
    for (const Case& c : aCases) {
        m_strRan.clear();
        std::unique_ptr<QDialog> pDialog = Make(c.szDialog);
        pDialog->show();
        pDialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(pDialog.get()));
        EXPECT_EQ(EnterOn(*pDialog, c.szFocus), c.szDone) << c.szDialog << ", " << c.szFocus;
    }
}

TEST_F(FocusedButtonEnterTest, EnterOnTheProcessorButtonSwitchesTheProcessor) {
    CLoopStatusController dialog(sys, frame, &frame);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto* pButton = dialog.findChild<QPushButton*>("buttonProcessor");
    pButton->setFocus();
    QTest::keyClick(pButton, Qt::Key_Return);
    EXPECT_TRUE(dialog.IsProcessorOff());
    EXPECT_TRUE(dialog.isVisible());
}

// Each button has an Alt letter of its own, and the Boolean editor's icon
// buttons, which show no text, have names and come first on Tab.
TEST_F(FocusedButtonEnterTest, ButtonsHaveAltLettersAndIconButtonsNamesEarlyInTheTabOrder) {
    CLoopStatusController monitor(sys, frame, &frame);
    for (const char* szButton : {"buttonEditor", "buttonWhereUsed", "buttonExplorer"})
        EXPECT_TRUE(monitor.findChild<QToolButton*>(szButton)->text().contains('&')) << szButton;
    EXPECT_TRUE(monitor.findChild<QPushButton*>("buttonProcessor")->text().contains('&'));
    EXPECT_EQ(ClashingMnemonics(monitor), "");
    CBooleanEditor editor(sys);
    EXPECT_EQ(ClashingMnemonics(editor), "");
    const std::pair<const char*, const char*> aIcons[] = {{"buttonWhereUsed", "Where used"},
                                                          {"buttonExplorer", "Logic explorer"}};
    QWidget* pStop = &editor;
    for (const auto& [szButton, szName] : aIcons) {
        auto* pButton = editor.findChild<QToolButton*>(szButton);
        EXPECT_EQ(pButton->accessibleName(), szName);
        EXPECT_TRUE(pButton->text().contains('&')) << szButton;
        do
            pStop = pStop->nextInFocusChain();
        while (!(pStop->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(pStop, pButton) << "the icons are the first Tab stops";
    }
}
