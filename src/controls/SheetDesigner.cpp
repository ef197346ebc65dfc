#include "controls/SheetDesigner.h"

#include "controls/SheetPainter.h"
#include "controls/SheetView.h"
#include "model/ShellServices.h"
#include "shell/Text.h"

#include "ui_SheetDesigner.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QScreen>

#include <algorithm>
#include <set>

namespace {

// Rows and columns offered beyond the last used ones.
constexpr int kSpareRows = 100;
constexpr int kSpareCols = 10;
constexpr int kMinRows = 200;
constexpr int kMinCols = 12;
// At most this much of the screen, leaving room for the window's frame.
constexpr qreal kScreenShare = 0.9;

} // namespace

// The sheet as an editable table: a typed text that reads as a number
// becomes a number, an emptied cell loses its value but keeps its format.
class CSheetTableModel : public QAbstractTableModel {
public:
    explicit CSheetTableModel(CSheet& sheet) : m_sheet(sheet) {}

    void Reset() {
        beginResetModel();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : std::max(kMinRows, m_sheet.LastRow() + kSpareRows);
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : std::max(kMinCols, m_sheet.LastCol() + kSpareCols);
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
    }
    QVariant data(const QModelIndex& index, int nRole) const override {
        const CSheetCell& cell = m_sheet.Cell(index.row() + 1, index.column() + 1);
        switch (nRole) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return ToQString(m_sheet.CellText(index.row() + 1, index.column() + 1));
        case Qt::FontRole:
            return CSheetPainter::CellFont(m_sheet, cell);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(
                Qt::AlignVCenter |
                (cell.kind == CSheetCell::EKind::Number ? Qt::AlignRight : Qt::AlignLeft));
        default:
            return {};
        }
    }
    bool setData(const QModelIndex& index, const QVariant& value, int nRole) override {
        if (nRole != Qt::EditRole)
            return false;
        const int nRow = index.row() + 1, nCol = index.column() + 1;
        const QString strText = value.toString();
        bool bNumber = false;
        const double dValue = strText.trimmed().toDouble(&bNumber);
        if (strText.isEmpty())
            m_sheet.ClearValueRC(nRow, nCol);
        else if (bNumber)
            m_sheet.SetNumberRC(nRow, nCol, dValue);
        else
            m_sheet.SetTextRC(nRow, nCol, FromQString(strText));
        emit dataChanged(index, index);
        return true;
    }
    QVariant headerData(int nSection, Qt::Orientation orientation, int nRole) const override {
        if (nRole != Qt::DisplayRole)
            return {};
        return orientation == Qt::Horizontal ? CSheetPainter::ColumnName(nSection + 1)
                                             : QString::number(nSection + 1);
    }

private:
    CSheet& m_sheet;
};

CSheetDesigner::CSheetDesigner(CSheetView& control)
    : QWidget(&control, Qt::Window), m_control(control),
      m_ui(std::make_unique<Ui::CSheetDesigner>()),
      m_pModel(std::make_unique<CSheetTableModel>(control.Sheet())) {
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    m_ui->tableSheet->setModel(m_pModel.get());
    m_ui->spinFontSize->setValue(CSheet::kDefaultFontPoints);

    connect(m_ui->buttonBold, &QToolButton::clicked, this, &CSheetDesigner::OnBold);
    connect(m_ui->buttonUnderline, &QToolButton::clicked, this, &CSheetDesigner::OnUnderline);
    connect(m_ui->spinFontSize, &QSpinBox::valueChanged, this, &CSheetDesigner::OnFontSize);
    connect(m_ui->spinColumnWidth, &QDoubleSpinBox::valueChanged, this,
            &CSheetDesigner::OnColumnWidth);
    connect(m_ui->buttonFitColumns, &QPushButton::clicked, this, &CSheetDesigner::OnFitColumns);
    connect(m_ui->buttonOpen, &QPushButton::clicked, this, &CSheetDesigner::OnOpen);
    connect(m_ui->buttonSaveAs, &QPushButton::clicked, this, &CSheetDesigner::OnSaveAs);
    connect(m_ui->buttonPrint, &QPushButton::clicked, this, &CSheetDesigner::OnPrint);
    connect(m_ui->buttonClose, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->tableSheet->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CSheetDesigner::OnCurrentChanged);
    connect(m_ui->tableSheet->horizontalHeader(), &QHeaderView::sectionResized, this,
            &CSheetDesigner::OnSectionResized);
    connect(m_pModel.get(), &QAbstractItemModel::dataChanged, this, [this] {
        ApplyColumnWidths();
        m_control.SheetChanged();
    });
    m_control.Sheet().SetActiveCell(1, 1);
    Reload();
    FitOnScreen();
}

