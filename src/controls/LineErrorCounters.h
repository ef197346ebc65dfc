#pragma once

#include <optional>

// What the serial driver has counted of the line's errors since the device
// was opened: breaks, framing errors, overruns of the receiver and of the
// driver's own buffer, and parity errors.
struct CLineErrorCounts {
    int nBreak = 0;
    int nFrame = 0;
    int nOverrun = 0;
    int nBufferOverrun = 0;
    int nParity = 0;
};

// Where the serial control reads the error counters from. A driver keeps
// them per device; a device without them (a pseudo-terminal, some USB
// adapters) answers with no value, and then nothing is reported. Tests give
// the control a source they count on themselves.
class CLineErrorSource {
public:
    virtual ~CLineErrorSource() = default;
    virtual std::optional<CLineErrorCounts> Read(int nDescriptor) = 0;
};

// The driver's own counters (TIOCGICOUNT on Linux).
class CDriverErrorCounters : public CLineErrorSource {
public:
    std::optional<CLineErrorCounts> Read(int nDescriptor) override;
};
