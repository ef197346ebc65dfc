#pragma once

#include <ostream>
#include <string>
#include <vector>

// corvel-cli from its arguments to its exit status.
namespace CliMain {

int Run(const std::vector<std::string>& astrArgs, std::ostream& out, std::ostream& err,
        bool bErrIsTerminal);

} // namespace CliMain
