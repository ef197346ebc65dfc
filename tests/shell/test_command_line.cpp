#include "shell/CommandLine.h"
#include "shell/FrameFixture.h"
#include "shell/Workspace.h"

#include <QDir>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

struct CCommandLineCase {
    QStringList astrArguments;
    bool bExit;
    int nExitCode;
    bool bWorkspace;
    // "./" stands for the current folder.
    QString strFileName;
};

const CCommandLineCase kCommandLineCases[] = {
    {{"corvel"}, false, 0, false, ""},
    {{"corvel", "--workspace"}, false, 0, true, ""},
    {{"corvel", "Fleet/BUS1.DVX"}, false, 0, false, "./Fleet/BUS1.DVX"},
    {{"corvel", "--workspace", "/srv/old/coach.zlv"}, false, 0, true, "/srv/old/coach.zlv"},
    {{"corvel", "--", "-odd name.DVX"}, false, 0, false, "./-odd name.DVX"},
    {{"corvel", "A.DVX", "B.DVX"}, true, 2, false, ""},
    {{"corvel", "--port=2"}, true, 2, false, ""},
    {{"corvel", "--help"}, true, 0, false, ""},
    {{"corvel", "--version"}, true, 0, false, ""},
};

// Runs in a folder of its own, put back afterwards.
class CommandLineTest : public ::testing::TestWithParam<CCommandLineCase> {
protected:
    CommandLineTest() { QDir::setCurrent(QString::fromStdString(m_dir.Str())); }
    ~CommandLineTest() override { QDir::setCurrent(m_strFolder); }

    QString m_strFolder = QDir::currentPath();
    CTempDir m_dir;
};

} // namespace

TEST_P(CommandLineTest, TellsWhatToOpenWhereOrWhyToStop) {
    const CCommandLineCase& aCase = GetParam();
    QString strFileName = aCase.strFileName;
    if (strFileName.startsWith("./"))
        strFileName.replace(0, 1, QDir::currentPath());
    const CCommandLine commandLine(aCase.astrArguments);
    EXPECT_EQ(commandLine.ShouldExit(), aCase.bExit);
    EXPECT_EQ(commandLine.ExitCode(), aCase.nExitCode);
    EXPECT_EQ(commandLine.UseWorkspace(), aCase.bWorkspace);
    EXPECT_EQ(commandLine.FileName().toStdString(), strFileName.toStdString());
    EXPECT_EQ(commandLine.ExitText().isEmpty(), !aCase.bExit);
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLineTest, ::testing::ValuesIn(kCommandLineCases));

TEST(CommandLineTextTest, HelpVersionAndMistakesSayWhatToType) {
    EXPECT_EQ(CCommandLine({"corvel", "--version"}).ExitText(), "corvel 6.63\n");
    EXPECT_TRUE(CCommandLine({"corvel", "--help"})
                    .ExitText()
                    .startsWith("Usage: corvel [--workspace] [FILE]\n"));
    const QString strMistake = CCommandLine({"corvel", "--port=2"}).ExitText();
    EXPECT_TRUE(strMistake.startsWith("corvel: Unknown option 'port'.\nUsage: corvel"))
        << strMistake.toStdString();
}

TEST(CommandLineTextTest, OnlyHelpAndVersionAreAnsweredBeforeTheWindowSystem) {
    const std::pair<QStringList, bool> aCases[] = {
        {{"corvel", "--help"}, true},
        {{"corvel", "-h"}, true},
        {{"corvel", "BUS.DVX", "--version"}, true},
        {{"corvel", "-v"}, true},
        {{"corvel"}, false},
        {{"corvel", "--workspace", "BUS.DVX"}, false},
        {{"corvel", "--", "--help"}, false},
        {{"--help"}, false},
    };
    for (const auto& [astrArguments, bTextOnly] : aCases)
        EXPECT_EQ(CCommandLine::AsksForTextOnly(astrArguments), bTextOnly)
            << astrArguments.join(' ').toStdString();
}

namespace {

// The workspace is found through the environment and the home folder; both
// are put back, and so is the current folder the workspace moves to.
class WorkspaceTest : public ::testing::Test {
protected:
    ~WorkspaceTest() override {
        QDir::setCurrent(m_strFolder);
        Restore(CWorkspace::kEnvironment, m_abWorkspace, m_bHadWorkspace);
        Restore("HOME", m_abHome, true);
    }
    static void Restore(const char* szName, const QByteArray& abValue, bool bHad) {
        if (bHad)
            qputenv(szName, abValue);
        else
            qunsetenv(szName);
    }

    CTempDir m_dir;
    CShellRecorder m_shell;
    QString m_strFolder = QDir::currentPath();
    bool m_bHadWorkspace = qEnvironmentVariableIsSet(CWorkspace::kEnvironment);
    QByteArray m_abWorkspace = qgetenv(CWorkspace::kEnvironment);
    QByteArray m_abHome = qgetenv("HOME");
};

} // namespace

TEST_F(WorkspaceTest, HomeFolderHoldsTheWorkspaceUnlessTheEnvironmentNamesOne) {
    qunsetenv(CWorkspace::kEnvironment);
    qputenv("HOME", QByteArray::fromStdString(m_dir.Str()));
    EXPECT_EQ(CWorkspace::Folder(), QString::fromStdString(m_dir.File("corvel-workspace")));
    qputenv(CWorkspace::kEnvironment, "/srv/bus-depot");
    EXPECT_EQ(CWorkspace::Folder(), "/srv/bus-depot");
}

