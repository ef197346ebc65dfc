#include "FuzzShell.h"

#include "model/System.h"

#include <cstdint>

// Imports the input as an old-format file and uses the imported equations.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    static CFuzzShell shell;
    static CSystem sys(shell, FuzzFolder());
    WriteFuzzFile("FUZZ.ZLV", pData, nSize);
    if (!sys.ImportOldFile("FUZZ.ZLV"))
        return 0;
    for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
        for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
            sys.GetEquationText(nModule, nChannel, 0);
    for (short nLoop = 2; nLoop < CSystem::kLoops; ++nLoop)
        sys.GetEquationText(0, 0, nLoop);
    sys.GetCurModuleTimerReload(0);
    sys.GetCurChannelLabel();
    return 0;
}
