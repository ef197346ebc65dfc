#include "cli/CliMain.h"

#include <QCoreApplication>

#include <iostream>
#include <unistd.h>

// The serial port needs an event loop, so a core application runs under
// every command; no window is ever made.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> astrArgs(argv + 1, argv + argc);
    return CliMain::Run(astrArgs, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
}
