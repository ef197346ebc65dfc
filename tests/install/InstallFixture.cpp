#include "install/InstallFixture.h"

#include "shell/ProgramIcon.h"

CRun RunProgram(const QString& strProgram, const QStringList& astrArguments,
                const QProcessEnvironment& environment, int nTimeoutMs) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(strProgram, astrArguments);
    CRun run;
    run.bFinished =
        process.waitForFinished(nTimeoutMs) && process.exitStatus() == QProcess::NormalExit;
    run.nExitCode = process.exitCode();
    run.strOutput = process.readAllStandardOutput().toStdString();
    run.strErrors = process.readAllStandardError().toStdString();
    return run;
}

void InstallTest::SetUp() {
    const CRun run = RunProgram(CORVEL_CMAKE, {"--install", CORVEL_BINARY_DIR, "--prefix",
                                               QString::fromStdString(m_prefix.string())});
    ASSERT_TRUE(run.Ok()) << run.Both();
}

std::vector<std::string> InstalledFiles() {
    const std::string strIcons = "share/icons/hicolor/";
    const std::string strId = CORVEL_APP_ID;
    std::vector<std::string> astrFiles = {
        "bin/corvel",
        "bin/corvel-cli",
        "bin/dvxsim",
        "share/corvel/tips.txt",
        "share/corvel/WAIT.AVI",
        "share/corvel/manual/index.html",
        "share/corvel/system.schema.json",
        "share/applications/" + strId + ".desktop",
        "share/metainfo/" + strId + ".metainfo.xml",
        "share/mime/packages/" + strId + ".xml",
        "share/man/man1/corvel.1",
        "share/man/man1/corvel-cli.1",
        "share/man/man1/dvxsim.1",
        "share/doc/corvel/copyright",
        strIcons + "scalable/apps/" + strId + ".svg",
    };
    for (int nSize : CProgramIcon::kSizes)
        astrFiles.push_back(strIcons + std::to_string(nSize) + "x" + std::to_string(nSize) +
                            "/apps/" + strId + ".png");
    return astrFiles;
}
