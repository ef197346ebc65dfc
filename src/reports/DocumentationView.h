#pragma once

#include <QWidget>

#include <string>

class CModuleTypeTexts;
class CSystem;
class CVCF1;

// The view of a documentation window: one spreadsheet control filling it,
// on which the vehicle setup document of the system is built when the
// window opens. Later changes of the system are not shown in it.
class CWinzlv4View : public QWidget {
    Q_OBJECT
public:
    CWinzlv4View(CSystem& sys, const CModuleTypeTexts& types, QWidget* pParent = nullptr);
    ~CWinzlv4View() override;

    // Builds the sheet, opens the designer on it and writes the two files
    // beside the working files.
    void BuildDocumentation();
    // The print dialog, then the sheet on the chosen printer.
    bool OnFilePrint();
    // Writes the sheet under a name the technician chose: a ".VTS" name in
    // the sheet's own format, any other as a workbook.
    bool SaveSheet(const std::string& strPath);

    CVCF1& Sheet() const { return *m_sheet; }

private:
    CSystem& m_sys;
    const CModuleTypeTexts& m_types;
    CVCF1* m_sheet;
};
