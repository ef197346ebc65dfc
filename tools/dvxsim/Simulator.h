#pragma once

#include "BoolProcessor.h"
#include "Console.h"
#include "Controller.h"
#include "ControllerMemory.h"
#include "FailureModes.h"
#include "FrameLog.h"
#include "LinePacer.h"
#include "Options.h"
#include "SerialLine.h"
#include "StatusReporter.h"

#include <chrono>
#include <csignal>
#include <string>

// Serves the line: one loop that waits for characters, typed commands, the
// next scan or the next paced character, whichever comes first, and does the
// work that is due. Ends on SIGTERM, SIGINT, SIGHUP, quit, or a closed line.
class CSimulator {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t kMaxFrameLength = 256;
    static constexpr std::chrono::seconds kSaveDelay{1};
    // A line about to close gives the PC time to take the last answers: the
    // terminal hands written characters on a moment later, and a closed
    // line loses what was not taken.
    static constexpr std::chrono::milliseconds kCloseGrace{100};
    static constexpr std::chrono::seconds kCloseWait{2};

    explicit CSimulator(COptions options);

    // Returns the process exit status: 0 after a normal stop, 1 when the
    // line or a file could not be opened or the line failed.
    int Run();

private:
    bool Start();
    bool OpenLog(std::string& strError);
    bool OpenLine(std::string& strError);
    void Serve();
    bool WaitForWork(sigset_t* pWaitMask);
    void ReadLine();
    void DeliverReceived(Clock::time_point now);
    void HandleFrame(const std::string& strLine);
    void ReadConsole();
    void RunScans(Clock::time_point now);
    void ReportStatus(Clock::time_point now);
    void WriteOut(Clock::time_point now);
    void SaveMemory(bool bForce, Clock::time_point now);
    void Queue(const std::string& strText);
    void Fail(const std::string& strMessage);
    Clock::time_point NextWake() const;

    COptions m_options;
    CControllerMemory m_memory;
    CBoolProcessor m_processor;
    CController m_controller{m_memory, m_processor};
    CConsole m_console{m_memory, m_controller};
    CStatusReporter m_reporter;
    CFailureModes m_failures;
    CSerialLine m_line;
    CFrameLog m_log;
    CLinePacer m_sendPacer;
    CLinePacer m_receivePacer;

    std::string m_strReceived;
    std::string m_strFrame;
    bool m_bFrameTooLong = false;
    std::string m_strOut;
    std::string m_strConsole;
    bool m_bConsoleOpen = true;
    bool m_bConsoleReady = false;
    bool m_bCloseWhenSent = false;
    Clock::time_point m_closeDue;
    bool m_bStop = false;
    int m_nExitStatus = 0;
    bool m_bDirty = false;
    Clock::time_point m_changed;
    Clock::time_point m_lastScan;
    Clock::time_point m_nextScan;
};
