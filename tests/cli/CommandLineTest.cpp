// The command line itself: help on every command, usage errors in one line
// with their status, global options on either side of the command.
#include "CliTestSupport.h"

using namespace cimhttp_test;

namespace {

class CommandLineTest : public TCliTest {};

TEST_F(CommandLineTest, EveryCommandHasHelp) {
    const TCliResult top = Cli({"--help"});
    EXPECT_EQ(0, top.fStatus);
    for (const char* command : {"classes", "class", "names", "instances", "invoke", "inventory", "demo"}) {
        EXPECT_NE(std::string::npos, top.fOut.find(std::string("  ") + command + " ")) << command;
        const TCliResult help = Cli({command, "--help"});
        EXPECT_EQ(0, help.fStatus) << command;
        EXPECT_NE(std::string::npos, help.fOut.find(std::string("cimhttp ") + command)) << help.fOut;
        EXPECT_EQ("", help.fErr) << command;
    }
    EXPECT_EQ(std::string::npos, top.fOut.find("inventory-host")) << "the command of the host processes is hidden";
}

TEST_F(CommandLineTest, UsageErrorsAreOneLineWithStatus2) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "cimhttp demo"},
        {{"classes"}, "cimtestserver"},
        {{"--host", "h", "--frobnicate", "classes"}, "frobnicate"},
        {{"--host", "h", "--port", "6000", "classes"}, "--port needs --https or --http"},
        {{"--host", "a", "--host", "b", "--https", "classes"}, "single host"},
        {{"--host", "h", "--format", "xml", "classes"}, "--format"},
        {{"--host", "h", "--https", "--http", "classes"}, "--http"},
        {{"--host", "h", "class"}, "NAME"},
        {{"--host", "h", "--verbose", "--log-file", "/tmp/x", "classes"}, "--log-file"},
        {{"inventory", "--hosts-file", "/nonexistent/hosts", "CIM_Processor"}, "/nonexistent/hosts"},
    };
    for (const auto& usage : cases) {
        const TCliResult result = Cli(usage.first);
        EXPECT_EQ(2, result.fStatus) << result.fErr;
        EXPECT_TRUE(IsOneLineReason(result.fErr, "usage")) << result.fErr;
        EXPECT_NE(std::string::npos, result.fErr.find(usage.second)) << result.fErr;
        EXPECT_EQ("", result.fOut);
    }
}

TEST_F(CommandLineTest, GlobalOptionsStandBeforeOrAfterTheCommand) {
    auto server = StartDemo(0);
    const std::string host = CliAddress(0);
    const TCliResult before = Cli({"--host", host, "--format", "json", "classes"});
    const TCliResult after = Cli({"classes", "--format", "json", "--host", host});
    const TCliResult around = Cli({"--format", "json", "classes", "--namespace", "root/cimv2", "--host", host});
    EXPECT_EQ(0, before.fStatus) << before.fErr;
    EXPECT_EQ(before.fOut, after.fOut);
    EXPECT_EQ(before.fOut, around.fOut);
    EXPECT_EQ("root/cimv2", JsonOf(before)["namespace"]);
}

}  // namespace
