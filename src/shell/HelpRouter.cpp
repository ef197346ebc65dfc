#include "shell/HelpRouter.h"

#include "shell/CommandTable.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolButton>

CHelpRouter::CHelpRouter(QWidget* pFrame, ShowSection showSection)
    : QObject(pFrame), m_showSection(std::move(showSection)) {
    setObjectName("HelpRouter");
    qApp->installEventFilter(this);
}

CHelpRouter::~CHelpRouter() { EndContextHelp(); }

CHelpRouter* CHelpRouter::Of(QObject* pFrame) {
    return pFrame->findChild<CHelpRouter*>("HelpRouter", Qt::FindDirectChildrenOnly);
}

void CHelpRouter::StartContextHelp() {
    if (m_bPicking)
        return;
    m_bPicking = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
}

void CHelpRouter::EndContextHelp() {
    if (!m_bPicking)
        return;
    m_bPicking = false;
    QApplication::restoreOverrideCursor();
}

QString CHelpRouter::SectionOfAction(const QAction* pAction) {
    if (!pAction)
        return {};
    if (pAction->menu()) {
        for (const QAction* pItem : pAction->menu()->actions())
            if (!pItem->isSeparator() && !pItem->menu())
                return SectionOfAction(pItem);
        return {};
    }
    const CCommandInfo* pInfo = CCommandTable::Find(pAction->data().toInt());
    return pInfo ? QString::fromUtf8(pInfo->szHelpSection) : QString();
}

QString CHelpRouter::SectionOfWidget(QWidget* pWidget, const QPoint& globalPos) {
    for (QWidget* p = pWidget; p; p = p->parentWidget()) {
        if (auto* pButton = qobject_cast<QToolButton*>(p))
            return SectionOfAction(pButton->defaultAction());
        if (auto* pMenu = qobject_cast<QMenu*>(p))
            return SectionOfAction(pMenu->actionAt(pMenu->mapFromGlobal(globalPos)));
        if (auto* pBar = qobject_cast<QMenuBar*>(p))
            return SectionOfAction(pBar->actionAt(pBar->mapFromGlobal(globalPos)));
        QVariant section = p->property(kSectionProperty);
        if (section.isValid())
            return section.toString();
    }
    return {};
}

bool CHelpRouter::eventFilter(QObject* pObject, QEvent* pEvent) {
    auto* pWidget = qobject_cast<QWidget*>(pObject);
    if (!pWidget)
        return false;
    if (m_bPicking && pEvent->type() == QEvent::MouseButtonPress) {
        auto* pMouse = static_cast<QMouseEvent*>(pEvent);
        QString strSection = SectionOfWidget(pWidget, pMouse->globalPosition().toPoint());
        EndContextHelp();
        m_showSection(strSection);
        return true;
    }
    if (pEvent->type() != QEvent::KeyPress)
        return false;
    auto* pKey = static_cast<QKeyEvent*>(pEvent);
    if (m_bPicking && pKey->key() == Qt::Key_Escape) {
        EndContextHelp();
        return true;
    }
    if (pKey->key() != Qt::Key_F1 || pKey->modifiers() != Qt::NoModifier)
        return false;
    if (auto* pMenu = qobject_cast<QMenu*>(pWidget)) {
        QString strSection = SectionOfAction(pMenu->activeAction());
        for (QWidget* pPopup = QApplication::activePopupWidget(); pPopup;
             pPopup = QApplication::activePopupWidget())
            pPopup->close();
        m_showSection(strSection);
        return true;
    }
    if (qobject_cast<QDialog*>(pWidget->window())) {
        m_showSection(SectionOfWidget(pWidget, {}));
        return true;
    }
    return false;
}
