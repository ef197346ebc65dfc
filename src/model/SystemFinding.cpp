#include "model/SystemFinding.h"

#include "model/System.h"

std::string CFindingChannel::Name() const {
    const std::string strName = strLoop + " " + strDesignation;
    return strLabel.empty() ? strName : strName + " (" + strLabel + ")";
}

const char* CSystemFinding::SeverityName(ESeverity severity) {
    switch (severity) {
    case ESeverity::Error:
        return "error";
    case ESeverity::Warning:
        return "warning";
    case ESeverity::Note:
        break;
    }
    return "note";
}

std::string CSystemFinding::ChannelsText() const {
    std::string strText;
    for (const CFindingChannel& channel : aChannels)
        strText += (strText.empty() ? "" : ", ") + channel.Name();
    return strText;
}

bool CSystemFinding::Concerns(short nLoop, short nModule) const {
    for (const CFindingChannel& channel : aChannels) {
        if (CSystem::LoopOf(channel.nIndex) == nLoop &&
            CSystem::ModuleOf(channel.nIndex) == nModule)
            return true;
    }
    return false;
}
