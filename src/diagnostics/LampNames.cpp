#include "diagnostics/LampNames.h"

#include "model/ChannelNames.h"
#include "model/System.h"
#include "shell/Text.h"

CLampGrid::LampNamer LoopLampNamer(const CSystem& sys, std::function<short()> fnLoop) {
    return [&sys, fnLoop = std::move(fnLoop)](int nModule, int nChannel) {
        const short nLoop = fnLoop();
        const auto nMod = static_cast<short>(nModule);
        const auto nChl = static_cast<short>(nChannel);
        return ToQString(ChannelNames::Channel(CSystem::MakeIndex(nLoop, nMod, nChl)) + " " +
                         sys.GetChannelLabel(nMod, nChl, nLoop));
    };
}
