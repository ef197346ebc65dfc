#include "support/ModalScript.h"

#include <QApplication>

#include <gtest/gtest.h>

CModalScript::CModalScript() {
    connect(&m_timer, &QTimer::timeout, this, &CModalScript::OnTick);
    m_timer.start(1);
}

CModalScript::~CModalScript() {
    EXPECT_TRUE(m_aSteps.empty()) << m_aSteps.size() << " scripted dialog steps never ran";
}

CModalScript& CModalScript::Then(Step step) {
    m_aSteps.push_back(std::move(step));
    return *this;
}

void CModalScript::OnTick() {
    auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!pDialog || !pDialog->isVisible())
        return;
    m_astrSeen.push_back(pDialog->metaObject()->className());
    if (m_aSteps.empty()) {
        ADD_FAILURE() << "Unexpected dialog " << pDialog->metaObject()->className();
        pDialog->reject();
        return;
    }
    Step step = std::move(m_aSteps.front());
    m_aSteps.pop_front();
    step(*pDialog);
}
