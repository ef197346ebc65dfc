#include "model/SystemJsonReader.h"

#include "model/ChannelNames.h"
#include "model/CodePage.h"
#include "model/InputQuote.h"
#include "model/JsonShapeCheck.h"
#include "model/System.h"
#include "model/SystemJsonFormat.h"

#include <nlohmann/json.hpp>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <limits>

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kControlCharacterText =
    "holds a control character (a line end, a tab or the like), which no label may hold";
constexpr const char* kBeyondFloatText = " is more than a float can hold (about 3.4e38 either way)";
constexpr const char* kBelowFloatText = " is too close to 0 for a float, which would hold 0";

std::string Member(const std::string& strParent, const std::string& strName) {
    return CJsonShapeCheck::KeyPath(strParent, strName);
}

// A name the text gave, in quotes, for a message that refuses it.
std::string Quoted(const std::string& strName) { return "\"" + InputQuote::Cut(strName) + "\""; }

// A decimal that a float cannot hold: beyond its range it would become
// infinity, and too close to zero it would become zero.
bool IsBeyondAFloat(double fValue) { return std::isinf(static_cast<float>(fValue)); }
bool IsBelowAFloat(double fValue) { return fValue != 0.0 && static_cast<float>(fValue) == 0.0f; }

std::string DecimalText(double fValue) {
    char szText[32];
    std::snprintf(szText, sizeof szText, "%g", fValue);
    return szText;
}

std::string Element(const std::string& strParent, std::size_t nIndex) {
    return strParent + "[" + std::to_string(nIndex) + "]";
}

// The float whose shortest decimal names this double, so a value written as
// those digits comes back with the same bits; any other number is rounded.
// The character conversions ignore the locale.
float FloatOf(double fValue) {
    const float fNearest = static_cast<float>(fValue);
    for (float fCandidate :
         {fNearest, std::nextafter(fNearest, -INFINITY), std::nextafter(fNearest, INFINITY)}) {
        char szDigits[64];
        auto written = std::to_chars(szDigits, szDigits + sizeof szDigits, fCandidate);
        double fDecimal = 0.0;
        std::from_chars(szDigits, written.ptr, fDecimal);
        if (fDecimal == fValue)
            return fCandidate;
    }
    return fNearest;
}

bool ParseBits(const std::string& strText, float& fValue) {
    if (strText.size() != 10 || strText.compare(0, 2, "0x") != 0)
        return false;
    uint32_t nBits = 0;
    auto result = std::from_chars(strText.data() + 2, strText.data() + 10, nBits, 16);
    if (result.ec != std::errc() || result.ptr != strText.data() + 10)
        return false;
    fValue = std::bit_cast<float>(nBits);
    return true;
}

// One reading: the first value that breaks the form is kept as the error,
// and every later step does nothing, so the steps need no checks between them.
class CReading {
public:
    explicit CReading(CSystem& system) : m_system(system) {}

    bool Root(const Json& root);
    const std::string& Error() const { return m_strError; }

private:
    bool Fail(const std::string& strKey, const std::string& strReason) {
        if (m_strError.empty())
            m_strError = (strKey.empty() ? std::string("(top)") : strKey) + ": " + strReason;
        return false;
    }
    bool Ok() const { return m_strError.empty(); }

    bool Object(const Json& value, const std::string& strKey,
                std::initializer_list<const char*> aszKeys);
    bool Array(const Json& value, const std::string& strKey, std::size_t nSize = 0);
    bool Number(const Json& value, const std::string& strKey, long long nMin, long long nMax,
                long long& nNumber);
    bool Short(const Json& value, const std::string& strKey, int16_t& nValue);
    bool Int(const Json& value, const std::string& strKey, int32_t& nValue);
    bool Flag(const Json& value, const std::string& strKey, int32_t& bValue);
    bool Text(const Json& value, const std::string& strKey, std::size_t nMaxLength,
              std::string& strText);
    // A label as an editor could have typed it.
    bool Label(const Json& value, const std::string& strKey, std::string& strLabel);
    bool Source(const Json& value, const std::string& strKey, int16_t& nIndex);
    bool Seconds(const Json& value, const std::string& strKey, float& fValue);

