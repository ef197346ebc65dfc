#include "cli/CliOffline.h"

#include "cli/CliJson.h"
#include "cli/CliShell.h"
#include "controls/Sheet.h"
#include "controls/SheetXlsx.h"
#include "model/CodePage.h"
#include "model/DataFile.h"
#include "model/LaunchDir.h"
#include "model/OldFormatLoss.h"
#include "model/System.h"
#include "model/SystemCheck.h"
#include "moduletypes/ModuleTypes.h"
#include "reports/Documentation.h"

#include <filesystem>

namespace {

std::string Upper(std::string strText) {
    for (char& c : strText) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return strText;
}

std::string Extension(const std::string& strPath) {
    return Upper(std::filesystem::path(strPath).extension().string());
}

std::string Utf8(const std::string& strText) { return CodePage::ToUtf8(strText); }

int CountDefined(CSystem& system, short nLoop) {
    int nCount = 0;
    for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
        for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
            nCount += system.IsEquationDefined(nModule, nChannel, nLoop) ? 1 : 0;
    return nCount;
}

std::string PairText(const CSystem& system, short nPair) {
    auto side = [](short nIndex) {
        return CSystem::IsValidIndex(nIndex) ? CSystem::IndexDesignation(nIndex)
                                             : std::string("none");
    };
    return side(system.GetHiSpeedInput(nPair)) + " -> " + side(system.GetHiSpeedOutput(nPair));
}

void PrintSummary(CSystem& system, std::ostream& out) {
    static const char* const kLabels[][2] = {{"0", "Vehicle Model"},
                                             {"1", "Author"},
                                             {"2", "Revision Date"},
                                             {"3", "Program version"},
                                             {"5", "File Name"}};
    for (const auto& label : kLabels)
        out << label[1] << ": " << Utf8(system.GetSysLabel(static_cast<short>(std::stoi(label[0]))))
            << "\n";
    int nTotal = 0;
    std::string strPerLoop;
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop) {
        int nCount = CountDefined(system, nLoop);
        nTotal += nCount;
        strPerLoop +=
            (nLoop ? ", " : "") + CSystem::GetLoopShortName(nLoop) + " " + std::to_string(nCount);
    }
    out << "Equations: " << nTotal << " (" << strPerLoop << ")\n";
    int nChannelLabels = 0, nModuleLabels = 0, nTypes = 0;
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
            nModuleLabels += system.IsModuleLabelCustom(nModule, nLoop) ? 1 : 0;
            nTypes += system.GetModuleType(nModule, nLoop) > 0 ? 1 : 0;
            for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
                nChannelLabels += system.IsChannelLabelCustom(nModule, nChannel, nLoop) ? 1 : 0;
        }
    out << "Custom channel labels: " << nChannelLabels << "\n"
        << "Custom module labels: " << nModuleLabels << "\n"
        << "Modules with a type: " << nTypes << "\n";
    int nTimers = 0;
    for (short nTimer = 0; nTimer < CSystem::kTimers; ++nTimer)
        nTimers += system.GetTimerReload(nTimer) != 10.0f ? 1 : 0;
    out << "Timers not reloading 10.0 s: " << nTimers << "\n"
        << "Sleep mode: " << CSystem::GetEnabledText(system.GetSleepEnabled()) << ", inactivity "
        << system.GetSleepInactivity() * 10 << " s, wake-up " << system.GetSleepWakeUp() << " s\n"
        << "High speed pairs:";
    for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair)
        out << (nPair ? ", " : " ") << PairText(system, nPair);
    out << "\n";
}

CliJson::Json ChannelsJson(const CSystemFinding& finding) {
    CliJson::Json channels = CliJson::Json::array();
    for (const CFindingChannel& channel : finding.aChannels)
        channels.push_back({{"loop", CliJson::Text(channel.strLoop)},
                            {"designation", CliJson::Text(channel.strDesignation)},
                            {"label", CliJson::TextOrNull(channel.strLabel)}});
    return channels;
}

// The file's name without its folder and without the text from its last
// dot, as model text, the way Open names a system after its file.
std::string FileTitle(const std::string& strPath) {
    return CodePage::FromUtf8(CSystem::FileTitle(strPath));
}

} // namespace

CCliOffline::EFormat CCliOffline::FormatOf(const std::string& strPath) {
    const std::string strExt = Extension(strPath);
    if (strExt == ".ZLV")
        return EFormat::Old;
    return strExt == ".JSON" ? EFormat::Text : EFormat::System;
}

