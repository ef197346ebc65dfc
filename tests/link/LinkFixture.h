#pragma once

#include "link/ControllerProtocol.h"
#include "link/ScriptedController.h"
#include "model/SystemFixture.h"

// A system, its protocol object on an open port, and a scripted controller.
class LinkTest : public SystemTest {
protected:
    LinkTest() {
        comm.SetHost(&host);
        comm.SetPortOpen(true);
    }

    CControllerProtocol comm{sys, m_shell};
    CScriptedController host{comm};

    // The frames written since the last call.
    std::vector<std::string> TakeFrames() {
        std::vector<std::string> astrFrames;
        astrFrames.swap(host.m_astrFrames);
        return astrFrames;
    }
};
