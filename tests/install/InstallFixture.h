#pragma once

#include "support/RequireTool.h"
#include "support/TempDir.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

// The outcome of one outside program.
struct CRun {
    bool bFinished = false;
    int nExitCode = -1;
    std::string strOutput;
    std::string strErrors;

    bool Ok() const { return bFinished && nExitCode == 0; }
    std::string Both() const { return strOutput + strErrors; }
};

// Runs a program to its end; a missing program shows as unfinished.
CRun RunProgram(const QString& strProgram, const QStringList& astrArguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                int nTimeoutMs = 300000);

// The programs and data of the test build, installed into a temporary
// prefix the way `cmake --install` puts them anywhere.
class InstallTest : public ::testing::Test {
protected:
    void SetUp() override;

    std::filesystem::path Installed(const std::string& strRelative) const {
        return m_prefix / strRelative;
    }
    QString InstalledQ(const std::string& strRelative) const {
        return QString::fromStdString(Installed(strRelative).string());
    }

    CTempDir m_dir;
    std::filesystem::path m_prefix = m_dir.Path() / "prefix";
};

// Every file an installation holds, relative to its prefix.
std::vector<std::string> InstalledFiles();
