#include "model/SystemJsonWriter.h"

#include "model/ChannelNames.h"
#include "model/CodePage.h"
#include "model/System.h"
#include "model/SystemJsonFormat.h"

#include <nlohmann/json.hpp>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

using Json = nlohmann::ordered_json;

Json Text(const std::string& strText) { return CodePage::ToUtf8(strText); }

// The shortest decimal that reads back to the same 32-bit float, held as the
// double that decimal names, so the JSON number prints as those digits. A
// value that is no number (infinity, NaN) keeps its exact bits as text.
// The character conversions ignore the locale, whose decimal point may be a
// comma.
Json Seconds(float fValue) {
    if (!std::isfinite(fValue)) {
        char szBits[16];
        std::snprintf(szBits, sizeof szBits, "0x%08X", std::bit_cast<uint32_t>(fValue));
        return szBits;
    }
    char szDigits[64];
    auto written = std::to_chars(szDigits, szDigits + sizeof szDigits, fValue);
    double fDecimal = 0.0;
    std::from_chars(szDigits, written.ptr, fDecimal);
    return fDecimal;
}

bool SameBits(float fA, float fB) {
    return std::bit_cast<uint32_t>(fA) == std::bit_cast<uint32_t>(fB);
}

// A channel by name, null for none (-1), the number itself for any other
// index outside the 960 channels.
Json Source(short nIndex) {
    if (CSystem::IsValidIndex(nIndex))
        return ChannelNames::Channel(nIndex);
    if (nIndex == -1)
        return nullptr;
    return nIndex;
}

void AddFlag(Json& object, const char* szKey, int32_t bFlag) {
    if (bFlag != 0)
        object[szKey] = true;
}

void AddNumber(Json& object, const char* szKey, long long nValue) {
    if (nValue != 0)
        object[szKey] = nValue;
}

Json Terms(const CChannelRecord& record) {
    Json terms = Json::array();
    for (int nSlot = 0; nSlot < 6; ++nSlot) {
        const bool bA = nSlot < 3;
        const int j = nSlot % 3;
        const short nSource = bA ? record.m_anTermA[j] : record.m_anTermB[j];
        const int32_t bNot = bA ? record.m_abTermNotA[j] : record.m_abTermNotB[j];
        const int32_t bPr = bA ? record.m_abTermPrA[j] : record.m_abTermPrB[j];
        if (nSource == -1 && bNot == 0 && bPr == 0)
            continue;
        Json term = {{"term", SystemJsonFormat::kTermSlots[nSlot]}, {"source", Source(nSource)}};
        AddFlag(term, "not", bNot);
        AddFlag(term, "pr", bPr);
        terms.push_back(std::move(term));
    }
    return terms;
}

Json Equation(const CChannelRecord& record) {
    Json equation = Json::object();
    AddNumber(equation, "type", record.m_nEquationType);
    AddFlag(equation, "not", record.m_bEquationNot);
    AddFlag(equation, "groupNotA", record.m_bGroupNotA);
    AddFlag(equation, "groupNotB", record.m_bGroupNotB);
    Json terms = Terms(record);
    if (!terms.empty())
        equation["terms"] = std::move(terms);
    return equation;
}

Json ReservedFields(const CChannelRecord& record) {
    Json reserved = Json::object();
    const int32_t* a = record.m_anReservedA;
    if (a[0] != 0 || a[1] != 0 || a[2] != 0 || a[3] != 0)
        reserved["a"] = {a[0], a[1], a[2], a[3]};
    AddNumber(reserved, "b", record.m_nReservedB);
    AddNumber(reserved, "c", record.m_nReservedC);
    AddNumber(reserved, "d", record.m_nReservedD);
    AddNumber(reserved, "e", record.m_nReservedE);
    return reserved;
}

