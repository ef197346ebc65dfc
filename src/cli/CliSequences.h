#pragma once

#include <functional>
#include <string>

class CCliShell;
class CSystem;
class CZlvComm;

// The controller sequences of corvel-cli, each the window's own: the
// queries sent when the port opens, the whole-system transfer, and the reads
// of a whole-system retrieve. The progress totals come from running the same
// sequences over a line that answers everything at once and counts frames.
namespace CliSequences {

using PhaseFn = std::function<void(const std::string&)>;

void OpeningQueries(CZlvComm& comm);
// The window's SYSTEM transfer of the protocol object's record; the number
// of steps the controller did not acknowledge.
int Transfer(CSystem& system, CZlvComm& comm, CCliShell& shell, const PhaseFn& fnPhase = {});
// The reads of a SYSTEM retrieve into target, a record other than the
// protocol object's; false when the line closed before every answer.
bool Read(CSystem& system, CZlvComm& comm, CCliShell& shell, CSystem& target,
          const PhaseFn& fnPhase = {});

// How many frames the opening queries and the command will write.
int CountTransferFrames(CSystem& system);
int CountReadFrames();

} // namespace CliSequences
