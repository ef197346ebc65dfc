#pragma once

#include <QWidget>

#include <memory>

class CSheetView;
class CSheetTableModel;
namespace Ui {
class CSheetDesigner;
}

// The full designer of a spreadsheet control: the technician types into
// cells, sets bold, underline, font size and column widths, fits columns,
// opens a sheet file, saves the sheet as a workbook or in its own format and
// prints it. It edits the control's own sheet, so the control shows every
// change at once.
class CSheetDesigner : public QWidget {
    Q_OBJECT
public:
    // Opens on the top-left cell, sized to fit the screen it is on.
    explicit CSheetDesigner(CSheetView& control);
    ~CSheetDesigner() override;

    // Shows the sheet again after it changed as a whole.
    void Reload();

    void OnBold(bool bOn);
    void OnUnderline(bool bOn);
    void OnFontSize(int nPoints);
    void OnColumnWidth(double dChars);
    void OnFitColumns();
    void OnOpen();
    void OnSaveAs();
    void OnPrint();

private:
    // Runs an edit on every selected cell, each made the active cell in
    // turn, and puts the active cell back.
    template <class Edit> void ForSelectedCells(Edit edit);
    void OnCurrentChanged();
    void OnSectionResized(int nSection, int nOldSize, int nNewSize);
    void ApplyColumnWidths();
    void ShowCellFormat();
    void Changed();
    void FitOnScreen();

    CSheetView& m_control;
    std::unique_ptr<Ui::CSheetDesigner> m_ui;
    std::unique_ptr<CSheetTableModel> m_pModel;
    bool m_bUpdating = false;
};
