#pragma once

#include "shell/winzlv4Doc.h"

#include <QMdiSubWindow>

#include <memory>

// The frame of a documentation window inside the main window, around the
// documentation view.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(std::unique_ptr<CWinzlv4Doc> pDocument, QWidget* pView, QWidget* pParent = nullptr);
    ~CChildFrame() override;

    CWinzlv4Doc& Document() const { return *m_pDocument; }
    // Where the window goes when the technician restores it from maximised:
    // most of the main window, and never smaller than a readable part of
    // the sheet.
    static QSize RestoredSize(const QWidget& area);
    void UpdateCaption();

protected:
    void closeEvent(QCloseEvent* pEvent) override;

private:
    std::unique_ptr<CWinzlv4Doc> m_pDocument;
};
