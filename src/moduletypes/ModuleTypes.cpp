#include "moduletypes/ModuleTypes.h"

#include "model/Archive.h"
#include "model/DataFile.h"
#include "model/LaunchDir.h"
#include "model/ShellServices.h"

#include <algorithm>
#include <ctime>
#include <new>

namespace {

constexpr int kMaxId = 32767;

// Days from 1 January 1970 to a date of the proleptic Gregorian calendar.
long DaysFromCivil(long nYear, long nMonth, long nDay) {
    nYear -= nMonth <= 2;
    long nEra = (nYear >= 0 ? nYear : nYear - 399) / 400;
    long nYearOfEra = nYear - nEra * 400;
    long nDayOfYear = (153 * (nMonth + (nMonth > 2 ? -3 : 9)) + 2) / 5 + nDay - 1;
    long nDayOfEra = nYearOfEra * 365 + nYearOfEra / 4 - nYearOfEra / 100 + nDayOfYear;
    return nEra * 146097 + nDayOfEra - 719468;
}

// Channel flags are only ever written as 0 or 1; a file of another kind
// would have to hold twenty such values in a row by chance.
bool HasPlausibleFlags(const ModuleType& type) {
    for (int i = 0; i < ModuleType::kChannels; ++i) {
        if ((type.m_abOutput[i] != 0 && type.m_abOutput[i] != 1) ||
            (type.m_abSwitch[i] != 0 && type.m_abSwitch[i] != 1))
            return false;
    }
    return true;
}

} // namespace

double COleDate::FromLocal(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond) {
    long nDays = DaysFromCivil(nYear, nMonth, nDay) - DaysFromCivil(1899, 12, 30);
    return static_cast<double>(nDays) + (nHour * 3600 + nMinute * 60 + nSecond) / 86400.0;
}

COleDate COleDate::Now() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    COleDate date;
    date.m_dValue = FromLocal(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                              local.tm_min, local.tm_sec);
    return date;
}

CModuleTypes::CModuleTypes(const std::string& strLaunchDir, CShellServices& shell)
    : m_strLaunchDir(strLaunchDir), m_shell(shell) {
    Load();
}

// --- the file ---

bool CModuleTypes::SerializeType(CArchive& ar, ModuleType& type) {
    for (int i = 0; i < ModuleType::kChannels; ++i) {
        ar.Int32(type.m_abOutput[i]);
        ar.Int32(type.m_abSwitch[i]);
        ar.Int32(type.m_anReserved[i]);
    }
    ar.Int32(type.m_created.m_nStatus);
    ar.Double(type.m_created.m_dValue);
    ar.String(type.m_strDescription);
    ar.String(type.m_strName);
    ar.String(type.m_strNote);
    return ar.Ok();
}

// A record is added only when it was read whole, so a damaged file keeps
// exactly the types before the damage. Identifiers are 16 bits, so a count
// below zero or beyond them is damage too; the types that fit are kept.
bool CModuleTypes::ReadTypes(CArchive& ar) {
    ar.ReadInt32(m_bStrictChecking);
    RemoveAll();
    int32_t nCount = 0;
    if (!ar.ReadInt32(nCount))
        return false;
    m_shell.Trace("Loading " + std::to_string(nCount) + " modules\n");
    if (nCount < 0)
        return false;
    for (int32_t i = 0; i < std::min(nCount, kMaxId); ++i) {
        m_shell.Trace("Creating module \n");
        ModuleType read;
        if (!SerializeType(ar, read) || !HasPlausibleFlags(read))
            return false;
        ModuleType* pType = AddType();
        if (!pType)
            return true;
        read.m_nId = pType->m_nId;
        *pType = std::move(read);
    }
    return nCount <= kMaxId;
}

bool CModuleTypes::Load(const std::string& strName) {
    std::string strFile = strName.empty() ? kFileName : strName;
    m_bStrictChecking = 0;
    RemoveAll();
    std::vector<unsigned char> data;
    switch (LaunchDir::ReadFile(m_strLaunchDir, m_shell, strFile, data)) {
    case CDataFile::EReadResult::Missing:
        return Save(strName);
    case CDataFile::EReadResult::Unreadable:
        return false;
    case CDataFile::EReadResult::Ok:
        break;
    }
    CArchive ar(std::move(data));
    if (ReadTypes(ar))
        return true;
    m_shell.MessageBox("Data file " + strFile +
                           " is damaged or incomplete. The module types read before the damage "
                           "are kept.",
                       EBoxButtons::Ok, EBoxIcon::Exclamation);
    return false;
}

bool CModuleTypes::Save(const std::string& strName) {
    CArchive ar;
    ar.WriteInt32(m_bStrictChecking);
    ar.WriteInt32(GetCount());
    for (const auto& pType : m_apTypes)
        SerializeType(ar, *pType);
    return LaunchDir::SaveFile(m_strLaunchDir, m_shell, strName, kFileName, ar.Buffer());
}

// --- the list ---

void CModuleTypes::RemoveAll() {
    m_apTypes.clear();
    m_pCurrent = nullptr;
}

