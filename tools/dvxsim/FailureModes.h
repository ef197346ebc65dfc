#pragma once

#include <string>

// Faults a test can ask the controller to show, each counted in received
// frames: refuse frames matching a shell-style pattern, go silent after some
// frames, drop the line after some frames, slip a garbage line in before the
// answer of every Nth frame. Zero or an empty pattern switches a fault off.
struct CFailureOptions {
    std::string m_strRefusePattern;
    int m_nStopAfter = 0;
    int m_nCloseAfter = 0;
    int m_nGarbageEvery = 0;
};

class CFailureModes {
public:
    enum class EAction { Answer, Refuse, Ignore };
    static constexpr const char* kGarbageLine = "#~GARBLED~#\r\n";

    explicit CFailureModes(CFailureOptions options) : m_options(std::move(options)) {}

    // Counts a received line and says what to do with it.
    EAction OnFrame(const std::string& strLine);
    // After OnFrame: whether a garbage line goes out before this answer.
    bool IsGarbageDue() const;
    // Whether the line is to be closed once the answers so far have gone.
    bool IsCloseDue() const;
    // Whether the controller has stopped talking altogether.
    bool IsSilent() const;

private:
    CFailureOptions m_options;
    int m_nFrames = 0;
};
