#include "controls/LineErrorCounters.h"

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

std::optional<CLineErrorCounts> CDriverErrorCounters::Read(int nDescriptor) {
#ifdef __linux__
    serial_icounter_struct counts{};
    if (ioctl(nDescriptor, TIOCGICOUNT, &counts) != 0)
        return std::nullopt;
    return CLineErrorCounts{counts.brk, counts.frame, counts.overrun, counts.buf_overrun,
                            counts.parity};
#else
    (void)nDescriptor;
    return std::nullopt;
#endif
}
