#pragma once

#include "cli/CliController.h"

#include <string>
#include <vector>

// One run of corvel-cli: its exit status and what it printed.
struct CCliResult {
    int nExit = -1;
    std::string strOut;
    std::string strErr;
    int ErrLines() const;
};

// Runs the commands in this process; the line's error counters come from
// fnErrorSource when given.
CCliResult RunCli(const std::vector<std::string>& astrArgs,
                  CCliController::ErrorSourceFactory fnErrorSource = {});
// Runs the program itself, as a script would.
CCliResult RunCliProgram(const std::vector<std::string>& astrArgs, int nDeadlineMs = 60000);
