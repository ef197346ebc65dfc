#include "support/ShellRecorder.h"

#include <gtest/gtest.h>

CShellRecorder::~CShellRecorder() {
    EXPECT_TRUE(m_aAnswers.empty()) << m_aAnswers.size() << " expected message boxes never came";
    EXPECT_TRUE(m_aFileAnswers.empty()) << m_aFileAnswers.size() << " file dialogs never came";
}

void CShellRecorder::ExpectBox(const std::string& strExpected, EBoxAnswer answer) {
    m_aAnswers.push_back({true, strExpected, answer});
}

void CShellRecorder::AnswerBox(EBoxAnswer answer) { m_aAnswers.push_back({false, {}, answer}); }

void CShellRecorder::AnswerFile(const std::string& strPath) {
    m_aFileAnswers.push_back({false, strPath});
}

void CShellRecorder::CancelFile() { m_aFileAnswers.push_back({true, {}}); }

EBoxAnswer CShellRecorder::MessageBox(const std::string& strText, EBoxButtons buttons,
                                      EBoxIcon icon) {
    m_aBoxes.push_back({strText, buttons, icon});
    if (m_fnWhileBoxShown)
        m_fnWhileBoxShown();
    if (m_aAnswers.empty()) {
        if (m_bAllowOkBoxes && buttons == EBoxButtons::Ok)
            return EBoxAnswer::Ok;
        ADD_FAILURE() << "Unexpected message box: \"" << strText << "\"";
        return buttons == EBoxButtons::Ok ? EBoxAnswer::Ok : EBoxAnswer::Cancel;
    }
    Answer answer = m_aAnswers.front();
    m_aAnswers.pop_front();
    if (answer.bCheckText) {
        EXPECT_EQ(answer.strExpected, strText);
    }
    return answer.answer;
}

bool CShellRecorder::AskFileName(const CFileDialogRequest& request, std::string& strPath) {
    m_aFileRequests.push_back(request);
    if (m_aFileAnswers.empty()) {
        ADD_FAILURE() << "Unexpected file dialog: \"" << request.strTitle << "\"";
        return false;
    }
    FileAnswer answer = m_aFileAnswers.front();
    m_aFileAnswers.pop_front();
    if (answer.bCancel)
        return false;
    strPath = answer.strPath;
    return true;
}

std::vector<std::string> CShellRecorder::BoxTexts() const {
    std::vector<std::string> astrTexts;
    for (const Box& box : m_aBoxes)
        astrTexts.push_back(box.strText);
    return astrTexts;
}
