// An independent client, sblim-wbemcli, against the test CIMOM over HTTP and
// HTTPS: with the captured data it must print what it printed against the
// real server (wbemcli-verification.txt), and the demo must serve it too.

#include "Captures.h"
#include "ReadFile.h"
#include "ServerFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace testcimom::test {
namespace {

struct WbemcliRun {
    std::vector<std::string> lines;
    int status = -1;
};

// Each blank-separated argument goes to wbemcli as it is, quotes included.
std::string quoted(const std::string& arguments)
{
    std::istringstream words(arguments);
    std::string line;
    for (std::string word; words >> word;)
        line += " '" + word + "'";
    return line;
}

WbemcliRun wbemcli(const std::string& arguments)
{
    WbemcliRun run;
    FILE* pipe = popen(("timeout 120 wbemcli" + quoted(arguments) + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[65536];
    std::string text;
    for (std::size_t count; (count = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, count);
    run.status = pclose(pipe);
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty())
            run.lines.push_back(line);
    }
    return run;
}

struct Verification {
    std::string arguments;  // after "wbemcli "
    std::vector<std::string> lines;
};

// The command blocks of wbemcli-verification.txt: "$ wbemcli ARGS", output, "[rc=0]".
std::vector<Verification> verificationBlocks()
{
    std::istringstream text(readFile(Captures::directory() + "/wbemcli-verification.txt"));
    std::vector<Verification> blocks;
    for (std::string line; std::getline(text, line);) {
        if (line.rfind("$ wbemcli ", 0) == 0)
            blocks.push_back({line.substr(10), {}});
        else if (!blocks.empty() && !line.empty() && line.rfind("[rc=", 0) != 0)
            blocks.back().lines.push_back(line);
    }
    return blocks;
}

std::string withPorts(std::string text, const CimServer& server)
{
    for (auto [from, to] : {std::pair{std::string("127.0.0.1:5988"), server.httpPort()},
                            std::pair{std::string("127.0.0.1:5989"), server.httpsPort()}}) {
        const std::string replacement = "127.0.0.1:" + std::to_string(to);
        for (std::size_t at; (at = text.find(from)) != std::string::npos;)
            text.replace(at, from.size(), replacement);
    }
    return text;
}

std::vector<std::string> sorted(std::vector<std::string> lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

bool isTestBigBlock(const Verification& block)
{
    return block.arguments.find("Test_Big") != std::string::npos;
}

TEST(Wbemcli, PrintsWhatItPrintedAgainstTheCapturedServer)
{
    auto server = startedServer(ephemeralOptions());
    std::size_t compared = 0;
    for (const Verification& block : verificationBlocks()) {
        if (block.arguments.rfind("ai ", 0) == 0 || isTestBigBlock(block))
            continue;  // associations are not served
        SCOPED_TRACE(block.arguments);
        std::vector<std::string> expected;
        for (const std::string& line : block.lines)
            expected.push_back(withPorts(line, *server));
        WbemcliRun run = wbemcli(withPorts(block.arguments, *server));
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(sorted(run.lines), sorted(expected));
        ++compared;
    }
    EXPECT_GE(compared, 9u);
}

TEST(Wbemcli, ListsTenThousandTestBigNamesOverHttps)
{
    auto server = startedServer(ephemeralOptions());
    auto blocks = verificationBlocks();
    auto block = std::find_if(blocks.begin(), blocks.end(), isTestBigBlock);
    ASSERT_NE(block, blocks.end());
    WbemcliRun run = wbemcli(withPorts(block->arguments, *server));
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 10000u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(run.lines[i], withPorts(block->lines[i], *server));
}

TEST(Wbemcli, ReadsTheDemoInventoryOverHttpAndHttps)
{
    auto server = startedServer(ephemeralOptions(DataSetKind::Demo));
    for (const std::string& url : {server->httpUrl(), server->httpsUrl()}) {
        SCOPED_TRACE(url);
        const std::string options = url.rfind("https", 0) == 0 ? "-noverify " : "";
        WbemcliRun classes = wbemcli("ecn " + options + url + "/root/cimv2");
        EXPECT_EQ(classes.status, 0);
        EXPECT_NE(std::find(classes.lines.begin(), classes.lines.end(),
                            url.substr(url.find("//") + 2) + "/root/cimv2:VORN_RemoteNode"),
                  classes.lines.end());
        WbemcliRun port = wbemcli("gc " + options + url + "/root/cimv2:VORN_NetworkPort");
        ASSERT_EQ(port.lines.size(), 1u);
        EXPECT_NE(port.lines[0].find("Speed=,Latency=,DuplexIndicator="), std::string::npos) << port.lines[0];
        WbemcliRun devices = wbemcli("ein " + options + url + "/root/cimv2:CIM_LogicalDevice");
        EXPECT_EQ(devices.lines.size(), 8u);
        WbemcliRun log = wbemcli("ei " + options + url + "/root/cimv2:VORN_StandardMessageLogEntry");
        ASSERT_EQ(log.lines.size(), 4u);
        EXPECT_NE(log.lines[1].find("IsLocalEvent=FALSE"), std::string::npos);
        WbemcliRun system = wbemcli("ei " + options + url + "/root/cimv2:VORN_ComputerSystem");
        ASSERT_EQ(system.lines.size(), 1u);
        EXPECT_NE(system.lines[0].find("ElementName=\"vorn-demo01\""), std::string::npos);
        EXPECT_NE(system.lines[0].find("UpTime=00000042061530.000000:000"), std::string::npos);
    }
}

}  // namespace
}  // namespace testcimom::test
