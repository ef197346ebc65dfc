#pragma once

#include <string>

// Faults a test can ask the controller to show: refuse frames matching a
// shell-style pattern, answer them with garbage, or leave one character out
// of their answer; and, counted in received frames, go silent after some
// frames, drop the line after some frames, slip a garbage line in before the
// answer of every Nth frame. Zero or an empty pattern switches a fault off.
struct CFailureOptions {
    std::string m_strRefusePattern;
    std::string m_strGarbagePattern;
    std::string m_strDropPattern;
    int m_nStopAfter = 0;
    int m_nCloseAfter = 0;
    int m_nGarbageEvery = 0;
};

class CFailureModes {
public:
    enum class EAction { Answer, Refuse, Garble, DropChar, Ignore };
    static constexpr const char* kGarbageLine = "#~GARBLED~#\r\n";

    explicit CFailureModes(CFailureOptions options) : m_options(std::move(options)) {}

    // Counts a received line and says what to do with it.
    EAction OnFrame(const std::string& strLine);
    // The answer with the last character before its line end left out, as
    // a line that lost a character on the way.
    static std::string DropOneChar(const std::string& strAnswer);
    // After OnFrame: whether a garbage line goes out before this answer.
    bool IsGarbageDue() const;
    // Whether the line is to be closed once the answers so far have gone.
    bool IsCloseDue() const;
    // Whether the controller has stopped talking altogether.
    bool IsSilent() const;

private:
    static bool Matches(const std::string& strPattern, const std::string& strLine);

    CFailureOptions m_options;
    int m_nFrames = 0;
};
