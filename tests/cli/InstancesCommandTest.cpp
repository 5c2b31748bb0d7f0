// instances against test CIMOMs of one and three nodes: every property,
// inherited ones included, as display text beside its raw value, the JSON
// compared with the data set the CIMOMs serve.
#include <map>
#include <set>

#include <unistd.h>

#include "CliTestSupport.h"

using namespace cimhttp_test;
using nlohmann::json;

namespace {

// The capture data set keeps null values there: the plug-in fills them only in root/cimv2.
const char* const kTestNamespace = "root/test";

class InstancesCommandTest : public TCliTest {
protected:
    // A data set value as cimhttp's JSON has it.
    static json Expected(const testcimom::Value& value) {
        if (value.isNull)
            return nullptr;
        if (!value.isArray)
            return Element(value.type, value.items.at(0));
        json elements = json::array();
        for (const std::string& item : value.items)
            elements.push_back(Element(value.type, item));
        return elements;
    }

    static json Element(testcimom::CimType type, const std::string& text) {
        switch (type) {
            case testcimom::CimType::Boolean:
                return text == "TRUE" || text == "true";
            case testcimom::CimType::Uint8:
            case testcimom::CimType::Uint16:
            case testcimom::CimType::Uint32:
            case testcimom::CimType::Uint64:
                return std::stoull(text);
            case testcimom::CimType::Sint8:
            case testcimom::CimType::Sint16:
            case testcimom::CimType::Sint32:
            case testcimom::CimType::Sint64:
                return std::stoll(text);
            case testcimom::CimType::Real32:
            case testcimom::CimType::Real64:
                return std::stod(text);
            default:
                return text;
        }
    }

    static std::map<std::string, json> PropertiesOf(const json& instance) {
        std::map<std::string, json> properties;
        for (const json& property : instance["properties"])
            properties[property["name"]] = property;
        return properties;
    }
};

TEST_F(InstancesCommandTest, EveryPropertyAsDisplayTextBesideItsTypedValueOverHttpsAndHttp) {
    auto server = StartDemo(0, [](testcimom::ServerOptions& options) {
        options.dataSet.kind = testcimom::DataSetKind::Capture;
        options.dataSet.testBigInstances = 3;
    });
    const std::vector<std::string> arguments = {"--namespace",   kTestNamespace, "instances",
                                                "CIM_Processor", "--format",     "json"};
    const TCliResult overHttps = Cli(OnHosts({CliAddress(0)}, arguments));
    const json shown = JsonOf(overHttps)["instances"];
    const auto stored = server->repository().instances(kTestNamespace, "CIM_Processor", false);
    ASSERT_EQ(stored.size(), shown.size());
    const testcimom::CimClass processor = *server->repository().resolvedClass(kTestNamespace, "CIM_Processor");
    for (const json& instance : shown) {
        const auto match = std::find_if(stored.begin(), stored.end(), [&](const testcimom::InstanceRef& candidate) {
            return candidate->path.toString() == instance["path"];
        });
        ASSERT_NE(stored.end(), match) << instance["path"];
        EXPECT_EQ("1", instance["node"]);
        std::map<std::string, json> properties = PropertiesOf(instance);
        EXPECT_EQ(processor.properties.size() + 1, properties.size()) << "inherited ones and NodeID included";
        for (const testcimom::Property& declared : processor.properties) {
            const testcimom::Property* value = (*match)->instance.findProperty(declared.name);
            ASSERT_TRUE(value) << declared.name;
            if (declared.name != "InstanceID") {
                EXPECT_EQ(Expected(value->value), properties[declared.name]["value"]) << declared.name;
            }
            EXPECT_EQ(std::string(testcimom::typeName(declared.value.type)) + (declared.value.isArray ? "[]" : ""),
                      properties[declared.name]["type"]);
        }
        // Display text through declarations up the superclass chain: ValueMap
        // and Values of CIM_Processor, CIM_ManagedSystemElement, ...
        EXPECT_EQ("Intel(R) Xeon(TM)", properties["Family"]["display"]);
        EXPECT_EQ(json::array({"OK"}), properties["OperationalStatus"]["display"]);
        EXPECT_EQ(json::array({2}), properties["OperationalStatus"]["value"]);
        EXPECT_EQ("OK", properties["HealthState"]["display"]);
        EXPECT_EQ("Node1:", properties["InstanceID"]["value"]);
        EXPECT_EQ("1", properties["NodeID"]["value"]);
        EXPECT_TRUE(properties["StatusDescriptions"]["display"].is_null());
    }

    server->stop();
    auto httpOnly = StartDemo(0, [](testcimom::ServerOptions& options) {
        options.dataSet.kind = testcimom::DataSetKind::Capture;
        options.dataSet.testBigInstances = 3;
        options.enableHttps = false;
    });
    std::vector<std::string> http = arguments;
    http.insert(http.begin(), "--http");
    EXPECT_EQ(overHttps.fOut, Cli(OnHosts({CliAddress(0)}, http)).fOut);
}

TEST_F(InstancesCommandTest, SubclassInstancesAndTheirPropertiesWithDeepAndTheRawColumn) {
    auto server = StartDemo(0);
    const std::vector<std::string> host = {CliAddress(0)};
    std::multiset<std::string> stored;
    for (const testcimom::InstanceRef& instance : server->repository().instances("root/cimv2", "CIM_LogicalDevice"))
        stored.insert(instance->instance.className);
    // The server sends the instances of subclasses either way; --deep asks
    // for the properties the subclasses add as well.
    std::size_t propertyCount = 0;
    for (const char* deep : {"", "--deep"}) {
        std::vector<std::string> arguments = {"instances", "CIM_LogicalDevice", "--format", "json"};
        if (*deep)
            arguments.push_back(deep);
        const json shown = JsonOf(Cli(OnHosts(host, arguments)))["instances"];
        std::multiset<std::string> classes;
        for (const json& instance : shown)
            classes.insert(PropertiesOf(instance)["CreationClassName"]["value"].get<std::string>());
        EXPECT_EQ(stored, classes) << deep;
        EXPECT_LT(propertyCount, shown.at(0)["properties"].size()) << deep;
        propertyCount = shown.at(0)["properties"].size();
    }

    const TCliResult raw = Cli(OnHosts(host, {"instances", "VORN_Memory", "--raw"}));
    EXPECT_EQ(0, raw.fStatus) << raw.fErr;
    EXPECT_EQ(0u,
              raw.fOut.find("VORN_Memory.CreationClassName=\"VORN_Memory\",DeviceID=\"DIMM0\","
                            "SystemCreationClassName=\"VORN_ComputerSystem\",SystemName=\"vorn-demo01.example.test\""
                            "  (node 1)\n  PROPERTY                 VALUE                      RAW\n"
                            "  BlockSize                4 Kilobytes                4096\n"
                            "  Capacity                 64 Gigabytes               67108864\n"))
        << raw.fOut;
    const TCliResult plain = Cli(OnHosts(host, {"instances", "VORN_Memory"}));
    EXPECT_NE(std::string::npos,
              plain.fOut.find("\n  PROPERTY                 VALUE\n  BlockSize                4 Kilobytes\n"))
        << plain.fOut;
}

TEST_F(InstancesCommandTest, EveryNodeOfThreeWithItsIdentityAndANodeThatIsDown) {
    auto cluster = StartDemoCluster(0, 3);
    const std::vector<std::string> nodes = cluster->addresses();
    const json shown = JsonOf(Cli(OnHosts(nodes, {"instances", "CIM_SoftwareIdentity", "--format", "json"})));
    ASSERT_EQ(3u, shown["instances"].size());
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string node = std::to_string(i + 1);
        const json& instance = shown["instances"][i];
        EXPECT_EQ(node, instance["node"]);
        std::map<std::string, json> properties = PropertiesOf(instance);
        EXPECT_EQ("Node" + node + ":VORN:BIOS:demo01@node" + node, properties["InstanceID"]["value"]);
        EXPECT_EQ(node, properties["NodeID"]["value"]);
        EXPECT_EQ("3.1.7", properties["VersionString"]["display"]);
    }

