#include "editors/HiSpeedRules.h"

#include "model/ShellServices.h"
#include "model/System.h"
#include "moduletypes/ModuleTypes.h"

CHiSpeedRules::CHiSpeedRules(CSystem& sys, const CModuleTypes& types, CShellServices& shell,
                             SendEquation fnSend)
    : m_sys(sys), m_types(types), m_shell(shell), m_fnSend(std::move(fnSend)) {}

std::string CHiSpeedRules::ExistsQuestion(short nPair) {
    return "BOOLEAN(S) EXISTS FOR CHANNEL " + std::to_string(nPair + 1) + ", CLEAR AND CONTINUE?";
}

std::string CHiSpeedRules::StrictRefusal(short nPair) {
    return "CHANNEL " + std::to_string(nPair + 1) +
           " CAN NOT BE DEFINED AS A HIGH SPEED OUTPUT. STRICT MODULE TYPE CHECKING IS ENABLED.";
}

bool CHiSpeedRules::MayBeOutput(const CHiSpeedChoice& choice) const {
    return m_types.ChannelMayCarryBoolean(m_sys.GetModuleType(choice.nOutModule, kBlueLoop),
                                          choice.nOutChannel + 1);
}

bool CHiSpeedRules::HasEquation(const CHiSpeedChoice& choice) const {
    return m_sys.IsEquationDefined(choice.nInModule, choice.nInChannel, kBlueLoop) ||
           m_sys.IsEquationDefined(choice.nOutModule, choice.nOutChannel, kBlueLoop);
}

void CHiSpeedRules::Store(short nPair, short nInput, short nOutput) {
    m_sys.SetHiSpeedInput(nPair, nInput);
    m_sys.SetHiSpeedOutput(nPair, nOutput);
    m_sys.SetModified();
}

void CHiSpeedRules::ClearAndSet(short nPair, const CHiSpeedChoice& choice) {
    if (m_shell.MessageBox(ExistsQuestion(nPair), EBoxButtons::OkCancel, EBoxIcon::Exclamation) !=
        EBoxAnswer::Ok)
        return;
    m_sys.ClearEquation(choice.nInModule, choice.nInChannel, kBlueLoop);
    m_sys.ClearEquation(choice.nOutModule, choice.nOutChannel, kBlueLoop);
    Store(nPair, CSystem::MakeIndex(kBlueLoop, choice.nInModule, choice.nInChannel),
          CSystem::MakeIndex(kBlueLoop, choice.nOutModule, choice.nOutChannel));
    m_fnSend(choice.nInModule, choice.nInChannel);
    m_fnSend(choice.nOutModule, choice.nOutChannel);
}

void CHiSpeedRules::Apply(short nPair, const CHiSpeedChoice& choice) {
    if (!choice.IsComplete()) {
        Store(nPair, -1, -1);
        return;
    }
    const bool bStrictFirst = nPair > 0;
    if (bStrictFirst && !MayBeOutput(choice)) {
        m_shell.MessageBox(StrictRefusal(nPair), EBoxButtons::Ok, EBoxIcon::Exclamation);
        return;
    }
    if (!HasEquation(choice)) {
        Store(nPair, CSystem::MakeIndex(kBlueLoop, choice.nInModule, choice.nInChannel),
              CSystem::MakeIndex(kBlueLoop, choice.nOutModule, choice.nOutChannel));
        return;
    }
    if (!bStrictFirst && !MayBeOutput(choice)) {
        m_shell.MessageBox(StrictRefusal(nPair), EBoxButtons::Ok, EBoxIcon::Exclamation);
        return;
    }
    ClearAndSet(nPair, choice);
}
