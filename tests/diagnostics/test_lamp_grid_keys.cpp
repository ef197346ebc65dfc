#include "controls/LampColumn.h"
#include "diagnostics/LampClicks.h"
#include "diagnostics/LampGrid.h"
#include "diagnostics/LoopStatusController.h"
#include "diagnostics/LoopStatusViewer.h"
#include "shell/FrameFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <memory>

namespace {

// The lamp grids worked from the keyboard, over a main window whose port is
// closed.
class LampGridKeysTest : public FrameTest {
protected:
    CLoopStatusController& Open(short nModule, short nChannel) {
        sys.SetCurLoop(0);
        sys.SetCurModule(nModule);
        sys.SetCurChannel(nChannel);
        m_pDialog = std::make_unique<CLoopStatusController>(sys, frame, &frame);
        m_pDialog->show();
        m_pDialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_pDialog.get()));
        return *m_pDialog;
    }
    QString Field(const char* szName) { return m_pDialog->findChild<QLineEdit*>(szName)->text(); }
    // The lamps ringed, as (module, channel) pairs.
    static std::vector<std::pair<int, int>> Rings(const CLampGrid& grid) {
        std::vector<std::pair<int, int>> aRings;
        for (int nModule = 0; nModule < CLampGrid::kColumns; ++nModule)
            if (grid.Column(nModule).FocusLamp() >= 0)
                aRings.emplace_back(nModule, grid.Column(nModule).FocusLamp());
        return aRings;
    }
    // Tabs until the grid has the focus, at most once round the dialog.
    static bool TabToGrid(CLampGrid& grid) {
        for (int i = 0; i < 30 && !grid.hasFocus(); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return grid.hasFocus();
    }

    std::unique_ptr<CLoopStatusController> m_pDialog;
};

} // namespace

TEST_F(LampGridKeysTest, TabReachesTheGridAndRingsTheChosenLamp) {
    CLoopStatusController& dialog = Open(6, 4);
    CLampGrid& grid = dialog.Lamps();
    grid.nextInFocusChain()->setFocus();
    ASSERT_FALSE(grid.hasFocus());
    EXPECT_TRUE(Rings(grid).empty()) << "no ring without the focus";
    ASSERT_TRUE(TabToGrid(grid));
    EXPECT_EQ(Rings(grid), (std::vector<std::pair<int, int>>{{6, 4}}));
    QTest::keyClick(&grid, Qt::Key_Tab);
    EXPECT_FALSE(grid.hasFocus()) << "Tab leaves the grid for the next control";
    EXPECT_TRUE(Rings(grid).empty());
}

TEST_F(LampGridKeysTest, KeysMoveTheRingAndChooseTheChannelAsAClickDoes) {
    struct Case {
        Qt::Key key;
        short nStartModule, nStartChannel;
        short nModule, nChannel;
    };
    const Case aCases[] = {
        {Qt::Key_Right, 5, 3, 6, 3},   {Qt::Key_Left, 5, 3, 4, 3},     {Qt::Key_Down, 5, 3, 5, 4},
        {Qt::Key_Up, 5, 3, 5, 2},      {Qt::Key_Home, 5, 3, 0, 3},     {Qt::Key_End, 5, 3, 15, 3},
        {Qt::Key_PageUp, 5, 3, 5, 0},  {Qt::Key_PageDown, 5, 3, 5, 9}, {Qt::Key_Left, 0, 2, 0, 2},
        {Qt::Key_Right, 15, 2, 15, 2}, {Qt::Key_Up, 7, 0, 7, 0},       {Qt::Key_Down, 7, 9, 7, 9},
    };
    for (const Case& c : aCases) {
        sys.SetCurLoop(0);
        sys.SetCurModule(c.nModule);
        sys.SetCurChannel(c.nChannel);
        sys.SetTermA(0, CSystem::MakeIndex(1, 0, 0));
        sys.SetOutput(true);
        const std::string strEquation = sys.GetEquationText(c.nModule, c.nChannel, 0);
        CLoopStatusController& dialog = Open(c.nStartModule, c.nStartChannel);
        CLampGrid& grid = dialog.Lamps();
        grid.setFocus();
        QTest::keyClick(&grid, c.key);
        const std::string strCase = std::to_string(c.key) + " from " +
                                    std::to_string(c.nStartModule) + "," +
                                    std::to_string(c.nStartChannel);
        EXPECT_EQ(dialog.Module(), c.nModule) << strCase;
        EXPECT_EQ(dialog.Channel(), c.nChannel) << strCase;
        EXPECT_EQ(Rings(grid), (std::vector<std::pair<int, int>>{{c.nModule, c.nChannel}}))
            << strCase;
        EXPECT_EQ(Field("editModuleLetter"), QString(QChar('A' + c.nModule))) << strCase;
        EXPECT_EQ(Field("editChannelNumber"), QString::number(c.nChannel + 1)) << strCase;
        const bool bMoved = c.nModule != c.nStartModule || c.nChannel != c.nStartChannel;
        const QString strShown = m_pDialog->findChild<QPlainTextEdit*>()->toPlainText();
        EXPECT_EQ(strShown.toStdString(), bMoved ? strEquation : "") << strCase;
        m_pDialog.reset();
    }
    EXPECT_TRUE(m_shell.m_aSentStates.empty()) << "moving the ring forces nothing";
}