std::unique_ptr<CSystem> CCliOffline::NewSystem() const {
    return std::make_unique<CSystem>(m_shell, CSystem::CScratch{}, m_strLaunchDir);
}

// The old-format reader names no file when it cannot open one, so a file
// that is not there is named here.
std::unique_ptr<CSystem> CCliOffline::ReadSystem(const std::string& strPath) const {
    auto pSystem = NewSystem();
    switch (FormatOf(strPath)) {
    case EFormat::System:
        return pSystem->ReadSystemFile(strPath) ? std::move(pSystem) : nullptr;
    case EFormat::Text:
        return pSystem->ImportTextFile(strPath) ? std::move(pSystem) : nullptr;
    case EFormat::Old:
        break;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(LaunchDir::Resolve(m_strLaunchDir, strPath), error)) {
        m_shell.Error("old zlv file " + strPath + " does not exist");
        return nullptr;
    }
    if (!pSystem->ImportOldFile(strPath))
        return nullptr;
    return pSystem;
}

// A run that was killed while it wrote leaves its temporary file beside the
// target; the next run that writes into that folder takes it away.
std::string CCliOffline::OutputPath(const std::string& strPath) const {
    const std::string strResolved = LaunchDir::Resolve(m_strLaunchDir, strPath);
    CDataFile::RemoveOrphans(std::filesystem::path(strResolved).parent_path().string());
    return strResolved;
}

void CCliOffline::WriteFailed(const std::string& strPath, const std::error_code& error) const {
    m_shell.Error("could not write " + strPath + (error ? ": " + error.message() : ""));
}

bool CCliOffline::WriteSystem(CSystem& system, const std::string& strPath) const {
    OutputPath(strPath);
    switch (FormatOf(strPath)) {
    case EFormat::Old:
        return system.ExportOldFile(strPath);
    case EFormat::Text:
        return system.ExportTextFile(strPath);
    case EFormat::System:
        break;
    }
    return system.SaveSystemFile(strPath);
}

int CCliOffline::Show(const CCliRequest& request) {
    auto pSystem = ReadSystem(request.astrFiles[0]);
    if (!pSystem)
        return kExitFile;
    m_out << "File: " << request.astrFiles[0] << "\n";
    PrintSummary(*pSystem, m_out);
    return kExitOk;
}

int CCliOffline::Listing(const CCliRequest& request) {
    auto pSystem = ReadSystem(request.astrFiles[0]);
    if (!pSystem)
        return kExitFile;
    std::string strListing = pSystem->EquationListing();
    if (request.strOutput.empty()) {
        m_out << strListing << std::flush;
        return kExitOk;
    }
    std::vector<unsigned char> data(strListing.begin(), strListing.end());
    std::error_code error;
    if (CDataFile::Write(OutputPath(request.strOutput), data, error))
        return kExitOk;
    WriteFailed(request.strOutput, error);
    return kExitFile;
}

// A system file written as an old file is read as File > Open reads it,
// named after its file, so the result is what Open and Export ZLV file
// give. The text form is a copy of the record and renames nothing.
int CCliOffline::Convert(const CCliRequest& request) {
    const std::string& strIn = request.astrFiles[0];
    const std::string& strOut = request.astrFiles[1];
    if (FormatOf(strIn) == FormatOf(strOut)) {
        m_shell.Error(std::string("convert needs two files of different formats (.DVX or .DAT, "
                                  ".ZLV, .json); usage: ") +
                      CliOptions::kProgram + " convert IN OUT");
        return kExitUsage;
    }
    auto pSystem = ReadSystem(strIn);
    if (!pSystem)
        return kExitFile;
    if (FormatOf(strIn) == EFormat::System && FormatOf(strOut) == EFormat::Old)
        pSystem->SetFileTitle(FileTitle(strIn));
    if (!WriteSystem(*pSystem, strOut))
        return kExitFile;
    if (FormatOf(strOut) == EFormat::Old) {
        const std::string strLoss = COldFormatLoss::Summary(*pSystem);
        if (!strLoss.empty())
            m_shell.Error(strLoss);
    }
    return kExitOk;
}

int CCliOffline::Diff(const CCliRequest& request) {
    auto pLeft = ReadSystem(request.astrFiles[0]);
    if (!pLeft)
        return kExitFile;
    auto pRight = ReadSystem(request.astrFiles[1]);
    if (!pRight)
        return kExitFile;
    return PrintDifferences(CSystemDiff::Compare(*pLeft, *pRight, CSystemDiff::EScope::Files),
                            request.bJson);
}

