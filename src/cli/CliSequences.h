#pragma once

#include "link/CompareCommand.h"

#include <string>
#include <vector>

class CCliShell;
class CSystem;
class CControllerProtocol;

// The controller sequences of corvel-cli, each the window's own: the
// queries sent when the port opens, the whole-system transfer, and the reads
// of a whole-system retrieve. Each moves the progress the window's wait
// indicator shows.
namespace CliSequences {

void OpeningQueries(CControllerProtocol& comm);
// The window's SYSTEM transfer of the protocol object's record; the number
// of steps the controller did not acknowledge, in astrUnsent what each of
// them left out, and in astrNearest each value sent as the nearest count the
// controller holds.
int Transfer(CSystem& system, CControllerProtocol& comm, CCliShell& shell,
             std::vector<std::string>& astrUnsent, std::vector<std::string>& astrNearest);
// The reads of a SYSTEM retrieve into target, a record other than the
// protocol object's.
CCompareCommand::ERead Read(CSystem& system, CControllerProtocol& comm, CCliShell& shell,
                            CSystem& target);

} // namespace CliSequences
