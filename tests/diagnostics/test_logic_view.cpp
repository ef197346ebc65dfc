#include "diagnostics/LiveLogic.h"
#include "diagnostics/LogicView.h"
#include "model/CheckSystems.h"
#include "model/SystemFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

using namespace CheckSystems;

namespace {

constexpr short kBlueB1 = 10;

// The explorer over a system of its own; the live logic stands for a port
// that is open, its loop reports counted by the test.
class LogicViewTest : public SystemTest {
protected:
    LogicViewTest() {
        Label(sys, kBlueB1, "Door switch");
        Equation(sys, kBlueA3, {{kVirtualA1}}, {{kBlueB1, true}});
        Equation(sys, kVirtualA1, {{kBlueA3}, {kTmrDoneA1}});
        Equation(sys, kTmrEnblA1, {{kBlueB1}});
        sys.SetTimerReload(0, 2.5f);
    }

    std::unique_ptr<CLogicView> Open(short nIndex, CLiveLogic* pLive = nullptr) {
        return std::make_unique<CLogicView>(sys, pLive, nIndex);
    }
    static QStringList Column(const QTreeWidgetItem& item, int nColumn) {
        QStringList astrTexts;
        for (int i = 0; i < item.childCount(); ++i)
            astrTexts << item.child(i)->text(nColumn);
        return astrTexts;
    }

    long m_anLines[6] = {};
    bool m_bPortOpen = true;
    std::vector<std::string> m_astrReports;
    CLiveLogic m_live{sys,
                      {[] {},
                       [this](short nLoop, bool bOn) {
                           m_astrReports.push_back(std::to_string(nLoop) + (bOn ? "on" : "off"));
                       },
                       [this] { m_astrReports.push_back("restore"); },
                       [this](short nLoop) { return m_anLines[nLoop]; }},
                      [this] { return m_bPortOpen; }};
};

} // namespace

TEST_F(LogicViewTest, TreeShowsEachEquationDownToTheInputsWithCirclesAndTimers) {
    auto pView = Open(kBlueA3);
    EXPECT_EQ(pView->windowTitle(), CLogicView::kCaption);
    QTreeWidget& tree = pView->DriversTree();
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem& root = *tree.topLevelItem(0);
    EXPECT_EQ(root.text(0), "Blue A3");
    EXPECT_EQ(root.text(4), "Q=(Virtual_Chl_A1)+(!Door switch)");
    EXPECT_EQ(Column(root, 0), (QStringList{"A: Virtual A1", "B: !Blue B1"}));
    EXPECT_EQ(Column(root, 1), (QStringList{"Virtual_Chl_A1", "Door switch"}));
    QTreeWidgetItem& virtualA1 = *root.child(0);
    EXPECT_EQ(Column(virtualA1, 0), (QStringList{"A: Blue A3", "A: TmrDone A1"}));
    EXPECT_EQ(virtualA1.child(0)->text(4), "circle: shown higher up this branch");
    EXPECT_EQ(virtualA1.child(0)->childCount(), 0);
    QTreeWidgetItem& timer = *virtualA1.child(1);
    EXPECT_EQ(timer.text(4), "timer 0, reload 2.5 s, enabled by TmrEnbl A1: Q=(Door switch)");
    EXPECT_EQ(Column(timer, 0), (QStringList{"A: Blue B1"}));
    EXPECT_EQ(root.child(1)->childCount(), 0) << "an input";
    EXPECT_EQ(pView->ModeText(), "");
}

TEST_F(LogicViewTest, DrivesTabListsWhatTheChannelDrivesThroughOthers) {
    auto pView = Open(kBlueB1);
    QTreeWidget& list = pView->DrivenList();
    QStringList astrRows;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem& item = *list.topLevelItem(i);
        astrRows << item.text(0) + " < " + item.text(3) + " " + item.text(4);
    }
    EXPECT_EQ(astrRows, (QStringList{"Blue A3 < Blue B1 1", "TmrEnbl A1 < Blue B1 1",
                                     "Virtual A1 < Blue A3 2"}));
}

