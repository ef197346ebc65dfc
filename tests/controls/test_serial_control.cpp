#include "controls/SerialControl.h"
#include "link/ControllerProtocol.h"
#include "link/ScriptedController.h"
#include "link/SerialLinkHost.h"
#include "model/SystemFixture.h"
#include "support/PtyPeer.h"
#include "support/TempDir.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
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

    // The line's error counters as a driver would keep them.
    class CFakeErrorCounters : public CLineErrorSource {
    public:
        explicit CFakeErrorCounters(CLineErrorCounts& counts) : m_counts(counts) {}
        std::optional<CLineErrorCounts> Read(int) override { return m_counts; }

    private:
        CLineErrorCounts& m_counts;
    };

    CScriptedController::Answer m_fnAnswer = CScriptedController::DefaultAnswer;
    CPtyPeer peer{[this](const std::string& strFrame) { return m_fnAnswer(strFrame); }};
    CSerialControl port;
    CControllerProtocol comm{sys, m_shell};
    CSerialLinkHost host{port, comm};
    std::vector<short> m_anEvents;
    std::vector<std::string> m_astrStatus;
};

// Whether the terminal is held for one program alone (another program's
// open is refused), asked through a descriptor of this process.
bool HeldExclusively(const std::string& strDevice) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error) != strDevice)
            continue;
        int nExclusive = 0;
        const int fd = std::stoi(entry.path().filename().string());
        if (ioctl(fd, TIOCGEXCL, &nExclusive) == 0 && nExclusive != 0)
            return true;
    }
    return false;
}

} // namespace

TEST(SerialControlTest, DeviceComesFromEnvironmentThenProfileThenPlatform) {
    QStandardPaths::setTestModeEnabled(true);
    QSettings profile(QStringLiteral("Local AppWizard-Generated Applications"),
                      QStringLiteral("CorvelII 6.63"));
    qunsetenv("CORVEL_COM9");
    profile.remove(QStringLiteral("Ports/COM9"));
    EXPECT_EQ(CSerialControl::DeviceName(9), QStringLiteral("/dev/ttyS8"));
    profile.setValue(QStringLiteral("Ports/COM9"), QStringLiteral("/dev/ttyUSB7"));
    profile.sync();
    EXPECT_EQ(CSerialControl::DeviceName(9), QStringLiteral("/dev/ttyUSB7"));
    qputenv("CORVEL_COM9", "/tmp/dvxsim-link");
    EXPECT_EQ(CSerialControl::DeviceName(9), QStringLiteral("/tmp/dvxsim-link"));
    qunsetenv("CORVEL_COM9");
    profile.remove(QStringLiteral("Ports/COM9"));
    QStandardPaths::setTestModeEnabled(false);
}

TEST(SerialControlTest, SettingsMustBeBaudParityDataAndStopBits) {
    CSerialControl port;
    EXPECT_TRUE(port.SetSettings(QStringLiteral("9600,N,8,2")));
    for (const char* szBad : {"9600,x,8,2", "fast,n,8,2", "9600,n,9,2", "9600,n,8,3", "9600,n,8"})
        EXPECT_FALSE(port.SetSettings(QString::fromLatin1(szBad))) << szBad;
    EXPECT_EQ(port.GetSettings(), QStringLiteral("9600,N,8,2"));
}

// Frames bigger than the driver takes at once: what it cannot take waits in
// the port's buffer, the next frame goes out behind it, not before, and a
// driver that is full for a moment does not close the port.
TEST(SerialControlTest, OutputTheDriverCannotTakeAtOnceArrivesWholeAndInOrder) {
    const int fdMaster = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fdMaster, 0);
    ASSERT_EQ(grantpt(fdMaster), 0);
    ASSERT_EQ(unlockpt(fdMaster), 0);
    CSerialControl port;
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
    EXPECT_EQ(CSerialControl::DeviceName(kPort).toStdString(), peer.SlavePath());
    Close();
    EXPECT_FALSE(port.GetPortOpen());
}

// A relative path names a device from the current folder, with or without
// a folder in it; the device is then held for Corvel alone.
TEST_F(SerialLinkTest, OpensARelativePathFromTheCurrentFolder) {
    ASSERT_TRUE(peer.IsValid());
    CTempDir dir;
    std::filesystem::create_directory(dir.File("sub"));
    std::filesystem::create_symlink(peer.SlavePath(), dir.File("rel-link"));
    std::filesystem::create_symlink(peer.SlavePath(), dir.File("sub/link"));
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    for (const char* szName : {"rel-link", "sub/link"}) {
        CSerialControl relative;
        relative.SetDeviceName(QString::fromUtf8(szName));
        EXPECT_TRUE(relative.SetPortOpen(true)) << szName << relative.ErrorString().toStdString();
        EXPECT_TRUE(HeldExclusively(peer.SlavePath())) << szName;
    }
    std::filesystem::current_path(before);
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
    EXPECT_GE(Count(CSerialControl::EventReceive), 2);
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
    EXPECT_EQ(Count(CSerialControl::EventDeviceLost), 1);
    EXPECT_FALSE(port.GetPortOpen());
    EXPECT_FALSE(comm.GetPortOpen());
    EXPECT_EQ(port.ErrorString(), CSerialControl::kDisconnectedText);
}

TEST_F(SerialLinkTest, ADeviceAnotherProgramHoldsIsSaidToBeInUse) {
    ASSERT_TRUE(Open());
    CSerialControl second;
    second.SetDeviceName(QString::fromStdString(peer.SlavePath()));
    EXPECT_FALSE(second.SetPortOpen(true));
    EXPECT_EQ(second.ErrorString().toStdString(),
              peer.SlavePath() + " is in use by another program.");
    EXPECT_TRUE(port.GetPortOpen());
}

