// Opens serial port 1 (the device CORVEL_COM1 names) through the serial
// control and prints why it could not be opened. The permission test runs
// it as another, unprivileged user.
#include "controls/SerialControl.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    CSerialControl port;
    port.SetCommPort(1);
    if (port.SetPortOpen(true)) {
        std::puts("opened");
        return 0;
    }
    std::fputs(qPrintable(port.ErrorString()), stdout);
    return 1;
}
