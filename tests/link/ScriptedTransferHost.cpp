#include "link/ScriptedTransferHost.h"

bool CScriptedTransferHost::PauseLink() {
    m_astrCalls.push_back("pause");
    if (IsPortOpen())
        m_comm.SendPause();
    return true;
}

bool CScriptedTransferHost::ContinueLink() {
    m_astrCalls.push_back("continue");
    if (IsPortOpen())
        m_comm.SendContinue();
    return true;
}

void CScriptedTransferHost::ReportTransmitError() {
    m_astrCalls.push_back("transmit error");
    m_shell.MessageBox("ERROR WHILE TRANSMITTING TO DVX CPU");
}

void CScriptedTransferHost::StartWaitIndicator(const std::string& strText) {
    m_astrCalls.push_back("wait " + strText);
}

CTransferHost::ESaveResult CScriptedTransferHost::SaveSystemAs() {
    m_astrCalls.push_back("save as");
    if (m_saveResult == ESaveResult::Saved)
        m_system.ClearModified();
    return m_saveResult;
}

bool CScriptedTransferHost::PickObjectGroup() {
    m_astrCalls.push_back("pick group");
    if (m_nGroup)
        m_system.SetObjectGroup(*m_nGroup);
    return m_nGroup.has_value();
}

bool CScriptedTransferHost::PickModule() {
    m_astrCalls.push_back("pick module");
    if (!m_module)
        return false;
    m_system.SetCurLoop(m_module->nLoop);
    m_system.SetCurModule(m_module->nModule);
    return true;
}

bool CScriptedTransferHost::PickChannel() {
    m_astrCalls.push_back("pick channel");
    if (m_nChannel)
        m_system.SetCurChannel(*m_nChannel);
    return m_nChannel.has_value();
}
