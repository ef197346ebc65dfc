#include "shell/HelpWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(const QString& strManualPath, QWidget* pParent)
    : QWidget(pParent, Qt::Window), m_strManualPath(strManualPath) {
    setObjectName("HelpWindow");
    setWindowTitle(kTitle);
    resize(760, 640);
    m_pBrowser = new QTextBrowser(this);
    m_pBrowser->setObjectName("HelpBrowser");
    m_pBrowser->setOpenExternalLinks(true);
    auto* pBar = new QToolBar(this);
    pBar->addAction("&Contents", this, [this] { ShowSection({}); });
    pBar->addAction("&Back", m_pBrowser, &QTextBrowser::backward);
    pBar->addAction("&Forward", m_pBrowser, &QTextBrowser::forward);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(pBar);
    pLayout->addWidget(m_pBrowser);
    new QShortcut(QKeySequence::Close, this, this, &QWidget::close);
    new QShortcut(Qt::Key_Escape, this, this, &QWidget::close);
}

void CHelpWindow::ShowSection(const QString& strSection) {
    QUrl url = QUrl::fromLocalFile(m_strManualPath);
    if (!strSection.isEmpty())
        url.setFragment(strSection);
    if (QFileInfo(m_strManualPath).isFile())
        m_pBrowser->setSource(url);
    else
        m_pBrowser->setHtml("<h2>User manual not found</h2><p>Corvel looked for its manual at " +
                            m_strManualPath.toHtmlEscaped() +
                            " and in its installed data folder.</p>");
    // Opened from a modal dialog, the manual must be modal too, or the
    // dialog would keep it from being scrolled and closed.
    QWidget* pModal = QApplication::activeModalWidget();
    Qt::WindowModality modality = pModal && pModal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (modality != windowModality()) {
        hide();
        setWindowModality(modality);
    }
    show();
    raise();
    activateWindow();
}

QString CHelpWindow::CurrentSection() const { return m_pBrowser->source().fragment(); }
