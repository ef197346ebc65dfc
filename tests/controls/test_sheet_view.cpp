#include "controls/SheetDesigner.h"
#include "controls/SheetPainter.h"
#include "controls/SheetView.h"
#include "support/FileSizeLimit.h"
#include "support/ModalScript.h"
#include "support/ShellRecorder.h"
#include "support/TempDir.h"
#include "support/WorkbookReader.h"

#include <QAbstractButton>
#include <QDoubleSpinBox>
#include <QPrinter>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

namespace {

class SheetViewTest : public ::testing::Test {
protected:
    CTempDir m_dir;
    CShellRecorder m_shell;
    CSheetView control;

    SheetViewTest() { control.SetShell(&m_shell); }

    void FillRows(int nRows) {
        for (int nRow = 1; nRow <= nRows; ++nRow) {
            control.Sheet().SetTextRC(nRow, 1, "Row " + std::to_string(nRow));
            control.Sheet().SetTextRC(nRow, 3, std::string(70, 'x'));
        }
        control.Sheet().SetColWidth(3, 20480);
        control.SheetChanged();
    }
    int PrintToPdf(const std::string& strPdf) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(strPdf));
        printer.setPageSize(QPageSize(QPageSize::A4));
        return CSheetPainter::Print(control.Sheet(), printer);
    }
    CSheetDesigner& OpenDesigner() {
        control.Sheet().SetAllowDesigner(true);
        control.LaunchDesigner();
        return *control.Designer();
    }
};

} // namespace

TEST_F(SheetViewTest, PrintingFitsTheWidthAndRunsOnToAsManyPagesAsTheRowsNeed) {
    FillRows(3);
    const std::string strShort = m_dir.File("short.pdf");
    EXPECT_EQ(1, PrintToPdf(strShort));
    EXPECT_EQ(1, PdfPageCount(strShort));
    EXPECT_EQ("595 x 842", PdfPageSize(strShort)) << "portrait A4";

    FillRows(300);
    const std::string strLong = m_dir.File("long.pdf");
    const int nPages = PrintToPdf(strLong);
    EXPECT_GT(nPages, 3);
    EXPECT_EQ(nPages, PdfPageCount(strLong));
}

TEST_F(SheetViewTest, ALandscapeSheetPrintsOnLandscapePages) {
    FillRows(3);
    control.Sheet().SetPrintLandscape(true);
    const std::string strPdf = m_dir.File("landscape.pdf");
    EXPECT_EQ(1, PrintToPdf(strPdf));
    EXPECT_EQ("842 x 595", PdfPageSize(strPdf));
}

// The title rows head every page after the first; the first has them where
// they stand, once.
TEST_F(SheetViewTest, TitleRowsHeadEveryPrintedPage) {
    FillRows(300);
    control.Sheet().SetTextRC(1, 1, "Fleet title");
    control.Sheet().SetTextRC(2, 1, "Fleet subtitle");
    control.Sheet().SetPrintTitleRows(1, 2);
    const std::string strPdf = m_dir.File("titles.pdf");
    const int nPages = PrintToPdf(strPdf);
    ASSERT_GT(nPages, 2);
    for (int nPage = 1; nPage <= nPages; ++nPage) {
        const std::string strText = PdfPageText(strPdf, nPage);
        EXPECT_EQ(strText.find("Fleet title"), strText.rfind("Fleet title")) << nPage;
        EXPECT_NE(strText.find("Fleet title"), std::string::npos) << nPage;
        EXPECT_NE(strText.find("Fleet subtitle"), std::string::npos) << nPage;
    }
    EXPECT_NE(PdfPageText(strPdf, nPages).find("Row 300"), std::string::npos);
}

TEST_F(SheetViewTest, AnEmptySheetPrintsOneEmptyPage) {
    const std::string strPdf = m_dir.File("empty.pdf");
    EXPECT_EQ(1, PrintToPdf(strPdf));
    EXPECT_EQ(1, PdfPageCount(strPdf));
}

