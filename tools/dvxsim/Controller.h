#pragma once

#include "BoolProcessor.h"
#include "ControllerMemory.h"
#include "Frame.h"

#include <string>

// Carries out one decoded frame on the controller's memory and composes the
// answer line exactly as the PC's readers expect it, carriage return and line
// feed included.
class CController {
public:
    static constexpr const char* kOk = "OK\r\n";
    // Any answer other than "OK" tells the PC the frame was refused.
    static constexpr const char* kRefused = "ERROR\r\n";

    CController(CControllerMemory& memory, CBoolProcessor& processor)
        : m_memory(memory), m_processor(processor) {}

    std::string Handle(const CFrame& frame);

    bool IsPaused() const { return m_bPaused; }
    // True once after frames changed what the memory file keeps.
    bool TakeChanged();

private:
    std::string HandleRead(const CFrame& frame) const;
    std::string HandleRunState(const CFrame& frame);
    static std::string Bit(bool bOn);
    static std::string Hex2(int nValue);
    static std::string Line(const std::string& strText) { return strText + "\r\n"; }

    CControllerMemory& m_memory;
    CBoolProcessor& m_processor;
    bool m_bPaused = false;
    bool m_bChanged = false;
};
