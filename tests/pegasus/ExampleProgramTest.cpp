// The example client, written against the OpenPegasus client API, built
// from our headers and run against the replay server. It includes nothing
// but Config.h and CIMClient.h and prints with cout and endl: that it
// builds at all shows those two headers are enough, as with OpenPegasus.

#include "ClientFixture.h"
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace
{
struct RunResult
{
    int status;
    std::string output;
};

RunResult run(const std::string& command)
{
    RunResult result{-1, ""};
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    char buffer[4096];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        result.output.append(buffer, n);
    result.status = WEXITSTATUS(::pclose(pipe));
    return result;
}
}

TEST(ExampleProgram, ListsClassesShowsTheClassAndPrintsInstances)
{
    ReplayServer server(ReplayClient::captured(
        {"EnumerateClassNames-top-deep", "GetClass-CIM_ComputerSystem-LocalOnlyFalse", "EnumerateInstances-ComputerSystem"}));
    const RunResult result = run(std::string(CIMCLIENT_EXAMPLE) + " 127.0.0.1 " + std::to_string(server.port()));
    EXPECT_EQ(0, result.status) << result.output;
    for (const char* expected : {"OMC_ProcessorSlot", "class CIM_ComputerSystem : CIM_System", "method SetHostName()",
                                 "2 instances", "Name = esx02.example.test", "TotalMemory = 68719476736"})
        EXPECT_NE(std::string::npos, result.output.find(expected)) << expected << "\n" << result.output;

    const RunResult refused = run(std::string(CIMCLIENT_EXAMPLE) + " 127.0.0.1 " + std::to_string(server.port()));
    EXPECT_EQ(1, refused.status) << refused.output;
    EXPECT_NE(std::string::npos, refused.output.find("error: ")) << refused.output;
    EXPECT_EQ(2, run(CIMCLIENT_EXAMPLE).status);
}
