#include "model/CheckSystems.h"
#include "moduletypes/ModuleTypesFixture.h"
#include "reports/SystemCheckDlg.h"
#include "shell/CommandIds.h"
#include "shell/FrameFixture.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <sstream>

using namespace CheckSystems;

namespace {

// A circle of two Virtual channels, a Blue channel that uses a Virtual
// channel without equation, and an equation on high speed pair 1.
void FaultySystem(CSystem& sys) {
    Equation(sys, kVirtualA1, {{kVirtualA2}});
    Equation(sys, kVirtualA2, {{kVirtualA1, true}});
    Equation(sys, kBlueC4, {{kVirtualA3}});
    Label(sys, kBlueC4, "DOOR");
    Equation(sys, kBlueA2, {{kBlueA3}});
    sys.SetHiSpeedInput(0, kBlueA2);
    sys.SetHiSpeedOutput(0, kBlueA3);
}

class SystemCheckDlgTest : public TypeLibraryTest {
protected:
    std::vector<std::string> m_astrOpened;
    std::unique_ptr<CSystemCheckDlg> m_pDlg;

    CSystemCheckDlg& Open() {
        CSystemCheckDlg::COpeners openers{
            [this] {
                m_astrOpened.push_back(
                    "editor " + CSystem::GetLoopShortName(sys.GetCurLoop()) + " " +
                    CSystem::ChannelDesignation(sys.GetCurModule(), sys.GetCurChannel()));
            },
            [this] { m_astrOpened.push_back("high speed channels"); }};
        m_pDlg = std::make_unique<CSystemCheckDlg>(sys, types, m_shell, openers);
        m_pDlg->setAttribute(Qt::WA_DeleteOnClose, false);
        return *m_pDlg;
    }
    static std::vector<std::string> Column(const QTableWidget& table, int nColumn) {
        std::vector<std::string> astrCells;
        for (int nRow = 0; nRow < table.rowCount(); ++nRow)
            astrCells.push_back(table.item(nRow, nColumn)->text().toStdString());
        return astrCells;
    }
};

} // namespace

TEST_F(SystemCheckDlgTest, ListsTheFindingsWithTheCountsInTheCaption) {
    FaultySystem(sys);
    CSystemCheckDlg& dlg = Open();
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "CHECK SYSTEM: 2 errors, 1 warning, 0 notes");
    EXPECT_EQ(Column(dlg.Table(), 0),
              (std::vector<std::string>{"Blue A2", "Blue C4 (DOOR), Virtual A3",
                                        "Virtual A1, Virtual A2"}));
    EXPECT_EQ(Column(dlg.Table(), 1)[1],
              "Virtual A3 has no equation, so its term in Blue C4 never changes.");
    for (int nRow = 0; nRow < 3; ++nRow)
        EXPECT_FALSE(dlg.Table().item(nRow, 0)->icon().isNull()) << nRow;
    EXPECT_EQ(dlg.Table().item(0, 0)->toolTip(), "error");
    EXPECT_TRUE(dlg.Table().isVisible());
    EXPECT_FALSE(dlg.findChild<QLabel*>("NoFindingsLabel")->isVisible());
}

TEST_F(SystemCheckDlgTest, ASoundSystemSaysNoFindings) {
    CSystemCheckDlg& dlg = Open();
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "CHECK SYSTEM: 0 errors, 0 warnings, 0 notes");
    QLabel* pLabel = dlg.findChild<QLabel*>("NoFindingsLabel");
    ASSERT_TRUE(pLabel);
    EXPECT_TRUE(pLabel->isVisible());
    EXPECT_EQ(pLabel->text(), "No findings.");
    EXPECT_FALSE(dlg.Table().isVisible());
}

TEST_F(SystemCheckDlgTest, DoubleClickAndEnterOpenWhatPutsTheFindingRight) {
    FaultySystem(sys);
    CSystemCheckDlg& dlg = Open();
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTableWidget& table = dlg.Table();
    auto doubleClick = [&](int nRow) {
        // The first click of the two, then the second one's double-click.
        const QPoint point = table.visualItemRect(table.item(nRow, 1)).center();
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, point);
    };
    doubleClick(1);
    doubleClick(0);
    table.setCurrentCell(2, 0);
    table.setFocus();
    QTest::keyClick(&table, Qt::Key_Return);
    EXPECT_EQ(m_astrOpened, (std::vector<std::string>{"editor Blue C4", "high speed channels",
                                                      "editor Virtual A1"}));
}

