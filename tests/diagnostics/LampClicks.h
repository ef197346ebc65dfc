#pragma once

#include "controls/LampColumn.h"
#include "diagnostics/LampGrid.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

// Clicks on one lamp of a column, at its centre, as the technician does.
inline QPoint LampCentre(const CLampColumn& led, int nLamp) {
    return {led.width() / 2, led.height() * (2 * nLamp + 1) / (2 * CLampColumn::kLamps)};
}

inline void ClickLamp(CLampColumn& led, int nLamp) {
    QTest::mouseClick(&led, Qt::LeftButton, {}, LampCentre(led, nLamp));
}

// Press, release, double click, release: the first press and release make a
// click of their own.
inline void DoubleClickLamp(CLampColumn& led, int nLamp) {
    const QPoint centre = LampCentre(led, nLamp);
    QTest::mouseClick(&led, Qt::LeftButton, {}, centre);
    QTest::mouseDClick(&led, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(&led, Qt::LeftButton, {}, centre);
}

// Each module letter stands centred over its column and each channel number
// level with its row of lamps, within a pixel; the labels named are those the
// grid shows (bottom and right-hand ones only where bOuter).
inline void ExpectLabelsAlignedWithLamps(const CLampGrid& grid, bool bOuter) {
    auto centreIn = [&grid](const QWidget& widget, QPoint point) {
        return widget.mapTo(&grid, point);
    };
    for (int nModule = 0; nModule < CLampGrid::kColumns; ++nModule) {
        const CLampColumn& led = grid.Column(nModule);
        const int nLedX = centreIn(led, QPoint(led.width() / 2, 0)).x();
        const QString strLetter(QChar('A' + nModule));
        for (const QString& strSide : {QString("Top"), QString("Bottom")}) {
            auto* pLabel = grid.findChild<QLabel*>("label" + strSide + strLetter);
            ASSERT_NE(pLabel, nullptr);
            EXPECT_EQ(pLabel->isVisible(), strSide == "Top" || bOuter) << strSide.toStdString();
            if (!pLabel->isVisible())
                continue;
            const int nX = centreIn(*pLabel, pLabel->rect().center()).x();
            EXPECT_NEAR(nX, nLedX, 1) << strSide.toStdString() << " " << strLetter.toStdString();
        }
    }
    const CLampColumn& first = grid.Column(0);
    for (int nLamp = 0; nLamp < CLampColumn::kLamps; ++nLamp) {
        const int nLampY = centreIn(first, LampCentre(first, nLamp)).y();
        const QString strNumber = QString::number(nLamp + 1);
        for (const QString& strSide : {QString("Left"), QString("Right")}) {
            auto* pLabel = grid.findChild<QLabel*>("label" + strSide + strNumber);
            ASSERT_NE(pLabel, nullptr);
            if (!pLabel->isVisible())
                continue;
            const int nY = centreIn(*pLabel, pLabel->rect().center()).y();
            EXPECT_NEAR(nY, nLampY, 1) << strSide.toStdString() << " " << nLamp;
        }
    }
}
