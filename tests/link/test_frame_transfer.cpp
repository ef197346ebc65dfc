#include "link/LinkedFrameFixture.h"
#include "shell/CommandIds.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <deque>
#include <functional>

namespace {

using Frames = std::vector<std::string>;

// Answers the modal dialogs a command opens, in order: each answer checks
// the dialog's caption, then clicks the named button (if any) and accepts
// the dialog, or rejects it.
class CModalAnswers {
public:
    struct Answer {
        QString strCaption;
        QString strButton;
        bool bAccept = true;
    };

    CModalAnswers(std::initializer_list<Answer> aAnswers) : m_aAnswers(aAnswers) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { AnswerActive(); });
        m_timer.start(5);
    }
    QStringList m_astrCaptions;

private:
    void AnswerActive() {
        auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!pDialog || m_aAnswers.empty())
            return;
        Answer answer = m_aAnswers.front();
        m_aAnswers.pop_front();
        m_astrCaptions << pDialog->windowTitle();
        if (!answer.strButton.isEmpty())
            pDialog->findChild<QAbstractButton*>(answer.strButton)->click();
        if (pDialog->windowTitle() != answer.strCaption || !answer.bAccept)
            pDialog->reject();
        else
            pDialog->accept();
    }

    std::deque<Answer> m_aAnswers;
    QTimer m_timer;
};

// The main window over a protocol object whose port is open to a scripted
// controller.
class FrameTransferTest : public ScriptedFrameTest {
protected:
    FrameTransferTest() { m_shell.AllowOkBoxes(); }
};

} // namespace

TEST_F(FrameTest, WithoutAProtocolObjectTheControllerCommandsActAsWithThePortClosed) {
    m_shell.ExpectBox("COM PORT NOT OPEN.");
    Trigger(ID_TRANSFER_TO_CPU);
    m_shell.ExpectBox("COM PORT NOT OPEN.");
    Trigger(ID_RETRIEVE_FROM_CPU);
    m_shell.ExpectBox("COM PORT NOT OPEN.");
    Trigger(ID_COMPARE_WITH_CPU);
    Trigger(ID_START_DVX_LINK);
    Trigger(ID_STOP_DVX_LINK);
    m_shell.ExpectBox("Boolean processor time 0.000000");
    Trigger(ID_CPU_PROCESSING_TIME);
    ASSERT_EQ(m_shell.m_aBoxes.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(m_shell.m_aBoxes[i].icon, EBoxIcon::Exclamation) << i;
}

TEST_F(FrameTransferTest, SystemTransferRunsThroughTheScopePicker) {
    CModalAnswers answers{{"SELECT  OBJECT  GROUP", "radioGroup2"}};
    Trigger(ID_TRANSFER_TO_CPU);
    EXPECT_EQ(answers.m_astrCaptions, QStringList{"SELECT  OBJECT  GROUP"});
    EXPECT_EQ(host.m_astrFrames.size(), 2u + 1 + 1 + 3 + 10 + 320 + 8 + 2 + 1);
    EXPECT_EQ(host.m_astrFrames[3], ":CA\r");
    EXPECT_EQ(m_shell.BoxTexts(), Frames{"UPLOAD SUCCESSFUL"});
    EXPECT_EQ(frame.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FrameTransferTest, ChannelRetrieveRunsThroughTheThreePickers) {
    CModalAnswers answers{{"SELECT  OBJECT  GROUP", "radioGroup0"},
                          {"DVX  MODULE  SELECTOR", ""},
                          {"DVX  CHANNEL  SELECTOR", "radioChannel1"}};
    Trigger(ID_RETRIEVE_FROM_CPU);
    EXPECT_EQ(answers.m_astrCaptions.size(), 3);
    EXPECT_EQ(host.m_astrFrames,
              (Frames{":E0\r", ":E0\r", ":I0\r", ":B000\r", ":K000\r", ":I0\r", ":E1\r", ":E1\r"}));
    EXPECT_TRUE(m_shell.BoxTexts().empty());
}

TEST_F(FrameTransferTest, LinkCommandsAndProcessorTimeFromTheMenus) {
    Trigger(ID_START_DVX_LINK);
    EXPECT_TRUE(sys.IsLinkActive());
    host.m_fnAnswer = [](const std::string&) { return std::string("1F\r\n"); };
    m_shell.ExpectBox("Boolean processor time 0.031000");
    Trigger(ID_CPU_PROCESSING_TIME);
    EXPECT_EQ(host.m_astrFrames, (Frames{":I1\r", ":J\r"}));
}

TEST_F(FrameTransferTest, SystemRetrieveStopsWhenTheSaveAfterYesFails) {
    sys.SetModuleLabel(0, 0, "KEEP ME");
    sys.SetModified();
    m_shell.ExpectBox("Changes have been made. Do you wish to save?", EBoxAnswer::Yes);
    m_shell.AnswerFile(m_dir.File("no-such-folder/BUS1"));
    CModalAnswers answers{{"SELECT  OBJECT  GROUP", "radioGroup2"}};
    Trigger(ID_RETRIEVE_FROM_CPU);
    EXPECT_EQ(host.m_astrFrames, (Frames{":E0\r", ":E0\r", ":I0\r", ":I0\r", ":E1\r", ":E1\r"}));
    EXPECT_EQ(sys.GetModuleLabel(0, 0), "KEEP ME");
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ(m_shell.BoxTexts().size(), 2u) << "the question and the failed write";
}
