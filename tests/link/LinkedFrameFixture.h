#pragma once

#include "link/ControllerProtocol.h"
#include "link/ScriptedController.h"
#include "link/SimOnPort.h"
#include "shell/CommandIds.h"
#include "shell/FrameFixture.h"
#include "support/ModalScript.h"

#include <QAbstractButton>
#include <QDialog>

#include <memory>
#include <string>
#include <vector>

// A main window wired to a protocol object of its own, as the program wires
// them; the fixtures that derive from it say who plays the controller.
class LinkedFrameTest : public FrameTest {
protected:
    LinkedFrameTest() {
        frame.SetLinkControl(&comm);
        frame.SetComm(&comm);
    }
    // The window goes first: it was wired to the protocol object.
    ~LinkedFrameTest() override { m_pFrame.reset(); }

    // A step that picks the group of a transfer's object picker and presses OK.
    static CModalScript::Step ChooseScope(int nGroup) {
        return [nGroup](QDialog& dialog) {
            dialog.findChild<QAbstractButton*>(QString("radioGroup%1").arg(nGroup))->click();
            dialog.accept();
        };
    }

    CControllerProtocol comm{sys, m_shell};
};

// The window's protocol object on an open port to a scripted controller.
class ScriptedFrameTest : public LinkedFrameTest {
protected:
    ScriptedFrameTest() {
        comm.SetHost(&host);
        comm.SetPortOpen(true);
    }
    // The window goes while the controller it was talking to still answers.
    ~ScriptedFrameTest() override { m_pFrame.reset(); }

    CScriptedController host{comm};
};

// The main window on its serial control, port 1 pointed at dvxsim: what a
// technician does goes through the menus, what the controller received
// comes from dvxsim's frame log.
class SimFrameTest : public LinkedFrameTest {
protected:
    SimFrameTest() { frame.UseSerialControl(); }
    // The port closes as the technician closes it, while dvxsim still answers.
    ~SimFrameTest() override {
        if (m_pFrame && frame.IsPortOpen())
            Trigger(ID_PORT_OPEN);
    }

    bool StartSim(std::vector<std::string> astrArgs = {}) {
        m_pSim = std::make_unique<CSimOnPort>(m_dir, std::move(astrArgs));
        return m_pSim->IsStarted();
    }
    // Every frame the controller received since the last call.
    CSimOnPort::Frames Received() { return m_pSim->Received(); }

    std::unique_ptr<CSimOnPort> m_pSim;
};
