#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The far end of a pseudo-terminal, played by a thread: it collects what the
// program writes into frames (up to each carriage return) and answers each
// one. Paced, it behaves like a slow serial line: a frame takes its wire
// time to arrive, and the answer leaves one character per character time.
class CPtyPeer {
public:
    using Answer = std::function<std::string(const std::string& strFrame)>;
    using Clock = std::chrono::steady_clock;

    // 11 bits per character at 9600 baud: start, 8 data bits, 2 stop bits.
    static constexpr double kCharSeconds9600 = 11.0 / 9600.0;

    explicit CPtyPeer(Answer fnAnswer, double dCharSeconds = 0.0);
    ~CPtyPeer();
    CPtyPeer(const CPtyPeer&) = delete;
    CPtyPeer& operator=(const CPtyPeer&) = delete;

    bool IsValid() const { return m_nMaster >= 0; }
    // The device the program opens.
    const std::string& SlavePath() const { return m_strSlave; }
    // Text the peer sends on its own.
    void Say(const std::string& strText);
    // Closes the peer's end: the device vanishes under the program.
    void HangUp();

    std::vector<std::string> Frames() const;
    std::size_t FrameCount() const;
    // Time from each frame's first character to its answer's last one,
    // summed: the peer's (and the wire's) share of an exchange.
    double PeerSeconds() const;

private:
    void Run();
    void Answer1(const std::string& strFrame, Clock::time_point start);
    void WritePaced(const std::string& strText, Clock::time_point& next);
    void Command(char cCommand);

    Answer m_fnAnswer;
    std::chrono::duration<double> m_charTime;
    int m_nMaster = -1;
    int m_anWake[2] = {-1, -1};
    std::string m_strSlave;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_astrFrames;
    std::vector<std::string> m_astrSay;
    std::atomic<double> m_dPeerSeconds{0.0};
    std::thread m_thread;
};
