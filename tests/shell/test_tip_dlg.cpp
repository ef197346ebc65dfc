#include "shell/TipDlg.h"
#include "support/ShellRecorder.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QPushButton>
#include <QSettings>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class TipTest : public ::testing::Test {
protected:
    CTempDir m_dir;
    CShellRecorder m_shell;
    QSettings m_profile{QString::fromStdString(m_dir.File("profile.ini")), QSettings::IniFormat};
    QString m_strTips = QString::fromStdString(m_dir.File("tips.txt"));

    void WriteTips(const std::string& strText) {
        std::ofstream(m_strTips.toStdString(), std::ios::binary) << strText;
    }
    std::string Tip(CTipDlg& dialog) { return dialog.TipText().trimmed().toStdString(); }
};

const char* const kTips = "; comment\n"
                          "First tip\n"
                          " indented, skipped\n"
                          "\tskipped too\n"
                          "\n"
                          "Second tip\n"
                          "Third tip\n";

} // namespace

TEST_F(TipTest, MissingFileShowsTheMessageAndDisablesNextTip) {
    CTipDlg dialog(m_profile, m_strTips, m_shell);
    EXPECT_EQ(CTipDlg::kMissingText, dialog.TipText());
    EXPECT_FALSE(dialog.findChild<QPushButton*>("nextButton")->isEnabled());
}

TEST_F(TipTest, NextTipSkipsBlankAndCommentLinesAndWraps) {
    WriteTips(kTips);
    CTipDlg dialog(m_profile, m_strTips, m_shell);
    EXPECT_EQ("First tip", Tip(dialog));
    dialog.OnNextTip();
    EXPECT_EQ("Second tip", Tip(dialog));
    dialog.OnNextTip();
    EXPECT_EQ("Third tip", Tip(dialog));
    dialog.OnNextTip();
    EXPECT_EQ("First tip", Tip(dialog));
}

TEST_F(TipTest, NextShowingGoesOnAfterTheLastTipSeen) {
    WriteTips(kTips);
    {
        CTipDlg dialog(m_profile, m_strTips, m_shell);
        dialog.OnNextTip();
    }
    CTipDlg dialog(m_profile, m_strTips, m_shell);
    EXPECT_EQ("Third tip", Tip(dialog));
}

TEST_F(TipTest, ChangedFileStartsAgainAtItsFirstTip) {
    WriteTips(kTips);
    {
        CTipDlg dialog(m_profile, m_strTips, m_shell);
        dialog.OnNextTip();
    }
    WriteTips("New first\nNew second\nNew third\n");
    std::filesystem::last_write_time(m_strTips.toStdString(),
                                     std::filesystem::file_time_type::clock::now() +
                                         std::chrono::hours(1));
    CTipDlg dialog(m_profile, m_strTips, m_shell);
    EXPECT_EQ("New first", Tip(dialog));
}

TEST_F(TipTest, FileWithoutTipsShowsAnEmptyTip) {
    WriteTips("; only comments\n   and indented lines\n\n");
    CTipDlg dialog(m_profile, m_strTips, m_shell);
    EXPECT_EQ("", Tip(dialog));
    dialog.OnNextTip();
    EXPECT_EQ("", Tip(dialog));
}

TEST_F(TipTest, CloseStoresTheStartUpChoiceAndTheCloseBoxDoesNot) {
    WriteTips(kTips);
    EXPECT_TRUE(CTipDlg::ShowAtStartup(m_profile));
    {
        CTipDlg dialog(m_profile, m_strTips, m_shell);
        dialog.findChild<QCheckBox*>("startupCheck")->setChecked(false);
        dialog.reject();
    }
    EXPECT_TRUE(CTipDlg::ShowAtStartup(m_profile));
    EXPECT_TRUE(m_profile.contains("Tip/FilePos"));
    {
        CTipDlg dialog(m_profile, m_strTips, m_shell);
        dialog.findChild<QCheckBox*>("startupCheck")->setChecked(false);
        dialog.accept();
    }
    EXPECT_FALSE(CTipDlg::ShowAtStartup(m_profile));
    EXPECT_EQ(1, m_profile.value("Tip/StartUp").toInt());
}

TEST_F(TipTest, StampLooksLikeTheRuntimeLibraryTimeText) {
    WriteTips(kTips);
    QString strStamp = CTipDlg::StampOf(m_strTips);
    EXPECT_EQ(24, strStamp.size()) << strStamp.toStdString();
    CTipDlg dialog(m_profile, m_strTips, m_shell);
    EXPECT_EQ(strStamp, m_profile.value("Tip/TimeStamp").toString());
}