TEST_F(LogicViewTest, StatesAreUnknownUntilTheLoopReportsAndWithThePortClosed) {
    auto pView = Open(kBlueA3, &m_live);
    EXPECT_EQ(m_astrReports, (std::vector<std::string>{"0on", "2on", "4on", "3on"}))
        << "the loops of the lines shown, the channel's own first, and of a timer's enable";
    QTreeWidgetItem& root = *pView->DriversTree().topLevelItem(0);
    EXPECT_EQ(root.text(2), "unknown");
    EXPECT_EQ(root.child(1)->text(2), "unknown") << "never off before the report";

    sys.SetChannelStateAt(0, 2, 0, 1);
    m_anLines[0] = 1;
    m_anLines[2] = 1;
    pView->RefreshStates();
    EXPECT_EQ(root.text(2), "on");
    EXPECT_EQ(root.child(1)->text(2), "off");
    EXPECT_EQ(root.child(0)->text(2), "off");
    EXPECT_EQ(root.text(3), "A off + B on = on");
    EXPECT_TRUE(root.child(1)->font(0).bold()) << "the term that decides";
    EXPECT_FALSE(root.child(0)->font(0).bold());
    EXPECT_EQ(pView->ExplanationText(), "Blue A3 is on because Blue B1 (Door switch) is off");

    m_bPortOpen = false;
    pView->RefreshStates();
    EXPECT_EQ(root.text(2), "unknown");
    EXPECT_EQ(pView->ExplanationText(), CLogicView::kPortClosedText);

    m_astrReports.clear();
    pView->reject();
    EXPECT_EQ(m_astrReports, (std::vector<std::string>{"0off", "2off", "3off", "4off", "restore"}));
}

TEST_F(LogicViewTest, EditableExplorerEditsTheLinesEquationAndKeepsTheSelection) {
    Select(1, 5, 6);
    auto pView = Open(kBlueA3);
    std::vector<short> anEdited;
    pView->SetEditor([&](QWidget*) {
        anEdited.push_back(sys.GetCurIndex());
        sys.ClearEquation(0, 2, 0);
        Equation(sys, kBlueA3, {{kBlueB1}});
    });
    EXPECT_EQ(pView->ModeText(), CLogicView::kEditableText);
    QTreeWidget& tree = pView->DriversTree();
    QTreeWidgetItem* pTimer = tree.topLevelItem(0)->child(0)->child(1);
    tree.setCurrentItem(pTimer);
    pView->show();
    QTest::keyClick(&tree, Qt::Key_Return);
    EXPECT_EQ(anEdited, std::vector<short>{kTmrEnblA1}) << "a timer line edits its enable channel";
    EXPECT_TRUE(pView->isVisible()) << "Enter edits without closing the explorer";
    EXPECT_EQ(sys.GetCurIndex(), CSystem::MakeIndex(1, 5, 6));
    EXPECT_EQ(tree.topLevelItem(0)->text(4), "Q=(Door switch)") << "built again after the edit";
    pView->findChild<QTabWidget*>("tabs")->setCurrentIndex(0);
    tree.setCurrentItem(tree.topLevelItem(0)->child(0));
    pView->findChild<QAbstractButton*>("buttonEdit")->click();
    EXPECT_EQ(anEdited.back(), kBlueB1) << "an input's line edits its own equation";
}

TEST_F(LogicViewTest, ReadOnlyExplorerSaysSoAndEditsNothing) {
    auto pView = Open(kBlueA3);
    pView->SetReadOnly("the Boolean editor is open");
    EXPECT_TRUE(pView->IsReadOnly());
    EXPECT_EQ(pView->ModeText(), "Read only: the Boolean editor is open");
    EXPECT_FALSE(pView->findChild<QAbstractButton*>("buttonEdit")->isVisibleTo(pView.get()));
    QTreeWidget& tree = pView->DriversTree();
    pView->OnActivated(tree.topLevelItem(0));
    EXPECT_EQ(tree.topLevelItem(0)->text(4), "Q=(Virtual_Chl_A1)+(!Door switch)");
}

// The explorer opens with the focus on the tree, so Enter edits the line at
// once, and Tab goes round the Close button and the tabs back to the tree.
TEST_F(LogicViewTest, TreeTakesTheFocusAndIsATabStop) {
    auto pView = Open(kBlueA3);
    pView->show();
    pView->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pView.get()));
    QTreeWidget& tree = pView->DriversTree();
    EXPECT_EQ(QApplication::focusWidget(), &tree);
    QStringList astrStops;
    do {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* pFocus = QApplication::focusWidget();
        auto* pButton = qobject_cast<QAbstractButton*>(pFocus);
        astrStops << (pButton ? pButton->text() : pFocus->metaObject()->className());
    } while (QApplication::focusWidget() != &tree && astrStops.size() < 10);
    EXPECT_EQ(astrStops.join(", ").toStdString(), "Close, QTabBar, QTreeWidget");
}
