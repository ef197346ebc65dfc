#include "controls/LampColumn.h"
#include "support/PaintCounter.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A column 20 wide and 200 high: each lamp owns 20 rows of pixels.
class LampColumnTest : public ::testing::Test {
protected:
    LampColumnTest() { led.resize(20, 200); }

    QColor LampCentre(int nLamp) { return led.grab().toImage().pixelColor(10, nLamp * 20 + 10); }
    static bool IsGrey(const QColor& colour) {
        return colour.red() == colour.green() && colour.green() == colour.blue();
    }

    CLampColumn led;
};

} // namespace

TEST_F(LampColumnTest, BitMaskLightsTheLampsOfItsChannels) {
    struct Case {
        int32_t nValue;
        std::vector<int> anLit;
    };
    const Case aCases[] = {
        {0, {}},
        {1, {0}},
        {513, {0, 9}},
        {0x3FF, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {0x400 | 0x10, {4}},
    };
    led.SetStyleOnColor(CLampColumn::ColorRef(255, 0, 0));
    for (const Case& c : aCases) {
        led.SetValue(c.nValue);
        for (int nLamp = 0; nLamp < CLampColumn::kLamps; ++nLamp) {
            const bool bWanted = std::count(c.anLit.begin(), c.anLit.end(), nLamp) > 0;
            EXPECT_EQ(led.IsLit(nLamp), bWanted) << c.nValue << " lamp " << nLamp;
            const QColor colour = LampCentre(nLamp);
            if (bWanted)
                EXPECT_GT(colour.red(), colour.green() + 100) << c.nValue << " lamp " << nLamp;
            else
                EXPECT_TRUE(IsGrey(colour)) << c.nValue << " lamp " << nLamp;
        }
    }
    EXPECT_EQ(led.GetValue(), 0x10);
}

TEST_F(LampColumnTest, LitLampsTakeTheColourReference) {
    led.SetValue(1);
    led.SetStyleOnColor(0xFF0000);
    EXPECT_EQ(led.GetStyleOnColor(), CLampColumn::ColorRef(0, 0, 255));
    QColor blue = LampCentre(0);
    EXPECT_GT(blue.blue(), blue.red() + 100);
    EXPECT_GT(blue.blue(), blue.green() + 100);
    led.SetStyleOnColor(CLampColumn::ColorRef(255, 255, 0));
    QColor yellow = LampCentre(0);
    EXPECT_GT(yellow.red(), yellow.blue() + 100);
    EXPECT_GT(yellow.green(), yellow.blue() + 100);
}

TEST_F(LampColumnTest, IndexIsTheLampUnderThePress) {
    const std::pair<int, short> aCases[] = {
        {0, 0}, {19, 0}, {20, 1}, {99, 4}, {100, 5}, {179, 8}, {180, 9}, {199, 9},
    };
    for (const auto& [nY, nLamp] : aCases) {
        QTest::mousePress(&led, Qt::LeftButton, {}, QPoint(10, nY));
        QTest::mouseRelease(&led, Qt::LeftButton, {}, QPoint(10, nY));
        EXPECT_EQ(led.GetLEDIndex(), nLamp) << "y " << nY;
    }
    EXPECT_EQ(led.LampAt(-5), 0);
    EXPECT_EQ(led.LampAt(400), 9);
}

TEST_F(LampColumnTest, ClickRaisesMouseDownThenClick) {
    QSignalSpy click(&led, &CLampColumn::Click);
    QSignalSpy dblClick(&led, &CLampColumn::DblClick);
    QSignalSpy mouseDown(&led, &CLampColumn::MouseDown);
    QTest::mouseClick(&led, Qt::LeftButton, Qt::ShiftModifier, QPoint(7, 65));
    EXPECT_EQ(click.count(), 1);
    EXPECT_EQ(dblClick.count(), 0);
    ASSERT_EQ(mouseDown.count(), 1);
    const QList<QVariant> args = mouseDown.front();
    EXPECT_EQ(args[0].value<short>(), 1);
    EXPECT_EQ(args[1].value<short>(), 1);
    EXPECT_EQ(args[2].toInt(), 7);
    EXPECT_EQ(args[3].toInt(), 65);
    EXPECT_EQ(led.GetLEDIndex(), 3);
}

TEST_F(LampColumnTest, DoubleClickRaisesOneClickAndOneDoubleClick) {
    QSignalSpy click(&led, &CLampColumn::Click);
    QSignalSpy dblClick(&led, &CLampColumn::DblClick);
    QSignalSpy mouseDown(&led, &CLampColumn::MouseDown);
    // What a double click delivers: press, release, double click, release.
    QTest::mouseClick(&led, Qt::LeftButton, {}, QPoint(10, 150));
    QTest::mouseDClick(&led, Qt::LeftButton, {}, QPoint(10, 150));
    QTest::mouseRelease(&led, Qt::LeftButton, {}, QPoint(10, 150));
    EXPECT_EQ(click.count(), 1);
    EXPECT_EQ(dblClick.count(), 1);
    EXPECT_EQ(mouseDown.count(), 1);
    EXPECT_EQ(led.GetLEDIndex(), 7);
}

TEST_F(LampColumnTest, ReleaseOutsideTheColumnIsNoClick) {
    QSignalSpy click(&led, &CLampColumn::Click);
    QTest::mousePress(&led, Qt::LeftButton, {}, QPoint(10, 30));
    QTest::mouseRelease(&led, Qt::LeftButton, {}, QPoint(60, 30));
    EXPECT_EQ(click.count(), 0);
}

TEST_F(LampColumnTest, RepaintsOnlyWhenTheMaskOrTheColourChanges) {
    led.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&led));
    CPaintCounter counter(led);
    led.SetValue(5);
    led.SetStyleOnColor(CLampColumn::ColorRef(0, 255, 0));
    QTest::qWait(30);
    counter.Reset();
    for (int i = 0; i < 25; ++i) {
        led.SetValue(5 | 0x800);
        led.SetStyleOnColor(CLampColumn::ColorRef(0, 255, 0));
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(counter.Count(), 0);
    led.SetValue(4);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.Count() == 1; }, 1000));
    led.SetStyleOnColor(CLampColumn::ColorRef(0, 0, 255));
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.Count() == 2; }, 1000));
}
