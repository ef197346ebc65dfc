#include "link/SerialView.h"
#include "shell/CommandIds.h"
#include "shell/FrameFixture.h"
#include "support/Screenshot.h"

#include <QListWidget>
#include <QTest>

namespace {

class SerialViewTest : public FrameTest {
protected:
    CSerialView& Open() {
        Trigger(ID_SERIAL_VIEWER);
        return *frame.SerialView();
    }
    static QStringList Lines(const QListWidget& list) {
        QStringList astrLines;
        for (int i = 0; i < list.count(); ++i)
            astrLines << list.item(i)->text();
        return astrLines;
    }
};

} // namespace

TEST_F(SerialViewTest, OpensModelessWithTwoEmptyLists) {
    CSerialView& view = Open();
    EXPECT_EQ(view.windowTitle(), "DVX SERIAL VIEWER");
    EXPECT_FALSE(view.isModal());
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.Outbound().count(), 0);
    EXPECT_EQ(view.Inbound().count(), 0);
    ASSERT_FALSE(m_shell.m_astrTraces.empty());
    EXPECT_EQ(m_shell.m_astrTraces.back().rfind("Serial viewer and list boxes created at ", 0), 0u);
}

TEST_F(SerialViewTest, EachListKeepsTheNewest101LinesWithTheNewestSelected) {
    CSerialView& view = Open();
    for (int i = 0; i < 150; ++i)
        frame.AddOutboundLine(":TR" + std::to_string(i) + "\r");
    frame.AddInboundLine("\nOK\r");
    QListWidget& outbound = view.Outbound();
    ASSERT_EQ(outbound.count(), 101);
    EXPECT_EQ(outbound.item(0)->text(), ":TR49<CR>");
    EXPECT_EQ(outbound.item(100)->text(), ":TR149<CR>");
    EXPECT_EQ(outbound.currentRow(), 100);
    EXPECT_TRUE(outbound.item(100)->isSelected());
    EXPECT_EQ(Lines(view.Inbound()), QStringList{"<LF>OK<CR>"});
    SaveScreenshot(view, "serial-viewer");
}

// The reader hands a line over at its CR; the LF after it is shown at the
// end of that line, not at the start of the next.
TEST_F(SerialViewTest, AnInboundLineFeedEndsTheLineItBelongsTo) {
    CSerialView& view = Open();
    frame.AddInboundLine("OK\r");
    frame.AddInboundLine("\nOK\r");
    frame.AddInboundLine("\n>L2\r");
    EXPECT_EQ(Lines(view.Inbound()), (QStringList{"OK<CR><LF>", "OK<CR><LF>", ">L2<CR>"}));
    EXPECT_EQ(view.Inbound().currentRow(), 2);
}

TEST_F(SerialViewTest, ControlCharactersAreShownVisibly) {
    EXPECT_EQ(CSerialView::VisibleText(":E0\r"), ":E0<CR>");
    EXPECT_EQ(CSerialView::VisibleText("\n>L2\x1a\r"), "<LF>>L2<1A><CR>");
    EXPECT_EQ(CSerialView::VisibleText(":LTÜR\r"), QString::fromUtf8(":LTÃœR<CR>"))
        << "model text is Windows-1252";
}

TEST_F(SerialViewTest, ChoosingItAgainBringsTheSameViewerToTheFront) {
    CSerialView& view = Open();
    view.showMinimized();
    frame.AddOutboundLine(":I1\r");
    Trigger(ID_SERIAL_VIEWER);
    EXPECT_EQ(frame.SerialView(), &view);
    EXPECT_EQ(frame.findChildren<CSerialView*>().size(), 1);
    EXPECT_FALSE(view.isMinimized());
    EXPECT_EQ(view.Outbound().count(), 1);
}

TEST_F(SerialViewTest, ClosingForgetsTheViewerAndReopeningStartsEmpty) {
    for (auto fnClose : {+[](CSerialView& view) { QTest::keyClick(&view, Qt::Key_Escape); },
                         +[](CSerialView& view) { view.close(); }}) {
        CSerialView& view = Open();
        frame.AddOutboundLine(":E0\r");
        frame.AddInboundLine("\r");
        fnClose(view);
        EXPECT_EQ(frame.SerialView(), nullptr);
        EXPECT_EQ(m_shell.m_astrTraces.back(), "Got serial view cancelled\n");
        frame.AddOutboundLine(":E1\r");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(frame.findChildren<CSerialView*>().isEmpty());

        CSerialView& reopened = Open();
        EXPECT_EQ(reopened.Outbound().count(), 0);
        EXPECT_EQ(reopened.Inbound().count(), 0);
        reopened.close();
    }
}
