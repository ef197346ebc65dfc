#pragma once

#include <string>

class CShellServices;

// The "save as text" of the list windows (the system check, the compare):
// asks for a .TXT file under the name given and writes the list whole, or
// says why it could not; the status bar tells where it went. Returns whether
// the list was written.
namespace ListTextFile {

bool Save(CShellServices& shell, const std::string& strWhat, const std::string& strFileName,
          const std::string& strText);

} // namespace ListTextFile
