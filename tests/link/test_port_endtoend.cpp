#include "controls/SerialControl.h"
#include "link/LinkedFrameFixture.h"
#include "link/WaitIndicator.h"

#include <QTest>

#include <filesystem>

namespace {

using Frames = CSimOnPort::Frames;

// The main window as the running program has it, its port 1 pointed at
// dvxsim.
class PortEndToEnd : public SimFrameTest {};

} // namespace

TEST_F(PortEndToEnd, OpenSaveClearAndCloseAgainstTheVirtualController) {
    ASSERT_TRUE(StartSim());
    Trigger(ID_PORT_OPEN);
    ASSERT_TRUE(frame.IsPortOpen());
    EXPECT_EQ(Received(), (Frames{":I\r", ":I\r"}));

    sys.SetSysLabel(1, "Depot 4");
    m_shell.AnswerFile(m_dir.File("coach7.dvx"));
    Trigger(ID_FILE_SAVE_SYSTEM_AS);
    Frames astrSave{":E0\r", ":E0\r"};
    for (short nLabel = 0; nLabel < CSystem::kSysLabels; ++nLabel)
        astrSave.push_back(":U0" + std::to_string(nLabel) + sys.GetSysLabel(nLabel) + "\r");
    astrSave.insert(astrSave.end(), {":E1\r", ":E1\r"});
    EXPECT_EQ(Received(), astrSave);

    m_shell.ExpectBox("ARE YOU SURE YOU WANT TO CLEAR THE ENTIRE SYSTEM?", EBoxAnswer::Yes);
    Trigger(ID_CLEAR_ALL);
    EXPECT_EQ(Received(), (Frames{":E0\r", ":E0\r", ":I0\r", ":CA\r", ":I0\r", ":E1\r", ":E1\r"}));
    EXPECT_EQ(frame.WaitIndicator(), nullptr);

    Trigger(ID_PORT_OPEN);
    EXPECT_FALSE(frame.IsPortOpen());
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(m_shell.BoxTexts().size(), 1u);
}

TEST_F(PortEndToEnd, ControllerDroppingTheLineIsReportedOnce) {
    ASSERT_TRUE(StartSim({"--close-after", "2"}));
    m_shell.AnswerBox(EBoxAnswer::Ok);
    Trigger(ID_PORT_OPEN);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !frame.IsPortOpen(); }, 5000));
    QTest::qWait(200);
    ASSERT_EQ(m_shell.m_aBoxes.size(), 1u);
    EXPECT_EQ(m_shell.m_aBoxes[0].strText.rfind("The comm port COM1", 0), 0u)
        << m_shell.m_aBoxes[0].strText;
    EXPECT_FALSE(comm.GetPortOpen());
    EXPECT_EQ(frame.Action(ID_PORT_OPEN)->text(), "Open &Port");
}

// A controller that goes away and comes back at the same link (an adapter
// pulled and plugged in again) is told once, with a clear reason, and one
// Open Port reaches it again.
TEST_F(PortEndToEnd, AControllerBackAtTheSameLinkIsReopenedByOneOpenPort) {
    ASSERT_TRUE(StartSim());
    Trigger(ID_PORT_OPEN);
    ASSERT_TRUE(frame.IsPortOpen());
    m_shell.AnswerBox(EBoxAnswer::Ok);
    m_pSim.reset();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !frame.IsPortOpen(); }, 5000));
    ASSERT_EQ(m_shell.m_aBoxes.size(), 1u);
    const std::string& strBox = m_shell.m_aBoxes[0].strText;
    EXPECT_EQ(strBox.substr(strBox.find('\n') + 1), CSerialControl::kDisconnectedText);

    std::filesystem::remove(m_dir.File("dvxsim.log"));
    ASSERT_TRUE(StartSim());
    Trigger(ID_PORT_OPEN);
    EXPECT_TRUE(frame.IsPortOpen());
    EXPECT_EQ(Received(), (Frames{":I\r", ":I\r"}));
    EXPECT_EQ(m_shell.m_aBoxes.size(), 1u);
}
