#include "install/InstallFixture.h"

#include <QDir>

#include <algorithm>

namespace {

// cpack over this build tree. A shipped package comes from a build without
// the sanitizers (see the README); the test tree is packaged to check the
// packaging itself, which is the same for both.
class PackageTest : public ::testing::Test {
protected:
    CRun Pack(bool bCheckOnly) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("CORVEL_PACKAGE_CHECK");
        if (bCheckOnly)
            environment.insert("CORVEL_PACKAGE_CHECK", "1");
        return RunProgram(CORVEL_CPACK,
                          {"-G", "DEB", "--config", CORVEL_BINARY_DIR "/CPackConfig.cmake", "-B",
                           QString::fromStdString(m_dir.Str())},
                          environment);
    }
    // The package file cpack wrote, "" when there is none.
    QString Package() const {
        const QStringList astrDebs =
            QDir(QString::fromStdString(m_dir.Str())).entryList({"*.deb"}, QDir::Files);
        return astrDebs.size() == 1 ? QString::fromStdString(m_dir.File(astrDebs[0].toStdString()))
                                    : QString();
    }

    CTempDir m_dir;
};

} // namespace

TEST_F(PackageTest, DebHoldsEveryInstalledFileAndNamesItsDependencies) {
    REQUIRE_TOOL("dpkg-deb");
    REQUIRE_TOOL("dpkg-shlibdeps");
    REQUIRE_TOOL("file");
    const CRun pack = Pack(true);
    ASSERT_TRUE(pack.Ok()) << pack.Both();
    const QString strPackage = Package();
    ASSERT_FALSE(strPackage.isEmpty()) << pack.Both();

    const CRun contents = RunProgram("dpkg-deb", {"-c", strPackage});
    ASSERT_TRUE(contents.Ok()) << contents.Both();
    for (const std::string& strFile : InstalledFiles())
        EXPECT_NE(contents.strOutput.find(" ./usr/" + strFile + "\n"), std::string::npos)
            << strFile << "\n"
            << contents.strOutput;

    const CRun control = RunProgram(
        "dpkg-deb", {"-f", strPackage, "Package", "Version", "Section", "Depends", "Description"});
    ASSERT_TRUE(control.Ok()) << control.Both();
    const std::string& strControl = control.strOutput;
    EXPECT_NE(strControl.find("Package: corvel\n"), std::string::npos) << strControl;
    EXPECT_NE(strControl.find("Version: 6.63\n"), std::string::npos) << strControl;
    // Read from the libraries the programs link, and the one plugin package
    // that no program links.
    for (const char* szDependency :
         {"libc6", "libqt6core6", "libqt6widgets6", "libqt6serialport6", "qt6-qpa-plugins"})
        EXPECT_NE(strControl.find(szDependency), std::string::npos) << szDependency << "\n"
                                                                    << strControl;
    EXPECT_NE(strControl.find("Description: configuration and service tool for DVX vehicle "
                              "multiplex controllers\n"),
              std::string::npos)
        << strControl;
    EXPECT_NE(strControl.find("(usually dialout)"), std::string::npos) << strControl;
}

#ifdef CORVEL_SANITIZED
TEST_F(PackageTest, SanitizerBuildIsNotPackagedForUse) {
    REQUIRE_TOOL("dpkg-deb");
    const CRun pack = Pack(false);
    EXPECT_FALSE(pack.Ok());
    EXPECT_NE(pack.Both().find("-DCORVEL_SANITIZE=ON"), std::string::npos) << pack.Both();
    EXPECT_EQ(Package(), "");
}
#endif
