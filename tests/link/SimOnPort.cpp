#include "link/SimOnPort.h"

#include "controls/SerialControl.h"
#include "link/SimLog.h"

#include <QString>

namespace {

const char* const kLinkName = "dvx-com1";
const char* const kLogName = "dvxsim.log";

std::vector<std::string> WithLog(std::vector<std::string> astrArgs, const CTempDir& dir) {
    astrArgs.insert(astrArgs.end(), {"--log", dir.File(kLogName)});
    return astrArgs;
}

} // namespace

CSimOnPort::CSimOnPort(const CTempDir& dir, std::vector<std::string> astrArgs)
    : CDvxSimProcess(dir.File(kLinkName), WithLog(std::move(astrArgs), dir), false),
      m_strLog(dir.File(kLogName)), m_port(dir.File(kLinkName)) {}

CSimOnPort::Frames CSimOnPort::Received() {
    Frames astrFrames;
    for (const CSimLogEntry& entry : ReadSimLog(m_strLog, m_nLogLinesSeen, m_nLogLinesSeen))
        if (entry.bFromPc)
            astrFrames.push_back(entry.strText + "\r");
    return astrFrames;
}

bool OpenPortOne(CSerialControl& port) {
    port.SetCommPort(1);
    port.SetSettings(QStringLiteral("9600,N,8,2"));
    port.SetInputLen(0);
    const bool bOpen = port.SetPortOpen(true);
    port.SetInputMode(0);
    return bOpen;
}