TEST_F(LampGridKeysTest, ClickMovesTheRingAndTheKeysGoOnFromThere) {
    CLoopStatusController& dialog = Open(0, 0);
    CLampGrid& grid = dialog.Lamps();
    ClickLamp(grid.Column(9), 6);
    EXPECT_TRUE(grid.hasFocus()) << "a click gives the grid the focus";
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(dialog.Module(), 9);
    EXPECT_EQ(dialog.Channel(), 7);
    EXPECT_EQ(Rings(grid), (std::vector<std::pair<int, int>>{{9, 7}}));
}

// Space does what a double click does; Enter, which would close a dialog
// elsewhere, does nothing on the grid.
TEST_F(LampGridKeysTest, OnlySpaceForcesTheRingedLamp) {
    CLoopStatusController& dialog = Open(2, 9);
    CLampGrid& grid = dialog.Lamps();
    grid.setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(&grid, key);
    QTest::keyClick(&grid, Qt::Key_Space, Qt::AltModifier);
    EXPECT_TRUE(dialog.isVisible()) << "Enter closes nothing";
    EXPECT_TRUE(m_shell.m_aSentStates.empty());
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(sys.GetChannelStateAt(2, 9, 0), 1);
    EXPECT_EQ(dialog.Column(2).GetValue(), 512);
    // A held key repeats; the repeats force nothing more.
    QTest::keyPress(&grid, Qt::Key_Space, Qt::NoModifier, -1);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
    QApplication::sendEvent(&grid, &repeat);
    QTest::keyRelease(&grid, Qt::Key_Space);
    EXPECT_EQ(sys.GetChannelStateAt(2, 9, 0), 0);
    EXPECT_EQ(m_shell.m_aSentStates,
              (std::vector<CShellRecorder::SentState>{{0, 2, 9, 1}, {0, 2, 9, 0}}));
    EXPECT_EQ(Field("editChannelLabel"), "Blue_Chl_C10");
    EXPECT_TRUE(dialog.isVisible());
}

// A viewer's grid takes the focus and moves its ring the same way, but only
// shows: Space forces nothing and Escape still closes the viewer.
TEST_F(LampGridKeysTest, ViewerGridTakesTheFocusReadOnly) {
    frame.show();
    frame.OpenLoopStatusViewer(2);
    CLoopStatusViewer& viewer = *frame.LoopStatusViewer(2);
    viewer.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
    CLampGrid& grid = viewer.Lamps();
    EXPECT_TRUE(grid.hasFocus());
    for (Qt::Key key : {Qt::Key_End, Qt::Key_PageDown, Qt::Key_Left, Qt::Key_Space})
        QTest::keyClick(&grid, key);
    EXPECT_EQ(Rings(grid), (std::vector<std::pair<int, int>>{{14, 9}}));
    EXPECT_EQ(sys.GetChannelStateAt(14, 9, 2), 0);
    EXPECT_TRUE(m_shell.m_aSentStates.empty());
    QTest::keyClick(&grid, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame.LoopStatusViewer(2) == nullptr; }));
}
