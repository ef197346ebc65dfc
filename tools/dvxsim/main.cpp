#include "Options.h"
#include "Simulator.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    const std::vector<std::string> astrArgs(argv + 1, argv + argc);
    COptions options;
    std::string strError;
    if (!COptions::Parse(astrArgs, options, strError)) {
        std::fprintf(stderr, "dvxsim: %s\nTry dvxsim --help.\n", strError.c_str());
        return 2;
    }
    if (options.m_bHelp) {
        std::fputs(COptions::HelpText().c_str(), stdout);
        return 0;
    }
    return std::make_unique<CSimulator>(std::move(options))->Run();
}
