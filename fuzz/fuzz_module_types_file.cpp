#include "FuzzShell.h"

#include "moduletypes/ModuleTypes.h"

#include <cstdint>

// Reads the input as the module type library and walks every type.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    static CFuzzShell shell;
    static CModuleTypes types(FuzzFolder(), shell);
    WriteFuzzFile("FUZZ.dat", pData, nSize);
    types.Load("FUZZ.dat");
    for (int i = 0; i < types.GetCount(); ++i) {
        types.SelectByIndex(i);
        short nId = types.GetTypeId();
        for (int nChannel = 0; nChannel <= 11; ++nChannel)
            types.ChannelMayCarryBoolean(nId, nChannel);
        types.GetNameById(nId);
        types.IsOutputChannel(i % 12);
    }
    types.GetCurrentIndex();
    types.GetPageStep();
    return 0;
}
