#include "shell/DocumentationWindow.h"

#include "shell/ToolbarIcons.h"

#include <QCloseEvent>

namespace {

// Of the main window's working area, and at least this many characters and
// lines of the sheet.
constexpr qreal kAreaShare = 0.75;
constexpr int kMinChars = 80;
constexpr int kMinLines = 20;

} // namespace

CDocumentationWindow::CDocumentationWindow(std::unique_ptr<CDocumentationDocument> pDocument,
                                           QWidget* pView, QWidget* pParent)
    : QMdiSubWindow(pParent), m_pDocument(std::move(pDocument)) {
    setObjectName("DocumentationWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(CToolbarIcons::ProgramIcon());
    setWidget(pView);
    UpdateCaption();
}

CDocumentationWindow::~CDocumentationWindow() = default;

QSize CDocumentationWindow::RestoredSize(const QWidget& area) {
    const QFontMetrics metrics = area.fontMetrics();
    const QSize minimum(metrics.averageCharWidth() * kMinChars, metrics.lineSpacing() * kMinLines);
    return (area.size() * kAreaShare).expandedTo(minimum);
}

void CDocumentationWindow::closeEvent(QCloseEvent* pEvent) {
    QMdiSubWindow::closeEvent(pEvent);
    if (pEvent->isAccepted())
        m_pDocument->OnCloseDocument();
}

void CDocumentationWindow::UpdateCaption() { setWindowTitle(m_pDocument->GetTitle()); }
