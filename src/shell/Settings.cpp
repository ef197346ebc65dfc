#include "shell/param1.h"

#include "model/Archive.h"
#include "model/DataFile.h"
#include "model/LaunchDir.h"
#include "model/ShellServices.h"

CParam1::CParam1(const std::string& strLaunchDir, CShellServices& shell)
    : m_strLaunchDir(strLaunchDir), m_shell(shell) {
    Load();
}

void CParam1::SetDefaults() {
    m_nCommPort = 1;
    m_nReserved1 = 0;
    m_nReserved2 = 0;
    m_strReserved1.clear();
    m_strReserved2.clear();
}

bool CParam1::Serialize(CArchive& ar) {
    ar.Int16(m_nCommPort);
    ar.Int16(m_nReserved1);
    ar.Int16(m_nReserved2);
    ar.String(m_strReserved1);
    ar.String(m_strReserved2);
    return ar.Ok();
}

bool CParam1::Load(const std::string& strName) {
    std::string strFile = strName.empty() ? kFileName : strName;
    SetDefaults();
    std::vector<unsigned char> data;
    switch (LaunchDir::ReadFile(m_strLaunchDir, m_shell, strFile, data)) {
    case CDataFile::EReadResult::Missing:
        return Save(strFile);
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
bool CParam1::IsPlausible() const { return m_nCommPort >= kMinPort && m_nCommPort <= kMaxPort; }

bool CParam1::Save(const std::string& strName) {
    CArchive ar;
    Serialize(ar);
    return LaunchDir::WriteFile(m_strLaunchDir, m_shell, strName.empty() ? kFileName : strName,
                                ar.Buffer());
}
