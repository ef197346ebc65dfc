#include "cli/CliOffline.h"

#include "cli/CliShell.h"
#include "controls/Sheet.h"
#include "controls/SheetXlsx.h"
#include "model/CodePage.h"
#include "model/DataFile.h"
#include "model/LaunchDir.h"
#include "model/SystemCheck.h"
#include "model/system.h"
#include "moduletypes/ModuleTypes.h"
#include "reports/Documentation.h"

#include <cstdio>
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

std::string JsonOrNull(const std::string& strText) {
    return strText.empty() ? "null" : CCliOffline::JsonString(strText);
}

std::string ChannelsJson(const CSystemFinding& finding) {
    std::string strJson;
    for (const CFindingChannel& channel : finding.aChannels)
        strJson += std::string(strJson.empty() ? "" : ", ") +
                   "{\"loop\": " + CCliOffline::JsonString(channel.strLoop) +
                   ", \"designation\": " + CCliOffline::JsonString(channel.strDesignation) +
                   ", \"label\": " + JsonOrNull(channel.strLabel) + "}";
    return "[" + strJson + "]";
}

} // namespace

bool CCliOffline::IsOldFormat(const std::string& strPath) { return Extension(strPath) == ".ZLV"; }

std::unique_ptr<CSystem> CCliOffline::NewSystem() const {
    return std::make_unique<CSystem>(m_shell, CSystem::CScratch{}, m_strLaunchDir);
}

// The old-format reader names no file when it cannot open one, so a file
// that is not there is named here.
std::unique_ptr<CSystem> CCliOffline::ReadSystem(const std::string& strPath) const {
    auto pSystem = NewSystem();
    if (!IsOldFormat(strPath)) {
        if (!pSystem->ReadSystemFile(strPath))
            return nullptr;
        return pSystem;
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

bool CCliOffline::WriteSystem(CSystem& system, const std::string& strPath) const {
    return IsOldFormat(strPath) ? system.ExportOldFile(strPath) : system.SaveSystemFile(strPath);
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
    if (CDataFile::Write(LaunchDir::Resolve(m_strLaunchDir, request.strOutput), data))
        return kExitOk;
    m_shell.Error("could not write " + request.strOutput);
    return kExitFile;
}

int CCliOffline::Convert(const CCliRequest& request) {
    const std::string& strIn = request.astrFiles[0];
    const std::string& strOut = request.astrFiles[1];
    if (IsOldFormat(strIn) == IsOldFormat(strOut)) {
        m_shell.Error(std::string("convert needs one .ZLV file and one system file; usage: ") +
                      CliOptions::kProgram + " convert IN OUT");
        return kExitUsage;
    }
    auto pSystem = ReadSystem(strIn);
    if (!pSystem)
        return kExitFile;
    return WriteSystem(*pSystem, strOut) ? kExitOk : kExitFile;
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
    if (SheetXlsx::Write(sheet, LaunchDir::Resolve(m_strLaunchDir, request.strOutput), error))
        return kExitOk;
    m_shell.Error("could not write " + request.strOutput);
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
    std::string strList;
    for (const CSystemFinding& finding : aFindings)
        strList += std::string(strList.empty() ? "\n    " : ",\n    ") + "{\"severity\": \"" +
                   CSystemFinding::SeverityName(finding.severity) +
                   "\", \"id\": " + JsonString(finding.strId) +
                   ", \"channels\": " + ChannelsJson(finding) +
                   ", \"timer\": " + JsonOrNull(finding.strTimer) +
                   ", \"pair\": " + (finding.nPair > 0 ? std::to_string(finding.nPair) : "null") +
                   ", \"text\": " + JsonString(finding.strText) + "}";
    using ESeverity = CSystemFinding::ESeverity;
    m_out << "{\n  \"findings\": " << (strList.empty() ? "[]" : "[" + strList + "\n  ]")
          << ",\n  \"counts\": {\"error\": " << CSystemCheck::Count(aFindings, ESeverity::Error)
          << ", \"warning\": " << CSystemCheck::Count(aFindings, ESeverity::Warning)
          << ", \"note\": " << CSystemCheck::Count(aFindings, ESeverity::Note) << "}\n}\n";
}

int CCliOffline::PrintDifferences(const std::vector<CSystemDifference>& aDiffs, bool bJson) const {
    int nCount = CSystemDiff::CountDifferences(aDiffs);
    if (bJson) {
        std::string astrLists[2];
        for (const CSystemDifference& diff : aDiffs) {
            std::string& strList = astrLists[diff.bInformation ? 1 : 0];
            strList += std::string(strList.empty() ? "\n    " : ",\n    ") +
                       "{\"item\": " + JsonString(diff.strItem) +
                       ", \"left\": " + JsonString(diff.strLeft) +
                       ", \"right\": " + JsonString(diff.strRight) + "}";
        }
        for (std::string& strList : astrLists)
            strList = strList.empty() ? "[]" : "[" + strList + "\n  ]";
        m_out << "{\n  \"differences\": " << astrLists[0]
              << ",\n  \"information\": " << astrLists[1] << "\n}\n";
    } else {
        for (const CSystemDifference& diff : aDiffs)
            m_out << Utf8(diff.strItem) << (diff.bInformation ? " (information)" : "") << ": "
                  << Utf8(diff.strLeft) << " | " << Utf8(diff.strRight) << "\n";
        m_out << nCount << (nCount == 1 ? " difference" : " differences") << "\n";
    }
    m_out << std::flush;
    return nCount > 0 ? kExitDifferences : kExitOk;
}

std::string CCliOffline::JsonString(const std::string& strText) {
    std::string strJson = "\"";
    for (char c : Utf8(strText)) {
        auto uc = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            strJson += '\\';
            strJson += c;
        } else if (uc < 0x20) {
            char szEscape[8];
            std::snprintf(szEscape, sizeof szEscape, "\\u%04x", uc);
            strJson += szEscape;
        } else {
            strJson += c;
        }
    }
    return strJson + "\"";
}
