#pragma once

#include "controls/Sheet.h"
#include "controls/SheetDesigner.h"

#include <QAbstractScrollArea>
#include <QPointer>

#include <memory>
#include <string>

class CShellServices;
class QPrinter;

// The spreadsheet control: shows a sheet as a spreadsheet does (column
// letters, row numbers, the active cell framed), opens the designer in
// which the technician edits it, writes it as a workbook or in its own
// format and prints it. The sheet itself is the plain model the documents
// are built on; after changing it from outside, call SheetChanged.
class CSheetView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CSheetView(QWidget* pParent = nullptr);
    ~CSheetView() override;

    CSheet& Sheet() { return m_sheet; }
    const CSheet& Sheet() const { return m_sheet; }
    void SheetChanged();
    // Where write failures are told; without one they are only returned.
    void SetShell(CShellServices* pShell) { m_pShell = pShell; }
    CShellServices* Shell() const { return m_pShell; }

    // Opens the designer on this sheet (the one already open comes to the
    // front); does nothing unless the sheet allows the designer.
    void LaunchDesigner();
    CSheetDesigner* Designer() const { return m_pDesigner.data(); }
    // Writes the sheet; a failure is reported as for every data file.
    bool Write(const std::string& strPath, short nType);
    // The file type a name asks for: ".VTS" is the sheet's own format,
    // anything else a workbook.
    static short FileTypeOf(const std::string& strPath);
    // Prints the sheet, after the print dialog when bShowDialog; false when
    // the dialog was cancelled or the printer could not be used.
    bool FilePrint(bool bShowDialog);
    // The printer the next print goes to, with the settings of the last.
    QPrinter& Printer();

signals:
    void Changed();

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    void UpdateScrollBars();
    void MoveActiveCell(int nRow, int nCol);
    double HeaderWidth() const;
    double HeaderHeight() const;

    CSheet m_sheet;
    CShellServices* m_pShell = nullptr;
    std::unique_ptr<QPrinter> m_pPrinter;
    QPointer<CSheetDesigner> m_pDesigner;
};
