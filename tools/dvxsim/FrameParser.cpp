#include "FrameParser.h"

#include "ControllerMemory.h"

using Memory = CControllerMemory;

namespace {

constexpr int kByteLimit = 0xFF;
constexpr std::size_t kLabelLength = 15;

CFrame Invalid(const std::string& strReason) {
    CFrame frame;
    frame.m_strText = strReason;
    return frame;
}

CFrame Make(EFrameKind kind, int nTarget = 0, int nValue = 0) {
    CFrame frame;
    frame.m_kind = kind;
    frame.m_nTarget = nTarget;
    frame.m_nValue = nValue;
    return frame;
}

// "0" or "1" as 0 or 1, anything else as -1.
int FlagValue(std::string_view text) {
    if (text == "0" || text == "1") {
        return text[0] - '0';
    }
    return -1;
}

bool IsLabelText(std::string_view text) {
    if (text.size() > kLabelLength) {
        return false;
    }
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) {
            return false;
        }
    }
    return true;
}

} // namespace

int CFrameParser::HexValue(std::string_view text) {
    if (text.empty() || text.size() > 4) {
        return -1;
    }
    int nValue = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            nValue = nValue * 16 + (c - '0');
        } else if (c >= 'A' && c <= 'F') {
            nValue = nValue * 16 + (c - 'A' + 10);
        } else {
            return -1;
        }
    }
    return nValue;
}

CFrame CFrameParser::Parse(std::string_view line) {
    if (line.size() < 2 || line[0] != ':') {
        return Invalid("not a frame");
    }
    return ParseBody(line[1], line.substr(2));
}

CFrame CFrameParser::ParseBody(char cCommand, std::string_view body) {
    switch (cCommand) {
    case 'I':
        if (body.empty()) {
            return Make(EFrameKind::QueryModuleLink);
        }
        return ParseFlag(EFrameKind::SetModuleLink, body);
    case 'J':
        return body.empty() ? Make(EFrameKind::ReadProcessorTime) : Invalid("unexpected field");
    case 'E':
        if (body == "0" || body == "1") {
            return Make(body == "0" ? EFrameKind::Pause : EFrameKind::Continue);
        }
        return Invalid("pause flag expected");
    case 'P':
        return ParseFlag(EFrameKind::SetProcessor, body);
    case 'L':
        return ParseLoopOrLabel(body);
    case 'S': {
        const int nIndex = HexValue(body.substr(0, 3));
        const int nState = FlagValue(body.size() == 4 ? body.substr(3) : "");
        if (body.size() != 4 || nIndex < 0 || nIndex >= Memory::kChannels || nState < 0) {
            return Invalid("channel and state expected");
        }
        return Make(EFrameKind::ChannelState, nIndex, nState);
    }
    case 'C':
        return body == "A" ? Make(EFrameKind::ClearMemory) : Invalid("unknown clear");
    case 'B':
        return ParseEquation(body);
    case 'X':
        return ParseSleep(body);
    case 'H':
        if (!body.empty() && (body[0] == 'I' || body[0] == 'O')) {
            return ParseHiSpeed(body[0], body.substr(1));
        }
        return Invalid("pair side expected");
    case 'T':
        return ParseTimer(body);
    case 'K':
        return ParseRead(EFrameKind::ReadChannelLabel, body, 3, Memory::kChannels);
    case 'Q':
        return ParseRead(EFrameKind::ReadModuleLabel, body, 2, Memory::kModuleSlots);
    case 'V':
        return ParseRead(EFrameKind::ReadSysLabel, body, 2, Memory::kSysLabels);
    case 'O':
        return ParseLabel(EFrameKind::SetModuleLabel, body, 2, Memory::kModuleSlots);
    case 'U':
        return ParseLabel(EFrameKind::SetSysLabel, body, 2, Memory::kSysLabels);
    default:
        return Invalid("unknown command");
    }
}

CFrame CFrameParser::ParseFlag(EFrameKind kind, std::string_view body) {
    const int nFlag = FlagValue(body);
    return nFlag < 0 ? Invalid("flag expected") : Make(kind, 0, nFlag);
}

// Two characters after the letter switch a loop's reports; three or more
// carry a channel index and its label.
CFrame CFrameParser::ParseLoopOrLabel(std::string_view body) {
    if (body.size() >= 3) {
        return ParseLabel(EFrameKind::SetChannelLabel, body, 3, Memory::kChannels);
    }
    const int nLoop = HexValue(body.substr(0, 1));
    const int nOn = FlagValue(body.size() == 2 ? body.substr(1) : "");
    if (body.size() != 2 || nLoop < 0 || nLoop >= Memory::kLoops || nOn < 0) {
        return Invalid("loop and flag expected");
    }
    return Make(EFrameKind::LoopMonitor, nLoop, nOn);
}

