#pragma once

#include "cli/CliOptions.h"

#include "controls/LineErrorCounters.h"

#include <functional>
#include <memory>
#include <ostream>

class CCliOffline;
class CCliProgress;
class CCliShell;
class CSystem;

// The commands of corvel-cli that talk to the controller: transfer,
// retrieve and verify, each with the window's own frames. The outcome is
// told in corvel-cli's words on one line; the window's result boxes are
// not printed.
class CCliController {
public:
    // Where a link reads the line's error counters from; empty for the
    // driver's own.
    using ErrorSourceFactory = std::function<std::unique_ptr<CLineErrorSource>()>;

    CCliController(const CCliRequest& request, CCliShell& shell, CCliOffline& files,
                   CCliProgress& progress, ErrorSourceFactory fnErrorSource = {})
        : m_request(request), m_shell(shell), m_files(files), m_progress(progress),
          m_fnErrorSource(std::move(fnErrorSource)) {}

    int Transfer();
    int Retrieve();
    int Verify();

private:
    // Reads the whole system from the controller into target over a line
    // whose protocol object works on record; kExitOk only when every answer
    // arrived whole, otherwise the problem is told and the exit status
    // returned.
    int ReadController(const char* szWhat, CSystem& record, CSystem& target);

    const CCliRequest& m_request;
    CCliShell& m_shell;
    CCliOffline& m_files;
    CCliProgress& m_progress;
    ErrorSourceFactory m_fnErrorSource;

    std::unique_ptr<CLineErrorSource> ErrorSource() const {
        return m_fnErrorSource ? m_fnErrorSource() : nullptr;
    }
};