    void Head(const Json& root);
    void SleepMode(const Json& sleep, const std::string& strKey);
    void HiSpeedPairs(const Json& pairs, const std::string& strKey);
    void Timer(const Json& timer, const std::string& strKey);
    void Module(const Json& module, const std::string& strKey);
    void Channel(const Json& channel, const std::string& strKey);
    void Equation(const Json& equation, const std::string& strKey, CChannelRecord& record);
    void Term(const Json& term, const std::string& strKey, CChannelRecord& record, bool abSeen[6]);
    void ReservedFields(const Json& reserved, const std::string& strKey, CChannelRecord& record);
    template <typename Each> void List(const Json& root, const char* szKey, Each each);
    void ResetStoredFields();

    CSystem& m_system;
    std::string m_strError;
    bool m_abTimerSeen[CSystem::kTimers] = {};
    bool m_abModuleSeen[CSystem::kLoops * CSystem::kModulesPerLoop] = {};
    bool m_abChannelSeen[CSystem::kChannels] = {};
};

bool CReading::Object(const Json& value, const std::string& strKey,
                      std::initializer_list<const char*> aszKeys) {
    if (!Ok())
        return false;
    if (!value.is_object())
        return Fail(strKey, "must be an object");
    for (const auto& item : value.items()) {
        bool bKnown = false;
        for (const char* szKey : aszKeys)
            bKnown = bKnown || item.key() == szKey;
        if (!bKnown)
            return Fail(Member(strKey, item.key()), "is not a key of this form");
    }
    return true;
}

bool CReading::Array(const Json& value, const std::string& strKey, std::size_t nSize) {
    if (!Ok())
        return false;
    if (!value.is_array())
        return Fail(strKey, "must be an array");
    if (nSize != 0 && value.size() != nSize)
        return Fail(strKey, "must hold " + std::to_string(nSize) + " entries, not " +
                                std::to_string(value.size()));
    return true;
}

bool CReading::Number(const Json& value, const std::string& strKey, long long nMin, long long nMax,
                      long long& nNumber) {
    if (!Ok())
        return false;
    const std::string strRange = std::to_string(nMin) + " to " + std::to_string(nMax);
    if (!value.is_number_integer())
        return Fail(strKey, "must be a whole number from " + strRange);
    if (value.is_number_unsigned() && value.get<uint64_t>() > static_cast<uint64_t>(nMax))
        return Fail(strKey, "must be a whole number from " + strRange);
    nNumber = value.get<long long>();
    if (nNumber < nMin || nNumber > nMax)
        return Fail(strKey, "must be a whole number from " + strRange);
    return true;
}

bool CReading::Short(const Json& value, const std::string& strKey, int16_t& nValue) {
    long long nNumber = 0;
    if (!Number(value, strKey, std::numeric_limits<int16_t>::min(),
                std::numeric_limits<int16_t>::max(), nNumber))
        return false;
    nValue = static_cast<int16_t>(nNumber);
    return true;
}

bool CReading::Int(const Json& value, const std::string& strKey, int32_t& nValue) {
    long long nNumber = 0;
    if (!Number(value, strKey, std::numeric_limits<int32_t>::min(),
                std::numeric_limits<int32_t>::max(), nNumber))
        return false;
    nValue = static_cast<int32_t>(nNumber);
    return true;
}

bool CReading::Flag(const Json& value, const std::string& strKey, int32_t& bValue) {
    if (!Ok())
        return false;
    if (!value.is_boolean())
        return Fail(strKey, "must be true or false");
    bValue = value.get<bool>() ? 1 : 0;
    return true;
}

