// inventory over a hosts file: comments, blank lines, repeated and
// multi-node entries, and hosts that are dead, unresolvable or too slow,
// none of which stops the others.
#include <algorithm>
#include <fstream>

#include <unistd.h>

#include "CliTestSupport.h"

#include <testcimom/FaultPlan.h>

using namespace cimhttp_test;
using nlohmann::json;

namespace {

class InventoryTest : public TCliTest {
protected:
    void TearDown() override { unlink(HostsFile().c_str()); }

    static std::string HostsFile() { return "/tmp/cimhttp-hosts-" + std::to_string(getpid()); }

    static std::vector<std::string> Inventory(const std::string& hostsText, std::vector<std::string> options) {
        std::ofstream(HostsFile()) << hostsText;
        options.insert(options.begin(), {"inventory", "--hosts-file", HostsFile()});
        return options;
    }
};

TEST_F(InventoryTest, EveryHostEndsWithItsOwnStatusAndNoneStopsTheOthers) {
    auto single = StartDemo(0);
    auto cluster = StartDemoCluster(1, 3);
    auto slow = StartDemo(7);
    slow->faults().add(testcimom::parseFault("delay:op=EnumerateInstances,ms=30000"));
    const std::string three = CliAddress(1) + ", " + CliAddress(2) + " ," + CliAddress(3);
    const std::string hosts = "# the fleet\n" + CliAddress(0) + "\n\n   \n" + three + "   # three nodes\n" +
                              CliAddress(0) + "  # again\n" + CliAddress(6) + "\nno-such-host.invalid\n" +
                              CliAddress(7) + "\n";
    const TCliResult result =
        Cli(Inventory(hosts, {"VORN_Memory", "No_SuchClass", "--jobs", "2", "--host-timeout", "6"}));
    EXPECT_EQ(10, result.fStatus) << result.fErr;
    const json inventory = json::parse(result.fOut);
    EXPECT_EQ(json({"VORN_Memory", "No_SuchClass"}), inventory["classes"]);
    const json& results = inventory["hosts"];
    ASSERT_EQ(5u, results.size()) << results.dump(2);

    EXPECT_EQ(CliAddress(0), results[0]["host"]);
    EXPECT_EQ("ok", results[0]["status"]);
    const json& memory = results[0]["classes"]["VORN_Memory"]["instances"];
    ASSERT_EQ(4u, memory.size());
    const json capacity = {{"name", "Capacity"}, {"type", "uint64"}, {"display", "64 Gigabytes"}, {"value", 67108864}};
    EXPECT_NE(memory[0]["properties"].end(),
              std::find(memory[0]["properties"].begin(), memory[0]["properties"].end(), capacity))
        << "every property as instances shows it";
    EXPECT_EQ("not found", results[0]["classes"]["No_SuchClass"]["status"]);
    EXPECT_EQ(5, results[0]["classes"]["No_SuchClass"]["exitStatus"]);

    EXPECT_EQ(json({CliAddress(1), CliAddress(2), CliAddress(3)}), results[1]["nodes"]);
    EXPECT_EQ(5, results[1]["line"]);
    EXPECT_EQ("ok", results[1]["status"]);
    EXPECT_EQ(12u, results[1]["classes"]["VORN_Memory"]["instances"].size());
    EXPECT_EQ("3", results[1]["classes"]["VORN_Memory"]["instances"][11]["node"]);

    const std::vector<std::pair<std::string, std::string>> failed = {
        {"unreachable", CliAddress(6)}, {"unreachable", "cannot resolve no-such-host.invalid"}, {"time-out", "6 s"}};
    for (std::size_t i = 0; i < failed.size(); ++i) {
        const json& host = results[2 + i];
        EXPECT_EQ(failed[i].first, host["status"]) << host.dump();
        EXPECT_NE(std::string::npos, host["error"].get<std::string>().find(failed[i].second)) << host.dump();
        EXPECT_TRUE(host["classes"].is_null());
    }
    EXPECT_EQ(8, results[4]["exitStatus"]);

    EXPECT_NE(std::string::npos, result.fErr.find("line 6: " + CliAddress(0) + " repeats line 2")) << result.fErr;
    EXPECT_NE(std::string::npos, result.fErr.find("HOST")) << "a summary table on stderr";
    EXPECT_NE(std::string::npos, result.fErr.find("time-out")) << result.fErr;
}

TEST_F(InventoryTest, AFleetThatAnswersEndsWithStatus0) {
    auto first = StartDemo(0);
    auto second = StartDemo(1, [](testcimom::ServerOptions& options) { options.enableHttps = false; });
    const TCliResult result = Cli(Inventory(CliAddress(0) + "\n" + CliAddress(1) + "\n", {"CIM_Processor"}));
    EXPECT_EQ(0, result.fStatus) << result.fErr;
    const json inventory = json::parse(result.fOut);
    for (const json& host : inventory["hosts"]) {
        EXPECT_EQ("ok", host["status"]);
        EXPECT_EQ("", host["error"]);
    }
}

TEST_F(InventoryTest, AnUnusableHostsFileIsAUsageError) {
    for (const char* bad : {"a.example,\n", "a.example, b.example, a.example\n"}) {
        const TCliResult result = Cli(Inventory(bad, {"CIM_Processor"}));
        EXPECT_EQ(2, result.fStatus) << result.fErr;
        EXPECT_TRUE(IsOneLineReason(result.fErr, "usage")) << result.fErr;
        EXPECT_NE(std::string::npos, result.fErr.find("line 1")) << result.fErr;
    }
}

}  // namespace
