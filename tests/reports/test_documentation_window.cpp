#include "controls/SheetDesigner.h"
#include "controls/SheetView.h"
#include "reports/Documentation.h"
#include "reports/DocumentationView.h"
#include "shell/CommandIds.h"
#include "shell/DocumentationWindow.h"
#include "shell/FrameFixture.h"
#include "support/ModalScript.h"
#include "support/Screenshot.h"
#include "support/WorkbookReader.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

class DocumentationWindowTest : public FrameTest {
protected:
    CDocumentationView& ActiveView() {
        return *qobject_cast<CDocumentationView*>(frame.MdiArea()->currentSubWindow()->widget());
    }
    std::string Caption() {
        return frame.MdiArea()->currentSubWindow()->windowTitle().toStdString();
    }
    static std::string ReadFile(const std::string& strPath) {
        std::ifstream file(strPath, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
};

} // namespace

TEST_F(DocumentationWindowTest, OpeningBuildsTheSheetOpensTheDesignerAndWritesBothFiles) {
    sys.SetSysLabel(0, "CITY BUS");
    Trigger(ID_FILE_NEW);
    CSheetView& sheet = ActiveView().Sheet();
    EXPECT_EQ("Norvane DVX", sheet.Sheet().CellText(1, 1));
    EXPECT_EQ("CITY BUS", sheet.Sheet().CellText(4, 3));
    ASSERT_NE(nullptr, sheet.Designer());
    EXPECT_TRUE(sheet.Designer()->isVisible());

    CSheet written;
    std::string strError;
    ASSERT_TRUE(written.Read(m_dir.File(kDocumentationVtsFile), strError)) << strError;
    EXPECT_TRUE(written.SameContent(sheet.Sheet()));
    const CReadBook book = ReadWorkbook(m_dir.File(kDocumentationXlsFile));
    EXPECT_EQ("CITY BUS", book.aCells.at({4, 3}).strValue);
    EXPECT_EQ(20.0, book.aCells.at({1, 1}).dPoints);
    EXPECT_TRUE(book.aCells.at({2, 1}).bBold);
    EXPECT_NEAR(80.71, book.adWidths.at(3), 0.01);
    SaveScreenshot(frame, "DocumentationWindow");
}

// Printed from a spreadsheet program the workbook comes out one page wide,
// landscape, its title on every page.
TEST_F(DocumentationWindowTest, TheWorkbookPrintsOnePageWideWithItsTitleOnEveryPage) {
    Trigger(ID_FILE_NEW);
    const CReadBook book = ReadWorkbook(m_dir.File(kDocumentationXlsFile));
    EXPECT_EQ("landscape", book.strOrientation);
    EXPECT_EQ("1 1 0", book.strFit) << "fit to page, 1 wide, any number tall";
    EXPECT_EQ("$1:$2", book.strTitleRows);
    CSheet written;
    std::string strError;
    ASSERT_TRUE(written.Read(m_dir.File(kDocumentationVtsFile), strError)) << strError;
    EXPECT_TRUE(written.GetPrintLandscape());
    EXPECT_EQ(std::make_pair(1, 2),
              std::make_pair(written.GetPrintTitleFirst(), written.GetPrintTitleLast()));
}

// The window carries Corvel's icon, restores to most of the main window,
// and its designer opens on the first cell.
TEST_F(DocumentationWindowTest, WindowHasCorvelsIconARestoredSizeAndTheDesignerStartsAtA1) {
    frame.resize(1000, 700);
    Trigger(ID_FILE_NEW);
    QMdiSubWindow* pChild = frame.MdiArea()->currentSubWindow();
    ASSERT_NE(pChild, nullptr);
    ASSERT_FALSE(pChild->windowIcon().isNull());
    EXPECT_EQ(pChild->windowIcon().pixmap(16, 16).toImage(),
              frame.windowIcon().pixmap(16, 16).toImage());
    pChild->showNormal();
    EXPECT_GE(pChild->width(), frame.MdiArea()->width() / 2);
    EXPECT_GE(pChild->height(), frame.MdiArea()->height() / 2);
    CSheetView& sheet = ActiveView().Sheet();
    EXPECT_EQ(std::make_pair(1, 1),
              std::make_pair(sheet.Sheet().GetActiveRow(), sheet.Sheet().GetActiveCol()));
}

TEST_F(DocumentationWindowTest, EveryWindowShowsTheSystemAsItWasWhenItOpened) {
    Trigger(ID_FILE_NEW);
    CDocumentationView& first = ActiveView();
    sys.SetModuleType(0, 0, 1);
    Trigger(ID_FILE_NEW);
    EXPECT_EQ("TIMER SETUP", first.Sheet().Sheet().CellText(12, 1));
    EXPECT_EQ("Loop", ActiveView().Sheet().Sheet().CellText(12, 1));
    CSheet written;
    std::string strError;
    ASSERT_TRUE(written.Read(m_dir.File(kDocumentationVtsFile), strError)) << strError;
    EXPECT_EQ("Loop", written.CellText(12, 1)) << "the last window rewrote the file";
}

TEST_F(DocumentationWindowTest, SaveAsksForAWorkbookNameOnceAndThenWritesThere) {
    Trigger(ID_FILE_NEW);
    m_shell.CancelFile();
    Trigger(ID_FILE_SAVE);
    ASSERT_EQ(1u, m_shell.m_aFileRequests.size());
    const CFileDialogRequest& request = m_shell.m_aFileRequests[0];
    EXPECT_FALSE(request.bOpen);
    EXPECT_EQ("xlsx", request.strDefExt);
    EXPECT_EQ("Corvel1.xlsx", request.strFileName);
    EXPECT_EQ(kFileHideReadOnly | kFileOverwritePrompt, request.nFlags);
    EXPECT_EQ("Corvel1", Caption());

    const std::string strPath = m_dir.File("bus.xlsx");
    m_shell.AnswerFile(strPath);
    Trigger(ID_FILE_SAVE);
    EXPECT_EQ("Norvane DVX", ReadWorkbook(strPath).aCells.at({1, 1}).strValue);
    EXPECT_EQ("bus.xlsx", Caption());
    EXPECT_EQ(strPath + " file has been written", frame.StatusText().toStdString());

    ActiveView().Sheet().Sheet().SetTextRC(1, 1, "Edited");
    Trigger(ID_FILE_SAVE);
    EXPECT_EQ(2u, m_shell.m_aFileRequests.size()) << "no second question";
    EXPECT_EQ("Edited", ReadWorkbook(strPath).aCells.at({1, 1}).strValue);
}

TEST_F(DocumentationWindowTest, SaveToAVtsNameWritesTheSheetsOwnFormat) {
    Trigger(ID_FILE_NEW);
    m_shell.AnswerFile(m_dir.File("bus.vts"));
    Trigger(ID_FILE_SAVE);
    CSheet written;
    std::string strError;
    ASSERT_TRUE(written.Read(m_dir.File("bus.vts"), strError)) << strError;
    EXPECT_TRUE(written.SameContent(ActiveView().Sheet().Sheet()));
}

TEST_F(DocumentationWindowTest, AFileOpenedWithCtrlOIsNeverWrittenWithoutAsking) {
    const std::string strPath = m_dir.File("notes.txt");
    std::ofstream(strPath) << "kept";
    m_shell.AnswerFile(strPath);
    Trigger(ID_FILE_OPEN);
    ASSERT_EQ(1u, m_shell.m_aFileRequests.size());
    EXPECT_EQ("All Files (*.*)|*.*||", m_shell.m_aFileRequests[0].strFilter);
    EXPECT_EQ("notes.txt", Caption());
    EXPECT_EQ("Norvane DVX", ActiveView().Sheet().Sheet().CellText(1, 1));
    m_shell.CancelFile();
    Trigger(ID_FILE_SAVE);
    ASSERT_EQ(2u, m_shell.m_aFileRequests.size());
    EXPECT_EQ("notes.xlsx", m_shell.m_aFileRequests[1].strFileName);
    EXPECT_EQ("kept", ReadFile(strPath));
}

TEST_F(DocumentationWindowTest, AFailedSaveIsReportedAndLeavesTheWindowUnsaved) {
    Trigger(ID_FILE_NEW);
    const std::string strPath = m_dir.File("missing/bus.xlsx");
    m_shell.AnswerFile(strPath);
    m_shell.ExpectBox("Could not open/create data file " + strPath + "\n" +
                      std::make_error_code(std::errc::no_such_file_or_directory).message());
    Trigger(ID_FILE_SAVE);
    ASSERT_EQ(1u, m_shell.m_aBoxes.size());
    EXPECT_EQ(EBoxIcon::Stop, m_shell.m_aBoxes.back().icon);
    EXPECT_EQ("Corvel1", Caption());
    EXPECT_FALSE(std::filesystem::exists(strPath));
}

// The print dialog decides: OK prints the sheet to the file the printer was
// pointed at, Cancel prints nothing.
TEST_F(DocumentationWindowTest, PrintGoesThroughThePrintDialogToAPdfFile) {
    struct PrintCase {
        const char* szAnswer;
        CModalScript::Step answer;
        bool bPrinted;
    };
    const PrintCase aCases[] = {{"ok", CModalScript::Accept(), true},
                                {"cancel", CModalScript::Reject(), false}};
    for (const PrintCase& c : aCases) {
        Trigger(ID_FILE_NEW);
        const std::string strPdf = m_dir.File(std::string(c.szAnswer) + ".pdf");
        QPrinter& printer = ActiveView().Sheet().Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(strPdf));
        CModalScript script;
        script.Then(c.answer);
        Trigger(ID_FILE_PRINT);
        ASSERT_EQ(c.bPrinted, std::filesystem::exists(strPdf)) << c.szAnswer;
        if (c.bPrinted) {
            EXPECT_EQ(2, PdfPageCount(strPdf));
            int nWidth = 0, nHeight = 0;
            std::sscanf(PdfPageSize(strPdf).c_str(), "%d x %d", &nWidth, &nHeight);
            EXPECT_GT(nWidth, nHeight) << "landscape";
            EXPECT_NE(PdfPageText(strPdf, 2).find("Norvane DVX"), std::string::npos)
                << "the title heads the second page";
        }
        EXPECT_EQ("QPrintDialog", script.Seen().at(0).toStdString()) << c.szAnswer;
    }
}
