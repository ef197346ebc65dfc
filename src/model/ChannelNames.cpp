#include "model/ChannelNames.h"

#include "model/System.h"

namespace {

bool ParseLoop(const std::string& strText, short& nLoop) {
    for (short n = 0; n < CSystem::kLoops; ++n) {
        if (strText == CSystem::GetLoopShortName(n)) {
            nLoop = n;
            return true;
        }
    }
    return false;
}

bool ParseLetter(char c, short& nModule) {
    if (c < 'A' || c >= 'A' + CSystem::kModulesPerLoop)
        return false;
    nModule = static_cast<short>(c - 'A');
    return true;
}

// "A1" to "P10", with no sign, space or leading zero.
bool ParseDesignation(const std::string& strText, short& nModule, short& nChannel) {
    if (strText.size() < 2 || strText.size() > 3 || !ParseLetter(strText[0], nModule))
        return false;
    const std::string strNumber = strText.substr(1);
    if (strNumber == "10") {
        nChannel = 9;
        return true;
    }
    if (strNumber.size() != 1 || strNumber[0] < '1' || strNumber[0] > '9')
        return false;
    nChannel = static_cast<short>(strNumber[0] - '1');
    return true;
}

// The loop name and the rest, split at the one space between them.
bool SplitLoop(const std::string& strText, short& nLoop, std::string& strRest) {
    auto nSpace = strText.find(' ');
    if (nSpace == std::string::npos || !ParseLoop(strText.substr(0, nSpace), nLoop))
        return false;
    strRest = strText.substr(nSpace + 1);
    return true;
}

} // namespace

namespace ChannelNames {

std::string Channel(short nIndex) {
    return CSystem::GetLoopShortName(CSystem::LoopOf(nIndex)) + " " +
           CSystem::IndexDesignation(nIndex);
}

std::string Module(short nLoop, short nModule) {
    return CSystem::GetLoopShortName(nLoop) + " " + CSystem::ModuleLetter(nModule);
}

std::string Timer(short nTimer) {
    return CSystem::ChannelDesignation(static_cast<short>(nTimer / CSystem::kChannelsPerModule),
                                       static_cast<short>(nTimer % CSystem::kChannelsPerModule));
}

bool ParseChannel(const std::string& strText, short& nIndex) {
    short nLoop = 0, nModule = 0, nChannel = 0;
    std::string strRest;
    if (!SplitLoop(strText, nLoop, strRest) || !ParseDesignation(strRest, nModule, nChannel))
        return false;
    nIndex = CSystem::MakeIndex(nLoop, nModule, nChannel);
    return true;
}

bool ParseModule(const std::string& strText, short& nLoop, short& nModule) {
    std::string strRest;
    return SplitLoop(strText, nLoop, strRest) && strRest.size() == 1 &&
           ParseLetter(strRest[0], nModule);
}

bool ParseTimer(const std::string& strText, short& nTimer) {
    short nModule = 0, nChannel = 0;
    if (!ParseDesignation(strText, nModule, nChannel))
        return false;
    nTimer = static_cast<short>(nModule * CSystem::kChannelsPerModule + nChannel);
    return true;
}

} // namespace ChannelNames