// The system's reason follows on a second line, as for every data file,
// and the old file stays.
TEST_F(SheetViewTest, AFailedWriteIsReportedWithItsReason) {
    struct Case {
        const char* szName;
        const char* szFile;
        short nType;
        std::errc reason;
    };
    const Case aCases[] = {
        {"no folder, workbook", "no/folder/sheet.xlsx", CSheet::FileXlsx,
         std::errc::no_such_file_or_directory},
        {"no folder, sheet", "no/folder/sheet.VTS", CSheet::FileVts,
         std::errc::no_such_file_or_directory},
        {"read-only workbook", "locked.xlsx", CSheet::FileXlsx, std::errc::permission_denied},
        {"read-only sheet", "locked.VTS", CSheet::FileVts, std::errc::permission_denied},
        {"file too large", "large.VTS", CSheet::FileVts, std::errc::file_too_large},
    };
    for (const char* szLocked : {"locked.xlsx", "locked.VTS"}) {
        std::ofstream(m_dir.File(szLocked)) << "old";
        std::filesystem::permissions(m_dir.File(szLocked), std::filesystem::perms(0444));
    }
    FillRows(3000);
    for (const Case& c : aCases) {
        const std::string strPath = m_dir.File(c.szFile);
        m_shell.m_aBoxes.clear();
        m_shell.ExpectBox("Could not open/create data file " + strPath + "\n" +
                          std::make_error_code(c.reason).message());
        {
            std::optional<CFileSizeLimit> limit;
            if (c.reason == std::errc::file_too_large)
                limit.emplace(64 * 1024);
            EXPECT_FALSE(control.Write(strPath, c.nType)) << c.szName;
        }
        ASSERT_EQ(m_shell.m_aBoxes.size(), 1u) << c.szName;
        EXPECT_EQ(EBoxIcon::Stop, m_shell.m_aBoxes.back().icon) << c.szName;
    }
    std::ifstream locked(m_dir.File("locked.VTS"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(locked), {}), "old");
}

// A text running on past the last column can be scrolled to its end
// instead of being cut at the window's edge.
TEST_F(SheetViewTest, TextPastTheLastColumnCanBeScrolledTo) {
    control.resize(400, 200);
    control.Sheet().SetTextRC(1, 1, "Q=(" + std::string(200, 'x') + ")");
    control.SheetChanged();
    const CSheetPainter layout(control.Sheet(), control.viewport());
    ASSERT_GT(layout.UsedWidth(), layout.ColX(2) + control.viewport()->width());
    EXPECT_GE(control.horizontalScrollBar()->maximum() + control.viewport()->width(),
              static_cast<int>(layout.UsedWidth()));
}

TEST_F(SheetViewTest, FileTypeFollowsTheExtension) {
    const std::pair<const char*, short> aCases[] = {
        {"a.VTS", CSheet::FileVts},  {"b.vts", CSheet::FileVts}, {"c.xlsx", CSheet::FileXlsx},
        {"d.XLS", CSheet::FileXlsx}, {"vts", CSheet::FileXlsx},  {"e", CSheet::FileXlsx},
    };
    for (const auto& [szName, nType] : aCases)
        EXPECT_EQ(nType, CSheetView::FileTypeOf(szName)) << szName;
}

TEST_F(SheetViewTest, TheDesignerOpensOnlyWhenTheSheetAllowsIt) {
    control.LaunchDesigner();
    EXPECT_EQ(nullptr, control.Designer());
    control.Sheet().SetAllowDesigner(true);
    QTest::mouseDClick(control.viewport(), Qt::RightButton);
    ASSERT_NE(nullptr, control.Designer());
    EXPECT_TRUE(control.Designer()->isVisible());
    CSheetDesigner* pFirst = control.Designer();
    control.LaunchDesigner();
    EXPECT_EQ(pFirst, control.Designer()) << "one designer a sheet";
}

