#pragma once

#include "controls/SerialControl.h"
#include "link/ControllerProtocol.h"
#include "link/ScriptedTransferHost.h"
#include "link/SerialLinkHost.h"
#include "link/SimOnPort.h"

#include <memory>
#include <string>
#include <vector>

// Corvel's protocol object on its own serial control, port 1 open to dvxsim,
// with no main window: the commands under test get the transfer host, whose
// pickers answer as the test says. Built over whichever system fixture the
// test needs.
template <class SystemFixture> class SimSerialTest : public SystemFixture {
protected:
    ~SimSerialTest() override {
        comm.SetPortOpen(false);
        port.SetPortOpen(false);
    }

    // Starts dvxsim and opens port 1 as the open command does.
    bool Start(std::vector<std::string> astrArgs = {}) {
        m_pSim = std::make_unique<CSimOnPort>(this->m_dir, std::move(astrArgs));
        if (!m_pSim->IsStarted())
            return false;
        comm.SetPortOpen(true);
        return OpenPortOne(port);
    }
    // Every frame the controller received since the last call.
    CSimOnPort::Frames Received() { return m_pSim->Received(); }

    CSerialControl port;
    CControllerProtocol comm{this->sys, this->m_shell};
    CSerialLinkHost link{port, comm};
    CScriptedTransferHost m_host{this->sys, comm, this->m_shell, link};
    std::unique_ptr<CSimOnPort> m_pSim;
};
