#include "FuzzShell.h"

#include "model/Archive.h"
#include "model/System.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

// Loads the input as a system file, then uses every loaded value the way the
// editors, the listing and the reports do. A file that loads must store and
// load again to the same bytes. The bytes are read as a file's bytes are,
// from memory: a file written and read for each input would cost most of
// the run.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    static CFuzzShell shell;
    static CSystem sys(shell, CSystem::CScratch{}, FuzzFolder());
    sys.ResetToDefaults();
    if (!sys.ReadSystemData(std::vector<unsigned char>(pData, pData + nSize)))
        return 0;

    CArchive stored;
    sys.Serialize(stored);
    CArchive again(stored.Buffer());
    if (!sys.Serialize(again))
        std::abort();
    CArchive restored;
    sys.Serialize(restored);
    if (restored.Buffer() != stored.Buffer())
        std::abort();

    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
            for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
                if (sys.IsEquationDefined(nModule, nChannel, nLoop))
                    sys.GetEquationLine(nModule, nChannel, nLoop);
    for (short i = 0; i < CSystem::kHiSpeedPairs; ++i) {
        sys.HiSpeedChannelLabel(sys.GetHiSpeedInput(i));
        sys.HiSpeedModuleLabel(sys.GetHiSpeedOutput(i));
    }
    sys.GetCurModuleTimerReload(0);
    sys.SetCurModuleTimerCurrent(9, 1.0f);
    sys.IsCurChannelHiSpeed();
    sys.GetCurChannelLabel();
    sys.GetCurEquationTypeName();
    sys.GetCurEquationText();
    sys.IsModuleInUse(sys.GetCurModule(), sys.GetCurLoop());
    return 0;
}
