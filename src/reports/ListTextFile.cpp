#include "reports/ListTextFile.h"

#include "model/DataFile.h"
#include "model/ShellServices.h"

#include <system_error>
#include <vector>

namespace ListTextFile {

namespace {

// "Saved the findings to /home/tech/FINDINGS.TXT"
const char* const kSavedText = "Saved ";
const char* const kSavedToText = " to ";

} // namespace

// strWhat names the list in the caption and the message: "the findings".
bool Save(CShellServices& shell, const std::string& strWhat, const std::string& strFileName,
          const std::string& strText) {
    CFileDialogRequest request;
    request.bOpen = false;
    request.strTitle = "Save " + strWhat + " as text";
    request.strDefExt = "TXT";
    request.strFileName = strFileName;
    request.strFilter = "Text (*.TXT) | *.TXT | All Files | *.* ||";
    request.nFlags = kFileHideReadOnly | kFileOverwritePrompt;
    std::string strPath;
    if (!shell.AskFileName(request, strPath))
        return false;
    std::error_code error;
    if (CDataFile::Write(strPath, std::vector<unsigned char>(strText.begin(), strText.end()),
                         error)) {
        shell.SetStatusText(kSavedText + strWhat + kSavedToText + strPath);
        return true;
    }
    std::string strMessage = "Could not write " + strWhat + " to " + strPath;
    if (error)
        strMessage += "\n" + error.message();
    shell.MessageBox(strMessage, EBoxButtons::Ok, EBoxIcon::Stop);
    return false;
}

} // namespace ListTextFile
