#pragma once

#include "Frame.h"

#include <string_view>

// Decodes one line received from the PC (without its carriage return) into a
// frame. Every field is checked against what the controller can hold, so a
// frame the controller could not store faithfully comes back invalid with a
// reason rather than being stored in part.
class CFrameParser {
public:
    static CFrame Parse(std::string_view line);

    // The value of upper-case hexadecimal text, or -1 when it is empty, holds
    // another character or is too long to mean anything here.
    static int HexValue(std::string_view text);

private:
    static CFrame ParseBody(char cCommand, std::string_view body);
    static CFrame ParseLoopOrLabel(std::string_view body);
    static CFrame ParseEquation(std::string_view body);
    static CFrame ParseSleep(std::string_view body);
    static CFrame ParseHiSpeed(char cSide, std::string_view body);
    static CFrame ParseTimer(std::string_view body);
    static CFrame ParseLabel(EFrameKind kind, std::string_view body, int nDigits, int nLimit);
    static CFrame ParseRead(EFrameKind kind, std::string_view body, int nDigits, int nLimit);
    static CFrame ParseFlag(EFrameKind kind, std::string_view body);
};
