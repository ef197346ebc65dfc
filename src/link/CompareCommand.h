#pragma once

#include "model/SystemDiff.h"

#include <optional>
#include <vector>

class CShellServices;
class CSystem;
class CTransferHost;
class CControllerProtocol;

// Tells whether the controller holds the system on the PC: reads the whole
// system from the controller, with the reads of a whole-system retrieve,
// into a scratch record and compares the two. The technician's record is
// never written: its modified flag, its file and its current selection stay
// as they are; only the link state that the retrieve brackets keep lives on
// it, as for every command that talks to the controller.
class CCompareCommand {
public:
    static constexpr const char* kSameSystemText = "The DVX CPU holds the same system as the PC.";
    static constexpr const char* kReadingText = "Reading system from DVX CPU ...";
    static constexpr const char* kInterruptedText =
        "COMPARE INTERRUPTED: THE COM PORT CLOSED BEFORE ALL DATA WAS RECEIVED.";
    static constexpr const char* kDamagedText =
        "COMPARE NOT POSSIBLE: SOME ANSWERS FROM THE DVX CPU WERE DAMAGED.";

    // How a read of the whole controller ended.
    enum class ERead { Complete, Interrupted, Damaged };

    CCompareCommand(CSystem& system, CControllerProtocol& comm, CShellServices& shell,
                    CTransferHost& host)
        : m_system(system), m_comm(comm), m_shell(shell), m_host(host) {}

    // The window's command. Returns the rows to show when the controller
    // holds something else; otherwise it has said what happened itself
    // (port not open, interrupted, damaged answers, the same system) and
    // returns nothing.
    std::optional<std::vector<CSystemDifference>> OnCompare();

    // Reads the controller into target (a record other than the protocol
    // object's own), bracketed as a retrieve is, with the wait indicator's
    // bar following the reads. Interrupted when the port closed before
    // every answer had arrived, Damaged when an answer was not what its
    // frame asks for: target then holds an incomplete system, never to be
    // compared or written.
    ERead ReadController(CSystem& target);

private:
    CSystem& m_system;
    CControllerProtocol& m_comm;
    CShellServices& m_shell;
    CTransferHost& m_host;
};
