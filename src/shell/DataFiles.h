#pragma once

#include <QString>

#include <string>

// Where a file shipped with Corvel (tips, manual, animation) is found: the
// launch directory first, so a technician can put his own beside the working
// files, then the installed data folder (beside the program, then where it
// was configured to go), then the source tree's data folder
// for a Corvel run from its build tree. Returns the launch directory's path
// when none of them holds the file, so the caller reports it missing there.
QString FindDataFile(const std::string& strLaunchDir, const QString& strName);
