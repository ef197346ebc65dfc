#include "cli/CliController.h"

#include "cli/CliLink.h"
#include "cli/CliOffline.h"
#include "cli/CliProgress.h"
#include "cli/CliSequences.h"
#include "cli/CliShell.h"
#include "model/system.h"

int CCliController::Transfer() {
    auto pSystem = m_files.ReadSystem(m_request.astrFiles[0]);
    if (!pSystem)
        return kExitFile;
    m_progress.Start("transfer", CliSequences::CountTransferFrames(*pSystem));
    CCliLink link(*pSystem, m_shell, m_request, m_progress);
    if (!link.Open())
        return kExitController;
    m_shell.SetEcho(false);
    int nErrors = CliSequences::Transfer(*pSystem, link.Comm(), m_shell);
    m_progress.Finish();
    if (link.ReportProblem())
        return kExitController;
    if (nErrors > 0) {
        m_shell.Error("the DVX CPU did not acknowledge " + std::to_string(nErrors) +
                      (nErrors == 1 ? " step" : " steps") + " of the transfer");
        return kExitController;
    }
    return kExitOk;
}

// Nothing is written unless every answer arrived.
int CCliController::Retrieve() {
    auto pRecord = m_files.NewSystem();
    auto pController = m_files.NewSystem();
    m_progress.Start("retrieve", CliSequences::CountReadFrames());
    CCliLink link(*pRecord, m_shell, m_request, m_progress);
    if (!link.Open())
        return kExitController;
    m_shell.SetEcho(false);
    bool bComplete = CliSequences::Read(*pRecord, link.Comm(), m_shell, *pController);
    m_progress.Finish();
    if (link.ReportProblem())
        return kExitController;
    if (!bComplete) {
        m_shell.Error("the system could not be read completely from the DVX CPU");
        return kExitController;
    }
    m_shell.SetEcho(true);
    return m_files.WriteSystem(*pController, m_request.astrFiles[0]) ? kExitOk : kExitFile;
}

// A verify whose reads failed says so and never reports differences.
int CCliController::Verify() {
    auto pSystem = m_files.ReadSystem(m_request.astrFiles[0]);
    if (!pSystem)
        return kExitFile;
    auto pController = m_files.NewSystem();
    m_progress.Start("verify", CliSequences::CountReadFrames());
    CCliLink link(*pSystem, m_shell, m_request, m_progress);
    if (!link.Open())
        return kExitController;
    m_shell.SetEcho(false);
    bool bComplete = CliSequences::Read(*pSystem, link.Comm(), m_shell, *pController);
    m_progress.Finish();
    if (link.ReportProblem())
        return kExitController;
    if (!bComplete) {
        m_shell.Error("the system could not be read completely from the DVX CPU");
        return kExitController;
    }
    return m_files.PrintDifferences(
        CSystemDiff::Compare(*pSystem, *pController, CSystemDiff::EScope::Controller),
        m_request.bJson);
}
