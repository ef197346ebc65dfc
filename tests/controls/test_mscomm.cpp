#include "controls/MSComm.h"
#include "link/ScriptedController.h"
#include "link/SerialLinkHost.h"
#include "link/zlvcomm.h"
#include "model/SystemFixture.h"
#include "support/PtyPeer.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <algorithm>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

constexpr short kPort = 4;
const char* const kPortVariable = "CORVEL_COM4";

// The protocol object on the serial control, opened on a pseudo-terminal
// whose other end a peer thread plays.
class SerialLinkTest : public SystemTest {
protected:
    SerialLinkTest() {
        host.m_fnCommEvent = [this](short nEvent) { m_anEvents.push_back(nEvent); };
        host.m_fnStatusText = [this](const std::string& s) { m_astrStatus.push_back(s); };
    }
    ~SerialLinkTest() override { qunsetenv(kPortVariable); }

    // As the open command does it.
    bool Open() {
        qputenv(kPortVariable, QByteArray::fromStdString(peer.SlavePath()));
        comm.SetPortOpen(true);
        port.SetCommPort(kPort);
        port.SetSettings(QStringLiteral("9600,n,8,2"));
        port.SetInputLen(0);
        bool bOpen = port.SetPortOpen(true);
        port.SetInputMode(0);
        return bOpen;
    }
    void Close() {
        comm.SetPortOpen(false);
        port.SetPortOpen(false);
    }
    long Count(short nEvent) const {
        return std::count(m_anEvents.begin(), m_anEvents.end(), nEvent);
    }

    CScriptedController::Answer m_fnAnswer = CScriptedController::DefaultAnswer;
    CPtyPeer peer{[this](const std::string& strFrame) { return m_fnAnswer(strFrame); }};
    CMSComm port;
    CZlvComm comm{sys, m_shell};
    CSerialLinkHost host{port, comm};
    std::vector<short> m_anEvents;
    std::vector<std::string> m_astrStatus;
};

} // namespace

TEST(MSCommTest, DeviceComesFromEnvironmentThenProfileThenPlatform) {
    QStandardPaths::setTestModeEnabled(true);
    QSettings profile(QStringLiteral("Local AppWizard-Generated Applications"),
                      QStringLiteral("CorvelII 6.63"));
    qunsetenv("CORVEL_COM9");
    profile.remove(QStringLiteral("Ports/COM9"));
    EXPECT_EQ(CMSComm::DeviceName(9), QStringLiteral("/dev/ttyS8"));
    profile.setValue(QStringLiteral("Ports/COM9"), QStringLiteral("/dev/ttyUSB7"));
    profile.sync();
    EXPECT_EQ(CMSComm::DeviceName(9), QStringLiteral("/dev/ttyUSB7"));
    qputenv("CORVEL_COM9", "/tmp/dvxsim-link");
    EXPECT_EQ(CMSComm::DeviceName(9), QStringLiteral("/tmp/dvxsim-link"));
    qunsetenv("CORVEL_COM9");
    profile.remove(QStringLiteral("Ports/COM9"));
    QStandardPaths::setTestModeEnabled(false);
}

TEST(MSCommTest, SettingsMustBeBaudParityDataAndStopBits) {
    CMSComm port;
    EXPECT_TRUE(port.SetSettings(QStringLiteral("9600,N,8,2")));
    for (const char* szBad : {"9600,x,8,2", "fast,n,8,2", "9600,n,9,2", "9600,n,8,3", "9600,n,8"})
        EXPECT_FALSE(port.SetSettings(QString::fromLatin1(szBad))) << szBad;
    EXPECT_EQ(port.GetSettings(), QStringLiteral("9600,N,8,2"));
}

// Frames bigger than the driver takes at once: what it cannot take waits in
// the port's buffer, the next frame goes out behind it, not before, and a
// driver that is full for a moment does not close the port.
TEST(MSCommTest, OutputTheDriverCannotTakeAtOnceArrivesWholeAndInOrder) {
    const int fdMaster = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fdMaster, 0);
    ASSERT_EQ(grantpt(fdMaster), 0);
    ASSERT_EQ(unlockpt(fdMaster), 0);
    CMSComm port;
    port.SetDeviceName(QString::fromLocal8Bit(ptsname(fdMaster)));
    ASSERT_TRUE(port.SetPortOpen(true)) << port.ErrorString().toStdString();
    QByteArray abExpected;
    for (char c : {'a', 'b', 'c'}) {
        const QByteArray abFrame = QByteArray(40000, c) + "\r";
        port.SetOutput(abFrame);
        abExpected += abFrame;
    }
    QByteArray abArrived;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            char acBuffer[4096];
            for (ssize_t n; (n = read(fdMaster, acBuffer, sizeof acBuffer)) > 0;)
                abArrived.append(acBuffer, n);
            return abArrived.size() >= abExpected.size();
        },
        5000));
    EXPECT_EQ(abArrived.size(), abExpected.size());
    EXPECT_TRUE(abArrived == abExpected);
    EXPECT_TRUE(port.GetPortOpen()) << "a full driver is not a vanished device";
    port.SetPortOpen(false);
    close(fdMaster);
}

