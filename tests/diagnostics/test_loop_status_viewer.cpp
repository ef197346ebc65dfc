#include "controls/LED.h"
#include "diagnostics/LampClicks.h"
#include "diagnostics/LedGrid.h"
#include "diagnostics/LoopStatus.h"
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
class LoopStatusTest : public FrameTest {
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
    static void WatchClosing(CLoopStatus& viewer, std::vector<short>& anClosed) {
        QObject::connect(&viewer, &CLoopStatus::Closed,
                         [&anClosed](short nLoop) { anClosed.push_back(nLoop); });
    }
};

} // namespace

TEST_F(LoopStatusTest, ViewerShowsItsLoopInItsColourUnderItsName) {
    struct Case {
        short nLoop;
        const char* szCaption;
        uint32_t nColour;
    };
    const Case aCases[] = {
        {0, "BLUE LOOP STATUS VIEWER", CLED::ColorRef(0, 0, 255)},
        {3, "TIMER LOOP STATUS VIEWER", CLED::ColorRef(255, 0, 0)},
        {5, "TIMER RUNNING LOOP STATUS VIEWER", CLED::ColorRef(255, 0, 255)},
    };
    for (const Case& c : aCases) {
        frame.OpenLoopStatusViewer(c.nLoop);
        CLoopStatus* pViewer = frame.LoopStatusViewer(c.nLoop);
        ASSERT_NE(pViewer, nullptr);
        EXPECT_EQ(pViewer->windowTitle(), c.szCaption);
        EXPECT_EQ(pViewer->Leds().Led(9).GetStyleOnColor(), c.nColour);
        EXPECT_EQ(pViewer->TimerId(), 1727 + c.nLoop);
        EXPECT_TRUE(pViewer->IsRefreshing());
        EXPECT_TRUE(pViewer->isVisible());
        EXPECT_FALSE(pViewer->isModal());
        EXPECT_EQ(pViewer->parentWidget(), &frame);
    }
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
    EXPECT_FALSE(sys.GetLoopMonitor(0)) << "with the port closed no reports are asked for";
}

TEST_F(LoopStatusTest, LampsFollowTheStoredStatesOfTheirLoop) {
    frame.OpenLoopStatusViewer(1);
    frame.OpenLoopStatusViewer(2);
    CLoopStatus& yellow = *frame.LoopStatusViewer(1);
    CLoopStatus& green = *frame.LoopStatusViewer(2);
    sys.SetChannelStateAt(6, 1, 1, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return yellow.Leds().Led(6).GetValue() == 2; }, 1000));
    EXPECT_EQ(green.Leds().Led(6).GetValue(), 0);
}

TEST_F(LoopStatusTest, ViewerTakesNoClicks) {
    sys.SetChannelStateAt(0, 0, 2, 1);
    frame.OpenLoopStatusViewer(2);
    CLoopStatus& viewer = *frame.LoopStatusViewer(2);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    CLED& led = viewer.Leds().Led(0);
    DoubleClickLamp(led, 0);
    EXPECT_EQ(sys.GetChannelStateAt(0, 0, 2), 1);
    EXPECT_TRUE(m_shell.m_aSentStates.empty());
}

TEST_F(LoopStatusTest, SelectorOpensTheViewerOfTheLoopPicked) {
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

TEST_F(LoopStatusTest, CancelledSelectorOpensNothing) {
    CModalScript script;
    script.Then(CModalScript::Reject());
    Trigger(ID_LOOP_STATUS_VIEWER);
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
        EXPECT_EQ(frame.LoopStatusViewer(nLoop), nullptr);
}

TEST_F(LoopStatusTest, LoopWithAViewerGetsNoSecond) {
    frame.OpenLoopStatusViewer(1);
    CLoopStatus* pFirst = frame.LoopStatusViewer(1);
    PickLoop(ID_LOOP_STATUS_VIEWER, 1);
    EXPECT_EQ(frame.LoopStatusViewer(1), pFirst);
    EXPECT_EQ(frame.findChildren<CLoopStatus*>().size(), 1);
}

TEST_F(LoopStatusTest, ClosingTheViewerLetsTheLoopHaveANewOne) {
    frame.OpenLoopStatusViewer(2);
    QPointer<CLoopStatus> pViewer = frame.LoopStatusViewer(2);
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

TEST_F(LoopStatusTest, EscapeClosesTheViewer) {
    frame.OpenLoopStatusViewer(0);
    QPointer<CLoopStatus> pViewer = frame.LoopStatusViewer(0);
    QTest::keyClick(pViewer.data(), Qt::Key_Escape);
    EXPECT_EQ(frame.LoopStatusViewer(0), nullptr);
}

TEST_F(LoopStatusTest, ViewersGoWithTheMainWindowAndTellItTheyClosed) {
    frame.OpenLoopStatusViewer(0);
    frame.OpenLoopStatusViewer(5);
    QPointer<CLoopStatus> pViewer = frame.LoopStatusViewer(5);
    std::vector<short> anClosed;
    WatchClosing(*frame.LoopStatusViewer(0), anClosed);
    WatchClosing(*pViewer, anClosed);
    m_pFrame.reset();
    EXPECT_TRUE(pViewer.isNull());
    EXPECT_EQ(anClosed, (std::vector<short>{0, 5}));
}

TEST_F(LoopStatusTest, LettersAndNumbersLineUpWithTheLamps) {
    for (short nLoop : {0, 1, 2}) {
        sys.SetChannelStateAt(nLoop, nLoop, nLoop, 1);
        frame.OpenLoopStatusViewer(nLoop);
        CLoopStatus& viewer = *frame.LoopStatusViewer(nLoop);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
        EXPECT_TRUE(QTest::qWaitFor([&] { return viewer.Leds().Led(nLoop).GetValue() != 0; }));
        ExpectLabelsAlignedWithLamps(viewer.Leds(), false);
        SaveScreenshot(viewer, QString("LoopStatus-%1").arg(nLoop));
    }
}

// Viewers opened one after another step down and right, each title bar in
// sight; asking again for a loop's viewer brings that one to the front.
TEST_F(LoopStatusTest, ViewersCascadeAndAnOpenOneComesToTheFront) {
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
    CLoopStatus* pViewer = frame.LoopStatusViewer(0);
    EXPECT_FALSE(pViewer->isMinimized());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == pViewer; }, 1000));
    EXPECT_EQ(frame.findChildren<CLoopStatus*>().size(), 3);
}

// The command keys are the main window's, and they work while a viewer is
// the window the technician looks at.
TEST_F(LoopStatusTest, CommandKeysWorkWhileAViewerIsActive) {
    frame.show();
    frame.OpenLoopStatusViewer(3);
    CLoopStatus* pViewer = frame.LoopStatusViewer(3);
    pViewer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pViewer));
    QTest::keyClick(pViewer, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 1);
}
