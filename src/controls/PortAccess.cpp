#include "controls/PortAccess.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// A port named without a folder is a device in /dev, as the serial port
// layer takes it.
QByteArray DevicePath(const QString& strDevice) {
    return QFile::encodeName(strDevice.startsWith(u'/') ? strDevice : "/dev/" + strDevice);
}

QString UserName() {
    const passwd* pUser = getpwuid(geteuid());
    return pUser ? QString::fromLocal8Bit(pUser->pw_name) : QStringLiteral("$USER");
}

// The device's group when its members may read and write it; "" otherwise.
QString AccessGroup(const struct stat& status) {
    if ((status.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return {};
    const group* pGroup = getgrgid(status.st_gid);
    return pGroup ? QString::fromLocal8Bit(pGroup->gr_name) : QString();
}

// Whether one of the process's open files is the character device rdev.
bool HoldsDevice(const QString& strFdFolder, dev_t rdev) {
    for (const QString& strFd : QDir(strFdFolder).entryList(QDir::Files | QDir::System)) {
        struct stat status {};
        const QByteArray abFd = QFile::encodeName(strFdFolder + u'/' + strFd);
        if (stat(abFd.constData(), &status) == 0 && S_ISCHR(status.st_mode) &&
            status.st_rdev == rdev)
            return true;
    }
    return false;
}
#endif

} // namespace

QString CPortAccess::DeniedText(const QString& strDevice) {
#ifdef Q_OS_UNIX
    const QByteArray abPath = DevicePath(strDevice);
    struct stat status {};
    if (stat(abPath.constData(), &status) != 0)
        return {};
    if (access(abPath.constData(), R_OK | W_OK) == 0 || errno != EACCES)
        return {};
    const QString strDeviceText = QFile::decodeName(abPath);
    const QString strUser = UserName();
    const QString strGroup = AccessGroup(status);
    if (!strGroup.isEmpty())
        return QString("Permission denied: the user %1 may not use %2.\n"
                       "Only members of the group \"%3\" may use it. Ask the administrator to "
                       "add %1 to that group (sudo usermod -aG %3 %1), then log out and log in "
                       "again: a new group membership counts only from the next login.")
            .arg(strUser, strDeviceText, strGroup);
    return QString("Permission denied: the user %1 may not use %2, and no group may use it "
                   "either.\nAsk the administrator to give the group \"%3\" read and write "
                   "access to the device and to add %1 to that group (sudo usermod -aG %3 %1), "
                   "then log out and log in again: a new group membership counts only from the "
                   "next login.")
        .arg(strUser, strDeviceText, QString(kUsualGroup));
#else
    Q_UNUSED(strDevice);
    return {};
#endif
}

bool CPortAccess::IsOpenElsewhere(const QString& strDevice) {
#ifdef Q_OS_LINUX
    struct stat device {};
    if (stat(DevicePath(strDevice).constData(), &device) != 0 || !S_ISCHR(device.st_mode))
        return false;
    const QString strSelf = QString::number(getpid());
    for (const QString& strPid : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (strPid == strSelf || !strPid.front().isDigit())
            continue;
        if (HoldsDevice("/proc/" + strPid + "/fd", device.st_rdev))
            return true;
    }
    return false;
#else
    Q_UNUSED(strDevice);
    return false;
#endif
}
