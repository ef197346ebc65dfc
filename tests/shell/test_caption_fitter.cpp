#include "shell/CaptionFitter.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

int TitleTextWidth(const QWidget& widget) {
    QFont font = widget.font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(widget.windowTitle());
}

class CaptionFitterTest : public ::testing::Test {
protected:
    CCaptionFitter m_fitter;
    void SetUp() override { qApp->installEventFilter(&m_fitter); }
    void TearDown() override { qApp->removeEventFilter(&m_fitter); }
};

} // namespace

TEST_F(CaptionFitterTest, NarrowDialogGrowsToItsCaption) {
    QDialog dialog;
    dialog.setWindowTitle("SELECT  OBJECT  GROUP");
    dialog.resize(60, 80);
    dialog.show();
    EXPECT_GT(dialog.width(), TitleTextWidth(dialog));
    EXPECT_EQ(80, dialog.height());
}

TEST_F(CaptionFitterTest, WideDialogKeepsItsSize) {
    QDialog dialog;
    dialog.setWindowTitle("OK");
    dialog.resize(500, 80);
    dialog.show();
    EXPECT_EQ(500, dialog.width());
}

TEST_F(CaptionFitterTest, MessageBoxGrowsToItsCaption) {
    QMessageBox box(QMessageBox::NoIcon,
                    "CorvelII 6.63 with a caption much longer than the text of the box under it",
                    "OK", QMessageBox::Ok);
    QTimer::singleShot(0, &box, [&box] {
        EXPECT_GT(box.width(), TitleTextWidth(box));
        box.accept();
    });
    box.exec();
}
