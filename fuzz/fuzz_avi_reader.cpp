#include "controls/AviReader.h"

#include <cstdint>

// Reads the input as the please-wait animation and touches every frame.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    static volatile uint32_t nSink;
    CAviReader file;
    if (file.Parse(pData, nSize) != CAviReader::EResult::Ok)
        return 0;
    for (int i = 0; i < file.FrameCount(); ++i)
        nSink = file.Frame(i).back();
    return 0;
}
