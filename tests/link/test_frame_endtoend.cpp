#include "link/FullSystem.h"
#include "link/LinkedFrameFixture.h"
#include "link/SerialView.h"
#include "link/TransferCommands.h"
#include "link/WaitIndicator.h"
#include "support/ModalScript.h"

#include <QListWidget>
#include <QProgressBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The whole main window on its serial control, port 1 pointed at dvxsim:
// what a technician does through the menus and sees in the window.
class FrameEndToEnd : public SimFrameTest {
protected:
    FrameEndToEnd() { m_shell.AllowOkBoxes(); }
};

} // namespace

TEST_F(FrameEndToEnd, TransferFromTheMenusWithTheSerialViewerOpen) {
    ASSERT_TRUE(StartSim());
    Trigger(ID_PORT_OPEN);
    ASSERT_TRUE(frame.IsPortOpen());
    Trigger(ID_SERIAL_VIEWER);
    Trigger(ID_START_DVX_LINK);
    {
        CModalScript script;
        script.Then(ChooseScope(CSystem::GroupSystem));
        Trigger(ID_TRANSFER_TO_CPU);
    }
    EXPECT_EQ(m_shell.BoxTexts(), std::vector<std::string>{"UPLOAD SUCCESSFUL"});
    EXPECT_EQ(frame.WaitIndicator(), nullptr);
    EXPECT_EQ(frame.cursor().shape(), Qt::ArrowCursor);
    EXPECT_NE(m_pSim->Console("status").find("module link on"), std::string::npos);

    QListWidget& outbound = frame.SerialView()->Outbound();
    ASSERT_EQ(outbound.count(), 101);
    EXPECT_EQ(outbound.item(100)->text(), ":I1<CR>");
    EXPECT_EQ(outbound.currentRow(), 100);
    QListWidget& inbound = frame.SerialView()->Inbound();
    EXPECT_EQ(inbound.count(), 101);
    EXPECT_TRUE(inbound.item(99)->text().endsWith("<CR><LF>")) << "the controller's line end";
    EXPECT_FALSE(inbound.item(100)->text().startsWith("<LF>"));
    EXPECT_TRUE(inbound.item(100)->text().endsWith("<CR>"));
}

TEST_F(FrameEndToEnd, ClosingThePortDuringASystemRetrievePutsTheSystemBack) {
    ASSERT_TRUE(StartSim());
    FillSystem(sys);
    const std::vector<std::string> astrBefore = TransferredFields(sys);
    Trigger(ID_PORT_OPEN);
    ASSERT_TRUE(frame.IsPortOpen());
    CModalScript script;
    script.Then(ChooseScope(CSystem::GroupSystem));
    // The technician closes the port while the equations are being read:
    // after a number of frames, however fast the build runs them.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, &frame, [this, &closer] {
        CWaitIndicator* pWait = frame.WaitIndicator();
        if (!pWait || pWait->ProgressBar().value() < 200)
            return;
        closer.stop();
        Trigger(ID_PORT_OPEN);
    });
    closer.start(1);
    Trigger(ID_RETRIEVE_FROM_CPU);

    EXPECT_FALSE(frame.IsPortOpen());
    EXPECT_EQ(m_shell.BoxTexts(), std::vector<std::string>{CTransferCommands::kSystemPutBackText});
    EXPECT_EQ(TransferredFields(sys), astrBefore);
    EXPECT_EQ(frame.WaitIndicator(), nullptr);
}

// The controller drops the line part way through a transfer: besides the
// lost port, the technician hears once that the controller holds part of
// the system, not of each step that could not go.
class DroppedLine : public FrameEndToEnd,
                    public ::testing::WithParamInterface<std::pair<int, const char*>> {};

TEST_P(DroppedLine, DuringATransferIsSaidOnce) {
    const auto& [nGroup, szCloseAfter] = GetParam();
    ASSERT_TRUE(StartSim({"--close-after", szCloseAfter}));
    Trigger(ID_PORT_OPEN);
    ASSERT_TRUE(frame.IsPortOpen());
    {
        CModalScript script;
        script.Then(ChooseScope(nGroup));
        if (nGroup == CSystem::GroupModule)
            script.Then(CModalScript::Accept());
        Trigger(ID_TRANSFER_TO_CPU);
    }
    EXPECT_FALSE(frame.IsPortOpen());
    const std::vector<std::string> astrBoxes = m_shell.BoxTexts();
    ASSERT_EQ(astrBoxes.size(), 2u);
    EXPECT_NE(astrBoxes[0].find("is no longer available and has been closed."), std::string::npos)
        << astrBoxes[0];
    EXPECT_EQ(astrBoxes[1], CTransferCommands::kUploadInterruptedText);
    EXPECT_EQ(m_shell.m_aBoxes.back().icon, EBoxIcon::Stop);
}

INSTANTIATE_TEST_SUITE_P(ModuleAndSystem, DroppedLine,
                         ::testing::Values(std::make_pair(CSystem::GroupModule, "20"),
                                           std::make_pair(CSystem::GroupSystem, "50")));

// A refused frame stops its step; the final box names all the controller
// is missing, and the steps after it still went out.
TEST_F(FrameEndToEnd, ARefusedLabelSaysWhatWasNotSent) {
    ASSERT_TRUE(StartSim({"--refuse", ":L005*"}));
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
        sys.SetCurLoop(0);
        sys.SetCurModule(0);
        sys.SetCurChannel(nChannel);
        sys.SetCurChannelLabel("LAMP");
    }
    Trigger(ID_PORT_OPEN);
    ASSERT_TRUE(frame.IsPortOpen());
    {
        CModalScript script;
        script.Then(ChooseScope(CSystem::GroupSystem));
        Trigger(ID_TRANSFER_TO_CPU);
    }
    EXPECT_EQ(m_shell.BoxTexts(),
              (std::vector<std::string>{
                  "ERROR WHILE TRANSMITTING TO DVX CPU",
                  std::string(CTransferCommands::kUploadErrorsText) +
                      "\nBLUE LOOP channel labels from A6 on, module labels and system labels "
                      "were not sent"}));
    int nLabels = 0;
    int nTimers = 0;
    for (const std::string& strFrame : Received()) {
        nLabels += strFrame.rfind(":L0", 0) == 0 || strFrame.rfind(":U", 0) == 0;
        nTimers += strFrame.rfind(":TR", 0) == 0;
    }
    EXPECT_EQ(nLabels, 6) << "Blue A1 to A6, the refused one included";
    EXPECT_EQ(nTimers, 160);
}
