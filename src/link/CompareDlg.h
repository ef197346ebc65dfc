#pragma once

#include "model/SystemDiff.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class CShellServices;
class QTableWidget;

namespace Ui {
class CCompareDlg;
}

// Where the DVX CPU holds something else than the PC: one row per item,
// with the PC's value and the controller's, the count in the caption, and
// a button that saves the list as text. Information rows (values a running
// controller changes on its own) are shown in grey and not counted.
class CCompareDlg : public QDialog {
    Q_OBJECT
public:
    CCompareDlg(const std::vector<CSystemDifference>& aDiffs, CShellServices& shell,
                QWidget* pParent = nullptr);
    ~CCompareDlg() override;

    QTableWidget& Table() const;
    // Asks for a file name and writes the list there; false when nothing
    // was written (cancelled, or the file could not be written: reported).
    bool OnSaveAsText();

    // The list as text: a tab between item, PC and DVX CPU, one line each.
    static std::string ListText(const std::vector<CSystemDifference>& aDiffs);

private:
    std::unique_ptr<Ui::CCompareDlg> m_pUi;
    std::vector<CSystemDifference> m_aDiffs;
    CShellServices& m_shell;
};
