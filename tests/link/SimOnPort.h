#pragma once

#include "dvxsim/DvxSimProcess.h"
#include "support/PortOneDevice.h"
#include "support/TempDir.h"

#include <string>
#include <vector>

class CSerialControl;

// dvxsim as the controller at the far end of port 1: it serves a link in the
// test's folder, port 1 points there, and its frame log tells what the
// controller really received rather than what the PC meant to send.
class CSimOnPort : public CDvxSimProcess {
public:
    using Frames = std::vector<std::string>;

    // Starts dvxsim with the extra arguments and its frame log, the line left
    // for Corvel's serial control to open.
    explicit CSimOnPort(const CTempDir& dir, std::vector<std::string> astrArgs = {});

    // Every frame the controller received since the last call, each with the
    // carriage return that ended it.
    Frames Received();

private:
    std::string m_strLog;
    CPortOneDevice m_port;
    int m_nLogLinesSeen = 0;
};

// Opens port 1 on a serial control with the settings the open command uses;
// true when it opened.
bool OpenPortOne(CSerialControl& port);
