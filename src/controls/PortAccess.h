#pragma once

#include <QString>

// Why a serial device that exists cannot be opened, when the reason is the
// one a technician can fix himself: on Linux a serial device belongs to a
// group (usually "dialout") and only its members may use it, and a new
// membership counts only from the next login.
class CPortAccess {
public:
    static constexpr const char* kUsualGroup = "dialout";

    // The explanation and the fix when this process may not read and write
    // strDevice although it exists; "" when permission is not the problem.
    static QString DeniedText(const QString& strDevice);
    // Whether another process has strDevice open, as far as this user may
    // see other processes' files.
    static bool IsOpenElsewhere(const QString& strDevice);
};
