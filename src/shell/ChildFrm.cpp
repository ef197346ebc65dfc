#include "shell/ChildFrm.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(std::unique_ptr<CWinzlv4Doc> pDocument, QWidget* pView, QWidget* pParent)
    : QMdiSubWindow(pParent), m_pDocument(std::move(pDocument)) {
    setObjectName("ChildFrame");
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(pView);
    UpdateCaption();
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::closeEvent(QCloseEvent* pEvent) {
    QMdiSubWindow::closeEvent(pEvent);
    if (pEvent->isAccepted())
        m_pDocument->OnCloseDocument();
}

void CChildFrame::UpdateCaption() { setWindowTitle(m_pDocument->GetTitle()); }
