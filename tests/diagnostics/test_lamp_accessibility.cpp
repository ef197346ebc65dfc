#include "diagnostics/LampGrid.h"
#include "diagnostics/LogicView.h"
#include "diagnostics/LoopStatusController.h"
#include "diagnostics/LoopStatusViewer.h"
#include "editors/BooleanEditor.h"
#include "model/CheckSystems.h"
#include "shell/FrameFixture.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include <memory>
#include <vector>

namespace {

using namespace CheckSystems;

constexpr short kBlueB1 = 10;

// The lamp grids as a screen reader reads them, over a main window whose
// port is closed.
class LampAccessibilityTest : public FrameTest {
protected:
    static QAccessibleInterface* Lamp(CLampGrid& grid, int nModule, int nChannel) {
        QAccessibleInterface* pGrid = QAccessible::queryAccessibleInterface(&grid);
        return pGrid ? pGrid->child(CLampGrid::LampIndex(nModule, nChannel)) : nullptr;
    }
    static std::string Text(QAccessibleInterface* pLamp, QAccessible::Text type) {
        return pLamp ? pLamp->text(type).toStdString() : "(none)";
    }
    CLoopStatusController& OpenController() {
        m_pDialog = std::make_unique<CLoopStatusController>(sys, frame, &frame);
        m_pDialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_pDialog.get()));
        return *m_pDialog;
    }

    std::unique_ptr<CLoopStatusController> m_pDialog;
};

} // namespace

TEST_F(LampAccessibilityTest, EachLampHasANameAStateAndItsPlaceOnTheScreen) {
    sys.StoreChannelLabel(0, 2, 0, "DOME LAMP");
    sys.SetChannelStateAt(0, 2, 0, 1);
    sys.SetCurLoop(0);
    CLoopStatusController& dialog = OpenController();
    CLampGrid& grid = dialog.Lamps();
    QAccessibleInterface* pGrid = QAccessible::queryAccessibleInterface(&grid);
    ASSERT_NE(pGrid, nullptr);
    EXPECT_EQ(pGrid->childCount(), 160);
    struct Case {
        int nModule, nChannel;
        const char* szName;
        const char* szState;
    };
    const Case aCases[] = {
        {0, 2, "Blue A3 DOME LAMP", "on"},
        {0, 3, "Blue A4 Blue_Chl_A4", "off"},
        {15, 9, "Blue P10 Blue_Chl_P10", "off"},
    };
    for (const Case& c : aCases) {
        QAccessibleInterface* pLamp = Lamp(grid, c.nModule, c.nChannel);
        ASSERT_NE(pLamp, nullptr) << c.szName;
        EXPECT_EQ(Text(pLamp, QAccessible::Name), c.szName);
        EXPECT_EQ(Text(pLamp, QAccessible::Value), c.szState) << c.szName;
        EXPECT_EQ(pLamp->state().checked, std::string(c.szState) == "on") << c.szName;
        const CLampColumn& column = grid.Column(c.nModule);
        const QRect lamp = column.LampRect(c.nChannel);
        EXPECT_EQ(pLamp->rect(), QRect(column.mapToGlobal(lamp.topLeft()), lamp.size()))
            << c.szName;
        EXPECT_EQ(pGrid->childAt(pLamp->rect().center().x(), pLamp->rect().center().y()), pLamp)
            << c.szName;
        EXPECT_EQ(pGrid->indexOfChild(pLamp), CLampGrid::LampIndex(c.nModule, c.nChannel));
        EXPECT_EQ(pLamp->parent(), pGrid);
    }
}

TEST_F(LampAccessibilityTest, ViewerLampsAreNamedByTheirLoop) {
    sys.StoreChannelLabel(4, 0, 1, "HORN");
    frame.OpenLoopStatusViewer(1);
    CLampGrid& grid = frame.LoopStatusViewer(1)->Lamps();
    EXPECT_EQ(Text(Lamp(grid, 4, 0), QAccessible::Name), "Yellow E1 HORN");
}

// A lamp that goes on or off is told as it is painted, and the ring's moves
// as the focus.
TEST_F(LampAccessibilityTest, TheRingedLampIsTheFocusedChild) {
    CLoopStatusController& dialog = OpenController();
    CLampGrid& grid = dialog.Lamps();
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    QAccessibleInterface* pFocus = QAccessible::queryAccessibleInterface(&grid)->focusChild();
    EXPECT_EQ(Text(pFocus, QAccessible::Name), "Blue A2 Blue_Chl_A2");
    EXPECT_TRUE(pFocus->state().focused);
    EXPECT_FALSE(Lamp(grid, 0, 0)->state().focused);
    grid.clearFocus();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&grid)->focusChild(), nullptr);
}

// The Boolean editor's lamps show a state word; their names say which term,
// group or channel the word is about.
TEST_F(LampAccessibilityTest, TermLampsAreNamedByWhatTheyShow) {
    Equation(sys, kBlueA3, {{kBlueB1}});
    sys.SetCurLoop(CSystem::LoopOf(kBlueA3));
    sys.SetCurModule(CSystem::ModuleOf(kBlueA3));
    sys.SetCurChannel(CSystem::ChannelOf(kBlueA3));
    CBooleanEditor editor(sys);
    const std::pair<const char*, const char*> aLamps[] = {
        {"lampA1", "Term A1 Blue B1"},      {"lampA2", "Term A2 none"},
        {"lampGroupA", "Group A"},          {"lampResult", "Equation gives"},
        {"lampChannel", "Channel Blue A3"},
    };
    for (const auto& [szLamp, szName] : aLamps) {
        auto* pLamp = editor.findChild<QLabel*>(szLamp);
        ASSERT_NE(pLamp, nullptr) << szLamp;
        EXPECT_EQ(pLamp->accessibleName().toStdString(), szName);
    }
}

TEST_F(LampAccessibilityTest, ExplorerStateCellsSayWhoseStateTheyShow) {
    Equation(sys, kBlueA3, {{kBlueB1}});
    CLogicView view(sys, nullptr, kBlueA3);
    QTreeWidgetItem* pRoot = view.DriversTree().topLevelItem(0);
    ASSERT_NE(pRoot, nullptr);
    EXPECT_EQ(pRoot->data(2, Qt::AccessibleTextRole).toString(), "Blue A3 unknown");
    view.DriversTree().expandItem(pRoot);
    ASSERT_GT(pRoot->childCount(), 0);
    EXPECT_EQ(pRoot->child(0)->data(2, Qt::AccessibleTextRole).toString(), "Blue B1 unknown");
}