// The designed size is for a screen at 100%; a smaller screen, or one at a
// larger scale, gets a designer that still fits with its buttons in reach.
void CSheetDesigner::FitOnScreen() {
    const QScreen* pScreen = screen();
    if (!pScreen)
        return;
    const QSize available = pScreen->availableGeometry().size() * kScreenShare;
    resize(size().boundedTo(available).expandedTo(minimumSizeHint().boundedTo(available)));
}

CSheetDesigner::~CSheetDesigner() = default;

void CSheetDesigner::Reload() {
    m_pModel->Reset();
    const CSheet& sheet = m_control.Sheet();
    m_ui->tableSheet->setCurrentIndex(
        m_pModel->index(sheet.GetActiveRow() - 1, sheet.GetActiveCol() - 1));
    ApplyColumnWidths();
    ShowCellFormat();
}

// Column widths and the heights of rows with larger fonts follow the sheet.
void CSheetDesigner::ApplyColumnWidths() {
    m_bUpdating = true;
    const CSheet& sheet = m_control.Sheet();
    const CSheetPainter layout(sheet, m_ui->tableSheet->viewport());
    for (int nCol = 1; nCol <= m_pModel->columnCount(); ++nCol)
        m_ui->tableSheet->setColumnWidth(nCol - 1, static_cast<int>(layout.ColWidth(nCol)));
    for (int nRow = 1; nRow <= sheet.LastRow(); ++nRow)
        m_ui->tableSheet->setRowHeight(nRow - 1, static_cast<int>(layout.RowHeight(nRow)));
    m_bUpdating = false;
}

void CSheetDesigner::OnSectionResized(int nSection, int, int nNewSize) {
    if (m_bUpdating)
        return;
    const CSheetPainter layout(m_control.Sheet(), m_ui->tableSheet->viewport());
    const double dPadding =
        layout.ColWidth(nSection + 1) -
        m_control.Sheet().GetColWidth(nSection + 1) * layout.CharWidth() / CSheet::kWidthPerChar;
    const double dChars = std::max(0.0, (nNewSize - dPadding) / layout.CharWidth());
    m_control.Sheet().SetColWidth(nSection + 1, static_cast<int>(dChars * CSheet::kWidthPerChar));
    Changed();
}

void CSheetDesigner::OnCurrentChanged() {
    const QModelIndex current = m_ui->tableSheet->currentIndex();
    if (!current.isValid())
        return;
    m_control.Sheet().SetActiveCell(current.row() + 1, current.column() + 1);
    m_control.SheetChanged();
    ShowCellFormat();
}

void CSheetDesigner::ShowCellFormat() {
    const CSheet& sheet = m_control.Sheet();
    m_bUpdating = true;
    m_ui->labelCell->setText(CSheetPainter::ColumnName(sheet.GetActiveCol()) +
                             QString::number(sheet.GetActiveRow()));
    m_ui->buttonBold->setChecked(sheet.GetFontBold());
    m_ui->buttonUnderline->setChecked(sheet.GetFontUnderline());
    m_ui->spinFontSize->setValue(sheet.GetFontSize());
    m_ui->spinColumnWidth->setValue(static_cast<double>(sheet.GetColWidth(sheet.GetActiveCol())) /
                                    CSheet::kWidthPerChar);
    m_bUpdating = false;
}