// Model text is Windows-1252: a character it lacks would come back as "?".
bool CReading::Text(const Json& value, const std::string& strKey, std::size_t nMaxLength,
                    std::string& strText) {
    if (!Ok())
        return false;
    if (!value.is_string())
        return Fail(strKey, "must be a text");
    const std::string& strUtf8 = value.get_ref<const std::string&>();
    std::string strModel = CodePage::FromUtf8(strUtf8);
    if (CodePage::ToUtf8(strModel) != strUtf8)
        return Fail(strKey, "holds a character the system's code page (Windows-1252) lacks");
    if (strModel.size() > nMaxLength)
        return Fail(strKey, "is longer than " + std::to_string(nMaxLength) + " characters");
    strText = std::move(strModel);
    return true;
}

bool CReading::Label(const Json& value, const std::string& strKey, std::string& strLabel) {
    std::string strText;
    if (!Text(value, strKey, CSystem::kLabelLength, strText))
        return false;
    if (CodePage::HasControlCharacter(strText))
        return Fail(strKey, kControlCharacterText);
    strLabel = std::move(strText);
    return true;
}

bool CReading::Source(const Json& value, const std::string& strKey, int16_t& nIndex) {
    if (!Ok())
        return false;
    if (value.is_null()) {
        nIndex = -1;
        return true;
    }
    if (value.is_number())
        return Short(value, strKey, nIndex);
    if (!value.is_string())
        return Fail(strKey, "must be a channel such as \"Blue A3\", null or a number");
    const std::string& strName = value.get_ref<const std::string&>();
    if (!ChannelNames::ParseChannel(strName, nIndex))
        return Fail(strKey, Quoted(strName) + " is not a channel (Blue, Yellow, Virtual, " +
                                "TmrEnbl, TmrDone or TmrRun, then A1 to P10)");
    return true;
}

bool CReading::Seconds(const Json& value, const std::string& strKey, float& fValue) {
    if (!Ok())
        return false;
    if (value.is_number_float()) {
        const double fDecimal = value.get<double>();
        if (IsBeyondAFloat(fDecimal))
            return Fail(strKey, DecimalText(fDecimal) + kBeyondFloatText);
        if (IsBelowAFloat(fDecimal))
            return Fail(strKey, DecimalText(fDecimal) + kBelowFloatText);
        fValue = FloatOf(fDecimal);
        return true;
    }
    if (value.is_number_integer()) {
        fValue = static_cast<float>(value.get<double>());
        return true;
    }
    if (value.is_string() && ParseBits(value.get_ref<const std::string&>(), fValue))
        return true;
    return Fail(strKey, "must be a number of seconds (or the bits of one, as \"0x7FC00000\")");
}

template <typename Each> void CReading::List(const Json& root, const char* szKey, Each each) {
    if (!root.contains(szKey) || !Array(root[szKey], szKey))
        return;
    const Json& list = root[szKey];
    for (std::size_t i = 0; i < list.size() && Ok(); ++i)
        (this->*each)(list[i], Element(szKey, i));
}

// What ResetToDefaults leaves alone among the stored fields.
void CReading::ResetStoredFields() {
    m_system.ResetToDefaults();
    m_system.SetReserved("");
    m_system.SetCurChannel(0);
    for (short nIndex = 0; nIndex < CSystem::kChannels; ++nIndex) {
        CChannelRecord& record = m_system.Channel(
            CSystem::ModuleOf(nIndex), CSystem::ChannelOf(nIndex), CSystem::LoopOf(nIndex));
        for (int32_t& nReserved : record.m_anReservedA)
            nReserved = 0;
        record.m_nReservedB = record.m_nReservedC = record.m_nReservedE = 0;
        record.m_nReservedD = 0;
    }
}

bool CReading::Root(const Json& root) {
    if (!Object(root, "",
                {"format", "version", "systemLabels", "sleepMode", "highSpeedPairs", "reserved",
                 "filePath", "currentModule", "currentChannel", "timers", "modules", "channels"}))
        return false;
    if (root.value("format", Json()) != SystemJsonFormat::kFormat)
        return Fail("format", std::string("must be \"") + SystemJsonFormat::kFormat + "\"");
    if (root.value("version", Json()) != SystemJsonFormat::kVersion)
        return Fail("version", "must be " + std::to_string(SystemJsonFormat::kVersion) +
                                   ", the version this program reads");
    ResetStoredFields();
    Head(root);
    List(root, "timers", &CReading::Timer);
    List(root, "modules", &CReading::Module);
    List(root, "channels", &CReading::Channel);
    return Ok();
}

