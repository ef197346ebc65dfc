#include "model/System.h"

#include "model/ShellServices.h"
#include "model/Trim.h"

namespace {

std::string FirstLabelCharacters(const std::string& strText) {
    return strText.substr(0, CSystem::kLabelLength);
}

} // namespace

// --- channel labels ---

std::string CSystem::GetChannelLabel(short nModule, short nChannel, short nLoop) const {
    if (!IsValidModule(nModule) || !IsValidChannel(nChannel) || !IsValidLoop(nLoop))
        return "";
    return FirstLabelCharacters(m_astrChannelLabel[nLoop][nModule][nChannel]);
}

std::string CSystem::GetChannelLabelOrDefault(short nModule, short nChannel, short nLoop) {
    std::string& strLabel = m_astrChannelLabel[nLoop][nModule][nChannel];
    if (strLabel.empty())
        strLabel = DefaultChannelLabel(nModule, nChannel, nLoop);
    return strLabel;
}

std::string CSystem::GetCurChannelLabel() {
    return GetChannelLabel(GetCurModule(), m_nCurChannel, m_nCurLoop);
}

void CSystem::SetCurChannelLabel(const std::string& strText) {
    short nModule = GetCurModule();
    m_astrChannelLabel[m_nCurLoop][nModule][m_nCurChannel] =
        strText.empty() ? DefaultChannelLabel(nModule, m_nCurChannel, m_nCurLoop) : strText;
}

std::string CSystem::GetChannelLabelInCurModule(short nChannel) {
    return GetChannelLabel(GetCurModule(), nChannel, m_nCurLoop);
}

void CSystem::SetChannelLabelInCurModule(short nChannel, const std::string& strText) {
    m_astrChannelLabel[m_nCurLoop][GetCurModule()][nChannel] = strText;
}

bool CSystem::IsChannelLabelCustom(short nModule, short nChannel, short nLoop) const {
    return GetChannelLabel(nModule, nChannel, nLoop) !=
           DefaultChannelLabel(nModule, nChannel, nLoop);
}

const std::string& CSystem::StoredChannelLabel(short nModule, short nChannel, short nLoop) const {
    return m_astrChannelLabel[nLoop][nModule][nChannel];
}

void CSystem::StoreChannelLabel(short nModule, short nChannel, short nLoop,
                                const std::string& strText) {
    m_astrChannelLabel[nLoop][nModule][nChannel] = strText;
}

// --- module labels ---

std::string CSystem::GetModuleLabel(short nModule, short nLoop) const {
    if (!IsValidLoop(nLoop) || !IsValidModule(nModule))
        return "";
    return m_astrModuleLabel[nLoop][nModule];
}

void CSystem::SetModuleLabel(short nModule, short nLoop, const std::string& strText) {
    m_astrModuleLabel[nLoop][nModule] =
        strText.empty() ? DefaultModuleLabel(nModule, nLoop) : strText;
}

std::string CSystem::GetCurModuleLabel() { return GetModuleLabel(GetCurModule(), m_nCurLoop); }

std::string CSystem::GetModuleLabelInCurLoop(short nModule) const {
    return m_astrModuleLabel[m_nCurLoop][nModule];
}

void CSystem::SetModuleLabelInCurLoop(short nModule, const std::string& strText) {
    m_astrModuleLabel[m_nCurLoop][nModule] = strText;
}

void CSystem::StoreModuleLabel(short nModule, short nLoop, const std::string& strText) {
    m_astrModuleLabel[nLoop][nModule] = strText;
}

bool CSystem::IsModuleLabelCustom(short nModule, short nLoop) const {
    return GetModuleLabel(nModule, nLoop) != DefaultModuleLabel(nModule, nLoop);
}

// --- system labels ---

std::string CSystem::GetSysLabel(short nLabel) const { return m_astrSysLabel[nLabel]; }

void CSystem::SetSysLabel(short nLabel, const std::string& strText) {
    std::string strLabel = FirstLabelCharacters(Trimmed(strText));
    m_astrSysLabel[nLabel] = strLabel;
    if (nLabel != SysLabelFileName)
        return;
    m_strFilePath = Trimmed(strText) + ".DVX";
    m_shell.UpdateTitle();
}

std::string CSystem::FileTitle(const std::string& strPath) {
    auto nSeparator = strPath.find_last_of("/\\");
    std::string strName =
        nSeparator == std::string::npos ? strPath : strPath.substr(nSeparator + 1);
    auto nDot = strName.rfind('.');
    return nDot == std::string::npos ? strName : strName.substr(0, nDot);
}

void CSystem::SetFileTitle(const std::string& strTitle) {
    m_strFilePath = strTitle + ".DVX";
    SetSysLabel(SysLabelFileName, strTitle.substr(0, kLabelLength));
}

void CSystem::StoreSysLabel(short nLabel, const std::string& strText) {
    m_astrSysLabel[nLabel] = strText;
}