std::unique_ptr<CModuleTypes> CCliOffline::ReadModuleTypes() const {
    std::error_code error;
    if (std::filesystem::is_regular_file(
            LaunchDir::Resolve(m_strLaunchDir, CModuleTypes::kFileName), error))
        return std::make_unique<CModuleTypes>(m_strLaunchDir, m_shell);
    return std::make_unique<CModuleTypes>(CModuleTypes::CEmpty{}, m_shell);
}

int CCliOffline::Document(const CCliRequest& request) {
    auto pSystem = ReadSystem(request.astrFiles[0]);
    if (!pSystem)
        return kExitFile;
    std::error_code error;
    CSheet sheet;
    BuildDocumentation(sheet, *pSystem, *ReadModuleTypes());
    if (SheetXlsx::Write(sheet, OutputPath(request.strOutput), error))
        return kExitOk;
    WriteFailed(request.strOutput, error);
    return kExitFile;
}

int CCliOffline::Check(const CCliRequest& request) {
    auto pSystem = ReadSystem(request.astrFiles[0]);
    if (!pSystem)
        return kExitFile;
    return PrintFindings(CSystemCheck(*pSystem, *ReadModuleTypes()).Run(), request.bJson);
}

int CCliOffline::PrintFindings(const std::vector<CSystemFinding>& aFindings, bool bJson) const {
    if (bJson) {
        PrintFindingsJson(aFindings);
    } else {
        for (const CSystemFinding& finding : aFindings)
            m_out << CSystemFinding::SeverityName(finding.severity) << " " << finding.strId << " "
                  << Utf8(finding.ChannelsText()) << ": " << Utf8(finding.strText) << "\n";
        m_out << CSystemCheck::CountsText(aFindings) << "\n";
    }
    m_out << std::flush;
    const bool bFound = CSystemCheck::Count(aFindings, CSystemFinding::ESeverity::Error) +
                            CSystemCheck::Count(aFindings, CSystemFinding::ESeverity::Warning) >
                        0;
    return bFound ? kExitFindings : kExitOk;
}

void CCliOffline::PrintFindingsJson(const std::vector<CSystemFinding>& aFindings) const {
    CliJson::Json findings = CliJson::Json::array();
    for (const CSystemFinding& finding : aFindings)
        findings.push_back({{"severity", CSystemFinding::SeverityName(finding.severity)},
                            {"id", CliJson::Text(finding.strId)},
                            {"channels", ChannelsJson(finding)},
                            {"timer", CliJson::TextOrNull(finding.strTimer)},
                            {"pair", finding.nPair > 0 ? CliJson::Json(finding.nPair) : nullptr},
                            {"text", CliJson::Text(finding.strText)}});
    using ESeverity = CSystemFinding::ESeverity;
    CliJson::Json root = {{"findings", std::move(findings)},
                          {"counts",
                           {{"error", CSystemCheck::Count(aFindings, ESeverity::Error)},
                            {"warning", CSystemCheck::Count(aFindings, ESeverity::Warning)},
                            {"note", CSystemCheck::Count(aFindings, ESeverity::Note)}}}};
    m_out << CliJson::Document(root);
}

int CCliOffline::PrintDifferences(const std::vector<CSystemDifference>& aDiffs, bool bJson) const {
    int nCount = CSystemDiff::CountDifferences(aDiffs);
    if (bJson) {
        CliJson::Json aLists[2] = {CliJson::Json::array(), CliJson::Json::array()};
        for (const CSystemDifference& diff : aDiffs)
            aLists[diff.bInformation ? 1 : 0].push_back({{"item", CliJson::Text(diff.strItem)},
                                                         {"left", CliJson::Text(diff.strLeft)},
                                                         {"right", CliJson::Text(diff.strRight)}});
        m_out << CliJson::Document(
            {{"differences", std::move(aLists[0])}, {"information", std::move(aLists[1])}});
    } else {
        for (const CSystemDifference& diff : aDiffs)
            m_out << Utf8(diff.strItem) << (diff.bInformation ? " (information)" : "") << ": "
                  << Utf8(diff.strLeft) << " | " << Utf8(diff.strRight) << "\n";
        m_out << nCount << (nCount == 1 ? " difference" : " differences") << "\n";
    }
    m_out << std::flush;
    return nCount > 0 ? kExitDifferences : kExitOk;
}
