#pragma once

#include <chrono>
#include <cstddef>

// How far a long sequence of frames has come: frames written of the frames
// it writes in all, and the time it still needs. The total is counted
// beforehand by running the same sequence without the controller, so the
// bar follows whatever the sequence really sends.
//
// The time left starts from the bytes still to go at the line's speed; the
// controller's answers and its own pace make a frame take longer than its
// bytes alone, so the estimate is scaled by the rate measured so far.
class CTransferProgress {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kBaud = 9600;
    static constexpr int kBitsPerChar = 11;

    struct CCount {
        int nFrames = 0;
        std::size_t nBytes = 0;
    };

    void Start(const CCount& total, Clock::time_point now);
    // A frame of nBytes goes out at now.
    void OnFrame(std::size_t nBytes, Clock::time_point now);
    // The sequence has ended, early or not: the bar is full, and the total
    // is what was sent.
    void Finish();
    bool IsActive() const { return m_bActive; }

    int GetFramesDone() const { return m_nFramesDone; }
    int GetTotalFrames() const { return m_total.nFrames; }
    std::chrono::milliseconds GetTimeLeft() const { return m_timeLeft; }

    // The time nBytes take on the line.
    static std::chrono::duration<double> WireTime(std::size_t nBytes);

private:
    bool m_bActive = false;
    CCount m_total;
    int m_nFramesDone = 0;
    // Bytes of the frames before the one going out now: those are the ones
    // whose time has been measured.
    std::size_t m_nBytesDone = 0;
    std::size_t m_nBytesSent = 0;
    Clock::time_point m_start;
    std::chrono::milliseconds m_timeLeft{0};
};
