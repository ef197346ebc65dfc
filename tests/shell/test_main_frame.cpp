#include "model/LinkControl.h"
#include "shell/CommandIds.h"
#include "shell/DocumentationWindow.h"
#include "shell/FrameFixture.h"
#include "shell/HelpWindow.h"
#include "support/PaintCounter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

namespace {

class CFakePort : public CLinkControl {
public:
    bool IsPortOpen() const override { return m_bOpen; }
    bool StartModuleLink() override { return true; }
    bool StopModuleLink() override { return true; }
    bool m_bOpen = false;
};

} // namespace

TEST_F(FrameTest, StartsOnADefaultSystemWithAnEmptyPathInTheTitle) {
    sys.SetSysLabel(5, "BUS 12");
    sys.SetModuleLabel(3, 0, "HEADLIGHTS");
    CMainFrame another(sys, m_param, m_types, m_shell, m_profile);
    EXPECT_EQ("CorvelII 6.63 [  ]", another.windowTitle().toStdString());
    EXPECT_EQ("", sys.GetFilePath());
    EXPECT_EQ(CSystem::DefaultModuleLabel(3, 0), sys.GetModuleLabel(3, 0));
    EXPECT_TRUE(another.IsSystemTimerActive());
    EXPECT_EQ(CMainFrame::kIdleText, another.StatusText());
}

TEST_F(FrameTest, TitleShowsTheFilePathAndIgnoresDocumentWindows) {
    sys.SetSysLabel(5, "  BUS 12  ");
    frame.UpdateTitle();
    EXPECT_EQ("CorvelII 6.63 [ BUS 12.DVX ]", frame.windowTitle().toStdString());
    Trigger(ID_FILE_NEW);
    frame.MdiArea()->activeSubWindow()->showMaximized();
    EXPECT_EQ("CorvelII 6.63 [ BUS 12.DVX ]", frame.windowTitle().toStdString());
    sys.SetFilePath("");
    frame.MdiArea()->closeAllSubWindows();
    EXPECT_EQ("CorvelII 6.63 [  ]", frame.windowTitle().toStdString());
}

TEST_F(FrameTest, OpeningMenusTwiceLeavesOneTipItemAndOneSeparator) {
    for (int nRound = 0; nRound < 2; ++nRound)
        for (QAction* pTop : frame.menuBar()->actions())
            emit pTop->menu()->aboutToShow();
    EXPECT_EQ((std::vector<std::string>{"Ti&p of the Day...", "-", "&Help Topics", "-",
                                        "&About Corvel..."}),
              Texts(MenuOf(frame.menuBar(), "&Help")));
    EXPECT_EQ(ID_TIP_OF_THE_DAY,
              MenuOf(frame.menuBar(), "&Help")->actions().front()->data().toInt());
}

TEST_F(FrameTest, MenuBarWithoutHelpGetsATipMenuOnce) {
    frame.menuBar()->removeAction(MenuOf(frame.menuBar(), "&Help")->menuAction());
    frame.OnInitMenu();
    frame.OnInitMenu();
    QList<QAction*> apTop = frame.menuBar()->actions();
    EXPECT_EQ("&Help", apTop.back()->text().toStdString());
    EXPECT_EQ(1, std::count_if(apTop.begin(), apTop.end(),
                               [](QAction* p) { return p->text() == "&Help"; }));
    EXPECT_EQ((std::vector<std::string>{"Ti&p of the Day..."}), Texts(apTop.back()->menu()));
}

TEST_F(FrameTest, StatusPaneShowsPromptsThenTheIdleText) {
    QStatusTipEvent prompt("Write DVX definition file");
    QApplication::sendEvent(&frame, &prompt);
    EXPECT_EQ("Write DVX definition file", frame.StatusText().toStdString());
    QStatusTipEvent leave("");
    QApplication::sendEvent(&frame, &leave);
    EXPECT_EQ(CMainFrame::kIdleText, frame.StatusText());
    frame.SetStatusText("BUS1.DVX file has been written");
    EXPECT_EQ("BUS1.DVX file has been written", frame.StatusText().toStdString());
}

// A sequence sets the pane at every frame, mostly to the text it already
// shows; only a change of text costs a repaint.
TEST_F(FrameTest, StatusPaneRepaintsOnlyWhenItsTextChanges) {
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    auto* pPane = frame.findChild<QLabel*>("MessagePane");
    ASSERT_NE(pPane, nullptr);
    CPaintCounter paints(*pPane);
    const struct {
        const char* szText;
        int nPaints;
    } aCases[] = {{"LINK IDLE", 1}, {"LINK IDLE", 1}, {"-", 2}, {"-", 2}, {"LINK IDLE", 3}};
    for (const auto& aCase : aCases) {
        frame.SetStatusText(aCase.szText);
        EXPECT_EQ(paints.Count(), aCase.nPaints) << aCase.szText;
    }
}

