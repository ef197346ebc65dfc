#pragma once

#include <QObject>

#include <functional>

class QAction;
class QWidget;

// Sends F1 and the context help pick to the right section of the manual:
// F1 over a highlighted menu item opens that command's section, F1 in a
// dialog opens the dialog's section (its "helpSection" property), and after
// Shift+F1 the next click on a button, menu item or window opens the section
// of what was clicked. Escape leaves the pick.
class CHelpRouter : public QObject {
    Q_OBJECT
public:
    using ShowSection = std::function<void(const QString&)>;
    static constexpr const char* kSectionProperty = "helpSection";

    CHelpRouter(QWidget* pFrame, ShowSection showSection);
    ~CHelpRouter() override;
    static CHelpRouter* Of(QObject* pFrame);

    void StartContextHelp();
    bool IsPicking() const { return m_bPicking; }
    // The section that belongs to a command, a menu or a widget.
    static QString SectionOfAction(const QAction* pAction);
    static QString SectionOfWidget(QWidget* pWidget, const QPoint& globalPos);

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    void EndContextHelp();

    ShowSection m_showSection;
    bool m_bPicking = false;
};