TEST_F(WorkspaceTest, MissingWorkspaceIsCreatedAndBecomesTheLaunchDirectory) {
    const std::filesystem::path workspace = m_dir.Path() / "depot" / "corvel-workspace";
    qputenv(CWorkspace::kEnvironment, QByteArray::fromStdString(workspace.string()));
    ASSERT_TRUE(CWorkspace::Enter(m_shell));
    EXPECT_TRUE(std::filesystem::is_directory(workspace));
    EXPECT_EQ(std::filesystem::current_path(), workspace);
    CSystem system(m_shell);
    EXPECT_EQ(system.GetLaunchDir(), workspace.string());
    EXPECT_TRUE(std::filesystem::exists(workspace / CSystem::kWorkingFile));
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(WorkspaceTest, WorkspaceThatCannotBeMadeIsReportedAndNotEntered) {
    std::ofstream(m_dir.File("depot")) << "a file, not a folder";
    const std::string strWorkspace = m_dir.File("depot") + "/corvel-workspace";
    qputenv(CWorkspace::kEnvironment, QByteArray::fromStdString(strWorkspace));
    m_shell.ExpectBox("Could not create or enter the workspace folder " + strWorkspace);
    EXPECT_FALSE(CWorkspace::Enter(m_shell));
    EXPECT_EQ(QDir::currentPath(), m_strFolder);
}

namespace {

// A file named on the command line, opened once the main window is up.
class CommandLineOpenTest : public FrameTest {
protected:
    std::string Fleet(const std::string& strName) {
        std::filesystem::create_directories(m_dir.Path() / "Fleet");
        return (m_dir.Path() / "Fleet" / strName).string();
    }
    static std::string Bytes(const std::string& strPath) {
        std::ifstream file(strPath, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    void ExpectEmptySystem() {
        EXPECT_EQ(CSystem::DefaultModuleLabel(2, 0), sys.GetModuleLabel(2, 0));
        EXPECT_EQ("", sys.GetFilePath());
        EXPECT_EQ("CorvelII 6.63 [  ]", frame.windowTitle().toStdString());
    }
};

} // namespace

TEST_F(CommandLineOpenTest, SystemFileOpensAsFileOpenWouldOpenIt) {
    {
        CShellRecorder shell;
        CSystem other(shell, m_dir.Str());
        other.SetModuleLabel(2, 0, "HEADLAMPS");
        ASSERT_TRUE(other.SaveSystemFile(Fleet("Coach 7.dvx")));
    }
    frame.OpenCommandLineFile(Fleet("Coach 7.dvx"));
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
    EXPECT_TRUE(m_shell.m_aFileRequests.empty());
    EXPECT_EQ("HEADLAMPS", sys.GetModuleLabel(2, 0));
    EXPECT_EQ("Coach 7", sys.GetSysLabel(5));
    EXPECT_EQ("Coach 7.DVX", sys.GetFilePath());
    EXPECT_EQ("CorvelII 6.63 [ Coach 7.DVX ]", frame.windowTitle().toStdString());
}

TEST_F(CommandLineOpenTest, OldFormatFileOfEitherCaseIsImported) {
    for (const char* szName : {"BUS1.ZLV", "bus2.zlv"}) {
        {
            CShellRecorder shell;
            CSystem other(shell, m_dir.Str());
            other.SetModuleLabel(4, 0, szName);
            ASSERT_TRUE(other.ExportOldFile(Fleet(szName)));
        }
        frame.OpenCommandLineFile(Fleet(szName));
        EXPECT_EQ(szName, sys.GetModuleLabel(4, 0));
    }
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
    EXPECT_FALSE(sys.IsModified());
}

TEST_F(CommandLineOpenTest, TextFileIsImported) {
    {
        CShellRecorder shell;
        CSystem other(shell, m_dir.Str());
        other.SetModuleLabel(2, 0, "HEADLAMPS");
        ASSERT_TRUE(other.ExportTextFile(Fleet("Coach 7.json")));
    }
    frame.OpenCommandLineFile(Fleet("Coach 7.json"));
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
    EXPECT_EQ("HEADLAMPS", sys.GetModuleLabel(2, 0));
    EXPECT_FALSE(sys.IsModified());
}

TEST_F(CommandLineOpenTest, MissingFileIsReportedAndNotCreated) {
    for (const char* szName : {"GONE.DVX", "GONE.ZLV"}) {
        m_shell.ExpectBox("Could not find the file " + Fleet(szName) +
                          "\nNothing has been opened.");
        frame.OpenCommandLineFile(Fleet(szName));
        EXPECT_FALSE(std::filesystem::exists(Fleet(szName)));
        ExpectEmptySystem();
    }
}

TEST_F(CommandLineOpenTest, DamagedFileGivesTheUsualMessageAndLeavesTheEmptySystem) {
    const std::string strDamaged(37, '\x01');
    std::ofstream(Fleet("HALF.DVX"), std::ios::binary) << strDamaged;
    std::ofstream(Fleet("HALF.ZLV"), std::ios::binary) << strDamaged;
    m_shell.ExpectBox("Data file " + Fleet("HALF.DVX") +
                      " is damaged or incomplete. The system is unchanged.");
    frame.OpenCommandLineFile(Fleet("HALF.DVX"));
    ExpectEmptySystem();
    m_shell.ExpectBox("ERROR - old zlv file " + Fleet("HALF.ZLV") +
                      " is damaged or incomplete. The system is unchanged.");
    frame.OpenCommandLineFile(Fleet("HALF.ZLV"));
    ExpectEmptySystem();
    EXPECT_EQ(strDamaged, Bytes(Fleet("HALF.DVX")));
    EXPECT_EQ(strDamaged, Bytes(Fleet("HALF.ZLV")));
}