template <class Edit> void CSheetDesigner::ForSelectedCells(Edit edit) {
    CSheet& sheet = m_control.Sheet();
    const int nRow = sheet.GetActiveRow(), nCol = sheet.GetActiveCol();
    QModelIndexList aSelected = m_ui->tableSheet->selectionModel()->selectedIndexes();
    if (aSelected.isEmpty())
        aSelected.push_back(m_pModel->index(nRow - 1, nCol - 1));
    for (const QModelIndex& index : aSelected) {
        sheet.SetActiveCell(index.row() + 1, index.column() + 1);
        edit(sheet);
    }
    sheet.SetActiveCell(nRow, nCol);
    Changed();
}

void CSheetDesigner::OnBold(bool bOn) {
    ForSelectedCells([bOn](CSheet& sheet) { sheet.SetFontBold(bOn); });
}

void CSheetDesigner::OnUnderline(bool bOn) {
    ForSelectedCells([bOn](CSheet& sheet) { sheet.SetFontUnderline(bOn); });
}

void CSheetDesigner::OnFontSize(int nPoints) {
    if (m_bUpdating)
        return;
    ForSelectedCells([nPoints](CSheet& sheet) { sheet.SetFontSize(nPoints); });
}

void CSheetDesigner::OnColumnWidth(double dChars) {
    if (m_bUpdating)
        return;
    std::set<int> anCols{m_control.Sheet().GetActiveCol()};
    for (const QModelIndex& index : m_ui->tableSheet->selectionModel()->selectedIndexes())
        anCols.insert(index.column() + 1);
    for (int nCol : anCols)
        m_control.Sheet().SetColWidth(nCol, static_cast<int>(dChars * CSheet::kWidthPerChar));
    Changed();
}

void CSheetDesigner::OnFitColumns() {
    CSheet& sheet = m_control.Sheet();
    sheet.SetColWidthAuto(1, 1, sheet.LastRow(), sheet.LastCol(), false);
    Changed();
}

void CSheetDesigner::OnOpen() {
    CShellServices* pShell = m_control.Shell();
    if (!pShell)
        return;
    CFileDialogRequest request;
    request.strTitle = "Open";
    request.strDefExt = "VTS";
    request.strFilter = "Corvel Sheet (*.VTS) | *.VTS | All Files | *.* ||";
    request.nFlags = kFileHideReadOnly;
    std::string strPath;
    if (!pShell->AskFileName(request, strPath))
        return;
    std::string strError;
    if (!m_control.Sheet().Read(strPath, strError)) {
        pShell->MessageBox("Could not read the sheet file " + strPath + ": " + strError + ".",
                           EBoxButtons::Ok, EBoxIcon::Exclamation);
        return;
    }
    Reload();
    m_control.SheetChanged();
}

void CSheetDesigner::OnSaveAs() {
    CShellServices* pShell = m_control.Shell();
    if (!pShell)
        return;
    CFileDialogRequest request;
    request.bOpen = false;
    request.strTitle = "Save As";
    request.strDefExt = "xlsx";
    request.strFilter =
        "Excel Workbook (*.xlsx) | *.xlsx | Corvel Sheet (*.VTS) | *.VTS | All Files | *.* ||";
    request.nFlags = kFileHideReadOnly | kFileOverwritePrompt;
    std::string strPath;
    if (pShell->AskFileName(request, strPath))
        m_control.Write(strPath, CSheetView::FileTypeOf(strPath));
}

void CSheetDesigner::OnPrint() { m_control.FilePrint(true); }

void CSheetDesigner::Changed() {
    ApplyColumnWidths();
    m_ui->tableSheet->viewport()->update();
    ShowCellFormat();
    m_control.SheetChanged();
}
