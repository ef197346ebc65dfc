#include "controls/SheetDesigner.h"
#include "controls/SheetView.h"
#include "model/SystemFixture.h"
#include "reports/WhereUsedDlg.h"
#include "shell/CommandIds.h"
#include "shell/FrameFixture.h"
#include "support/ModalScript.h"
#include "support/Screenshot.h"
#include "support/WorkbookReader.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace {

class WhereUsedDlgTest : public SystemTest {
protected:
    WhereUsedDlgTest() {
        sys.Channel(1, 0, 0).m_anTermA[0] = CSystem::MakeIndex(0, 0, 0);
        Select(0, 0, 0);
    }
    static void Click(QWidget& dialog, const char* szName) {
        dialog.findChild<QAbstractButton*>(szName)->click();
    }
};

} // namespace

TEST_F(WhereUsedDlgTest, ShowsTheListOfTheCurrentChannel) {
    CWhereUsedDlg dialog(sys);
    EXPECT_EQ("Where Used Report", dialog.windowTitle().toStdString());
    EXPECT_EQ("DOUBLE RIGHT CLICK ABOVE TO LAUNCH FULL SPREADSHEET",
              dialog.findChild<QLabel*>("labelDesigner")->text().toStdString());
    const CSheet& sheet = dialog.Sheet().Sheet();
    EXPECT_EQ("Where Used List for channel BLUE LOOP A1   Blue_Chl_A1   ", sheet.CellText(1, 1));
    EXPECT_EQ("Q[BLUE LOOP B1   Blue_Chl_B1   ]=", sheet.CellText(7, 1));
    EXPECT_EQ("(Blue_Chl_A1)", sheet.CellText(7, 2));
    EXPECT_TRUE(sheet.GetPrintLandscape());
    EXPECT_FALSE(sys.IsModified());
    dialog.show();
    SaveScreenshot(dialog, "WhereUsedDlg");
}

TEST_F(WhereUsedDlgTest, SaveFileWritesAWorkbookUnderTheChosenName) {
    CWhereUsedDlg dialog(sys);
    m_shell.CancelFile();
    Click(dialog, "buttonSaveFile");
    ASSERT_EQ(1u, m_shell.m_aFileRequests.size());
    const CFileDialogRequest& request = m_shell.m_aFileRequests[0];
    EXPECT_FALSE(request.bOpen);
    EXPECT_EQ("XLS", request.strDefExt);
    EXPECT_EQ("", request.strFileName);
    EXPECT_EQ("EXCELL (*.XLS) | *.XLS | All Files | *.* ||", request.strFilter);
    EXPECT_EQ(kFileHideReadOnly | kFileOverwritePrompt, request.nFlags);
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("report.XLS")));

    m_shell.AnswerFile(m_dir.File("report.XLS"));
    Click(dialog, "buttonSaveFile");
    const CReadBook book = ReadWorkbook(m_dir.File("report.XLS"));
    EXPECT_EQ("(Blue_Chl_A1)", book.aCells.at({7, 2}).strValue);
    EXPECT_TRUE(book.aCells.at({4, 1}).bBold);
    EXPECT_EQ("landscape", book.strOrientation);
    EXPECT_EQ("1 1 0", book.strFit);
    EXPECT_EQ("$1:$4", book.strTitleRows) << "the title and the column headings";
}

TEST_F(WhereUsedDlgTest, PrintTurnsTheGridLinesOffAndPrintsThroughThePrintDialog) {
    CWhereUsedDlg dialog(sys);
    const std::string strPdf = m_dir.File("report.pdf");
    QPrinter& printer = dialog.Sheet().Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(strPdf));
    CModalScript script;
    script.Then(CModalScript::Accept());
    Click(dialog, "buttonPrint");
    EXPECT_FALSE(dialog.Sheet().Sheet().GetPrintGridLines());
    EXPECT_EQ(1, PdfPageCount(strPdf));
    EXPECT_EQ("842 x 595", PdfPageSize(strPdf)) << "landscape";
}

TEST_F(WhereUsedDlgTest, ADoubleRightClickOpensTheFullDesigner) {
    CWhereUsedDlg dialog(sys);
    QTest::mouseDClick(dialog.Sheet().viewport(), Qt::RightButton);
    ASSERT_NE(nullptr, dialog.Sheet().Designer());
    EXPECT_TRUE(dialog.Sheet().Designer()->isVisible());
}

TEST_F(WhereUsedDlgTest, OkAndCancelOnlyCloseTheDialog) {
    for (const char* szButton : {"Ok", "Cancel"}) {
        CWhereUsedDlg dialog(sys);
        CModalScript script;
        script.Then([&](QDialog& shown) {
            for (QAbstractButton* pButton : shown.findChildren<QAbstractButton*>())
                if (pButton->text().remove('&').compare(szButton, Qt::CaseInsensitive) == 0)
                    pButton->click();
        });
        dialog.exec();
        EXPECT_FALSE(dialog.isVisible()) << szButton;
    }
    EXPECT_TRUE(m_shell.m_aFileRequests.empty());
    EXPECT_FALSE(sys.IsModified());
}

TEST_F(FrameTest, TheBooleanEditorsChannelPickerOpensTheWhereUsedReport) {
    sys.Channel(4, 2, 1).m_anTermB[2] = CSystem::MakeIndex(0, 0, 3);
    std::string strFirstUser;
    CModalScript script;
    script
        .Then([](QDialog& picker) {
            picker.findChild<QAbstractButton*>("radioChannel4")->click();
            // Clicked from the picker's own loop: the report's loop runs
            // inside the click, and the script answers it from there.
            QTimer::singleShot(0, picker.findChild<QAbstractButton*>("buttonWhereUsed"),
                               &QAbstractButton::click);
        })
        .Then([&](QDialog& report) {
            strFirstUser = static_cast<CWhereUsedDlg&>(report).Sheet().Sheet().CellText(7, 1);
            report.accept();
        })
        .Then(CModalScript::Reject());
    sys.SetCurLoop(0);
    sys.SetCurModule(0);
    Trigger(ID_BOOLEAN_EDITOR);
    EXPECT_EQ("Q[YELLOW LOOP E3   Yellow_Chl_E3   ]=", strFirstUser);
}