Json Channel(const CSystem& system, short nLoop, short nModule, short nChannel) {
    const short nIndex = CSystem::MakeIndex(nLoop, nModule, nChannel);
    const CChannelRecord& record = system.Channel(nModule, nChannel, nLoop);
    Json channel = {{"channel", ChannelNames::Channel(nIndex)}};
    const std::string& strLabel = system.StoredChannelLabel(nModule, nChannel, nLoop);
    if (strLabel != CSystem::DefaultChannelLabel(nModule, nChannel, nLoop))
        channel["label"] = Text(strLabel);
    AddNumber(channel, "state", system.GetChannelStateAt(nModule, nChannel, nLoop));
    AddNumber(channel, "reserved", system.GetChannelReserved(nIndex));
    AddFlag(channel, "output", record.m_bOutput);
    AddFlag(channel, "momentaryLatch", record.m_bMomentaryLatch);
    AddFlag(channel, "powerUpOn", record.m_bPowerUpOn);
    Json equation = Equation(record);
    if (!equation.empty())
        channel["equation"] = std::move(equation);
    Json reserved = ReservedFields(record);
    if (!reserved.empty())
        channel["reservedFields"] = std::move(reserved);
    return channel;
}

Json Channels(const CSystem& system) {
    Json channels = Json::array();
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
            for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
                Json channel = Channel(system, nLoop, nModule, nChannel);
                if (channel.size() > 1)
                    channels.push_back(std::move(channel));
            }
    return channels;
}

Json Modules(const CSystem& system) {
    Json modules = Json::array();
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
            Json module = {{"module", ChannelNames::Module(nLoop, nModule)}};
            const std::string strLabel = system.GetModuleLabel(nModule, nLoop);
            if (strLabel != CSystem::DefaultModuleLabel(nModule, nLoop))
                module["label"] = Text(strLabel);
            AddNumber(module, "type", system.GetModuleType(nModule, nLoop));
            if (module.size() > 1)
                modules.push_back(std::move(module));
        }
    return modules;
}

Json Timers(const CSystem& system) {
    Json timers = Json::array();
    for (short nTimer = 0; nTimer < CSystem::kTimers; ++nTimer) {
        Json timer = {{"timer", ChannelNames::Timer(nTimer)}};
        const float fReload = system.GetTimerReload(nTimer);
        const float fCurrent = system.GetTimerCurrent(nTimer);
        if (!SameBits(fReload, SystemJsonFormat::kTimerReload))
            timer["reload"] = Seconds(fReload);
        if (!SameBits(fCurrent, SystemJsonFormat::kTimerCurrent))
            timer["current"] = Seconds(fCurrent);
        if (timer.size() > 1)
            timers.push_back(std::move(timer));
    }
    return timers;
}

Json HiSpeedPairs(const CSystem& system) {
    Json pairs = Json::array();
    for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair)
        pairs.push_back({{"input", Source(system.GetHiSpeedInput(nPair))},
                         {"output", Source(system.GetHiSpeedOutput(nPair))}});
    return pairs;
}

} // namespace

std::string CSystemJsonWriter::Write(const CSystem& system) {
    Json labels = Json::array();
    for (short nLabel = 0; nLabel < CSystem::kSysLabels; ++nLabel)
        labels.push_back(Text(system.GetSysLabel(nLabel)));
    Json root = {
        {"format", SystemJsonFormat::kFormat},
        {"version", SystemJsonFormat::kVersion},
        {"systemLabels", std::move(labels)},
        {"sleepMode",
         {{"enabled", system.GetSleepEnabled()},
          {"inactivity", system.GetSleepInactivity()},
          {"wakeUp", system.GetSleepWakeUp()}}},
        {"highSpeedPairs", HiSpeedPairs(system)},
        {"reserved", Text(system.GetReserved())},
        {"filePath", Text(system.GetFilePath())},
        {"currentModule", system.GetStoredCurModule()},
        {"currentChannel", system.GetCurChannel()},
        {"timers", Timers(system)},
        {"modules", Modules(system)},
        {"channels", Channels(system)},
    };
    return root.dump(2) + "\n";
}
