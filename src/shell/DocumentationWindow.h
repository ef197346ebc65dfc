#pragma once

#include "shell/DocumentationDocument.h"

#include <QMdiSubWindow>

#include <memory>

// The frame of a documentation window inside the main window, around the
// documentation view.
class CDocumentationWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    CDocumentationWindow(std::unique_ptr<CDocumentationDocument> pDocument, QWidget* pView,
                         QWidget* pParent = nullptr);
    ~CDocumentationWindow() override;

    CDocumentationDocument& Document() const { return *m_pDocument; }
    // Where the window goes when the technician restores it from maximised:
    // most of the main window, and never smaller than a readable part of
    // the sheet.
    static QSize RestoredSize(const QWidget& area);
    void UpdateCaption();

protected:
    void closeEvent(QCloseEvent* pEvent) override;

private:
    std::unique_ptr<CDocumentationDocument> m_pDocument;
};
