#include "model/System.h"

#include "model/Archive.h"
#include "model/DataFile.h"
#include "model/ShellServices.h"
#include "model/SystemPlausibility.h"

namespace {

constexpr short kOldModules = 20;
constexpr short kOldTimers = 10;

// Where an old module lives in the current grid: old modules 0..15 are the
// Blue loop, 16..19 module A of the virtual and the three timer loops.
struct COldSlot {
    short nLoop;
    short nModule;
};

COldSlot OldSlot(short nOldModule) {
    if (nOldModule < CSystem::kModulesPerLoop)
        return {0, nOldModule};
    return {static_cast<short>(nOldModule - CSystem::kModulesPerLoop + 2), 0};
}

// The first channel index of each old block of ten above the Blue loop.
struct COldRange {
    short nOldFirst;
    short nNewFirst;
};
const COldRange kOldRanges[] = {{160, 320}, {170, 480}, {180, 640}, {190, 800}};

} // namespace

short CSystem::OldToNewIndex(short nOld) {
    if (nOld < kChannelsPerLoop)
        return nOld;
    for (const COldRange& range : kOldRanges) {
        if (nOld < range.nOldFirst + kChannelsPerModule)
            return static_cast<short>(nOld - range.nOldFirst + range.nNewFirst);
    }
    return 0;
}

short CSystem::NewToOldIndex(short nNew) {
    if (nNew < kChannelsPerLoop)
        return nNew;
    for (const COldRange& range : kOldRanges) {
        if (nNew >= range.nNewFirst && nNew < range.nNewFirst + kChannelsPerModule)
            return static_cast<short>(nNew - range.nNewFirst + range.nOldFirst);
    }
    return -1;
}

void CSystem::SerializeOldChannel(CArchive& ar, short nModule, short nChannel, short nLoop) {
    CChannelRecord& record = SerializeChannelHead(ar, nModule, nChannel, nLoop);
    for (int j = 0; j < 3; ++j) {
        ar.Int32(record.m_abTermNotA[j]);
        ar.Int32(record.m_abTermNotB[j]);
        int16_t nTermA = NewToOldIndex(record.m_anTermA[j]);
        int16_t nTermB = NewToOldIndex(record.m_anTermB[j]);
        ar.Int16(nTermA);
        ar.Int16(nTermB);
        if (ar.IsLoading() && ar.Ok()) {
            record.m_anTermA[j] = OldToNewIndex(nTermA);
            record.m_anTermB[j] = OldToNewIndex(nTermB);
        }
    }
}

void CSystem::SerializeOld(CArchive& ar) {
    SerializeHead(ar, kOldTimers);
    for (short nOld = 0; nOld < kOldModules && ar.Ok(); ++nOld) {
        if (ar.IsLoading())
            m_shell.Trace("reading old module " + std::to_string(nOld) + "\n");
        COldSlot slot = OldSlot(nOld);
        ar.String(m_astrModuleLabel[slot.nLoop][slot.nModule]);
        ar.Int16(m_anModuleType[slot.nLoop][slot.nModule]);
        for (short nChannel = 0; nChannel < kChannelsPerModule; ++nChannel)
            SerializeOldChannel(ar, slot.nModule, nChannel, slot.nLoop);
    }
    for (std::string& strLabel : m_astrSysLabel)
        ar.String(strLabel);
}

bool CSystem::ReadOldLayout(CArchive& ar) {
    ResetToDefaults();
    SerializeOld(ar);
    if (!ar.Ok() || !HasPlausibleFlags(*this, m_bSleepEnabled))
        return false;
    ApplyLoadRules();
    return true;
}

bool CSystem::ImportOldFile(const std::string& strPath) {
    ReturnToLaunchDir();
    if (strPath.empty()) {
        m_shell.MessageBox("ERROR - Invalid file name specified", EBoxButtons::Ok,
                           EBoxIcon::Exclamation);
        return false;
    }
    std::vector<unsigned char> data;
    if (CDataFile::Read(LaunchPath(strPath), data) != CDataFile::EReadResult::Ok) {
        m_shell.MessageBox("ERROR - Could not successfully open old zlv file.", EBoxButtons::Ok,
                           EBoxIcon::Exclamation);
        return false;
    }
    if (ImportOldData(std::move(data)))
        return true;
    m_shell.MessageBox("ERROR - old zlv file " + strPath +
                           " is damaged or incomplete. The system is unchanged.",
                       EBoxButtons::Ok, EBoxIcon::Exclamation);
    return false;
}

bool CSystem::ImportOldData(std::vector<unsigned char> data) {
    CArchive ar(std::move(data));
    return ReadAllOrNothing(ar, &CSystem::ReadOldLayout);
}

bool CSystem::ExportOldFile(const std::string& strPath) {
    ReturnToLaunchDir();
    if (strPath.empty()) {
        m_shell.MessageBox("ERROR - invalid export zlv file name", EBoxButtons::Ok,
                           EBoxIcon::Exclamation);
        return false;
    }
    CArchive ar;
    SerializeOld(ar);
    std::error_code error;
    if (CDataFile::Write(LaunchPath(strPath), ar.Buffer(), error))
        return true;
    m_shell.MessageBox("Could not open/create old zlv data file " + strPath + "\n" +
                           error.message(),
                       EBoxButtons::Ok, EBoxIcon::Stop);
    return false;
}