CFrame CFrameParser::ParseEquation(std::string_view body) {
    constexpr std::size_t kWriteLength = 3 + 3 * 2 + 6 * 3 + 2 * 2;
    if (body.size() != 3 && body.size() != kWriteLength) {
        return Invalid("equation length");
    }
    const int nIndex = HexValue(body.substr(0, 3));
    if (nIndex < 0 || nIndex >= Memory::kChannels) {
        return Invalid("channel index");
    }
    if (body.size() == 3) {
        return Make(EFrameKind::ReadEquation, nIndex);
    }
    CFrame frame = Make(EFrameKind::WriteEquation, nIndex);
    const int anFlags[3] = {HexValue(body.substr(3, 2)), HexValue(body.substr(5, 2)),
                            HexValue(body.substr(7, 2))};
    for (int nFlags : anFlags) {
        if (nFlags < 0) {
            return Invalid("equation flags");
        }
    }
    frame.m_block.m_nFlags0 = static_cast<uint8_t>(anFlags[0]);
    frame.m_block.m_nFlags1 = static_cast<uint8_t>(anFlags[1]);
    frame.m_block.m_nFlags2 = static_cast<uint8_t>(anFlags[2]);
    for (int i = 0; i < 6; ++i) {
        const int nTerm = HexValue(body.substr(9 + 3 * i, 3));
        if (nTerm < 0) {
            return Invalid("equation term");
        }
        frame.m_block.m_anTerm[i] = static_cast<uint16_t>(nTerm);
    }
    if (HexValue(body.substr(27)) < 0) {
        return Invalid("equation tail");
    }
    return frame;
}

CFrame CFrameParser::ParseSleep(std::string_view body) {
    if (body == "E") {
        return Make(EFrameKind::ReadSleepEnabled);
    }
    if (body == "0" || body == "1") {
        return Make(EFrameKind::SetSleepEnabled, 0, body[0] - '0');
    }
    if (body.empty() || (body[0] != 'W' && body[0] != 'I')) {
        return Invalid("unknown sleep field");
    }
    const bool bWakeUp = body[0] == 'W';
    if (body.size() == 1) {
        return Make(bWakeUp ? EFrameKind::ReadSleepWakeUp : EFrameKind::ReadSleepInactivity);
    }
    const int nValue = HexValue(body.substr(1));
    if (body.size() < 3 || nValue < 0 || nValue > kByteLimit) {
        return Invalid("sleep interval does not fit a byte");
    }
    return Make(bWakeUp ? EFrameKind::SetSleepWakeUp : EFrameKind::SetSleepInactivity, 0, nValue);
}

CFrame CFrameParser::ParseHiSpeed(char cSide, std::string_view body) {
    const bool bInput = cSide == 'I';
    const int nPair = HexValue(body.substr(0, 2));
    if (body.size() < 2 || nPair < 0 || nPair >= Memory::kPairs) {
        return Invalid("pair number");
    }
    if (body.size() == 2) {
        return Make(bInput ? EFrameKind::ReadHiSpeedInput : EFrameKind::ReadHiSpeedOutput, nPair);
    }
    const int nChannel = HexValue(body.substr(2));
    if (body.size() < 4 || nChannel < 0 ||
        (nChannel >= Memory::kChannelsPerLoop && nChannel != Memory::kNoPairChannel)) {
        return Invalid("pair channel must be a Blue loop channel or FF");
    }
    return Make(bInput ? EFrameKind::SetHiSpeedInput : EFrameKind::SetHiSpeedOutput, nPair,
                nChannel);
}

CFrame CFrameParser::ParseTimer(std::string_view body) {
    const bool bReload = !body.empty() && body[0] == 'R';
    if (bReload) {
        body.remove_prefix(1);
    }
    const int nTimer = HexValue(body.substr(0, 2));
    if (body.size() < 2 || nTimer < 0 || nTimer >= Memory::kTimers) {
        return Invalid("timer number");
    }
    if (body.size() == 2) {
        return Make(bReload ? EFrameKind::ReadTimerReload : EFrameKind::ReadTimerCurrent, nTimer);
    }
    const int nCount = HexValue(body.substr(2));
    if (body.size() < 4 || nCount < 0 || nCount > kByteLimit) {
        return Invalid("timer count does not fit a byte");
    }
    return Make(bReload ? EFrameKind::SetTimerReload : EFrameKind::SetTimerCurrent, nTimer, nCount);
}

CFrame CFrameParser::ParseLabel(EFrameKind kind, std::string_view body, int nDigits, int nLimit) {
    const int nTarget = HexValue(body.substr(0, nDigits));
    if (body.size() < static_cast<std::size_t>(nDigits) || nTarget < 0 || nTarget >= nLimit) {
        return Invalid("label number");
    }
    const std::string_view text = body.substr(nDigits);
    if (!IsLabelText(text)) {
        return Invalid("label longer than 15 characters or with control characters");
    }
    CFrame frame = Make(kind, nTarget);
    frame.m_strText = std::string(text);
    return frame;
}

CFrame CFrameParser::ParseRead(EFrameKind kind, std::string_view body, int nDigits, int nLimit) {
    const int nTarget = HexValue(body);
    if (body.size() != static_cast<std::size_t>(nDigits) || nTarget < 0 || nTarget >= nLimit) {
        return Invalid("label number");
    }
    return Make(kind, nTarget);
}
