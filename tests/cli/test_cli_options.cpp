#include "cli/CliOptions.h"
#include "cli/CliRun.h"

#include <gtest/gtest.h>

namespace {

struct CUsageCase {
    const char* szName;
    std::vector<std::string> astrArgs;
    const char* szError;
};

const CUsageCase kUsageErrors[] = {
    {"NoCommand", {}, "corvel-cli: no command given; corvel-cli --help lists them\n"},
    {"UnknownCommand", {"frobnicate", "A.DVX"}, "corvel-cli: unknown command \"frobnicate\"\n"},
    {"MissingFile", {"show"}, "corvel-cli: usage: corvel-cli show FILE\n"},
    {"ExtraFile", {"diff", "A", "B", "C"}, "corvel-cli: usage: corvel-cli diff A B [--json]\n"},
    {"JsonWhereNone", {"show", "A", "--json"}, "corvel-cli: usage: corvel-cli show FILE\n"},
    {"OutputWhereNone",
     {"diff", "A", "B", "-o", "X"},
     "corvel-cli: usage: corvel-cli diff A B [--json]\n"},
    {"PortOnFileCommand",
     {"show", "A", "--port", "1"},
     "corvel-cli: usage: corvel-cli show FILE\n"},
    {"NoPort",
     {"transfer", "A.DVX"},
     "corvel-cli: usage: corvel-cli transfer FILE (--port N | --device PATH) (give --port or "
     "--device, not both)\n"},
    {"PortAndDevice",
     {"verify", "A.DVX", "--port", "1", "--device", "/dev/null"},
     "corvel-cli: usage: corvel-cli verify FILE (--port N | --device PATH) [--json] (give --port "
     "or --device, not both)\n"},
    {"BadPort",
     {"verify", "A.DVX", "--port", "x"},
     "corvel-cli: --port needs a port number from 1 to 255\n"},
    {"ZeroTimeout",
     {"verify", "A.DVX", "--port", "1", "--timeout", "0"},
     "corvel-cli: --timeout needs a number of seconds from 1 to 3600\n"},
    {"ValueMissing", {"listing", "A.DVX", "-o"}, "corvel-cli: -o needs a value\n"},
    {"DocumentWithoutOutput",
     {"document", "A.DVX"},
     "corvel-cli: usage: corvel-cli document FILE -o OUT.xlsx\n"},
    {"UnknownOption", {"show", "A.DVX", "--fast"}, "corvel-cli: unknown option --fast\n"},
    {"SingleDashWord", {"check", "A.DVX", "-json"}, "corvel-cli: unknown option -json\n"},
    {"PortWithoutValue", {"verify", "A.DVX", "--port"}, "corvel-cli: --port needs a value\n"},
    {"JsonWithValue", {"diff", "A", "B", "--json=yes"}, "corvel-cli: unknown option --json=yes\n"},
    {"HelpForUnknown", {"nothing", "--help"}, "corvel-cli: unknown command \"nothing\"\n"},
    {"LongUnknownCommand",
     {std::string(300, 'c'), "A.DVX"},
     "corvel-cli: unknown command \"cccccccccccccccccccccccccccccccccccccccccccccccccccccccccccc"
     "\xE2\x80\xA6\"\n"},
    {"LongUnknownOption",
     {"show", "A.DVX", "--" + std::string(300, 'o')},
     "corvel-cli: unknown option --oooooooooooooooooooooooooooooooooooooooooooooooooooooooooo"
     "\xE2\x80\xA6\n"},
};

class CliUsage : public ::testing::TestWithParam<CUsageCase> {};

TEST_P(CliUsage, ExitsWithTwoAndOneLine) {
    CCliResult result = RunCli(GetParam().astrArgs);
    EXPECT_EQ(result.nExit, kExitUsage);
    EXPECT_EQ(result.strErr, GetParam().szError);
    EXPECT_EQ(result.strOut, "");
}

INSTANTIATE_TEST_SUITE_P(Errors, CliUsage, ::testing::ValuesIn(kUsageErrors),
                         [](const auto& info) { return std::string(info.param.szName); });

TEST(CliOptions, ReadsEveryOption) {
    CCliRequest request;
    std::string strError;
    ASSERT_TRUE(CliOptions::Parse(
        {"verify", "BUS.DVX", "--device", "/dev/pts/3", "--json", "--timeout", "9", "--quiet"},
        request, strError))
        << strError;
    EXPECT_EQ(request.strCommand, "verify");
    EXPECT_EQ(request.astrFiles, std::vector<std::string>{"BUS.DVX"});
    EXPECT_EQ(request.strDevice, "/dev/pts/3");
    EXPECT_EQ(request.nTimeoutSeconds, 9);
    EXPECT_TRUE(request.bJson);
    EXPECT_TRUE(request.bQuiet);
}

TEST(CliOptions, HelpAndVersionExitZero) {
    CCliResult help = RunCli({"--help"});
    EXPECT_EQ(help.nExit, kExitOk);
    for (const char* szCommand : {"show", "listing", "convert", "document", "check", "diff",
                                  "transfer", "retrieve", "verify"})
        EXPECT_NE(help.strOut.find(std::string("corvel-cli ") + szCommand + " "), std::string::npos)
            << szCommand;
    CCliResult command = RunCli({"verify", "--help"});
    EXPECT_EQ(command.nExit, kExitOk);
    EXPECT_EQ(command.strOut.rfind("usage: corvel-cli verify FILE (--port N | --device PATH)", 0),
              0u);
    EXPECT_NE(command.strOut.find("--timeout S"), std::string::npos);
    CCliResult version = RunCli({"--version"});
    EXPECT_EQ(version.nExit, kExitOk);
    EXPECT_EQ(version.strOut, "corvel-cli (CorvelII 6.63)\n");
}

} // namespace
