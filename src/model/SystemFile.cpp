#include "model/System.h"

#include "model/Archive.h"
#include "model/DataFile.h"
#include "model/LaunchDir.h"
#include "model/ShellServices.h"
#include "model/SystemPlausibility.h"

#include <cctype>

// --- layout ---

namespace {

// The layouts of a channel's fixed fields as a file holds them.

struct CStoredMarks {
    int32_t nState;
    int32_t nReserved;
};

struct CStoredFlags {
    int32_t bOutput;
    int32_t bMomentaryLatch;
    int32_t bPowerUpOn;
    int32_t bEquationNot;
    int32_t bGroupNotA;
    int32_t bGroupNotB;
};

// A term of each group, side by side.
struct CStoredTerms {
    int32_t bNotA;
    int32_t bNotB;
    int16_t nSourceA;
    int16_t nSourceB;
    int32_t bPrA;
    int32_t bPrB;
};

struct CStoredEquation {
    CStoredTerms aTerms[3];
    int32_t anReservedA[4];
    int32_t nReservedB;
    int32_t nReservedC;
    int32_t nReservedE;
    int16_t nReservedD;
    int16_t nEquationType;
};

} // namespace

// The channel fields before the terms, alike in both formats.
CChannelRecord& CSystem::SerializeChannelHead(CArchive& ar, short nModule, short nChannel,
                                              short nLoop) {
    short nIndex = MakeIndex(nLoop, nModule, nChannel);
    CChannelRecord& record = m_aChannel[nLoop][nModule][nChannel];
    ar.Fields<CStoredMarks>([&](auto& stored, auto field) {
        field(stored.nState, m_anChannelState[nIndex]);
        field(stored.nReserved, m_anChannelReserved[nIndex]);
    });
    ar.String(m_astrChannelLabel[nLoop][nModule][nChannel]);
    ar.Fields<CStoredFlags>([&record](auto& stored, auto field) {
        field(stored.bOutput, record.m_bOutput);
        field(stored.bMomentaryLatch, record.m_bMomentaryLatch);
        field(stored.bPowerUpOn, record.m_bPowerUpOn);
        field(stored.bEquationNot, record.m_bEquationNot);
        field(stored.bGroupNotA, record.m_bGroupNotA);
        field(stored.bGroupNotB, record.m_bGroupNotB);
    });
    return record;
}

void CSystem::SerializeChannel(CArchive& ar, short nModule, short nChannel, short nLoop) {
    CChannelRecord& record = SerializeChannelHead(ar, nModule, nChannel, nLoop);
    ar.Fields<CStoredEquation>([&record](auto& stored, auto field) {
        for (int j = 0; j < 3; ++j) {
            auto& terms = stored.aTerms[j];
            field(terms.bNotA, record.m_abTermNotA[j]);
            field(terms.bNotB, record.m_abTermNotB[j]);
            field(terms.nSourceA, record.m_anTermA[j]);
            field(terms.nSourceB, record.m_anTermB[j]);
            field(terms.bPrA, record.m_abTermPrA[j]);
            field(terms.bPrB, record.m_abTermPrB[j]);
        }
        for (int i = 0; i < 4; ++i)
            field(stored.anReservedA[i], record.m_anReservedA[i]);
        field(stored.nReservedB, record.m_nReservedB);
        field(stored.nReservedC, record.m_nReservedC);
        field(stored.nReservedE, record.m_nReservedE);
        field(stored.nReservedD, record.m_nReservedD);
        field(stored.nEquationType, record.m_nEquationType);
    });
}

// The fields before the modules, shared with the old format, which keeps
// only its first nTimers timers.
void CSystem::SerializeHead(CArchive& ar, short nTimers) {
    ar.Int32(m_bSleepEnabled);
    ar.Int16(m_nSleepInactivity);
    ar.Int16(m_nSleepWakeUp);
    for (short i = 0; i < kHiSpeedPairs; ++i) {
        ar.Int16(m_anHiSpeedInput[i]);
        ar.Int16(m_anHiSpeedOutput[i]);
    }
    ar.String(m_strReserved);
    for (short t = 0; t < nTimers; ++t) {
        ar.Float(m_afTimerReload[t]);
        ar.Float(m_afTimerCurrent[t]);
    }
    ar.String(m_strFilePath);
    ar.Int16(m_nCurModule);
    ar.Int16(m_nCurChannel);
}

