#pragma once

#include "FailureModes.h"

#include <string>
#include <vector>

// The command line of dvxsim.
struct COptions {
    std::string m_strLink;
    std::string m_strDevice;
    std::string m_strLog;
    std::string m_strMemory;
    int m_nBaud = 0;
    CFailureOptions m_failures;
    bool m_bHelp = false;

    // False with a message for an unknown option, a missing or bad value.
    static bool Parse(const std::vector<std::string>& astrArgs, COptions& options,
                      std::string& strError);
    static std::string HelpText();
};
