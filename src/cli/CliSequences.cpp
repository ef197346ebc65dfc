#include "cli/CliSequences.h"

#include "cli/CliShell.h"
#include "cli/CliTransferHost.h"
#include "link/ControllerProtocol.h"
#include "link/TransferCommands.h"
#include "model/System.h"

namespace CliSequences {

void OpeningQueries(CControllerProtocol& comm) {
    comm.QueryModuleLink();
    comm.LinkDelay();
    comm.QueryModuleLink();
}

int Transfer(CSystem& system, CControllerProtocol& comm, CCliShell& shell,
             std::vector<std::string>& astrUnsent, std::vector<std::string>& astrNearest) {
    CCliTransferHost host(comm, system);
    CTransferCommands commands(system, comm, shell, host);
    commands.OnTransfer();
    astrUnsent = commands.UnsentTexts();
    astrNearest = commands.NearestTexts();
    return host.TransmitErrors();
}

CCompareCommand::ERead Read(CSystem& system, CControllerProtocol& comm, CCliShell& shell,
                            CSystem& target) {
    CCliTransferHost host(comm, system);
    return CCompareCommand(system, comm, shell, host).ReadController(target);
}

} // namespace CliSequences
