#pragma once

#include <QWidget>

#include <string>

class CModuleTypeTexts;
class CSystem;
class CSheetView;

// The view of a documentation window: one spreadsheet control filling it,
// on which the vehicle setup document of the system is built when the
// window opens. Later changes of the system are not shown in it.
class CDocumentationView : public QWidget {
    Q_OBJECT
public:
    CDocumentationView(CSystem& sys, const CModuleTypeTexts& types, QWidget* pParent = nullptr);
    ~CDocumentationView() override;

    // Builds the sheet, opens the designer on it and writes the two files
    // beside the working files.
    void BuildDocumentation();
    // The print dialog, then the sheet on the chosen printer.
    bool OnFilePrint();
    // Writes the sheet under a name the technician chose: a ".VTS" name in
    // the sheet's own format, any other as a workbook.
    bool SaveSheet(const std::string& strPath);

    CSheetView& Sheet() const { return *m_sheet; }

private:
    CSystem& m_sys;
    const CModuleTypeTexts& m_types;
    CSheetView* m_sheet;
};