// Every stored field in file order, without the load rules, so that a
// snapshot taken through it puts the fields back exactly.
void CSystem::SerializeFields(CArchive& ar) {
    SerializeHead(ar, kTimers);
    for (short nLoop = 0; nLoop < kLoops; ++nLoop) {
        for (short nModule = 0; nModule < kModulesPerLoop; ++nModule) {
            ar.String(m_astrModuleLabel[nLoop][nModule]);
            ar.Int16(m_anModuleType[nLoop][nModule]);
            for (short nChannel = 0; nChannel < kChannelsPerModule; ++nChannel)
                SerializeChannel(ar, nModule, nChannel, nLoop);
        }
    }
    for (std::string& strLabel : m_astrSysLabel)
        ar.String(strLabel);
}

// A current module of 16..19 is kept (GetCurModule resets it when read); a
// current channel outside 0..9 would index the channel arrays through every
// current-channel operation, and it survives the main window's reset, so it
// is put back to the first channel here.
void CSystem::ApplyLoadRules() {
    for (auto& aModule : m_astrChannelLabel)
        for (auto& astrLabels : aModule)
            for (std::string& strLabel : astrLabels)
                if (strLabel.size() > kLabelLength)
                    strLabel.resize(kLabelLength);
    if (m_nCurModule < 0 || m_nCurModule > 19)
        m_nCurModule = 0;
    if (!IsValidChannel(m_nCurChannel))
        m_nCurChannel = 0;
}

namespace {

bool IsFlag(int32_t nValue) { return nValue == 0 || nValue == 1; }

bool HasPlausibleFlags(const CChannelRecord& record) {
    if (!IsFlag(record.m_bOutput) || !IsFlag(record.m_bMomentaryLatch) ||
        !IsFlag(record.m_bPowerUpOn) || !IsFlag(record.m_bEquationNot) ||
        !IsFlag(record.m_bGroupNotA) || !IsFlag(record.m_bGroupNotB))
        return false;
    for (int j = 0; j < 3; ++j) {
        if (!IsFlag(record.m_abTermNotA[j]) || !IsFlag(record.m_abTermNotB[j]) ||
            !IsFlag(record.m_abTermPrA[j]) || !IsFlag(record.m_abTermPrB[j]))
            return false;
    }
    return true;
}

} // namespace

bool HasPlausibleFlags(const CSystem& system, int32_t bSleepEnabled) {
    if (!IsFlag(bSleepEnabled))
        return false;
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
            for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
                if (!HasPlausibleFlags(system.Channel(nModule, nChannel, nLoop)))
                    return false;
    return true;
}

bool CSystem::Serialize(CArchive& ar) {
    SerializeFields(ar);
    if (!ar.IsLoading())
        return ar.Ok();
    if (!ar.Ok() || !HasPlausibleFlags(*this, m_bSleepEnabled))
        return false;
    ApplyLoadRules();
    return true;
}

bool CSystem::ReadAllOrNothing(CArchive& ar, bool (CSystem::*pRead)(CArchive&)) {
    CArchive snapshot;
    SerializeFields(snapshot);
    int32_t nObjectGroup = m_nObjectGroup;
    if ((this->*pRead)(ar))
        return true;
    CArchive restore(snapshot.Buffer());
    SerializeFields(restore);
    m_nObjectGroup = nObjectGroup;
    return false;
}

// --- working and user files ---

bool CSystem::LoadSystemFile(const std::string& strPath) {
    std::string strName = strPath.empty() ? kWorkingFile : strPath;
    ResetToDefaults();
    std::vector<unsigned char> data;
    switch (LaunchDir::ReadFile(m_strLaunchDir, m_shell, strName, data)) {
    case CDataFile::EReadResult::Missing: {
        bool bCreated = SaveSystemFile(strPath);
        SetFilePath(strName);
        return bCreated;
    }
    case CDataFile::EReadResult::Unreadable:
        return false;
    case CDataFile::EReadResult::Ok:
        break;
    }
    if (!ReadSystemData(std::move(data))) {
        m_shell.MessageBox(CDataFile::DamagedText(strName), EBoxButtons::Ok, EBoxIcon::Exclamation);
        return false;
    }
    SetFilePath(strName);
    return true;
}

