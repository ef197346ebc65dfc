#include "controls/LampColumn.h"
#include "diagnostics/LampClicks.h"
#include "diagnostics/LampGrid.h"
#include "diagnostics/LoopStatusViewer.h"
#include "shell/CommandIds.h"
#include "shell/FrameFixture.h"
#include "support/ModalScript.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QTest>

#include <vector>

namespace {

// Loop status viewers opened from a main window whose port is closed.
class LoopStatusViewerTest : public FrameTest {
protected:
    // Runs LOOP SELECTOR from nId and picks nLoop, checking what it proposed.
    void PickLoop(int nId, int nLoop, const QString& strProposed = {}) {
        CModalScript script;
        script.Then([&](QDialog& dialog) {
            auto* pList = dialog.findChild<QComboBox*>("comboLoop");
            if (!strProposed.isEmpty())
                EXPECT_EQ(pList->currentText(), strProposed);
            pList->setCurrentIndex(nLoop);
            dialog.accept();
        });
        Trigger(nId);
    }
    // Collects the loops the viewer reports closed, for as long as the
    // vector lives.
    static void WatchClosing(CLoopStatusViewer& viewer, std::vector<short>& anClosed) {
        QObject::connect(&viewer, &CLoopStatusViewer::Closed,
                         [&anClosed](short nLoop) { anClosed.push_back(nLoop); });
    }
};

} // namespace

TEST_F(LoopStatusViewerTest, ViewerShowsItsLoopInItsColourUnderItsName) {
    struct Case {
        short nLoop;
        const char* szCaption;
        uint32_t nColour;
    };
    const Case aCases[] = {
        {0, "BLUE LOOP STATUS VIEWER", CLampColumn::ColorRef(0, 0, 255)},
        {3, "TIMER LOOP STATUS VIEWER", CLampColumn::ColorRef(255, 0, 0)},
        {5, "TIMER RUNNING LOOP STATUS VIEWER", CLampColumn::ColorRef(255, 0, 255)},
    };
    for (const Case& c : aCases) {
        frame.OpenLoopStatusViewer(c.nLoop);
        CLoopStatusViewer* pViewer = frame.LoopStatusViewer(c.nLoop);
        ASSERT_NE(pViewer, nullptr);
        EXPECT_EQ(pViewer->windowTitle(), c.szCaption);
        EXPECT_EQ(pViewer->Lamps().Column(9).GetStyleOnColor(), c.nColour);
        EXPECT_EQ(pViewer->TimerId(), 1727 + c.nLoop);
        EXPECT_TRUE(pViewer->IsRefreshing());
        EXPECT_TRUE(pViewer->isVisible());
        EXPECT_FALSE(pViewer->isModal());
        EXPECT_EQ(pViewer->parentWidget(), &frame);
    }
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
    EXPECT_FALSE(sys.GetLoopMonitor(0)) << "with the port closed no reports are asked for";
}

TEST_F(LoopStatusViewerTest, LampsFollowTheStoredStatesOfTheirLoop) {
    frame.OpenLoopStatusViewer(1);
    frame.OpenLoopStatusViewer(2);
    CLoopStatusViewer& yellow = *frame.LoopStatusViewer(1);
    CLoopStatusViewer& green = *frame.LoopStatusViewer(2);
    sys.SetChannelStateAt(6, 1, 1, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return yellow.Lamps().Column(6).GetValue() == 2; }, 1000));
    EXPECT_EQ(green.Lamps().Column(6).GetValue(), 0);
}

TEST_F(LoopStatusViewerTest, ViewerTakesNoClicks) {
    sys.SetChannelStateAt(0, 0, 2, 1);
    frame.OpenLoopStatusViewer(2);
    CLoopStatusViewer& viewer = *frame.LoopStatusViewer(2);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    CLampColumn& led = viewer.Lamps().Column(0);
    DoubleClickLamp(led, 0);
    EXPECT_EQ(sys.GetChannelStateAt(0, 0, 2), 1);
    EXPECT_TRUE(m_shell.m_aSentStates.empty());
}

TEST_F(LoopStatusViewerTest, SelectorOpensTheViewerOfTheLoopPicked) {
    PickLoop(ID_LOOP_STATUS_VIEWER, 3, "BLUE LOOP");
    ASSERT_NE(frame.LoopStatusViewer(3), nullptr);
    EXPECT_EQ(sys.GetPickedLoop(), 3);
    PickLoop(ID_LOOP_VIEWER_BUTTON, 0, "BLUE LOOP");
    PickLoop(ID_LOOP_VIEWER_BUTTON, 1, "YELLOW LOOP");
    PickLoop(ID_LOOP_STATUS_VIEWER, 4, "VIRTUAL LOOP");
    for (short nLoop : {0, 1, 3, 4})
        EXPECT_NE(frame.LoopStatusViewer(nLoop), nullptr) << nLoop;
    EXPECT_EQ(frame.LoopStatusViewer(2), nullptr);
}

