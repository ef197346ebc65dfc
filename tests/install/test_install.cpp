#include "install/InstallFixture.h"
#include "shell/ProgramIcon.h"
#include "shell/ToolbarIcons.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <cstdlib>

namespace {

const std::string kId = CORVEL_APP_ID;

QString ReadText(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The value of a key of a desktop entry.
QString EntryValue(const QString& strEntry, const QString& strKey) {
    const QRegularExpression line("^" + strKey + "=(.*)$", QRegularExpression::MultilineOption);
    return line.match(strEntry).captured(1);
}

// How far two pictures of one size are apart: the mean difference of their
// colour and opacity values, from 0 (alike) to 255.
double MeanDifference(const QImage& first, const QImage& second) {
    const QImage a = first.convertToFormat(QImage::Format_RGBA8888);
    const QImage b = second.convertToFormat(QImage::Format_RGBA8888);
    if (a.size() != b.size())
        return 255;
    double dSum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* pA = a.constScanLine(y);
        const uchar* pB = b.constScanLine(y);
        for (int x = 0; x < a.width() * 4; ++x)
            dSum += std::abs(pA[x] - pB[x]);
    }
    return dSum / (a.width() * a.height() * 4.0);
}

} // namespace

TEST_F(InstallTest, PutsEveryProgramAndDataFileInThePrefix) {
    for (const std::string& strFile : InstalledFiles())
        EXPECT_TRUE(std::filesystem::is_regular_file(Installed(strFile))) << strFile;
    for (const char* szProgram : {"bin/corvel", "bin/corvel-cli", "bin/dvxsim"}) {
        const auto perms = std::filesystem::status(Installed(szProgram)).permissions();
        EXPECT_NE(perms & std::filesystem::perms::others_exec, std::filesystem::perms::none)
            << szProgram;
    }
}

TEST_F(InstallTest, MenuEntryAndDescriptionPassTheirValidators) {
    REQUIRE_TOOL("desktop-file-validate");
    REQUIRE_TOOL("appstreamcli");
    const CRun desktop =
        RunProgram("desktop-file-validate", {InstalledQ("share/applications/" + kId + ".desktop")});
    EXPECT_TRUE(desktop.Ok()) << desktop.Both();
    EXPECT_EQ(desktop.Both(), "");
    const CRun metainfo =
        RunProgram("appstreamcli",
                   {"validate", "--no-net", InstalledQ("share/metainfo/" + kId + ".metainfo.xml")});
    EXPECT_TRUE(metainfo.Ok()) << metainfo.Both();
}

