#pragma once

#include "model/ShellServices.h"

#include <sys/resource.h>

#include <string>

// Shell services that show nothing and give every box the one answer chosen
// for the run, except that a transfer always goes ahead despite the errors
// the system check finds (the full system has some); the last box text is
// kept so a run can print how it ended.
class CBenchShell : public CShellServices {
public:
    explicit CBenchShell(EBoxAnswer answer) : m_answer(answer) {}

    EBoxAnswer MessageBox(const std::string& strText, EBoxButtons, EBoxIcon) override {
        if (strText.ends_with("TRANSFER ANYWAY?"))
            return EBoxAnswer::Yes;
        m_strLastBox = strText;
        return m_answer;
    }
    bool AskFileName(const CFileDialogRequest&, std::string&) override { return false; }
    void SetStatusText(const std::string&) override {}
    void UpdateTitle() override {}
    void Trace(const std::string&) override {}
    void SendChannelState(short, short, short, int) override {}

    std::string m_strLastBox;

private:
    EBoxAnswer m_answer;
};

// Processor seconds used so far, user and system together, by the calling
// thread (RUSAGE_THREAD) or the whole process (RUSAGE_SELF).
inline double CpuSeconds(int nWho) {
    rusage usage{};
    getrusage(nWho, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Times so far the process went to sleep waiting for something. On a
// virtual machine each costs far more processor time than on bare metal, and
// how much more changes from run to run, so this count says more steadily
// than the processor share how much work a run made.
inline long Wakes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw;
}
