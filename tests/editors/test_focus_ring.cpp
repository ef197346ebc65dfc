#include "editors/FocusRing.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

// A scroll bar reached with Tab shows a ring in the highlight colour around
// its edge, and loses it with the focus.
TEST(FocusRing, MarksTheBarWhileItHasTheFocus) {
    QWidget window;
    auto* pLayout = new QVBoxLayout(&window);
    auto* pField = new QLineEdit(&window);
    auto* pBar = new QScrollBar(Qt::Horizontal, &window);
    pBar->setFocusPolicy(Qt::StrongFocus);
    pLayout->addWidget(pField);
    pLayout->addWidget(pBar);
    CFocusRing::Attach(*pBar);
    CFocusRing::Attach(*pBar);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    pField->setFocus();
    auto* pRing = pBar->findChild<QWidget*>("FocusRing");
    ASSERT_NE(pRing, nullptr);
    EXPECT_EQ(pBar->findChildren<QWidget*>("FocusRing").size(), 1);
    EXPECT_FALSE(pRing->isVisible());

    QTest::keyClick(pField, Qt::Key_Tab);
    ASSERT_TRUE(pBar->hasFocus());
    EXPECT_TRUE(pRing->isVisible());
    EXPECT_EQ(pRing->geometry(), pBar->rect());
    const QImage image = pBar->grab().toImage();
    const QColor highlight = pBar->palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(image.pixelColor(0, image.height() / 2), highlight);
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() - 1), highlight);

    QTest::keyClick(pBar, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_FALSE(pRing->isVisible());
}