void CReading::Head(const Json& root) {
    if (root.contains("systemLabels") && Array(root["systemLabels"], "systemLabels", 10)) {
        for (short nLabel = 0; nLabel < CSystem::kSysLabels; ++nLabel) {
            std::string strLabel;
            if (Label(root["systemLabels"][nLabel], Element("systemLabels", nLabel), strLabel))
                m_system.StoreSysLabel(nLabel, strLabel);
        }
    }
    if (root.contains("sleepMode"))
        SleepMode(root["sleepMode"], "sleepMode");
    if (root.contains("highSpeedPairs"))
        HiSpeedPairs(root["highSpeedPairs"], "highSpeedPairs");
    std::string strText;
    if (root.contains("reserved") && Text(root["reserved"], "reserved", std::string::npos, strText))
        m_system.SetReserved(strText);
    if (root.contains("filePath") && Text(root["filePath"], "filePath", std::string::npos, strText))
        m_system.SetFilePath(strText);
    long long nNumber = 0;
    if (root.contains("currentModule") &&
        Number(root["currentModule"], "currentModule", 0, 19, nNumber))
        m_system.SetCurModule(static_cast<short>(nNumber));
    if (root.contains("currentChannel") &&
        Number(root["currentChannel"], "currentChannel", 0, 9, nNumber))
        m_system.SetCurChannel(static_cast<short>(nNumber));
}

void CReading::SleepMode(const Json& sleep, const std::string& strKey) {
    if (!Object(sleep, strKey, {"enabled", "inactivity", "wakeUp"}))
        return;
    int32_t bEnabled = 0;
    int16_t nValue = 0;
    if (sleep.contains("enabled") && Flag(sleep["enabled"], Member(strKey, "enabled"), bEnabled))
        m_system.SetSleepEnabled(bEnabled != 0);
    if (sleep.contains("inactivity") &&
        Short(sleep["inactivity"], Member(strKey, "inactivity"), nValue))
        m_system.SetSleepInactivity(nValue);
    if (sleep.contains("wakeUp") && Short(sleep["wakeUp"], Member(strKey, "wakeUp"), nValue))
        m_system.SetSleepWakeUp(nValue);
}

void CReading::HiSpeedPairs(const Json& pairs, const std::string& strKey) {
    if (!Array(pairs, strKey, CSystem::kHiSpeedPairs))
        return;
    for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair) {
        const Json& pair = pairs[nPair];
        const std::string strPair = Element(strKey, nPair);
        if (!Object(pair, strPair, {"input", "output"}))
            return;
        int16_t nIndex = -1;
        if (pair.contains("input") && Source(pair["input"], Member(strPair, "input"), nIndex))
            m_system.SetHiSpeedInput(nPair, nIndex);
        nIndex = -1;
        if (pair.contains("output") && Source(pair["output"], Member(strPair, "output"), nIndex))
            m_system.SetHiSpeedOutput(nPair, nIndex);
    }
}

void CReading::Timer(const Json& timer, const std::string& strKey) {
    if (!Object(timer, strKey, {"timer", "reload", "current"}))
        return;
    const std::string strName = Member(strKey, "timer");
    short nTimer = 0;
    if (!timer.contains("timer") || !timer["timer"].is_string()) {
        Fail(strName, "must name the timer, as \"C3\"");
        return;
    }
    const std::string& strTimer = timer["timer"].get_ref<const std::string&>();
    if (!ChannelNames::ParseTimer(strTimer, nTimer)) {
        Fail(strName, Quoted(strTimer) + " is not a timer (A1 to P10)");
        return;
    }
    if (m_abTimerSeen[nTimer]) {
        Fail(strName, "timer " + strTimer + " is given twice");
        return;
    }
    m_abTimerSeen[nTimer] = true;
    float fValue = 0.0f;
    if (timer.contains("reload") && Seconds(timer["reload"], Member(strKey, "reload"), fValue))
        m_system.SetTimerReload(nTimer, fValue);
    if (timer.contains("current") && Seconds(timer["current"], Member(strKey, "current"), fValue))
        m_system.SetTimerCurrent(nTimer, fValue);
}