TEST_F(FrameTest, PortItemFollowsThePortState) {
    CFakePort port;
    frame.SetLinkControl(&port);
    QMenu* pComm = nullptr;
    for (QObject* pObject : frame.Action(ID_PORT_OPEN)->associatedObjects())
        if (auto* pMenu = qobject_cast<QMenu*>(pObject))
            pComm = pMenu;
    ASSERT_NE(nullptr, pComm);
    port.m_bOpen = true;
    emit pComm->aboutToShow();
    EXPECT_EQ("Close &Port", frame.Action(ID_PORT_OPEN)->text().toStdString());
    port.m_bOpen = false;
    emit pComm->aboutToShow();
    EXPECT_EQ("Open &Port", frame.Action(ID_PORT_OPEN)->text().toStdString());
}

// --- close protocol ---

// No keeps the window and its timer; Yes closes it and stops the timer.
TEST_F(FrameTest, CloseAsksTheFinalQuestionAndStopsTheTimerOnlyOnYes) {
    for (EBoxAnswer answer : {EBoxAnswer::No, EBoxAnswer::Yes}) {
        const bool bYes = answer == EBoxAnswer::Yes;
        m_shell.ExpectBox("Are you sure you wish to close the entire Corvel application?", answer);
        QCloseEvent event;
        QApplication::sendEvent(&frame, &event);
        EXPECT_EQ(event.isAccepted(), bYes) << bYes;
        EXPECT_EQ(frame.IsSystemTimerActive(), !bYes) << bYes;
    }
}

TEST_F(FrameTest, CloseWithThePortOpenIsRefusedAfterTheSaveQuestion) {
    CFakePort port;
    port.m_bOpen = true;
    frame.SetLinkControl(&port);
    sys.SetModified();
    m_shell.ExpectBox("Changes have been made. Do you wish to save?", EBoxAnswer::No);
    m_shell.ExpectBox(
        "Please close the comm port first, before terminating the Corvel application.");
    QCloseEvent event;
    QApplication::sendEvent(&frame, &event);
    EXPECT_FALSE(event.isAccepted());
    EXPECT_TRUE(frame.IsSystemTimerActive());
    EXPECT_EQ(2u, m_shell.m_aBoxes.size());
}

// --- help ---

TEST_F(FrameTest, HelpOpensTheManualAtItsSections) {
    Trigger(ID_HELP_FINDER);
    CHelpWindow* pHelp = frame.HelpWindow();
    ASSERT_NE(nullptr, pHelp);
    EXPECT_TRUE(pHelp->Browser()->toPlainText().contains("Corvel user manual"));
    frame.ShowHelp("save-as");
    EXPECT_EQ("save-as", pHelp->CurrentSection().toStdString());
}

TEST_F(FrameTest, F1InADialogOpensTheDialogsSection) {
    QDialog dialog(&frame);
    dialog.setProperty("helpSection", "tips");
    auto* pButton = new QPushButton("&Next Tip", &dialog);
    QTest::keyClick(pButton, Qt::Key_F1);
    ASSERT_NE(nullptr, frame.HelpWindow());
    EXPECT_EQ("tips", frame.HelpWindow()->CurrentSection().toStdString());
}

TEST_F(FrameTest, ContextHelpOpensTheSectionOfTheClickedButton) {
    frame.show();
    Trigger(ID_CONTEXT_HELP);
    QToolButton* pDesigner = nullptr;
    for (auto* pButton : frame.findChildren<QToolButton*>())
        if (pButton->defaultAction() == frame.Action(ID_FILE_NEW))
            pDesigner = pButton;
    ASSERT_NE(nullptr, pDesigner);
    QTest::mouseClick(pDesigner, Qt::LeftButton);
    ASSERT_NE(nullptr, frame.HelpWindow());
    EXPECT_EQ("spreadsheet", frame.HelpWindow()->CurrentSection().toStdString());
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
    frame.hide();
}

// --- documentation windows ---

TEST_F(FrameTest, NewDocumentWindowsAreNumbered) {
    Trigger(ID_FILE_NEW);
    Trigger(ID_FILE_NEW);
    QList<QMdiSubWindow*> apWindows = frame.MdiArea()->subWindowList();
    ASSERT_EQ(2, apWindows.size());
    EXPECT_EQ("Corvel1", apWindows[0]->windowTitle().toStdString());
    EXPECT_EQ("Corvel2", apWindows[1]->windowTitle().toStdString());
}

TEST_F(FrameTest, CloseWithChangesOffersSaveAndGoesOnAfterACancelledDialog) {
    sys.SetModified();
    m_shell.ExpectBox("Changes have been made. Do you wish to save?", EBoxAnswer::Yes);
    m_shell.CancelFile();
    m_shell.ExpectBox("Are you sure you wish to close the entire Corvel application?",
                      EBoxAnswer::No);
    QCloseEvent event;
    QApplication::sendEvent(&frame, &event);
    EXPECT_FALSE(event.isAccepted());
    ASSERT_EQ(1u, m_shell.m_aFileRequests.size());
    EXPECT_FALSE(m_shell.m_aFileRequests[0].bOpen);
    EXPECT_TRUE(sys.IsModified());
}
