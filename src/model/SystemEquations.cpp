#include "model/System.h"

#include "model/ShellServices.h"

#include <cassert>

namespace {

const char* const kEquationTypeNames[4] = {"STANDARD", "SIX INPUT OR", "SIX INPUT AND", "DEMORGAN"};

bool IsKnownType(short nType) { return nType >= 0 && nType <= 3; }

template <typename Fn> void ForEachChannel(Fn fn) {
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
            for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
                fn(nModule, nChannel, nLoop);
}

} // namespace

void CChannelRecord::ClearEquationFields() {
    m_bEquationNot = m_bGroupNotA = m_bGroupNotB = 0;
    m_bPowerUpOn = m_bOutput = m_bMomentaryLatch = 0;
    for (int i = 0; i < 3; ++i) {
        m_abTermNotA[i] = m_abTermNotB[i] = 0;
        m_abTermPrA[i] = m_abTermPrB[i] = 0;
        m_anTermA[i] = m_anTermB[i] = -1;
    }
}

void CChannelRecord::CopyEquationFieldsFrom(const CChannelRecord& source) {
    m_bEquationNot = source.m_bEquationNot;
    m_bGroupNotA = source.m_bGroupNotA;
    m_bGroupNotB = source.m_bGroupNotB;
    m_bPowerUpOn = source.m_bPowerUpOn;
    m_bOutput = source.m_bOutput;
    m_bMomentaryLatch = source.m_bMomentaryLatch;
    for (int i = 0; i < 3; ++i) {
        m_abTermNotA[i] = source.m_abTermNotA[i];
        m_abTermNotB[i] = source.m_abTermNotB[i];
        m_abTermPrA[i] = source.m_abTermPrA[i];
        m_abTermPrB[i] = source.m_abTermPrB[i];
        m_anTermA[i] = source.m_anTermA[i];
        m_anTermB[i] = source.m_anTermB[i];
    }
}

// --- term helpers ---

std::string CSystem::GetTermALabel(short i) {
    short nSource = CurRecord().m_anTermA[i];
    if (!IsTermPresent(nSource))
        return "";
    return GetChannelLabel(ModuleOf(nSource), ChannelOf(nSource), LoopOf(nSource));
}

std::string CSystem::GetTermBLabel(short i) {
    short nSource = CurRecord().m_anTermB[i];
    if (!IsTermPresent(nSource))
        return "";
    return GetChannelLabel(ModuleOf(nSource), ChannelOf(nSource), LoopOf(nSource));
}

std::string CSystem::TermModuleLetter(short nSource) {
    return IsTermPresent(nSource) ? IndexModuleLetter(nSource) : "_";
}

short CSystem::TermChannelNumber(short nSource) {
    return IsTermPresent(nSource) ? static_cast<short>(ChannelOf(nSource) + 1) : 1;
}

short CSystem::TermLoop(short nSource) { return IsTermPresent(nSource) ? LoopOf(nSource) : 0; }

// --- defined equations and their text ---

bool CSystem::IsEquationDefined(short nModule, short nChannel, short nLoop) const {
    const CChannelRecord& record = Record(nModule, nChannel, nLoop);
    if (record.m_bMomentaryLatch)
        return true;
    for (int i = 0; i < 3; ++i) {
        if (IsTermPresent(record.m_anTermA[i]) || IsTermPresent(record.m_anTermB[i]))
            return true;
    }
    return false;
}

bool CSystem::IsCurEquationDefined() {
    return IsEquationDefined(GetCurModule(), m_nCurChannel, m_nCurLoop);
}

// Appends one group's terms; sources outside 0..959 are repaired to -1 in
// the record as they are met.
void CSystem::AppendGroup(std::string& strText, const int32_t* abNot, const int16_t* anTerm,
                          const int32_t* abPr, bool bGroupNot, const char* szLead,
                          int16_t* anRepair) {
    int n = 0;
    for (int i = 0; i < 3; ++i) {
        if (!IsTermPresent(anTerm[i])) {
            anRepair[i] = -1;
            continue;
        }
        ++n;
        if (n == 1)
            strText += std::string(szLead) + (bGroupNot ? "!(" : "(");
        else
            strText += ")*(";
        if (abNot[i])
            strText += "!";
        if (abPr[i])
            strText += "Pr_";
        short nSource = anTerm[i];
        strText += GetChannelLabelOrDefault(ModuleOf(nSource), ChannelOf(nSource), LoopOf(nSource));
    }
    if (n > 0)
        strText += ")";
}

std::string CSystem::EquationText(CChannelRecord& record, const char* szStart) {
    std::string strText = szStart;
    if (record.m_bEquationNot)
        strText += "![";
    std::size_t nBeforeA = strText.size();
    AppendGroup(strText, record.m_abTermNotA, record.m_anTermA, record.m_abTermPrA,
                record.m_bGroupNotA, "", record.m_anTermA);
    bool bGroupA = strText.size() != nBeforeA;
    AppendGroup(strText, record.m_abTermNotB, record.m_anTermB, record.m_abTermPrB,
                record.m_bGroupNotB, bGroupA ? "+" : "", record.m_anTermB);
    if (record.m_bEquationNot)
        strText += "]";
    return strText;
}

std::string CSystem::GetEquationText(short nModule, short nChannel, short nLoop) {
    if (!IsEquationDefined(nModule, nChannel, nLoop))
        return "";
    return EquationText(Record(nModule, nChannel, nLoop), "Q=");
}

