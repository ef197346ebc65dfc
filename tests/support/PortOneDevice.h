#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <string>

// Points port 1 at a device of the test's own (dvxsim's link or a
// pseudo-terminal) for as long as it lives, the way a technician's
// CORVEL_COM1 overrides the port's usual device.
class CPortOneDevice {
public:
    explicit CPortOneDevice(const std::string& strDevice) {
        qputenv(kVariable, QByteArray::fromStdString(strDevice));
    }
    ~CPortOneDevice() { qunsetenv(kVariable); }
    CPortOneDevice(const CPortOneDevice&) = delete;
    CPortOneDevice& operator=(const CPortOneDevice&) = delete;

private:
    static constexpr const char* kVariable = "CORVEL_COM1";
};