TEST_F(SystemCheckDlgTest, TheListIsMadeAgainWhenTheWindowIsActivated) {
    FaultySystem(sys);
    CSystemCheckDlg& dlg = Open();
    sys.ClearEquation(0, 1, 2);
    EXPECT_EQ(dlg.Table().rowCount(), 3);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&dlg, &activate);
    EXPECT_EQ(dlg.windowTitle(), "CHECK SYSTEM: 1 error, 2 warnings, 0 notes");
    EXPECT_EQ(Column(dlg.Table(), 0),
              (std::vector<std::string>{"Blue A2", "Blue C4 (DOOR), Virtual A3",
                                        "Virtual A1, Virtual A2"}));
}

TEST_F(SystemCheckDlgTest, SavesTheListAsText) {
    Equation(sys, kVirtualA1, {{kVirtualA1, true}});
    CSystemCheckDlg& dlg = Open();
    m_shell.AnswerFile(m_dir.File("FOUND.TXT"));
    ASSERT_TRUE(dlg.OnSaveAsText());
    EXPECT_EQ(m_shell.m_aFileRequests.back().strFileName, "FINDINGS.TXT");
    std::ifstream file(m_dir.File("FOUND.TXT"), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), "Severity\tFinding\tChannels\tText\r\n"
                          "error\toscillating-loop\tVirtual A1\tVirtual A1 switches itself through "
                          "an odd number of NOTs, so it flips on every scan.\r\n"
                          "1 error, 0 warnings, 0 notes\r\n");
    EXPECT_EQ(m_shell.m_astrStatus.back(), "Saved the findings to " + m_dir.File("FOUND.TXT"));
    m_shell.CancelFile();
    EXPECT_FALSE(dlg.OnSaveAsText());
}

// Tab goes from the list to its buttons, not from cell to cell.
TEST_F(SystemCheckDlgTest, TabLeavesTheListForItsButtons) {
    Equation(sys, kVirtualA1, {{kVirtualA1, true}});
    CSystemCheckDlg& dlg = Open();
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    dlg.Table().setFocus();
    QStringList astrStops;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        astrStops << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(astrStops.join(", ").toStdString(), "SaveButton, CloseButton, FindingTable");
}

TEST_F(FrameTest, CheckSystemOpensOneModelessWindowThatOpensTheEditor) {
    CheckSystems::Equation(sys, CheckSystems::kYellowA1, {{CheckSystems::kYellowA1, true}});
    Trigger(ID_CHECK_SYSTEM);
    CSystemCheckDlg* pDlg = frame.SystemCheck();
    ASSERT_TRUE(pDlg);
    EXPECT_FALSE(pDlg->isModal());
    EXPECT_EQ(pDlg->parentWidget(), &frame);
    Trigger(ID_CHECK_SYSTEM);
    EXPECT_EQ(frame.SystemCheck(), pDlg);
    std::string strEditor;
    QTimer::singleShot(0, [&] {
        QWidget* pModal = QApplication::activeModalWidget();
        ASSERT_TRUE(pModal);
        strEditor = pModal->windowTitle().toStdString();
        pModal->close();
    });
    pDlg->OpenFinding(0);
    EXPECT_EQ(strEditor, "DVX  BOOLEAN  EDITOR");
    EXPECT_EQ(sys.GetCurIndex(), CheckSystems::kYellowA1);
    pDlg->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frame.SystemCheck());
}

// After the editor a row opened closes, the technician is back on the list,
// not on the main window.
TEST_F(FrameTest, CheckListKeepsTheFocusAfterTheEditorItOpenedCloses) {
    CheckSystems::Equation(sys, CheckSystems::kYellowA1, {{CheckSystems::kYellowA1, true}});
    frame.show();
    Trigger(ID_CHECK_SYSTEM);
    CSystemCheckDlg* pDlg = frame.SystemCheck();
    ASSERT_TRUE(pDlg);
    pDlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pDlg));
    pDlg->Table().setFocus();
    QTimer::singleShot(0, [] {
        QWidget* pModal = QApplication::activeModalWidget();
        ASSERT_TRUE(pModal);
        QTest::keyClick(pModal, Qt::Key_Escape);
    });
    QTest::keyClick(&pDlg->Table(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == pDlg; }));
    EXPECT_EQ(QApplication::focusWidget(), &pDlg->Table());
}
