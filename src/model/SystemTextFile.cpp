#include "model/System.h"

#include "model/Archive.h"
#include "model/LaunchDir.h"
#include "model/ShellServices.h"
#include "model/SystemJsonReader.h"
#include "model/SystemJsonWriter.h"

#include <memory>

// The text is read into a record of its own and taken over only once it
// was read whole, so a text that breaks the form changes nothing. It holds
// the file path and the file label as they were written: reading it renames
// nothing, so the text is a copy of the record, byte for byte.
bool CSystem::ImportTextFile(const std::string& strPath) {
    std::vector<unsigned char> data;
    if (!ReadExistingFile(strPath, "text", data))
        return false;
    auto pRead = std::make_unique<CSystem>(m_shell, CScratch{}, m_strLaunchDir);
    std::string strError;
    if (!CSystemJsonReader::Read(std::string(data.begin(), data.end()), *pRead, strError)) {
        m_shell.MessageBox("Text file " + strPath + " is not a system: " + strError,
                           EBoxButtons::Ok, EBoxIcon::Exclamation);
        return false;
    }
    CArchive stored;
    pRead->SerializeFields(stored);
    CArchive load(stored.Buffer());
    SerializeFields(load);
    return true;
}

bool CSystem::ExportTextFile(const std::string& strPath) {
    const std::string strText = CSystemJsonWriter::Write(*this);
    return LaunchDir::WriteFile(m_strLaunchDir, m_shell, strPath,
                                std::vector<unsigned char>(strText.begin(), strText.end()));
}
