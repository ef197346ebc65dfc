#pragma once

#include "cli/CliOptions.h"
#include "model/SystemDiff.h"
#include "model/SystemFinding.h"

#include <memory>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

class CCliShell;
class CModuleTypes;
class CSystem;

// The commands of corvel-cli that work on files alone: show, listing,
// convert, document, check and diff, plus the file reading, writing and difference printing
// the controller commands share. Relative names are taken from the folder
// the program was started in. Every failure prints one line through the
// shell and returns its exit status.
class CCliOffline {
public:
    CCliOffline(CCliShell& shell, std::ostream& out, const std::string& strLaunchDir)
        : m_shell(shell), m_out(out), m_strLaunchDir(strLaunchDir) {}

    int Show(const CCliRequest& request);
    int Listing(const CCliRequest& request);
    int Convert(const CCliRequest& request);
    int Diff(const CCliRequest& request);
    int Document(const CCliRequest& request);
    int Check(const CCliRequest& request);

    // A record with the defaults, reading and writing no working file.
    std::unique_ptr<CSystem> NewSystem() const;
    // A system file, an old-format file or the text form (by its
    // extension); nullptr when it could not be read (already reported).
    std::unique_ptr<CSystem> ReadSystem(const std::string& strPath) const;
    // A system file, an old-format file or the text form (by its
    // extension), written whole or not at all.
    bool WriteSystem(CSystem& system, const std::string& strPath) const;

    // The rows as lines ("ITEM: LEFT | RIGHT") or as JSON; the exit status,
    // 1 when any row is a real difference.
    int PrintDifferences(const std::vector<CSystemDifference>& aDiffs, bool bJson) const;

    // The findings as lines or as JSON, then their counts; the exit status,
    // 1 when any is an error or a warning.
    int PrintFindings(const std::vector<CSystemFinding>& aFindings, bool bJson) const;

    // The format a file name's extension gives: .ZLV the old format, .json
    // the text form, anything else a system file.
    enum class EFormat { System, Old, Text };
    static EFormat FormatOf(const std::string& strPath);

private:
    // "ModuleTypes.dat" of the current folder when it is there; an empty
    // library otherwise, as a missing one is not created.
    std::unique_ptr<CModuleTypes> ReadModuleTypes() const;
    // The output's path from the launch folder, its folder cleared of the
    // temporary files of runs that died while writing.
    std::string OutputPath(const std::string& strPath) const;
    // "could not write PATH", with the system's reason when there is one.
    void WriteFailed(const std::string& strPath, const std::error_code& error) const;
    void PrintFindingsJson(const std::vector<CSystemFinding>& aFindings) const;

    CCliShell& m_shell;
    std::ostream& m_out;
    std::string m_strLaunchDir;
};
