#include "link/CompareDlg.h"

#include "model/ShellServices.h"
#include "reports/ListTextFile.h"
#include "shell/Text.h"
#include "ui_CompareDlg.h"

#include <QHeaderView>

namespace {

const char* const kInformationText = " (information)";

} // namespace

CCompareDlg::CCompareDlg(const std::vector<CSystemDifference>& aDiffs, CShellServices& shell,
                         QWidget* pParent)
    : QDialog(pParent), m_pUi(std::make_unique<Ui::CCompareDlg>()), m_aDiffs(aDiffs),
      m_shell(shell) {
    m_pUi->setupUi(this);
    int nCount = CSystemDiff::CountDifferences(aDiffs);
    setWindowTitle(QString("Compare with DVX CPU: %1 %2")
                       .arg(nCount)
                       .arg(nCount == 1 ? "difference" : "differences"));
    QTableWidget& table = Table();
    table.setRowCount(static_cast<int>(aDiffs.size()));
    for (int nRow = 0; nRow < table.rowCount(); ++nRow) {
        const CSystemDifference& diff = aDiffs[static_cast<std::size_t>(nRow)];
        const std::string astrCells[] = {diff.strItem + (diff.bInformation ? kInformationText : ""),
                                         diff.strLeft, diff.strRight};
        for (int nColumn = 0; nColumn < 3; ++nColumn) {
            auto* pItem = new QTableWidgetItem(ToQString(astrCells[nColumn]));
            if (diff.bInformation)
                pItem->setForeground(palette().brush(QPalette::PlaceholderText));
            table.setItem(nRow, nColumn, pItem);
        }
    }
    table.resizeColumnsToContents();
    connect(m_pUi->SaveButton, &QPushButton::clicked, this, [this] { OnSaveAsText(); });
}

CCompareDlg::~CCompareDlg() = default;

QTableWidget& CCompareDlg::Table() const { return *m_pUi->DifferenceTable; }

bool CCompareDlg::OnSaveAsText() {
    return ListTextFile::Save(m_shell, "the differences", "DIFFERENCES.TXT", ListText(m_aDiffs));
}

std::string CCompareDlg::ListText(const std::vector<CSystemDifference>& aDiffs) {
    std::string strText = "Item\tPC\tDVX CPU\r\n";
    for (const CSystemDifference& diff : aDiffs)
        strText += diff.strItem + (diff.bInformation ? kInformationText : "") + "\t" +
                   diff.strLeft + "\t" + diff.strRight + "\r\n";
    return strText;
}