TEST_F(LoopStatusViewerTest, CancelledSelectorOpensNothing) {
    CModalScript script;
    script.Then(CModalScript::Reject());
    Trigger(ID_LOOP_STATUS_VIEWER);
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
        EXPECT_EQ(frame.LoopStatusViewer(nLoop), nullptr);
}

TEST_F(LoopStatusViewerTest, LoopWithAViewerGetsNoSecond) {
    frame.OpenLoopStatusViewer(1);
    CLoopStatusViewer* pFirst = frame.LoopStatusViewer(1);
    PickLoop(ID_LOOP_STATUS_VIEWER, 1);
    EXPECT_EQ(frame.LoopStatusViewer(1), pFirst);
    EXPECT_EQ(frame.findChildren<CLoopStatusViewer*>().size(), 1);
}

TEST_F(LoopStatusViewerTest, ClosingTheViewerLetsTheLoopHaveANewOne) {
    frame.OpenLoopStatusViewer(2);
    QPointer<CLoopStatusViewer> pViewer = frame.LoopStatusViewer(2);
    std::vector<short> anClosed;
    WatchClosing(*pViewer, anClosed);
    pViewer->close();
    EXPECT_EQ(frame.LoopStatusViewer(2), nullptr);
    EXPECT_FALSE(pViewer->IsRefreshing());
    EXPECT_TRUE(QTest::qWaitFor([&] { return pViewer.isNull(); }, 1000));
    EXPECT_EQ(anClosed, std::vector<short>{2}) << "closing is told once";
    PickLoop(ID_LOOP_STATUS_VIEWER, 2, "BLUE LOOP");
    EXPECT_NE(frame.LoopStatusViewer(2), nullptr);
}

TEST_F(LoopStatusViewerTest, EscapeClosesTheViewer) {
    frame.OpenLoopStatusViewer(0);
    QPointer<CLoopStatusViewer> pViewer = frame.LoopStatusViewer(0);
    QTest::keyClick(pViewer.data(), Qt::Key_Escape);
    EXPECT_EQ(frame.LoopStatusViewer(0), nullptr);
}

TEST_F(LoopStatusViewerTest, ViewersGoWithTheMainWindowAndTellItTheyClosed) {
    frame.OpenLoopStatusViewer(0);
    frame.OpenLoopStatusViewer(5);
    QPointer<CLoopStatusViewer> pViewer = frame.LoopStatusViewer(5);
    std::vector<short> anClosed;
    WatchClosing(*frame.LoopStatusViewer(0), anClosed);
    WatchClosing(*pViewer, anClosed);
    m_pFrame.reset();
    EXPECT_TRUE(pViewer.isNull());
    EXPECT_EQ(anClosed, (std::vector<short>{0, 5}));
}

TEST_F(LoopStatusViewerTest, LettersAndNumbersLineUpWithTheLamps) {
    for (short nLoop : {0, 1, 2}) {
        sys.SetChannelStateAt(nLoop, nLoop, nLoop, 1);
        frame.OpenLoopStatusViewer(nLoop);
        CLoopStatusViewer& viewer = *frame.LoopStatusViewer(nLoop);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
        EXPECT_TRUE(QTest::qWaitFor([&] { return viewer.Lamps().Column(nLoop).GetValue() != 0; }));
        ExpectLabelsAlignedWithLamps(viewer.Lamps(), false);
        SaveScreenshot(viewer, QString("LoopStatusViewer-%1").arg(nLoop));
    }
}

// Viewers opened one after another step down and right, each title bar in
// sight; asking again for a loop's viewer brings that one to the front.
TEST_F(LoopStatusViewerTest, ViewersCascadeAndAnOpenOneComesToTheFront) {
    frame.show();
    for (short nLoop : {0, 1, 2})
        frame.OpenLoopStatusViewer(nLoop);
    const QPoint first = frame.LoopStatusViewer(0)->pos();
    const QPoint second = frame.LoopStatusViewer(1)->pos();
    const QPoint third = frame.LoopStatusViewer(2)->pos();
    EXPECT_GT(second.x(), first.x());
    EXPECT_GT(second.y(), first.y());
    EXPECT_EQ(third - second, second - first);

    frame.LoopStatusViewer(0)->showMinimized();
    frame.OpenLoopStatusViewer(0);
    CLoopStatusViewer* pViewer = frame.LoopStatusViewer(0);
    EXPECT_FALSE(pViewer->isMinimized());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == pViewer; }, 1000));
    EXPECT_EQ(frame.findChildren<CLoopStatusViewer*>().size(), 3);
}

// The command keys are the main window's, and they work while a viewer is
// the window the technician looks at.
TEST_F(LoopStatusViewerTest, CommandKeysWorkWhileAViewerIsActive) {
    frame.show();
    frame.OpenLoopStatusViewer(3);
    CLoopStatusViewer* pViewer = frame.LoopStatusViewer(3);
    pViewer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pViewer));
    QTest::keyClick(pViewer, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 1);
}
