#include "controls/PortAccess.h"
#include "support/PtyPeer.h"
#include "support/TempDir.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct CDeniedCase {
    const char* szName;
    mode_t nMode;
    // Whether the text names the device's own group, which may use it; else
    // the usual group is suggested.
    bool bGroupMayUse;
};

const CDeniedCase kDeniedCases[] = {
    {"GroupMayUseIt", 0060, true},
    {"NobodyMayUseIt", 0000, false},
};

std::string GroupName(gid_t nGroup) {
    const group* pGroup = getgrgid(nGroup);
    return pGroup ? pGroup->gr_name : "";
}

// A pseudo-terminal that the probe, run as a user without any right to it,
// fails to open. File modes deny nothing to root, so as root the probe runs
// as "nobody" from a copy it may execute, and the device is handed to the
// serial group as on a real system; any other user is denied by the owner
// bits of his own terminal.
class PortAccessTest : public ::testing::TestWithParam<CDeniedCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_peer.IsValid());
        m_strDevice = m_peer.SlavePath();
        if (geteuid() == 0) {
            const group* pSerial = getgrnam(CPortAccess::kUsualGroup);
            ASSERT_EQ(chown(m_strDevice.c_str(), 0, pSerial ? pSerial->gr_gid : 0), 0);
        }
        ASSERT_EQ(chmod(m_strDevice.c_str(), GetParam().nMode), 0);
        struct stat status {};
        ASSERT_EQ(stat(m_strDevice.c_str(), &status), 0);
        m_strGroup = GroupName(status.st_gid);
    }

    // What the probe says, as the unprivileged user.
    std::string Probe(std::string& strUser) {
        const std::filesystem::path probe = m_dir.Path() / "port_probe";
        std::filesystem::copy_file(CORVEL_PORT_PROBE, probe);
        std::filesystem::permissions(m_dir.Path(), std::filesystem::perms(0755));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CORVEL_COM1", QString::fromStdString(m_strDevice));
        environment.insert("ASAN_OPTIONS", "detect_leaks=0");
        QProcess process;
        process.setProcessEnvironment(environment);
        const QString strProbe = QString::fromStdString(probe.string());
        if (geteuid() == 0) {
            const passwd* pNobody = getpwnam("nobody");
            if (!pNobody)
                return "no user nobody";
            strUser = pNobody->pw_name;
            process.start("setpriv", {"--reuid=" + QString::number(pNobody->pw_uid),
                                      "--regid=" + QString::number(pNobody->pw_gid),
                                      "--clear-groups", "--", strProbe});
        } else {
            strUser = getpwuid(geteuid())->pw_name;
            process.start(strProbe, {});
        }
        if (!process.waitForFinished(30000))
            return "probe did not finish";
        return process.readAllStandardOutput().toStdString() +
               process.readAllStandardError().toStdString();
    }

    CTempDir m_dir;
    CPtyPeer m_peer{[](const std::string&) { return std::string(); }};
    std::string m_strDevice;
    std::string m_strGroup;
};

} // namespace

TEST_P(PortAccessTest, DeniedUserIsToldWhichGroupToJoinAndToLogInAgain) {
    std::string strUser;
    const std::string strText = Probe(strUser);
    const std::string strGroup = GetParam().bGroupMayUse ? m_strGroup : "dialout";
    EXPECT_EQ(
        strText.rfind("Permission denied: the user " + strUser + " may not use " + m_strDevice, 0),
        0u)
        << strText;
    EXPECT_NE(strText.find("group \"" + strGroup + "\""), std::string::npos) << strText;
    EXPECT_NE(strText.find("sudo usermod -aG " + strGroup + " " + strUser), std::string::npos)
        << strText;
    EXPECT_NE(strText.find("log out and log in again"), std::string::npos) << strText;
    EXPECT_EQ(strText.find("no group may use it") == std::string::npos, GetParam().bGroupMayUse)
        << strText;
}

INSTANTIATE_TEST_SUITE_P(Modes, PortAccessTest, ::testing::ValuesIn(kDeniedCases),
                         [](const auto& info) { return std::string(info.param.szName); });

TEST(PortAccessCauseTest, OnlyALackOfPermissionIsExplained) {
    CTempDir dir;
    EXPECT_EQ(CPortAccess::DeniedText(QString::fromStdString(dir.File("no-such-device"))), "");
    CPtyPeer peer([](const std::string&) { return std::string(); });
    ASSERT_TRUE(peer.IsValid());
    EXPECT_EQ(CPortAccess::DeniedText(QString::fromStdString(peer.SlavePath())), "");
}

// Corvel's own handles never count: only another program that has the
// device open makes it in use, and only while it does.
TEST(PortAccessCauseTest, ADeviceIsOpenElsewhereOnlyWhileAnotherProgramHoldsIt) {
    CPtyPeer peer([](const std::string&) { return std::string(); });
    ASSERT_TRUE(peer.IsValid());
    const QString strDevice = QString::fromStdString(peer.SlavePath());
    const int nOwn = open(peer.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(nOwn, 0);
    EXPECT_FALSE(CPortAccess::IsOpenElsewhere(strDevice));

    QProcess holder;
    holder.setStandardInputFile(strDevice);
    holder.start("sleep", {"30"});
    ASSERT_TRUE(holder.waitForStarted());
    EXPECT_TRUE(CPortAccess::IsOpenElsewhere(strDevice));
    holder.kill();
    holder.waitForFinished();
    EXPECT_FALSE(CPortAccess::IsOpenElsewhere(strDevice));

    CTempDir dir;
    EXPECT_FALSE(CPortAccess::IsOpenElsewhere(QString::fromStdString(dir.File("no-such-device"))));
    close(nOwn);
}