void CReading::Module(const Json& module, const std::string& strKey) {
    if (!Object(module, strKey, {"module", "label", "type"}))
        return;
    const std::string strName = Member(strKey, "module");
    if (!module.contains("module") || !module["module"].is_string()) {
        Fail(strName, "must name the module, as \"Yellow A\"");
        return;
    }
    const std::string& strModule = module["module"].get_ref<const std::string&>();
    short nLoop = 0, nModule = 0;
    if (!ChannelNames::ParseModule(strModule, nLoop, nModule)) {
        Fail(strName, Quoted(strModule) + " is not a module (Blue, Yellow, Virtual, TmrEnbl, " +
                          "TmrDone or TmrRun, then A to P)");
        return;
    }
    bool& bSeen = m_abModuleSeen[nLoop * CSystem::kModulesPerLoop + nModule];
    if (bSeen) {
        Fail(strName, strModule + " is given twice");
        return;
    }
    bSeen = true;
    std::string strLabel;
    if (module.contains("label") && Label(module["label"], Member(strKey, "label"), strLabel))
        m_system.StoreModuleLabel(nModule, nLoop, strLabel);
    int16_t nType = 0;
    if (module.contains("type") && Short(module["type"], Member(strKey, "type"), nType))
        m_system.SetModuleType(nModule, nLoop, nType);
}

void CReading::Channel(const Json& channel, const std::string& strKey) {
    if (!Object(channel, strKey,
                {"channel", "label", "state", "reserved", "output", "momentaryLatch", "powerUpOn",
                 "equation", "reservedFields"}))
        return;
    const std::string strName = Member(strKey, "channel");
    if (!channel.contains("channel") || !channel["channel"].is_string()) {
        Fail(strName, "must name the channel, as \"Blue A3\"");
        return;
    }
    int16_t nIndex = 0;
    if (!Source(channel["channel"], strName, nIndex))
        return;
    if (m_abChannelSeen[nIndex]) {
        Fail(strName, ChannelNames::Channel(nIndex) + " is given twice");
        return;
    }
    m_abChannelSeen[nIndex] = true;
    const short nLoop = CSystem::LoopOf(nIndex);
    const short nModule = CSystem::ModuleOf(nIndex);
    const short nChannel = CSystem::ChannelOf(nIndex);
    CChannelRecord& record = m_system.Channel(nModule, nChannel, nLoop);
    std::string strLabel;
    if (channel.contains("label") && Label(channel["label"], Member(strKey, "label"), strLabel))
        m_system.StoreChannelLabel(nModule, nChannel, nLoop, strLabel);
    int32_t nValue = 0;
    if (channel.contains("state") && Int(channel["state"], Member(strKey, "state"), nValue))
        m_system.SetChannelStateAt(nModule, nChannel, nLoop, nValue);
    if (channel.contains("reserved") &&
        Int(channel["reserved"], Member(strKey, "reserved"), nValue))
        m_system.SetChannelReserved(nIndex, nValue);
    if (channel.contains("output"))
        Flag(channel["output"], Member(strKey, "output"), record.m_bOutput);
    if (channel.contains("momentaryLatch"))
        Flag(channel["momentaryLatch"], Member(strKey, "momentaryLatch"), record.m_bMomentaryLatch);
    if (channel.contains("powerUpOn"))
        Flag(channel["powerUpOn"], Member(strKey, "powerUpOn"), record.m_bPowerUpOn);
    if (channel.contains("equation"))
        Equation(channel["equation"], Member(strKey, "equation"), record);
    if (channel.contains("reservedFields"))
        ReservedFields(channel["reservedFields"], Member(strKey, "reservedFields"), record);
}

