#include "FuzzShell.h"

#include "shell/Settings.h"

#include <cstdint>

// Reads the input as the settings record.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    static CFuzzShell shell;
    static CSettings param(FuzzFolder(), shell);
    WriteFuzzFile("FUZZ.DAT", pData, nSize);
    param.Load("FUZZ.DAT");
    param.GetCommPort();
    return 0;
}
