#pragma once

#include <functional>
#include <string>

class CModuleTypes;
class CShellServices;
class CSystem;

// The coordinates chosen for one high speed pair in the Blue loop; -1 in
// any of them means the pair is not to be used.
struct CHiSpeedChoice {
    short nInModule = -1;
    short nInChannel = -1;
    short nOutModule = -1;
    short nOutChannel = -1;

    bool IsComplete() const {
        return nInModule >= 0 && nInChannel >= 0 && nOutModule >= 0 && nOutChannel >= 0;
    }
};

// Stores the pairs chosen in the high speed dialog, pair by pair. A pair's
// channels run outside the Boolean processing, so equations on them are
// cleared first, with the technician's consent, and the cleared channels
// are sent to the controller. Strict module type checking may refuse the
// output channel: pair 1 only when an equation would have to be cleared,
// pairs 2 to 4 always. A refused or declined pair keeps its old value.
class CHiSpeedRules {
public:
    static constexpr short kBlueLoop = 0;
    // Sends the equation of a Blue loop channel to the controller.
    using SendEquation = std::function<void(short nModule, short nChannel)>;

    CHiSpeedRules(CSystem& sys, const CModuleTypes& types, CShellServices& shell,
                  SendEquation fnSend);

    void Apply(short nPair, const CHiSpeedChoice& choice);

    // Pairs are named 1 to 4 to the technician.
    static std::string ExistsQuestion(short nPair);
    static std::string StrictRefusal(short nPair);

private:
    bool MayBeOutput(const CHiSpeedChoice& choice) const;
    bool HasEquation(const CHiSpeedChoice& choice) const;
    void Store(short nPair, short nInput, short nOutput);
    void ClearAndSet(short nPair, const CHiSpeedChoice& choice);

    CSystem& m_sys;
    const CModuleTypes& m_types;
    CShellServices& m_shell;
    SendEquation m_fnSend;
};