// A lone end-of-file character is reported as it arrives: nothing waits
// for a line end.
TEST_F(SerialLinkTest, EndOfFileCharacterIsReportedAfterItsReceiveEvent) {
    ASSERT_TRUE(Open());
    peer.Say(std::string(1, CSerialControl::kEofChar));
    EXPECT_TRUE(QTest::qWaitFor([this] { return Count(CSerialControl::EventEof) == 1; }));
    EXPECT_EQ(m_anEvents.front(), CSerialControl::EventReceive);
    EXPECT_EQ(comm.GetUnreadCount(), 1);
}

// Noise on the line between answers (a break reads as NUL) must not be
// taken for any part of the next answer. Short noise is still in the driver
// when the next frame goes out; a long run without a line end has been read
// as it came, as on a real line, and the next answer still gets through. A
// long run sent right behind each answer comes in the answer's own read and
// does not push it out.
TEST_F(SerialLinkTest, NoiseAfterAnAnswerNeverReachesTheNextOne) {
    const struct {
        std::string strNoise;
        bool bReadAsItComes;
        bool bBehindEachAnswer;
    } aCases[] = {
        {std::string(1, '\0'), false, false},
        {std::string(1, CSerialControl::kEofChar), false, false},
        {"Z", false, false},
        {std::string(5000, 'Z'), true, false},
        {std::string(2000, 'Z'), true, true},
    };
    const CScriptedController::Answer fnAnswer =
        CScriptedController::DefaultExcept({{":K000\r", "HORN\r\n"}, {":J\r", "1F\r\n"}});
    std::atomic<std::size_t> nNoiseBehind = 0;
    m_fnAnswer = [&](const std::string& strFrame) {
        return fnAnswer(strFrame) + std::string(nNoiseBehind, 'Z');
    };
    ASSERT_TRUE(Open());
    for (const auto& c : aCases) {
        nNoiseBehind = c.bBehindEachAnswer ? c.strNoise.size() : 0;
        auto fnNoise = [&] {
            peer.Say(c.strNoise);
            if (c.bReadAsItComes)
                QTest::qWait(100);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        };
        const std::size_t nSize = c.strNoise.size();
        EXPECT_TRUE(comm.ClearCpuMemory()) << nSize;
        fnNoise();
        EXPECT_TRUE(comm.ClearCpuMemory()) << nSize;
        fnNoise();
        EXPECT_TRUE(comm.ReadChannelLabel()) << nSize;
        EXPECT_EQ(sys.GetCurChannelLabel(), "HORN") << nSize;
        fnNoise();
        EXPECT_TRUE(comm.ReadProcessorTime()) << nSize;
        EXPECT_EQ(sys.GetBoolProcTime(), 0x1F) << nSize;
        fnNoise();
    }
}

// Each kind of error the driver counts is raised once for the poll that
// sees it rise, however far it rose; counters that stay still raise nothing.
TEST_F(SerialLinkTest, EachLineErrorCounterRaisesItsEventOnce) {
    CLineErrorCounts counts{3, 3, 3, 3, 3};
    port.SetLineErrorSource(std::make_unique<CFakeErrorCounters>(counts));
    ASSERT_TRUE(Open());
    const struct {
        int CLineErrorCounts::*pnCounter;
        short nEvent;
    } aCases[] = {
        {&CLineErrorCounts::nBreak, CSerialControl::EventBreak},
        {&CLineErrorCounts::nFrame, CSerialControl::EventFrame},
        {&CLineErrorCounts::nOverrun, CSerialControl::EventOverrun},
        {&CLineErrorCounts::nBufferOverrun, CSerialControl::EventRxOverflow},
        {&CLineErrorCounts::nParity, CSerialControl::EventRxParity},
    };
    QTest::qWait(3 * CSerialControl::kErrorPollMs);
    EXPECT_TRUE(m_anEvents.empty()) << "the counts when the port opened are not new";
    for (const auto& c : aCases) {
        m_anEvents.clear();
        counts.*c.pnCounter += 40;
        EXPECT_TRUE(QTest::qWaitFor([&] { return Count(c.nEvent) == 1; })) << c.nEvent;
        QTest::qWait(3 * CSerialControl::kErrorPollMs);
        EXPECT_EQ(m_anEvents, std::vector<short>{c.nEvent});
        EXPECT_TRUE(port.GetPortOpen());
    }
}

// The line arrives a few characters at a time, as from a slow line; every
// piece reaches the ring as it arrives, whether a line end came yet or not,
// and the editing characters of a terminal are data.
TEST_F(SerialLinkTest, EveryCharacterIsDeliveredAsItArrives) {
    const std::vector<std::string> aPieces[] = {
        {">L1", std::string(20, '0'), std::string(20, '1') + "\r"},
        {"O", "K\r\n"},
        {"\x7f\x15\x04\x03", "\x17\x12\x16\n"},
    };
    ASSERT_TRUE(Open());
    for (const auto& astrPieces : aPieces) {
        std::size_t nLength = 0;
        for (const std::string& strPiece : astrPieces) {
            peer.Say(strPiece);
            nLength += strPiece.size();
            EXPECT_TRUE(QTest::qWaitFor([&] { return comm.GetUnreadCount() == int(nLength); }))
                << strPiece;
        }
        comm.Flush();
    }
}
