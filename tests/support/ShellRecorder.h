#pragma once

#include "model/ShellServices.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Scripted shell services: every box and file dialog is recorded with its
// exact text and settings; answers come from queues the test fills. A box or
// dialog with no queued answer fails the test (an OK-only box is answered OK
// when the test allowed it with AllowOkBoxes).
class CShellRecorder : public CShellServices {
public:
    struct Box {
        std::string strText;
        EBoxButtons buttons;
        EBoxIcon icon;
    };
    struct SentState {
        short nLoop, nModule, nChannel;
        int nState;
        bool operator==(const SentState&) const = default;
    };

    ~CShellRecorder() override;

    // Queue the answer for the next box; it is checked against strExpected
    // when that is given.
    void ExpectBox(const std::string& strExpected, EBoxAnswer answer = EBoxAnswer::Ok);
    void AnswerBox(EBoxAnswer answer);
    void AllowOkBoxes(bool bAllow = true) { m_bAllowOkBoxes = bAllow; }
    // Queue a file dialog answer: a path, or cancel.
    void AnswerFile(const std::string& strPath);
    void CancelFile();

    EBoxAnswer MessageBox(const std::string& strText, EBoxButtons buttons, EBoxIcon icon) override;
    bool AskFileName(const CFileDialogRequest& request, std::string& strPath) override;
    void SetStatusText(const std::string& strText) override { m_astrStatus.push_back(strText); }
    void UpdateTitle() override { ++m_nTitleUpdates; }
    void Trace(const std::string& strText) override { m_astrTraces.push_back(strText); }
    void SendChannelState(short nLoop, short nModule, short nChannel, int nState) override {
        m_aSentStates.push_back({nLoop, nModule, nChannel, nState});
        if (m_fnSendChannelState)
            m_fnSendChannelState(nLoop, nModule, nChannel, nState);
    }

    std::vector<std::string> BoxTexts() const;

    std::vector<Box> m_aBoxes;
    std::vector<CFileDialogRequest> m_aFileRequests;
    std::vector<std::string> m_astrStatus;
    std::vector<std::string> m_astrTraces;
    std::vector<SentState> m_aSentStates;
    // Where a forced state goes on, as the program's shell hands it to the
    // main window; nowhere when unset.
    std::function<void(short, short, short, int)> m_fnSendChannelState;
    // Runs while a box is shown, before it is answered: what happens
    // meanwhile behind a modal box.
    std::function<void()> m_fnWhileBoxShown;
    int m_nTitleUpdates = 0;

private:
    struct Answer {
        bool bCheckText;
        std::string strExpected;
        EBoxAnswer answer;
    };
    struct FileAnswer {
        bool bCancel;
        std::string strPath;
    };
    std::deque<Answer> m_aAnswers;
    std::deque<FileAnswer> m_aFileAnswers;
    bool m_bAllowOkBoxes = false;
};
