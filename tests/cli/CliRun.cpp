#include "cli/CliRun.h"

#include "cli/CliMain.h"

#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <sstream>

int CCliResult::ErrLines() const {
    return static_cast<int>(std::count(strErr.begin(), strErr.end(), '\n'));
}

CCliResult RunCli(const std::vector<std::string>& astrArgs,
                  CCliController::ErrorSourceFactory fnErrorSource) {
    std::ostringstream out;
    std::ostringstream err;
    CCliResult result;
    result.nExit = CliMain::Run(astrArgs, out, err, false, std::move(fnErrorSource));
    result.strOut = out.str();
    result.strErr = err.str();
    return result;
}

CCliResult RunCliProgram(const std::vector<std::string>& astrArgs, int nDeadlineMs) {
    QStringList astrList;
    for (const std::string& strArg : astrArgs)
        astrList << QString::fromStdString(strArg);
    QProcess process;
    process.start(CORVEL_CLI_PATH, astrList);
    CCliResult result;
    if (!process.waitForFinished(nDeadlineMs)) {
        process.kill();
        process.waitForFinished();
        result.strErr = "(deadline)";
        return result;
    }
    result.nExit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.strOut = process.readAllStandardOutput().toStdString();
    result.strErr = process.readAllStandardError().toStdString();
    return result;
}
