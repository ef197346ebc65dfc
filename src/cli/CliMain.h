#pragma once

#include "cli/CliController.h"

#include <ostream>
#include <string>
#include <vector>

// corvel-cli from its arguments to its exit status.
namespace CliMain {

// fnErrorSource, when given, stands in for the serial driver's error
// counters.
int Run(const std::vector<std::string>& astrArgs, std::ostream& out, std::ostream& err,
        bool bErrIsTerminal, CCliController::ErrorSourceFactory fnErrorSource = {});

} // namespace CliMain