bool CSystem::ReadExistingFile(const std::string& strPath, const std::string& strKind,
                               std::vector<unsigned char>& data) {
    switch (CDataFile::Read(LaunchPath(strPath), data)) {
    case CDataFile::EReadResult::Missing: {
        std::string strKindTitle = strKind;
        strKindTitle[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(strKind[0])));
        m_shell.MessageBox(strKindTitle + " file " + strPath + " does not exist", EBoxButtons::Ok,
                           EBoxIcon::Exclamation);
        return false;
    }
    case CDataFile::EReadResult::Unreadable:
        m_shell.MessageBox("Could not read " + strKind + " file " + strPath, EBoxButtons::Ok,
                           EBoxIcon::Exclamation);
        return false;
    case CDataFile::EReadResult::Ok:
        break;
    }
    return true;
}

bool CSystem::ReadSystemFile(const std::string& strPath) {
    ResetToDefaults();
    std::vector<unsigned char> data;
    if (!ReadExistingFile(strPath, "system", data))
        return false;
    if (!ReadSystemData(std::move(data))) {
        m_shell.MessageBox("System file " + strPath + " is damaged or incomplete", EBoxButtons::Ok,
                           EBoxIcon::Exclamation);
        return false;
    }
    return true;
}

bool CSystem::ReadSystemData(std::vector<unsigned char> data) {
    CArchive ar(std::move(data));
    return ReadAllOrNothing(ar, &CSystem::Serialize);
}

bool CSystem::ReadSystemLayout(CArchive& ar) {
    ResetToDefaults();
    return Serialize(ar);
}

bool CSystem::OpenSystemFile(const std::string& strPath) {
    ReturnToLaunchDir();
    std::vector<unsigned char> data;
    switch (CDataFile::Read(LaunchPath(strPath), data)) {
    case CDataFile::EReadResult::Missing:
        return LoadSystemFile(strPath);
    case CDataFile::EReadResult::Unreadable:
        m_shell.MessageBox("Could not read data file " + strPath + ". The system is unchanged.",
                           EBoxButtons::Ok, EBoxIcon::Exclamation);
        return false;
    case CDataFile::EReadResult::Ok:
        break;
    }
    CArchive ar(std::move(data));
    if (!ReadAllOrNothing(ar, &CSystem::ReadSystemLayout)) {
        m_shell.MessageBox("Data file " + strPath +
                               " is damaged or incomplete. The system is unchanged.",
                           EBoxButtons::Ok, EBoxIcon::Exclamation);
        return false;
    }
    SetFilePath(strPath);
    return true;
}

bool CSystem::SaveSystemFile(const std::string& strPath) {
    CArchive ar;
    Serialize(ar);
    return LaunchDir::SaveFile(m_strLaunchDir, m_shell, strPath, kWorkingFile, ar.Buffer());
}

bool CSystem::SaveWorkingFiles() {
    bool bSaved = SaveSystemFile("");
    return WriteEquationListing() && bSaved;
}

// --- equation listing ---

bool CSystem::WriteEquationListing() {
    std::string strListing = EquationListing();
    return CDataFile::Write(LaunchPath(kListingFile),
                            std::vector<unsigned char>(strListing.begin(), strListing.end()));
}

std::string CSystem::EquationListing() {
    std::string strListing;
    for (short nLoop = 0; nLoop < kLoops; ++nLoop)
        for (short nModule = 0; nModule < kModulesPerLoop; ++nModule)
            for (short nChannel = 0; nChannel < kChannelsPerModule; ++nChannel)
                if (IsEquationDefined(nModule, nChannel, nLoop))
                    strListing += GetEquationLine(nModule, nChannel, nLoop);
    return strListing;
}

std::string CSystem::GetEquationLine(short nModule, short nChannel, short nLoop) {
    return ChannelDesignation(nModule, nChannel) + "\t" +
           GetChannelLabelOrDefault(nModule, nChannel, nLoop) + "\t" +
           GetEquationText(nModule, nChannel, nLoop) + "\r\n";
}