// Debian's tools and software centres read the licence from two files of
// their own; both must name the one licence of the source tree's LICENSE.
TEST_F(InstallTest, CopyrightAndDescriptionNameTheSameLicence) {
    const QString strCopyright = ReadText(Installed("share/doc/corvel/copyright"));
    EXPECT_TRUE(strCopyright.startsWith(
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"))
        << strCopyright.toStdString();
    EXPECT_TRUE(strCopyright.contains("\nFiles: *\n")) << strCopyright.toStdString();
    EXPECT_TRUE(strCopyright.contains("\nLicense: GPL-3+\n")) << strCopyright.toStdString();
    EXPECT_TRUE(strCopyright.contains("either version 3 of the License, or"));
    EXPECT_TRUE(ReadText(Installed("share/metainfo/" + kId + ".metainfo.xml"))
                    .contains("<project_license>GPL-3.0-or-later</project_license>"));
    const QString strLicence = ReadText(std::filesystem::path(CORVEL_SOURCE_DIR) / "LICENSE");
    EXPECT_TRUE(strLicence.contains("GNU GENERAL PUBLIC LICENSE")) << "LICENSE";
    EXPECT_TRUE(strLicence.contains("Version 3, 29 June 2007")) << "LICENSE";
}

// The menu entry starts the installed program in its workspace with the
// file a file manager hands it, under the installed icon, for exactly the
// file types the installation registers.
TEST_F(InstallTest, MenuEntryNamesTheInstalledProgramIconAndFileTypes) {
    const QString strEntry = ReadText(Installed("share/applications/" + kId + ".desktop"));
    EXPECT_EQ(EntryValue(strEntry, "Exec"), "corvel --workspace %f");
    EXPECT_TRUE(std::filesystem::exists(Installed("bin/corvel")));
    EXPECT_EQ(EntryValue(strEntry, "Icon").toStdString(), kId);
    EXPECT_TRUE(
        std::filesystem::exists(Installed("share/icons/hicolor/48x48/apps/" + kId + ".png")));
    EXPECT_EQ(EntryValue(strEntry, "MimeType"),
              "application/x-dvx-system;application/x-zlv-system;");
    const QString strPackage = ReadText(Installed("share/mime/packages/" + kId + ".xml"));
    for (const char* szType : {"application/x-dvx-system", "application/x-zlv-system"})
        EXPECT_TRUE(strPackage.contains(QString("<mime-type type=\"%1\">").arg(szType))) << szType;
}

TEST_F(InstallTest, SystemFilesAreKnownByTheirExtensionsInBothCasesAndNoMagic) {
    REQUIRE_TOOL("update-mime-database");
    const QString strPackage = ReadText(Installed("share/mime/packages/" + kId + ".xml"));
    for (const char* szGlob : {"*.DVX", "*.dvx", "*.ZLV", "*.zlv"})
        EXPECT_TRUE(strPackage.contains(QString("<glob pattern=\"%1\"/>").arg(szGlob))) << szGlob;
    EXPECT_FALSE(strPackage.contains("<magic"));
    // The install refreshed the prefix's database from the package, as a
    // desktop's file manager reads it.
    const QString strGlobs = ReadText(Installed("share/mime/globs2"));
    EXPECT_TRUE(strGlobs.contains("application/x-dvx-system:*.dvx")) << strGlobs.toStdString();
    EXPECT_TRUE(strGlobs.contains("application/x-zlv-system:*.zlv")) << strGlobs.toStdString();
    EXPECT_FALSE(ReadText(Installed("share/mime/magic")).contains("x-dvx-system"));
}

TEST_F(InstallTest, InstalledIconsAreTheWindowIconAtEverySize) {
    for (int nSize : CProgramIcon::kSizes) {
        const std::string strSize = std::to_string(nSize);
        const QImage installed(
            InstalledQ("share/icons/hicolor/" + strSize + "x" + strSize + "/apps/" + kId + ".png"));
        ASSERT_EQ(installed.size(), QSize(nSize, nSize)) << nSize;
        const QImage window = CToolbarIcons::ProgramIcon().pixmap(QSize(nSize, nSize)).toImage();
        EXPECT_EQ(MeanDifference(installed, window), 0.0) << nSize;
    }
}

TEST_F(InstallTest, ScalableIconDrawsTheSamePicture) {
    REQUIRE_TOOL("rsvg-convert");
    const QString strDrawn = QString::fromStdString((m_dir.Path() / "drawn.png").string());
    const CRun run = RunProgram("rsvg-convert",
                                {"--width=48", "--height=48", "--output", strDrawn,
                                 InstalledQ("share/icons/hicolor/scalable/apps/" + kId + ".svg")});
    ASSERT_TRUE(run.Ok()) << run.Both();
    const QImage drawn(strDrawn);
    ASSERT_EQ(drawn.size(), QSize(48, 48));
    EXPECT_LT(MeanDifference(drawn, CProgramIcon::Image(48)), 4.0);
    // A different picture is far off by that measure.
    QImage mirrored = CProgramIcon::Image(48).mirrored(true, false);
    EXPECT_GT(MeanDifference(drawn, mirrored), 20.0);
}

TEST_F(InstallTest, ManualPagesNameTheirProgramAndRenderWithoutWarnings) {
    REQUIRE_TOOL("groff");
    for (const char* szProgram : {"corvel", "corvel-cli", "dvxsim"}) {
        const std::filesystem::path page =
            Installed(std::string("share/man/man1/") + szProgram + ".1");
        EXPECT_TRUE(ReadText(page).contains(QString(".SH NAME\n%1 \\- ").arg(szProgram)))
            << szProgram;
        const CRun run =
            RunProgram("groff", {"-t", "-man", "-ww", "-z", QString::fromStdString(page.string())});
        EXPECT_TRUE(run.Ok()) << szProgram;
        EXPECT_EQ(run.Both(), "") << szProgram;
    }
}

TEST_F(InstallTest, ProgramsRunFromThePrefix) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    const CRun corvel = RunProgram(InstalledQ("bin/corvel"), {"--version"}, environment);
    EXPECT_TRUE(corvel.Ok()) << corvel.Both();
    EXPECT_EQ(corvel.strOutput, "corvel 6.63\n");
    const CRun dvxsim = RunProgram(InstalledQ("bin/dvxsim"), {"--help"}, environment);
    EXPECT_TRUE(dvxsim.Ok()) << dvxsim.Both();
    EXPECT_EQ(dvxsim.strOutput.rfind("Usage: dvxsim", 0), 0u) << dvxsim.strOutput;
    const CRun cli = RunProgram(InstalledQ("bin/corvel-cli"), {"--version"}, environment);
    EXPECT_TRUE(cli.Ok()) << cli.Both();
    EXPECT_EQ(cli.strOutput, "corvel-cli (CorvelII 6.63)\n");
}

// Help and the version are for a terminal, which may have no display.
TEST_F(InstallTest, CorvelAnswersHelpAndVersionWithoutADisplay) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "xcb");
    const CRun version = RunProgram(InstalledQ("bin/corvel"), {"--version"}, environment);
    EXPECT_TRUE(version.Ok()) << version.Both();
    EXPECT_EQ(version.strOutput, "corvel 6.63\n");
    const CRun help = RunProgram(InstalledQ("bin/corvel"), {"--help"}, environment);
    EXPECT_TRUE(help.Ok()) << help.Both();
    EXPECT_EQ(help.strOutput.rfind("Usage: corvel", 0), 0u) << help.strOutput;
}
