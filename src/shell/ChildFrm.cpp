#include "shell/ChildFrm.h"

#include <QCloseEvent>
#include <QTableWidget>

namespace {

constexpr int kSheetRows = 60;
constexpr int kSheetColumns = 12;

} // namespace

CChildFrame::CChildFrame(std::unique_ptr<CWinzlv4Doc> pDocument, QWidget* pParent)
    : QMdiSubWindow(pParent), m_pDocument(std::move(pDocument)) {
    setObjectName("ChildFrame");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* pSheet = new QTableWidget(kSheetRows, kSheetColumns, this);
    pSheet->setObjectName("SheetArea");
    pSheet->setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWidget(pSheet);
    UpdateCaption();
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::closeEvent(QCloseEvent* pEvent) {
    QMdiSubWindow::closeEvent(pEvent);
    if (pEvent->isAccepted())
        m_pDocument->OnCloseDocument();
}

void CChildFrame::UpdateCaption() { setWindowTitle(m_pDocument->GetTitle()); }
