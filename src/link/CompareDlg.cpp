#include "link/CompareDlg.h"

#include "model/DataFile.h"
#include "model/ShellServices.h"
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
    CFileDialogRequest request;
    request.bOpen = false;
    request.strTitle = "Save the differences as text";
    request.strDefExt = "TXT";
    request.strFileName = "DIFFERENCES.TXT";
    request.strFilter = "Text (*.TXT) | *.TXT | All Files | *.* ||";
    request.nFlags = kFileHideReadOnly | kFileOverwritePrompt;
    std::string strPath;
    if (!m_shell.AskFileName(request, strPath))
        return false;
    std::string strText = ListText(m_aDiffs);
    std::error_code error;
    if (CDataFile::Write(strPath, std::vector<unsigned char>(strText.begin(), strText.end()),
                         error))
        return true;
    std::string strMessage = "Could not write the differences to " + strPath;
    if (error)
        strMessage += "\n" + error.message();
    m_shell.MessageBox(strMessage, EBoxButtons::Ok, EBoxIcon::Stop);
    return false;
}

std::string CCompareDlg::ListText(const std::vector<CSystemDifference>& aDiffs) {
    std::string strText = "Item\tPC\tDVX CPU\r\n";
    for (const CSystemDifference& diff : aDiffs)
        strText += diff.strItem + (diff.bInformation ? kInformationText : "") + "\t" +
                   diff.strLeft + "\t" + diff.strRight + "\r\n";
    return strText;
}
