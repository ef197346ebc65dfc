#pragma once

#include "link/FrameLists.h"
#include "link/FullSystem.h"
#include "link/LinkFixture.h"
#include "link/ScriptedTransferHost.h"
#include "link/TransferCommands.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>

// The frames that start with strStart, in the order they were written.
inline Frames Starting(const Frames& astrFrames, const std::string& strStart) {
    Frames astrFound;
    std::copy_if(astrFrames.begin(), astrFrames.end(), std::back_inserter(astrFound),
                 [&](const std::string& s) { return s.rfind(strStart, 0) == 0; });
    return astrFound;
}

// The transfer and retrieve commands over the scripted controller, with the
// pickers answered as each test says.
class TransferTest : public LinkTest {
protected:
    TransferTest() { m_shell.AllowOkBoxes(); }

    CScriptedTransferHost m_host{sys, comm, m_shell, host};
    CTransferCommands m_commands{sys, comm, m_shell, m_host};

    // Answers as the default controller, and closes the port at the first
    // frame that starts with strAt instead of answering it, opening it
    // again at once when bReopen.
    void ClosePortAt(const std::string& strAt, bool bReopen = false) {
        host.m_fnAnswer = [this, strAt, bReopen](const std::string& strFrame) {
            if (strFrame.rfind(strAt, 0) != 0)
                return CScriptedController::DefaultAnswer(strFrame);
            host.Close();
            if (bReopen) {
                host.m_bOpen = true;
                comm.SetPortOpen(true);
            }
            return std::string();
        };
    }
    // Answers "NO" to the frames that start with strFailing.
    void RefuseFrames(const std::string& strFailing) {
        host.m_fnAnswer = [strFailing](const std::string& strFrame) {
            if (strFrame.rfind(strFailing, 0) == 0)
                return std::string("NO\r\n");
            return CScriptedController::DefaultAnswer(strFrame);
        };
    }
    void DefineEquation(short nLoop, short nModule, short nChannel, short nSource) {
        Select(nLoop, nModule, nChannel);
        sys.SetOutput(true);
        sys.SetTermA(0, nSource);
    }
};
