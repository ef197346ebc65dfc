#include "support/RequireTool.h"

#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using WindowIds = std::vector<unsigned long long>;

// Polls until the condition holds or half a minute has passed: the window
// manager acts on its own time, and a busy machine slows it down.
bool WaitFor(const std::function<bool()>& isDone) {
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (!isDone()) {
        if (Clock::now() > deadline)
            return false;
        QThread::msleep(50);
    }
    return true;
}

// An X display of its own with openbox managing it, for as long as the
// test runs; the X tools of the test are run against it.
class CManagedDisplay {
public:
    ~CManagedDisplay() {
        for (QProcess* pProcess : {&m_windowManager, &m_server}) {
            pProcess->terminate();
            if (!pProcess->waitForFinished(3000))
                pProcess->kill();
            pProcess->waitForFinished(3000);
        }
    }

    // Why the display could not be brought up, or "" once openbox manages it.
    QString Start() {
        m_server.start("Xvfb",
                       {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!m_server.waitForReadyRead(30000))
            return "Xvfb did not start";
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert("DISPLAY", ":" + QString(m_server.readLine()).trimmed());
        m_windowManager.setProcessEnvironment(m_environment);
        m_windowManager.start("openbox", {});
        if (!WaitFor(
                [this] { return Run("xprop", {"-root"}).contains("_NET_SUPPORTING_WM_CHECK"); }))
            return "openbox did not start on " + m_environment.value("DISPLAY");
        return {};
    }

    const QProcessEnvironment& Environment() const { return m_environment; }

    QString Run(const QString& strProgram, const QStringList& astrArgs) const {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.start(strProgram, astrArgs);
        process.waitForFinished(10000);
        return QString::fromLocal8Bit(process.readAllStandardOutput());
    }

    // The managed windows from the bottom of the stack to the top.
    WindowIds Stacking() const { return Ids(Run("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"})); }

    static WindowIds Ids(const QString& strText) {
        WindowIds anIds;
        QRegularExpression id("0x[0-9a-fA-F]+");
        for (auto match = id.globalMatch(strText); match.hasNext();)
            anIds.push_back(match.next().captured().toULongLong(nullptr, 16));
        return anIds;
    }

private:
    QProcess m_server;
    QProcess m_windowManager;
    QProcessEnvironment m_environment;
};

std::ptrdiff_t StackPosition(const WindowIds& anStack, unsigned long long nId) {
    for (std::size_t i = 0; i < anStack.size(); ++i)
        if (anStack[i] == nId)
            return static_cast<std::ptrdiff_t>(i);
    return -1;
}

} // namespace

// The serial viewer, a loop status viewer and the indicator are watched
// while the technician works in the main window: a click on it must not
// bury them, and they go away with it when it is minimised.
TEST(WindowStacking, ViewersAndWaitIndicatorStayAboveTheMainWindowAndMinimiseWithIt) {
    for (const char* szTool : {"Xvfb", "openbox", "xprop", "xdotool"})
        REQUIRE_TOOL(szTool);
    CManagedDisplay display;
    const QString strError = display.Start();
    ASSERT_TRUE(strError.isEmpty()) << strError.toStdString();
    QProcess probe;
    QProcessEnvironment environment = display.Environment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    // The probe's leaks are the toolkit's, and checking them takes long.
    environment.insert("ASAN_OPTIONS", "detect_leaks=0");
    probe.setProcessEnvironment(environment);
    probe.start(STACKING_PROBE_PATH, {});
    ASSERT_TRUE(probe.waitForReadyRead(30000)) << "the probe printed no window ids";
    QRegularExpressionMatch ids =
        QRegularExpression("main=(\\d+) viewer=(\\d+) wait=(\\d+) loop=(\\d+)")
            .match(probe.readLine());
    ASSERT_TRUE(ids.hasMatch());
    const unsigned long long nMain = ids.captured(1).toULongLong();
    const WindowIds anChildren{ids.captured(2).toULongLong(), ids.captured(3).toULongLong(),
                               ids.captured(4).toULongLong()};
    ASSERT_TRUE(WaitFor([&] {
        WindowIds anStack = display.Stacking();
        if (StackPosition(anStack, nMain) < 0)
            return false;
        for (unsigned long long nChild : anChildren)
            if (StackPosition(anStack, nChild) < 0)
                return false;
        return true;
    })) << "openbox did not manage all four windows";

    for (unsigned long long nChild : anChildren)
        EXPECT_EQ(CManagedDisplay::Ids(
                      display.Run("xprop", {"-id", QString::number(nChild), "WM_TRANSIENT_FOR"})),
                  WindowIds{nMain})
            << "window " << nChild;

    const QString strMain = QString::number(nMain);
    display.Run("xdotool", {"mousemove", "--window", strMain, "400", "300", "click", "1"});
    display.Run("xdotool", {"windowactivate", "--sync", strMain});
    QThread::msleep(300);
    WindowIds anStack = display.Stacking();
    for (unsigned long long nChild : anChildren)
        EXPECT_GT(StackPosition(anStack, nChild), StackPosition(anStack, nMain))
            << "window " << nChild;

    display.Run("xdotool", {"windowminimize", "--sync", strMain});
    for (unsigned long long nChild : anChildren)
        EXPECT_TRUE(WaitFor([&] {
            return display.Run("xprop", {"-id", QString::number(nChild), "WM_STATE"})
                .contains("Iconic");
        })) << "window "
            << nChild << " stayed on screen";

    probe.kill();
    probe.waitForFinished(10000);
}