void CReading::Equation(const Json& equation, const std::string& strKey, CChannelRecord& record) {
    if (!Object(equation, strKey, {"type", "not", "groupNotA", "groupNotB", "terms"}))
        return;
    if (equation.contains("type"))
        Short(equation["type"], Member(strKey, "type"), record.m_nEquationType);
    if (equation.contains("not"))
        Flag(equation["not"], Member(strKey, "not"), record.m_bEquationNot);
    if (equation.contains("groupNotA"))
        Flag(equation["groupNotA"], Member(strKey, "groupNotA"), record.m_bGroupNotA);
    if (equation.contains("groupNotB"))
        Flag(equation["groupNotB"], Member(strKey, "groupNotB"), record.m_bGroupNotB);
    const std::string strTerms = Member(strKey, "terms");
    if (!equation.contains("terms") || !Array(equation["terms"], strTerms))
        return;
    bool abSeen[6] = {};
    const Json& terms = equation["terms"];
    for (std::size_t i = 0; i < terms.size() && Ok(); ++i)
        Term(terms[i], Element(strTerms, i), record, abSeen);
}

void CReading::Term(const Json& term, const std::string& strKey, CChannelRecord& record,
                    bool abSeen[6]) {
    if (!Object(term, strKey, {"term", "source", "not", "pr"}))
        return;
    const std::string strName = Member(strKey, "term");
    int nSlot = -1;
    for (int n = 0; n < 6 && term.contains("term"); ++n)
        if (term["term"] == SystemJsonFormat::kTermSlots[n])
            nSlot = n;
    if (nSlot < 0) {
        Fail(strName, "must name the term slot: A1, A2, A3, B1, B2 or B3");
        return;
    }
    if (abSeen[nSlot]) {
        Fail(strName, std::string(SystemJsonFormat::kTermSlots[nSlot]) + " is given twice");
        return;
    }
    abSeen[nSlot] = true;
    const bool bA = nSlot < 3;
    const int j = nSlot % 3;
    if (term.contains("source"))
        Source(term["source"], Member(strKey, "source"),
               bA ? record.m_anTermA[j] : record.m_anTermB[j]);
    if (term.contains("not"))
        Flag(term["not"], Member(strKey, "not"),
             bA ? record.m_abTermNotA[j] : record.m_abTermNotB[j]);
    if (term.contains("pr"))
        Flag(term["pr"], Member(strKey, "pr"), bA ? record.m_abTermPrA[j] : record.m_abTermPrB[j]);
}

void CReading::ReservedFields(const Json& reserved, const std::string& strKey,
                              CChannelRecord& record) {
    if (!Object(reserved, strKey, {"a", "b", "c", "d", "e"}))
        return;
    const std::string strA = Member(strKey, "a");
    if (reserved.contains("a") && Array(reserved["a"], strA, 4))
        for (std::size_t i = 0; i < 4; ++i)
            Int(reserved["a"][i], Element(strA, i), record.m_anReservedA[i]);
    if (reserved.contains("b"))
        Int(reserved["b"], Member(strKey, "b"), record.m_nReservedB);
    if (reserved.contains("c"))
        Int(reserved["c"], Member(strKey, "c"), record.m_nReservedC);
    if (reserved.contains("d"))
        Short(reserved["d"], Member(strKey, "d"), record.m_nReservedD);
    if (reserved.contains("e"))
        Int(reserved["e"], Member(strKey, "e"), record.m_nReservedE);
}

} // namespace

// The shape is checked before the tree is built: the tree of a hostile
// text could take more memory and stack than any system needs.
bool CSystemJsonReader::Read(const std::string& strText, CSystem& system, std::string& strError) {
    if (!CJsonShapeCheck::Check(strText, SystemJsonFormat::kMaxDepth, strError))
        return false;
    const Json root = Json::parse(strText, nullptr, false);
    CReading reading(system);
    if (reading.Root(root))
        return true;
    strError = reading.Error();
    return false;
}
