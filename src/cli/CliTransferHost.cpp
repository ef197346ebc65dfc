#include "cli/CliTransferHost.h"

#include "link/ControllerProtocol.h"
#include "model/System.h"

bool CCliTransferHost::IsPortOpen() const { return m_comm.IsPortOpen(); }

bool CCliTransferHost::PauseLink() {
    if (IsPortOpen())
        m_comm.SendPause();
    return true;
}

bool CCliTransferHost::ContinueLink() {
    if (IsPortOpen())
        m_comm.SendContinue();
    return true;
}

bool CCliTransferHost::PickObjectGroup() {
    m_system.SetObjectGroup(CSystem::GroupSystem);
    return true;
}