    // The plug-in reads a class from every node.
    cluster->node(1).stop();
    const TCliResult partial = Cli(OnHosts(nodes, {"instances", "CIM_SoftwareIdentity"}));
    EXPECT_EQ(3, partial.fStatus);
    EXPECT_NE(std::string::npos,
              partial.fErr.find("cimhttp: unreachable: CIM_SoftwareIdentity cannot be loaded: node 2 (" + nodes[1] +
                                ") is unreachable"))
        << partial.fErr;
}

TEST_F(InstancesCommandTest, AProgressLineFollowsALongEnumerationOnlyOnATerminal) {
    auto server = StartDemo(0, [](testcimom::ServerOptions& options) {
        options.dataSet.kind = testcimom::DataSetKind::Capture;
        options.dataSet.testBigInstances = 2000;
    });
    const std::vector<std::string> arguments =
        OnHosts({CliAddress(0)}, {"--namespace", kTestNamespace, "instances", "Test_Big"});
    // The answer on the terminal: the line shows while the server answers
    // and is gone before the first instance.
    const TCliResult onTerminal = RunOnTerminal(arguments, {}, "");
    EXPECT_EQ(0, onTerminal.fStatus);
    const std::string& shown = onTerminal.fOut;
    const std::size_t received = shown.find("\r\033[Knode 1 of 1: ");
    const std::size_t wiped = shown.rfind("\r\033[K");
    EXPECT_NE(std::string::npos, received) << shown.substr(0, 300);
    EXPECT_NE(std::string::npos, shown.find(" instances received", received));
    EXPECT_LT(wiped, shown.find("Test_Big.Index=0,InstanceID=\"TestBig:00000\""));
    EXPECT_EQ(std::string::npos, shown.find("converted"));

    // The answer in a file: the line goes on while the instances are converted.
    const std::string answerFile = "/tmp/cimhttp-progress-" + std::to_string(getpid());
    const std::string progress = RunOnTerminal(arguments, {}, "", answerFile).fOut;
    const std::size_t converted = progress.find(" instances converted");
    EXPECT_LT(progress.find(" instances received"), converted) << progress.substr(0, 300);
    EXPECT_LT(converted, progress.rfind("\r\033[K"));
    EXPECT_EQ("\r\033[K", progress.substr(progress.size() - 4));
    unlink(answerFile.c_str());

    const TCliResult toFiles = Cli(arguments);
    EXPECT_EQ(0, toFiles.fStatus);
    EXPECT_EQ("", toFiles.fErr);
}

}  // namespace
