#include "controls/Animation.h"
#include "link/WaitIndicator.h"
#include "support/ShellRecorder.h"
#include "support/TempDir.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

void WriteFile(const std::string& strPath, const std::string& strBytes) {
    std::ofstream(strPath, std::ios::binary) << strBytes;
}

} // namespace

TEST(WaitIndicator, PlaysTheAnimationFromTheLaunchDirectory) {
    CTempDir dir;
    std::filesystem::copy_file(CORVEL_SOURCE_DIR "/data/WAIT.AVI", dir.File("WAIT.AVI"));
    CShellRecorder shell;
    CWaitIndicator dialog(dir.Str(), shell);
    dialog.OnInitDialog();
    EXPECT_TRUE(shell.m_aBoxes.empty());
    EXPECT_EQ(shell.m_astrTraces,
              (std::vector<std::string>{"Wait file path = " + dir.File("WAIT.AVI") + "\n"}));
    EXPECT_EQ(dialog.windowTitle(), "PLEASE WAIT");
    EXPECT_EQ(dialog.TextLine().text(), "Please wait");
    EXPECT_EQ(dialog.Animation().FrameCount(), 12);
}

// Without a launch directory copy, Corvel's own animation is used.
TEST(WaitIndicator, FallsBackToTheShippedAnimation) {
    CTempDir dir;
    CShellRecorder shell;
    CWaitIndicator dialog(dir.Str(), shell);
    dialog.OnInitDialog();
    EXPECT_TRUE(shell.m_aBoxes.empty());
    EXPECT_TRUE(dialog.Animation().IsOpen());
}

TEST(WaitIndicator, UnreadableAnimationIsReportedAndTheTextStillShows) {
    const struct {
        const char* szName;
        std::string strBytes;
    } aCases[] = {{"empty", ""}, {"not an avi", "RIFF\x10\x00\x00\x00WAVEfmt junk"}};
    for (const auto& aCase : aCases) {
        CTempDir dir;
        WriteFile(dir.File("WAIT.AVI"), aCase.strBytes);
        CShellRecorder shell;
        shell.ExpectBox("Could not open/find WAIT.AVI file");
        CWaitIndicator dialog(dir.Str(), shell);
        dialog.OnInitDialog();
        EXPECT_EQ(shell.BoxTexts().size(), 1u) << aCase.szName;
        EXPECT_FALSE(dialog.Animation().IsOpen()) << aCase.szName;
        EXPECT_EQ(dialog.TextLine().text(), "Please wait") << aCase.szName;
    }
}

TEST(WaitIndicator, TechnicianCannotDismissIt) {
    CTempDir dir;
    CShellRecorder shell;
    CWaitIndicator dialog(dir.Str(), shell);
    dialog.show();
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
}

TEST(Animation, PlaysItsRangeTheGivenNumberOfTimesThenStops) {
    CAnimation animation;
    ASSERT_EQ(animation.Open(CORVEL_SOURCE_DIR "/data/WAIT.AVI"), CAviReader::EResult::Ok);
    EXPECT_EQ(animation.FrameInterval(), 83);
    ASSERT_TRUE(animation.Play(2, 4, 2));
    EXPECT_EQ(animation.CurrentFrame(), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !animation.IsPlaying(); }, 10000));
    EXPECT_EQ(animation.CurrentFrame(), 4);

    EXPECT_FALSE(animation.Play(4, 2, 1));
    EXPECT_FALSE(animation.Play(0, 12, 1));
    EXPECT_FALSE(animation.Play(0, CAnimation::kLastFrame, 0));
    animation.Close();
    EXPECT_FALSE(animation.Play(0, CAnimation::kLastFrame, 1));
}

TEST(WaitIndicator, TimeLeftReadsInMinutesAndSeconds) {
    struct Case {
        int nMilliseconds;
        const char* szText;
    };
    for (const Case& c : {Case{0, "Time left: 0:00"}, Case{1, "Time left: 0:01"},
                          Case{59'001, "Time left: 1:00"}, Case{605'000, "Time left: 10:05"}})
        EXPECT_EQ(CWaitIndicator::TimeLeftText(std::chrono::milliseconds(c.nMilliseconds)),
                  c.szText);
}

// The controller's silence stands where the time left stands, beneath the
// phase text, and gives the time left back when it ends; Stop stays all along.
TEST(WaitIndicator, NotAnsweringReplacesTheTimeLeft) {
    CTempDir dir;
    CShellRecorder shell;
    CWaitIndicator dialog(dir.Str(), shell);
    dialog.show();
    EXPECT_FALSE(dialog.ProgressBar().isVisible());
    EXPECT_FALSE(dialog.TimeLine().isVisible());
    EXPECT_TRUE(dialog.StopButton().isVisible());
    dialog.SetProgress(5, 20, std::chrono::seconds(75));
    EXPECT_TRUE(dialog.ProgressBar().isVisible());
    EXPECT_EQ(dialog.ProgressBar().value(), 5);
    EXPECT_EQ(dialog.ProgressBar().maximum(), 20);
    EXPECT_EQ(dialog.TimeLine().text(), "Time left: 1:15");

    dialog.SetNotAnswering("silent");
    EXPECT_EQ(dialog.TimeLine().text(), "silent");
    dialog.SetProgress(6, 20, std::chrono::seconds(70));
    EXPECT_EQ(dialog.TimeLine().text(), "silent");
    EXPECT_EQ(dialog.TextLine().text(), "Please wait");

    dialog.SetNotAnswering(QString());
    EXPECT_EQ(dialog.TimeLine().text(), "Time left: 1:10");
}