// Every new type gets 1 plus the largest identifier present, and deleting
// keeps the order, so identifiers rise along the list and the largest is the
// last one's: reading a library takes time in proportion to its size.
ModuleType* CModuleTypes::AddType() {
    int nLargest = m_apTypes.empty() ? 0 : m_apTypes.back()->m_nId;
    std::unique_ptr<ModuleType> pType;
    if (nLargest < kMaxId)
        pType.reset(new (std::nothrow) ModuleType);
    if (!pType) {
        m_shell.MessageBox("Could not allocate new ModuleType, probably not enough memory.",
                           EBoxButtons::Ok, EBoxIcon::Stop);
        return nullptr;
    }
    pType->m_nId = static_cast<int16_t>(nLargest + 1);
    pType->m_strName = "Module_" + std::to_string(pType->m_nId);
    pType->m_strDescription = "System";
    pType->m_strNote = "DVX";
    pType->m_created = COleDate::Now();
    m_pCurrent = pType.get();
    m_apTypes.push_back(std::move(pType));
    return m_pCurrent;
}

bool CModuleTypes::DeleteType(const ModuleType* pType) {
    auto it = std::find_if(m_apTypes.begin(), m_apTypes.end(),
                           [pType](const auto& pEach) { return pEach.get() == pType; });
    if (it == m_apTypes.end())
        return false;
    m_apTypes.erase(it);
    m_pCurrent = m_apTypes.empty() ? nullptr : m_apTypes.front().get();
    return true;
}

ModuleType* CModuleTypes::GetCurrent() {
    if (!m_pCurrent && !m_apTypes.empty())
        m_pCurrent = m_apTypes.front().get();
    return m_pCurrent;
}

ModuleType* CModuleTypes::GetAt(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return m_apTypes[static_cast<std::size_t>(nIndex)].get();
}

int CModuleTypes::GetCurrentIndex() {
    const ModuleType* pCurrent = GetCurrent();
    for (int i = 0; i < GetCount(); ++i)
        if (m_apTypes[static_cast<std::size_t>(i)].get() == pCurrent)
            return i;
    return 0;
}

bool CModuleTypes::SelectByIndex(int nIndex) {
    ModuleType* pType = GetAt(nIndex);
    if (!pType)
        return false;
    m_pCurrent = pType;
    return true;
}

const ModuleType* CModuleTypes::FindById(short nId) const {
    for (const auto& pType : m_apTypes)
        if (pType->m_nId == nId)
            return pType.get();
    return nullptr;
}

bool CModuleTypes::ChannelMayCarryBoolean(short nId, int nChannel) const {
    if (!m_bStrictChecking)
        return true;
    const ModuleType* pType = FindById(nId);
    if (!pType)
        return true;
    if (!IsChannel(nChannel))
        return false;
    return pType->m_abOutput[nChannel - 1] || pType->m_abSwitch[nChannel - 1];
}

// --- the current type ---

bool CModuleTypes::IsOutputChannel(int nChannel) {
    ModuleType* pType = GetCurrent();
    return pType && IsChannel(nChannel) && pType->m_abOutput[nChannel - 1] != 0;
}

void CModuleTypes::SetOutputChannel(int nChannel, bool bOn) {
    if (ModuleType* pType = GetCurrent(); pType && IsChannel(nChannel))
        pType->m_abOutput[nChannel - 1] = bOn;
}

bool CModuleTypes::IsSwitchChannel(int nChannel) {
    ModuleType* pType = GetCurrent();
    return pType && IsChannel(nChannel) && pType->m_abSwitch[nChannel - 1] != 0;
}

void CModuleTypes::SetSwitchChannel(int nChannel, bool bOn) {
    if (ModuleType* pType = GetCurrent(); pType && IsChannel(nChannel))
        pType->m_abSwitch[nChannel - 1] = bOn;
}

std::string CModuleTypes::GetTypeName() {
    ModuleType* pType = GetCurrent();
    return pType ? pType->m_strName : "";
}

void CModuleTypes::SetTypeName(const std::string& strText) {
    if (ModuleType* pType = GetCurrent())
        pType->m_strName = strText;
}

std::string CModuleTypes::GetDescription() {
    ModuleType* pType = GetCurrent();
    return pType ? pType->m_strDescription : "";
}

void CModuleTypes::SetDescription(const std::string& strText) {
    if (ModuleType* pType = GetCurrent())
        pType->m_strDescription = strText;
}

std::string CModuleTypes::GetNote() {
    ModuleType* pType = GetCurrent();
    return pType ? pType->m_strNote : "";
}

void CModuleTypes::SetNote(const std::string& strText) {
    if (ModuleType* pType = GetCurrent())
        pType->m_strNote = strText;
}

short CModuleTypes::GetTypeId() {
    ModuleType* pType = GetCurrent();
    return pType ? pType->m_nId : 0;
}

// --- by identifier ---

std::string CModuleTypes::GetNameById(short nId) const {
    const ModuleType* pType = FindById(nId);
    return pType ? pType->m_strName : " ";
}

std::string CModuleTypes::GetDescriptionById(short nId) const {
    const ModuleType* pType = FindById(nId);
    return pType ? pType->m_strDescription : " ";
}

std::string CModuleTypes::GetNoteById(short nId) const {
    const ModuleType* pType = FindById(nId);
    return pType ? pType->m_strNote : " ";
}
