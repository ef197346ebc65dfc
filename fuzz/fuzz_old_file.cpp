#include "FuzzShell.h"

#include "model/System.h"

#include <cstdint>
#include <vector>

// Imports the input as an old-format file, read from memory as the import
// reads a file's bytes, and uses the imported equations.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    static CFuzzShell shell;
    static CSystem sys(shell, CSystem::CScratch{}, FuzzFolder());
    if (!sys.ImportOldData(std::vector<unsigned char>(pData, pData + nSize)))
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
