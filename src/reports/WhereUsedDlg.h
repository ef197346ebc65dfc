#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class CSystem;
class CSheetView;
namespace Ui {
class CWhereUsedDlg;
}

// Which channels' equations use the current channel, as a sheet the
// technician can print or save as a workbook. Built once when it opens.
class CWhereUsedDlg : public QDialog {
    Q_OBJECT
public:
    explicit CWhereUsedDlg(CSystem& sys, QWidget* pParent = nullptr);
    ~CWhereUsedDlg() override;

    // What LOGIC EXPLORER runs on the report's channel; without it the
    // button is hidden.
    void SetLogicExplorer(std::function<void(QWidget*, short)> explorer);

    CSheetView& Sheet() const;
    void OnPrint();
    void OnSaveFile();

private:
    CSystem& m_sys;
    std::unique_ptr<Ui::CWhereUsedDlg> m_ui;
    std::function<void(QWidget*, short)> m_explorer;
    // The channel the report was built for.
    short m_nChannel = -1;
};

// Runs the report modally for the current channel: what every where-used
// button of the program does once it has made its channel current.
void ShowWhereUsedReport(CSystem& sys, QWidget* pParent);
// The same with the logic explorer a button away.
void ShowWhereUsedReport(CSystem& sys, QWidget* pParent,
                         std::function<void(QWidget*, short)> explorer);
