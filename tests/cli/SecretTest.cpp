// The password: never an argument, never in the output, the log or the
// command line of any cimhttp process, and not echoed when it is typed.
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include <unistd.h>

#include "CliTestSupport.h"

#include <testcimom/FaultPlan.h>

using namespace cimhttp_test;

namespace {

const char* const kUser = "operator";
const char* const kPassword = "Zq7-very-secret-Xw";

class SecretTest : public TCliTest {
protected:
    void SetUp() override {
        fServer = StartDemo(0, [](testcimom::ServerOptions& options) {
            options.user = kUser;
            options.password = kPassword;
        });
    }

    static std::string TemporaryPath(const char* what) {
        return "/tmp/cimhttp-secret-" + std::string(what) + "-" + std::to_string(getpid());
    }

    static std::string Contents(const std::string& path) {
        std::ifstream file(path);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    static void ExpectNoPassword(const std::string& text, const std::string& where) {
        EXPECT_EQ(std::string::npos, text.find(kPassword)) << "the password shows in " << where;
    }

    std::unique_ptr<testcimom::CimServer> fServer;
};

TEST_F(SecretTest, ThePasswordShowsNowhere) {
    const std::vector<std::string> classes = OnHosts({CliAddress(0)}, {"--user", kUser, "classes", "--deep"});
    std::vector<std::string> verbose = classes;
    verbose.push_back("--verbose");
    const TCliResult fromEnvironment = TCliRun(verbose).WithEnvironment("CIMHTTP_PASSWORD", kPassword).Run();
    EXPECT_EQ(0, fromEnvironment.fStatus) << fromEnvironment.fErr;
    EXPECT_NE(std::string::npos, fromEnvironment.fErr.find("3 Entering TCimHTTPNamespace::connect"))
        << "--verbose shows the plug-in's lines";
    ExpectNoPassword(fromEnvironment.fOut + fromEnvironment.fErr, "a run with --verbose");

    const std::string passwordFile = TemporaryPath("password");
    const std::string logFile = TemporaryPath("log");
    std::ofstream(passwordFile) << kPassword << "\n";
    std::vector<std::string> logged = classes;
    logged.insert(logged.end(), {"--password-file", passwordFile, "--log-file", logFile});
    const TCliResult fromFile = Cli(logged);
    EXPECT_EQ(0, fromFile.fStatus) << fromFile.fErr;
    EXPECT_NE(std::string::npos, Contents(logFile).find("Entering TCimHTTPNamespace::connect"));
    ExpectNoPassword(fromFile.fOut + fromFile.fErr + Contents(logFile), "a run with --log-file");

    std::ofstream(passwordFile) << "not-" << kPassword << "\n";
    const TCliResult refused = Cli(logged);
    EXPECT_EQ(4, refused.fStatus) << refused.fErr;
    ExpectNoPassword(refused.fOut + refused.fErr + Contents(logFile), "a refused run");

    const TCliResult asArgument = Cli(OnHosts({CliAddress(0)}, {"--user", kUser, "--password", kPassword, "classes"}));
    EXPECT_EQ(2, asArgument.fStatus);
    ExpectNoPassword(asArgument.fOut + asArgument.fErr, "the refusal of --password");
    unlink(passwordFile.c_str());
    unlink(logFile.c_str());
}

TEST_F(SecretTest, ThePromptDoesNotEchoThePassword) {
    const TCliResult typed = RunOnTerminal(OnHosts({CliAddress(0)}, {"--user", kUser, "classes"}), {}, kPassword);
    EXPECT_EQ(0, typed.fStatus) << typed.fOut;
    EXPECT_NE(std::string::npos, typed.fOut.find("Password for " + std::string(kUser) + "@" + CliAddress(0) + ": "))
        << typed.fOut;
    EXPECT_NE(std::string::npos, typed.fOut.find("CIM_ManagedElement")) << typed.fOut;
    ExpectNoPassword(typed.fOut, "the terminal");

    const TCliResult noTerminal = Cli(OnHosts({CliAddress(0)}, {"--user", kUser, "classes"}));
    EXPECT_EQ(2, noTerminal.fStatus);
    EXPECT_NE(std::string::npos, noTerminal.fErr.find("CIMHTTP_PASSWORD")) << noTerminal.fErr;
}

TEST_F(SecretTest, InventoryProcessesCarryNoPasswordOnTheirCommandLine) {
    // Slow answers keep the host's process alive while its command line is read.
    fServer->faults().add(testcimom::parseFault("delay:op=EnumerateInstances,ms=3000"));
    const std::string hostsFile = TemporaryPath("hosts");
    std::ofstream(hostsFile) << CliAddress(0) << "\n";
    TCliRun inventory({"inventory", "--hosts-file", hostsFile, "--user", kUser, "VORN_Memory"});
    inventory.WithEnvironment("CIMHTTP_PASSWORD", kPassword).Start();
    std::vector<std::string> commandLines;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (commandLines.empty() && std::chrono::steady_clock::now() < deadline) {
        for (pid_t child : TProcessTable::ChildrenOf(inventory.Pid()))
            commandLines.push_back(TProcessTable::CommandLineOf(child));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const std::string own = TProcessTable::CommandLineOf(inventory.Pid());
    const TCliResult result = inventory.Finish();
    EXPECT_EQ(0, result.fStatus) << result.fErr;
    ASSERT_EQ(1u, commandLines.size());
    EXPECT_NE(std::string::npos, commandLines.front().find("inventory-host VORN_Memory")) << commandLines.front();
    EXPECT_NE(std::string::npos, commandLines.front().find("--user " + std::string(kUser))) << commandLines.front();
    ExpectNoPassword(commandLines.front() + own, "a command line");
    ExpectNoPassword(result.fOut + result.fErr, "the inventory's output");
    EXPECT_EQ(4u, nlohmann::json::parse(result.fOut)["hosts"][0]["classes"]["VORN_Memory"]["instances"].size());
    unlink(hostsFile.c_str());
}

}  // namespace