std::string CSystem::GetCurEquationText() {
    return GetEquationText(GetCurModule(), m_nCurChannel, m_nCurLoop);
}

std::string CSystem::GetEquationBody(short nModule, short nChannel, short nLoop) {
    if (!IsEquationDefined(nModule, nChannel, nLoop))
        return "";
    return EquationText(Record(nModule, nChannel, nLoop), "");
}

std::string CSystem::GetEquationHead(short nModule, short nChannel, short nLoop) {
    if (!IsEquationDefined(nModule, nChannel, nLoop))
        return "";
    return "Q[" + GetChannelCaption(nModule, nChannel, nLoop) + "]=";
}

std::string CSystem::GetChannelCaption(short nModule, short nChannel, short nLoop) {
    return GetLoopName(nLoop) + " " + ChannelDesignation(nModule, nChannel) + "   " +
           GetChannelLabelOrDefault(nModule, nChannel, nLoop) + "   ";
}

std::string CSystem::GetCurChannelCaption() {
    return GetChannelCaption(GetCurModule(), m_nCurChannel, m_nCurLoop);
}

std::string CSystem::PreviewEquationText() { return EquationText(m_previewChannel, "Q="); }

// --- equation type ---

std::string CSystem::GetEquationTypeName(short nType) {
    return kEquationTypeNames[IsKnownType(nType) ? nType : 0];
}

short CSystem::GetCurEquationType() {
    short nType = CurRecord().m_nEquationType;
    return IsKnownType(nType) ? nType : 0;
}

std::string CSystem::GetCurEquationTypeName() { return GetEquationTypeName(GetCurEquationType()); }

void CSystem::SetCurEquationType(short nType) {
    assert(IsKnownType(nType));
    CurRecord().m_nEquationType = nType;
}

short CSystem::NextCurEquationType() {
    short& nType = CurRecord().m_nEquationType;
    nType = (IsKnownType(nType) && nType < 3) ? static_cast<short>(nType + 1) : 0;
    return GetCurEquationType();
}

bool CSystem::IsCurTypeAndWithinGroups() {
    short nType = GetCurEquationType();
    return nType == 0 || nType == 2;
}

bool CSystem::IsCurTypeAndBetweenGroups() {
    short nType = GetCurEquationType();
    return nType == 2 || nType == 3;
}

// --- clear, copy, paste, backup ---

void CSystem::ClearEquation(short nModule, short nChannel, short nLoop) {
    Record(nModule, nChannel, nLoop).ClearEquationFields();
}

void CSystem::ClearCurEquation() { CurRecord().ClearEquationFields(); }

void CSystem::ClearModuleEquations() {
    short nModule = GetCurModule();
    for (short nChannel = 0; nChannel < kChannelsPerModule; ++nChannel)
        ClearEquation(nModule, nChannel, m_nCurLoop);
}

void CSystem::ClearCurChannel() {
    ClearCurEquation();
    short nModule = GetCurModule();
    m_astrChannelLabel[m_nCurLoop][nModule][m_nCurChannel] =
        DefaultChannelLabel(nModule, m_nCurChannel, m_nCurLoop);
}

void CSystem::CopyEquation() { m_clipChannel.CopyEquationFieldsFrom(CurRecord()); }

void CSystem::PasteEquation(short nModule, short nChannel, short nLoop) {
    Record(nModule, nChannel, nLoop).CopyEquationFieldsFrom(m_clipChannel);
    m_shell.Trace("paste into Current module = " + std::to_string(nModule) + ", channel = " +
                  std::to_string(nChannel) + ", loop = " + std::to_string(nLoop) + "\n");
}

void CSystem::PasteCurEquation() { PasteEquation(GetCurModule(), m_nCurChannel, m_nCurLoop); }

void CSystem::BackupEquations() {
    ForEachChannel([this](short nModule, short nChannel, short nLoop) {
        m_aChannelBackup[nLoop][nModule][nChannel].CopyEquationFieldsFrom(
            m_aChannel[nLoop][nModule][nChannel]);
    });
}

void CSystem::RestoreEquations() {
    ForEachChannel([this](short nModule, short nChannel, short nLoop) {
        m_aChannel[nLoop][nModule][nChannel].CopyEquationFieldsFrom(
            m_aChannelBackup[nLoop][nModule][nChannel]);
    });
}

// --- marks ---

int CSystem::FindWhereUsed() {
    short nSource = GetCurIndex();
    ClearWhereUsed();
    int nCount = 0;
    ForEachChannel([&](short nModule, short nChannel, short nLoop) {
        CChannelRecord& record = m_aChannel[nLoop][nModule][nChannel];
        for (int i = 0; i < 3; ++i) {
            if (record.m_anTermA[i] == nSource || record.m_anTermB[i] == nSource) {
                record.m_bWhereUsed = 1;
                ++nCount;
                return;
            }
        }
    });
    return nCount;
}

void CSystem::ClearWhereUsed() {
    ForEachChannel([this](short nModule, short nChannel, short nLoop) {
        m_aChannel[nLoop][nModule][nChannel].m_bWhereUsed = 0;
    });
}

void CSystem::ClearCopyMarks() {
    ForEachChannel([this](short nModule, short nChannel, short nLoop) {
        m_aChannel[nLoop][nModule][nChannel].m_bCopyMark = 0;
    });
}