TEST_F(SerialLinkTest, OpensTheDeviceByName) {
    ASSERT_TRUE(peer.IsValid());
    ASSERT_TRUE(Open()) << port.ErrorString().toStdString();
    EXPECT_TRUE(port.GetPortOpen());
    EXPECT_TRUE(comm.IsPortOpen());
    EXPECT_EQ(CMSComm::DeviceName(kPort).toStdString(), peer.SlavePath());
    Close();
    EXPECT_FALSE(port.GetPortOpen());
}

TEST_F(SerialLinkTest, MissingDeviceStaysClosedAndNoWaitStarts) {
    qputenv(kPortVariable, "/nonexistent/corvel-tty");
    comm.SetPortOpen(true);
    port.SetCommPort(kPort);
    EXPECT_FALSE(port.SetPortOpen(true));
    EXPECT_FALSE(port.ErrorString().isEmpty());
    EXPECT_FALSE(port.GetPortOpen());
    EXPECT_FALSE(comm.QueryModuleLink());
    EXPECT_FALSE(sys.IsLinkActive());
}

TEST_F(SerialLinkTest, FrameReachesTheControllerAndItsAnswerEndsTheExchange) {
    m_fnAnswer = [](const std::string& strFrame) {
        return strFrame == ":I\r" ? std::string("1\r\n") : std::string("\r\n");
    };
    ASSERT_TRUE(Open());
    EXPECT_TRUE(comm.QueryModuleLink());
    EXPECT_TRUE(sys.IsLinkActive());
    EXPECT_TRUE(comm.StopModuleLink());
    EXPECT_EQ(peer.Frames(), (std::vector<std::string>{":I\r", ":I0\r"}));
    EXPECT_GE(Count(CMSComm::EventReceive), 2);
    EXPECT_EQ(m_astrStatus.back(), "LINK IDLE");
}

TEST_F(SerialLinkTest, TimersTravelBothWays) {
    ASSERT_TRUE(Open());
    sys.SetTimerReload(11, 5.0f);
    EXPECT_TRUE(comm.SendAllTimers());
    std::vector<std::string> astrFrames = peer.Frames();
    ASSERT_EQ(astrFrames.size(), 320u);
    EXPECT_EQ(astrFrames[22], ":TR0B32\r");
    EXPECT_TRUE(comm.ReadAllTimers());
    EXPECT_EQ(peer.FrameCount(), 640u);
    EXPECT_FLOAT_EQ(sys.GetTimerReload(11), 10.0f);
}

TEST_F(SerialLinkTest, StatusLinesAreDecodedWhileAnAnswerIsAwaited) {
    m_fnAnswer = [](const std::string&) { return ">L1" + std::string(39, '0') + "1\r" + "OK\r\n"; };
    ASSERT_TRUE(Open());
    EXPECT_TRUE(comm.ClearCpuMemory());
    EXPECT_EQ(sys.GetChannelStateAt(15, 9, 1), 1);
}

TEST_F(SerialLinkTest, ClosingThePortEndsAWaitAtOnce) {
    m_fnAnswer = [](const std::string&) { return std::string(); };
    ASSERT_TRUE(Open());
    QTimer::singleShot(50, [this] { Close(); });
    EXPECT_FALSE(comm.ClearCpuMemory());
    EXPECT_FALSE(comm.SendEquation());
    EXPECT_EQ(peer.FrameCount(), 1u);
}

TEST_F(SerialLinkTest, VanishedDeviceIsReportedOnceAndEndsTheWait) {
    m_fnAnswer = [](const std::string&) { return std::string(); };
    ASSERT_TRUE(Open());
    QTimer::singleShot(50, [this] { peer.HangUp(); });
    EXPECT_FALSE(comm.ClearCpuMemory());
    QTest::qWait(100);
    EXPECT_EQ(Count(CMSComm::EventDeviceLost), 1);
    EXPECT_FALSE(port.GetPortOpen());
    EXPECT_FALSE(comm.GetPortOpen());
}

TEST_F(SerialLinkTest, EndOfFileCharacterIsReportedAfterItsReceiveEvent) {
    ASSERT_TRUE(Open());
    peer.Say(std::string(1, CMSComm::kEofChar) + "\r");
    EXPECT_TRUE(QTest::qWaitFor([this] { return Count(CMSComm::EventEof) == 1; }));
    EXPECT_EQ(m_anEvents.front(), CMSComm::EventReceive);
    EXPECT_EQ(comm.GetUnreadCount(), 2);
}

// The line arrives a few characters at a time, as from a slow line; the
// program is woken once for it, at its carriage return or line feed, with
// every character of it, and the editing characters of a terminal are data.
TEST_F(SerialLinkTest, ALineIsDeliveredWholeAtItsEnd) {
    const struct {
        std::vector<std::string> astrPieces;
        long nEvents;
    } aCases[] = {
        {{">L1", std::string(20, '0'), std::string(20, '1') + "\r"}, 1},
        {{"O", "K\r\n"}, 2},
        {{"\x7f\x15\x04\x03", "\x17\x12\x16\n"}, 1},
    };
    ASSERT_TRUE(Open());
    for (const auto& c : aCases) {
        m_anEvents.clear();
        std::size_t nLength = 0;
        for (const std::string& strPiece : c.astrPieces) {
            EXPECT_EQ(Count(CMSComm::EventReceive), 0) << strPiece;
            peer.Say(strPiece);
            nLength += strPiece.size();
            QTest::qWait(30);
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return comm.GetUnreadCount() == int(nLength); }));
        EXPECT_EQ(Count(CMSComm::EventReceive), c.nEvents);
        comm.Flush();
    }
}
