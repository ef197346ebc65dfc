#include "link/CompareCommand.h"
#include "link/CompareDlg.h"
#include "link/LinkedFrameFixture.h"
#include "model/DataFile.h"
#include "support/ModalScript.h"

#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

// Compare with DVX CPU from the menus, port 1 pointed at dvxsim.
class CompareEndToEnd : public SimFrameTest {
protected:
    CompareEndToEnd() { m_shell.AllowOkBoxes(); }

    // Opens the port and sends the technician's system to the controller.
    void TransferSystem() {
        Trigger(ID_PORT_OPEN);
        ASSERT_TRUE(frame.IsPortOpen());
        CModalScript script;
        script.Then(ChooseScope(CSystem::GroupSystem));
        Trigger(ID_TRANSFER_TO_CPU);
        ASSERT_EQ(m_shell.BoxTexts(), Strings{"UPLOAD SUCCESSFUL"});
        m_shell.m_aBoxes.clear();
    }
    // The technician's system as Save current work would write it.
    std::vector<unsigned char> SavedSystem() {
        EXPECT_TRUE(sys.SaveSystemFile(m_dir.File("SNAPSHOT.DVX")));
        std::vector<unsigned char> data;
        CDataFile::Read(m_dir.File("SNAPSHOT.DVX"), data);
        return data;
    }
};

} // namespace

// A list that could not be written says why, as a failed write.
TEST(CompareDlg, AFailedSaveSaysWhy) {
    CTempDir dir;
    CShellRecorder shell;
    CCompareDlg dialog({{"BLUE LOOP C4 label", "HEADLAMP", "HORN", false}}, shell);
    const std::string strPath = dir.File("no/folder/DIFF.TXT");
    shell.AnswerFile(strPath);
    shell.ExpectBox("Could not write the differences to " + strPath + "\n" +
                    std::make_error_code(std::errc::no_such_file_or_directory).message());
    EXPECT_FALSE(dialog.OnSaveAsText());
    ASSERT_EQ(shell.m_aBoxes.size(), 1u);
    EXPECT_EQ(shell.m_aBoxes.back().icon, EBoxIcon::Stop);
}

TEST_F(CompareEndToEnd, WithThePortClosedSaysSo) {
    Trigger(ID_COMPARE_WITH_CPU);
    EXPECT_EQ(m_shell.BoxTexts(), Strings{"COM PORT NOT OPEN."});
}

TEST_F(CompareEndToEnd, AfterATransferTheControllerHoldsTheSameSystem) {
    ASSERT_TRUE(StartSim());
    sys.SetSysLabel(0, "COACH 7");
    sys.SetModuleLabel(3, 1, "ROOF");
    // Empty labels, as files written elsewhere hold them: the controller
    // answers them with the default labels.
    sys.StoreChannelLabel(2, 3, 0, "");
    sys.StoreModuleLabel(4, 1, "");
    TransferSystem();
    Trigger(ID_COMPARE_WITH_CPU);
    EXPECT_EQ(m_shell.BoxTexts(), Strings{CCompareCommand::kSameSystemText});
    EXPECT_EQ(frame.WaitIndicator(), nullptr);
}

TEST_F(CompareEndToEnd, ShowsTheDifferencesAndLeavesTheSystemAlone) {
    ASSERT_TRUE(StartSim());
    sys.SetCurLoop(0);
    sys.SetCurModule(2);
    sys.SetCurChannel(3);
    sys.SetCurChannelLabel("HEADLAMP");
    sys.SetModified();
    TransferSystem();
    EXPECT_EQ(m_pSim->Console("label blue C 4 HORN"), "ok HORN");
    std::vector<unsigned char> before = SavedSystem();

    std::vector<std::string> astrRow;
    QString strCaption;
    m_shell.AnswerFile(m_dir.File("DIFF.TXT"));
    CModalScript script;
    script.Then([&](QDialog& dialog) {
        strCaption = dialog.windowTitle();
        auto* pTable = dialog.findChild<QTableWidget*>("DifferenceTable");
        ASSERT_NE(pTable, nullptr);
        ASSERT_GE(pTable->rowCount(), 1);
        for (int nColumn = 0; nColumn < 3; ++nColumn)
            astrRow.push_back(pTable->item(0, nColumn)->text().toStdString());
        dialog.findChild<QPushButton*>("SaveButton")->click();
        dialog.accept();
    });
    Trigger(ID_COMPARE_WITH_CPU);

    EXPECT_EQ(strCaption, "Compare with DVX CPU: 1 difference");
    EXPECT_EQ(astrRow, (Strings{"BLUE LOOP C4 label", "HEADLAMP", "HORN"}));
    std::vector<unsigned char> text;
    ASSERT_EQ(CDataFile::Read(m_dir.File("DIFF.TXT"), text), CDataFile::EReadResult::Ok);
    EXPECT_EQ(std::string(text.begin(), text.end())
                  .rfind("Item\tPC\tDVX CPU\r\n"
                         "BLUE LOOP C4 label\tHEADLAMP\tHORN\r\n",
                         0),
              0u);
    EXPECT_EQ(SavedSystem(), before);
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ(sys.GetChannelLabel(2, 3, 0), "HEADLAMP");
    EXPECT_EQ(frame.WaitIndicator(), nullptr);
    EXPECT_TRUE(m_shell.BoxTexts().empty());
}
