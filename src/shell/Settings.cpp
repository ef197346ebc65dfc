#include "shell/Settings.h"

#include "model/Archive.h"
#include "model/DataFile.h"
#include "model/LaunchDir.h"
#include "model/ShellServices.h"

CSettings::CSettings(const std::string& strLaunchDir, CShellServices& shell)
    : m_strLaunchDir(strLaunchDir), m_shell(shell) {
    Load();
}

void CSettings::SetDefaults() {
    m_nCommPort = 1;
    m_nReserved1 = 0;
    m_nReserved2 = 0;
    m_strReserved1.clear();
    m_strReserved2.clear();
}

bool CSettings::Serialize(CArchive& ar) {
    ar.Int16(m_nCommPort);
    ar.Int16(m_nReserved1);
    ar.Int16(m_nReserved2);
    ar.String(m_strReserved1);
    ar.String(m_strReserved2);
    return ar.Ok();
}

bool CSettings::Load(const std::string& strName) {
    std::string strFile = strName.empty() ? kFileName : strName;
    SetDefaults();
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
    if (Serialize(ar) && IsPlausible())
        return true;
    SetDefaults();
    m_shell.MessageBox(CDataFile::DamagedText(strFile), EBoxButtons::Ok, EBoxIcon::Exclamation);
    return false;
}

// The file has no header; a port the port dialog would not accept tells a
// file of another kind.
bool CSettings::IsPlausible() const { return m_nCommPort >= kMinPort && m_nCommPort <= kMaxPort; }

bool CSettings::Save(const std::string& strName) {
    CArchive ar;
    Serialize(ar);
    return LaunchDir::SaveFile(m_strLaunchDir, m_shell, strName, kFileName, ar.Buffer());
}