TEST_F(SheetViewTest, TheDesignerEditsCellsAndTheirFormatting) {
    CSheetDesigner& designer = OpenDesigner();
    auto* pTable = designer.findChild<QTableView*>("tableSheet");
    QAbstractItemModel* pModel = pTable->model();
    pModel->setData(pModel->index(1, 2), "Horn relay");
    pModel->setData(pModel->index(2, 0), " 12.5 ");
    EXPECT_EQ("Horn relay", control.Sheet().CellText(2, 3));
    EXPECT_EQ(CSheetCell::EKind::Number, control.Sheet().Cell(3, 1).kind);
    EXPECT_EQ(12.5, control.Sheet().Cell(3, 1).dValue);

    pTable->setCurrentIndex(pModel->index(1, 2));
    designer.findChild<QAbstractButton*>("buttonBold")->click();
    designer.findChild<QAbstractButton*>("buttonUnderline")->click();
    designer.findChild<QSpinBox*>("spinFontSize")->setValue(16);
    designer.findChild<QDoubleSpinBox*>("spinColumnWidth")->setValue(30);
    const CSheetCell& cell = control.Sheet().Cell(2, 3);
    EXPECT_TRUE(cell.bBold);
    EXPECT_TRUE(cell.bUnderline);
    EXPECT_EQ(16, cell.nFontPoints);
    EXPECT_EQ(30 * CSheet::kWidthPerChar, control.Sheet().GetColWidth(3));
    EXPECT_EQ(2, control.Sheet().GetActiveRow());

    pModel->setData(pModel->index(1, 2), "");
    EXPECT_EQ(CSheetCell::EKind::Empty, control.Sheet().Cell(2, 3).kind);
    EXPECT_TRUE(control.Sheet().Cell(2, 3).bBold) << "the format stays";
}

TEST_F(SheetViewTest, TheDesignerFitsColumnsAndSavesTheSheet) {
    CSheetDesigner& designer = OpenDesigner();
    control.Sheet().SetTextRC(1, 2, "A rather long text");
    designer.findChild<QAbstractButton*>("buttonFitColumns")->click();
    EXPECT_GT(control.Sheet().GetColWidth(2), CSheet::kDefaultColWidth);

    m_shell.AnswerFile(m_dir.File("designed.xlsx"));
    designer.findChild<QAbstractButton*>("buttonSaveAs")->click();
    ASSERT_EQ(1u, m_shell.m_aFileRequests.size());
    EXPECT_EQ("xlsx", m_shell.m_aFileRequests[0].strDefExt);
    EXPECT_EQ("A rather long text",
              ReadWorkbook(m_dir.File("designed.xlsx")).aCells.at({1, 2}).strValue);

    m_shell.AnswerFile(m_dir.File("designed.VTS"));
    designer.findChild<QAbstractButton*>("buttonSaveAs")->click();
    CSheet read;
    std::string strError;
    ASSERT_TRUE(read.Read(m_dir.File("designed.VTS"), strError)) << strError;
    EXPECT_TRUE(read.SameContent(control.Sheet()));
}

TEST_F(SheetViewTest, TheDesignerOpensASheetFileAndReportsADamagedOne) {
    CSheet other;
    other.SetTextRC(4, 4, "from file");
    ASSERT_TRUE(other.Write(m_dir.File("other.VTS"), CSheet::FileVts));
    CSheetDesigner& designer = OpenDesigner();
    m_shell.AnswerFile(m_dir.File("other.VTS"));
    designer.findChild<QAbstractButton*>("buttonOpen")->click();
    EXPECT_EQ("from file", control.Sheet().CellText(4, 4));

    std::ofstream(m_dir.File("bad.VTS")) << "not a sheet\n";
    m_shell.AnswerFile(m_dir.File("bad.VTS"));
    m_shell.ExpectBox("Could not read the sheet file " + m_dir.File("bad.VTS") +
                      ": it does not start with CORVEL SHEET 1.");
    designer.findChild<QAbstractButton*>("buttonOpen")->click();
    EXPECT_EQ("from file", control.Sheet().CellText(4, 4));
    EXPECT_EQ(EBoxIcon::Exclamation, m_shell.m_aBoxes.back().icon);
}

TEST_F(SheetViewTest, ArrowKeysMoveTheActiveCell) {
    control.Sheet().SetActiveCell(2, 2);
    QTest::keyClick(&control, Qt::Key_Down);
    QTest::keyClick(&control, Qt::Key_Right);
    QTest::keyClick(&control, Qt::Key_Up);
    EXPECT_EQ(2, control.Sheet().GetActiveRow());
    EXPECT_EQ(3, control.Sheet().GetActiveCol());
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(&control, Qt::Key_Left);
    EXPECT_EQ(1, control.Sheet().GetActiveCol());
}
