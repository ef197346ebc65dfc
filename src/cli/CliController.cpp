#include "cli/CliController.h"

#include "cli/CliLink.h"
#include "cli/CliOffline.h"
#include "cli/CliProgress.h"
#include "cli/CliSequences.h"
#include "cli/CliShell.h"
#include "model/System.h"

int CCliController::Transfer() {
    auto pSystem = m_files.ReadSystem(m_request.astrFiles[0]);
    if (!pSystem)
        return kExitFile;
    m_progress.Start("transfer");
    CCliLink link(*pSystem, m_shell, m_request, m_progress, ErrorSource());
    if (!link.Open())
        return kExitController;
    m_shell.SetEcho(false);
    std::vector<std::string> astrUnsent;
    std::vector<std::string> astrNearest;
    int nErrors = CliSequences::Transfer(*pSystem, link.Comm(), m_shell, astrUnsent, astrNearest);
    m_progress.Finish();
    if (link.ReportProblem())
        return kExitController;
    for (const std::string& strNearest : astrNearest)
        m_shell.Error(strNearest);
    if (nErrors > 0) {
        m_shell.Error("the DVX CPU did not acknowledge " + std::to_string(nErrors) +
                      (nErrors == 1 ? " step" : " steps") + " of the transfer");
        for (const std::string& strUnsent : astrUnsent) {
            if (!strUnsent.empty())
                m_shell.Error(strUnsent);
        }
        return kExitController;
    }
    return kExitOk;
}

// Nothing is written unless every answer arrived whole.
int CCliController::Retrieve() {
    auto pRecord = m_files.NewSystem();
    auto pController = m_files.NewSystem();
    if (int nExit = ReadController("retrieve", *pRecord, *pController); nExit != kExitOk)
        return nExit;
    m_shell.SetEcho(true);
    return m_files.WriteSystem(*pController, m_request.astrFiles[0]) ? kExitOk : kExitFile;
}

// A verify whose reads failed says so and never reports differences.
int CCliController::Verify() {
    auto pSystem = m_files.ReadSystem(m_request.astrFiles[0]);
    if (!pSystem)
        return kExitFile;
    auto pController = m_files.NewSystem();
    if (int nExit = ReadController("verify", *pSystem, *pController); nExit != kExitOk)
        return nExit;
    return m_files.PrintDifferences(
        CSystemDiff::Compare(*pSystem, *pController, CSystemDiff::EScope::Controller),
        m_request.bJson);
}

int CCliController::ReadController(const char* szWhat, CSystem& record, CSystem& target) {
    m_progress.Start(szWhat);
    CCliLink link(record, m_shell, m_request, m_progress, ErrorSource());
    if (!link.Open())
        return kExitController;
    m_shell.SetEcho(false);
    const CCompareCommand::ERead read = CliSequences::Read(record, link.Comm(), m_shell, target);
    m_progress.Finish();
    if (link.ReportProblem())
        return kExitController;
    switch (read) {
    case CCompareCommand::ERead::Complete:
        return kExitOk;
    case CCompareCommand::ERead::Interrupted:
        m_shell.Error("the system could not be read completely from the DVX CPU");
        break;
    case CCompareCommand::ERead::Damaged:
        m_shell.Error("some answers from the DVX CPU were damaged; the system read is incomplete");
        break;
    }
    return kExitController;
}
