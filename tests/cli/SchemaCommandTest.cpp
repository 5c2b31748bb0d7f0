// classes, class and names against test CIMOMs of one and three nodes, over
// HTTPS and HTTP, their JSON output compared with the data set the CIMOMs
// serve.
#include <algorithm>
#include <map>
#include <set>

#include "CliTestSupport.h"

using namespace cimhttp_test;
using nlohmann::json;

namespace {

const char* const kNamespace = "root/cimv2";

class SchemaCommandTest : public TCliTest {
protected:
    // Every class of the tree with its subclasses, checked level by level
    // against the repository; the number of classes seen.
    static std::size_t CheckTree(const testcimom::Repository& repository, const std::string& parent,
                                 const json& branches) {
        std::vector<std::string> names;
        std::size_t count = 0;
        for (const json& branch : branches) {
            names.push_back(branch["name"]);
            count += 1 + CheckTree(repository, branch["name"], branch["subclasses"]);
        }
        std::vector<std::string> expected = repository.subclassNames(kNamespace, parent, false);
        std::sort(names.begin(), names.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(expected, names) << "under " << parent;
        return count;
    }

    static std::string TypeName(testcimom::CimType type, bool isArray) {
        return std::string(testcimom::typeName(type)) + (isArray ? "[]" : "");
    }

    // Name -> "type declaredIn" of every property the class has, the nearest
    // declaration winning, as the data set declares them.
    static std::map<std::string, std::string> DeclaredProperties(const testcimom::Repository& repository,
                                                                 const std::string& className) {
        std::map<std::string, std::string> properties;
        for (auto cls = repository.localClass(kNamespace, className); cls;
             cls = repository.localClass(kNamespace, cls->superClass)) {
            for (const testcimom::Property& property : cls->properties)
                properties.emplace(testcimom::lowerName(property.name),
                                   TypeName(property.value.type, property.value.isArray) + " " + cls->name);
            if (cls->superClass.empty())
                break;
        }
        return properties;
    }
};

TEST_F(SchemaCommandTest, ClassesShowTheServersTreeOverHttpsAndHttp) {
    auto httpsOnly = StartDemo(0, [](testcimom::ServerOptions& options) { options.enableHttp = false; });
    const json tree = JsonOf(Cli(OnHosts({CliAddress(0)}, {"classes", "--deep", "--format", "json"})));
    EXPECT_EQ(httpsOnly->repository().subclassNames(kNamespace, "", true).size(),
              CheckTree(httpsOnly->repository(), "", tree["classes"]));
    const TCliResult top = Cli(OnHosts({CliAddress(0)}, {"--https", "classes"}));
    EXPECT_EQ(0, top.fStatus) << top.fErr;
    EXPECT_EQ("CIM_ManagedElement\nCIM_Component\nCIM_Dependency\nVORN_MethodTest\nVORN_MethodTestLink\n", top.fOut);

    auto httpOnly = StartDemo(1, [](testcimom::ServerOptions& options) { options.enableHttps = false; });
    EXPECT_EQ(top.fOut, Cli(OnHosts({CliAddress(1)}, {"classes"})).fOut);
    EXPECT_EQ(top.fOut, Cli(OnHosts({CliAddress(1)}, {"--http", "classes"})).fOut);
    const TCliResult deep = Cli(OnHosts({CliAddress(1)}, {"classes", "--deep"}));
    EXPECT_NE(std::string::npos, deep.fOut.find("\n      CIM_EnabledLogicalElement\n        CIM_System\n"))
        << "subclasses indented two blanks a level:\n"
        << deep.fOut;

    auto otherPorts = StartDemo(2, [](testcimom::ServerOptions& options) {
        options.httpPort = 0;
        options.httpsPort = 0;
    });
    for (const auto& protocol :
         {std::make_pair("--https", otherPorts->httpsPort()), std::make_pair("--http", otherPorts->httpPort())}) {
        const TCliResult onPort =
            Cli(OnHosts({CliAddress(2)}, {protocol.first, "--port", std::to_string(protocol.second), "classes"}));
        EXPECT_EQ(top.fOut, onPort.fOut) << protocol.first << ": " << onPort.fErr;
    }
}

TEST_F(SchemaCommandTest, ClassShowsChainPropertiesAndMethodsAsTheDataSetDeclaresThem) {
    auto server = StartDemo(0);
    const testcimom::Repository& repository = server->repository();
    const json cls = JsonOf(Cli(OnHosts({CliAddress(0)}, {"class", "VORN_ComputerSystem", "--format", "json"})));

    std::vector<std::string> chain;
    for (auto step = repository.localClass(kNamespace, "CIM_ComputerSystem"); step;
         step = repository.localClass(kNamespace, step->superClass)) {
        chain.push_back(step->name);
        if (step->superClass.empty())
            break;
    }
    EXPECT_EQ(chain, cls["superclasses"].get<std::vector<std::string>>());
    EXPECT_FALSE(cls["abstract"].get<bool>());

    std::map<std::string, std::string> expected = DeclaredProperties(repository, "VORN_ComputerSystem");
    expected["nodeid"] = "string VORN_ComputerSystem";
    std::map<std::string, std::string> shown;
    for (const json& property : cls["properties"])
        shown[testcimom::lowerName(property["name"].get<std::string>())] =
            property["type"].get<std::string>() + " " + property["declaredIn"].get<std::string>();
    EXPECT_EQ(expected, shown);

    // Qualifier values keep their types: numbers, booleans, arrays.
    const json& name = *std::find_if(cls["properties"].begin(), cls["properties"].end(),
                                     [](const json& property) { return property["name"] == "Name"; });
    EXPECT_TRUE(name["key"].get<bool>());
    std::map<std::string, json> qualifiers;
    for (const json& qualifier : name["qualifiers"])
        qualifiers[qualifier["name"]] = qualifier["value"];
    EXPECT_EQ(json(256), qualifiers["MaxLen"]);
    EXPECT_EQ(json(true), qualifiers["Key"]);
    const json& health = *std::find_if(cls["properties"].begin(), cls["properties"].end(),
                                       [](const json& property) { return property["name"] == "HealthState"; });
    const testcimom::CimClass managed = *repository.localClass(kNamespace, "CIM_ManagedSystemElement");
    const testcimom::Property* declared = managed.findProperty("HealthState");
    ASSERT_TRUE(declared);
    const testcimom::Qualifier* valueMap = testcimom::findByName(declared->qualifiers, "ValueMap");
    ASSERT_TRUE(valueMap);
    const json healthValueMap = *std::find_if(health["qualifiers"].begin(), health["qualifiers"].end(),
                                              [](const json& qualifier) { return qualifier["name"] == "ValueMap"; });
    EXPECT_EQ(json(valueMap->value.items), healthValueMap["value"]);
    EXPECT_TRUE(health["default"].is_null());

    const json ping = cls["methods"][0];
    EXPECT_EQ("Ping", ping["name"]);
    EXPECT_EQ("uint32", ping["returnType"]);
    EXPECT_EQ(json::parse(R"([{"name":"RoundTripTime","type":"uint32"},{"name":"Target","type":"string"}])"),
              ping["parameters"]);
    std::set<std::string> methods;
    for (const json& method : cls["methods"])
        methods.insert(method["name"].get<std::string>() + " " + method["declaredIn"].get<std::string>());
    EXPECT_EQ((std::set<std::string>{"Ping VORN_ComputerSystem", "SetHostName CIM_ComputerSystem",
                                     "RequestStateChange CIM_EnabledLogicalElement"}),
              methods);
}

TEST_F(SchemaCommandTest, ClassTableLinesUpItsColumns) {
    auto server = StartDemo(0);
    const TCliResult result = Cli(OnHosts({CliAddress(0)}, {"class", "VORN_MethodTest"}));
    ASSERT_EQ(0, result.fStatus) << result.fErr;
    EXPECT_EQ(result.fOut, Cli(OnHosts({CliAddress(0)}, {"--http", "class", "VORN_MethodTest"})).fOut);
    const std::string& text = result.fOut;
    const std::size_t header = text.find("  NAME         TYPE     KEY  DEFAULT  DECLARED IN      QUALIFIERS\n");
    ASSERT_NE(std::string::npos, header) << text;
    EXPECT_NE(std::string::npos, text.find("  Offset       sint32   key           VORN_MethodTest  Description, Key\n"))
        << text;
    EXPECT_NE(std::string::npos, text.find("  uint32 Fail  (declared in VORN_MethodTest)\n    TYPE    PARAMETER\n"
                                           "    uint32  Code\n    string  Message\n"))
        << text;
}

TEST_F(SchemaCommandTest, NamesOnOneNodeAndOnEveryNodeOfThree) {
    auto single = StartDemo(0);
    const json one = JsonOf(Cli(OnHosts({CliAddress(0)}, {"names", "VORN_Memory", "--format", "json"})));
    EXPECT_EQ("VORN_Memory", one["class"]);
    ASSERT_EQ(single->repository().instances(kNamespace, "VORN_Memory").size(), one["names"].size());
    for (const json& name : one["names"]) {
        EXPECT_EQ("1", name["node"]);
        EXPECT_EQ(CliAddress(0), name["host"]);
        EXPECT_EQ(0u,
                  name["path"].get<std::string>().rfind("VORN_Memory.CreationClassName=\"VORN_Memory\",DeviceID=", 0));
    }

    auto cluster = StartDemoCluster(1, 3, [](testcimom::ServerOptions& options) { options.enableHttps = false; });
    const std::vector<std::string> nodes = cluster->addresses();
    const json three = JsonOf(Cli(OnHosts(nodes, {"names", "VORN_ComputerSystem", "--format", "json"})));
    ASSERT_EQ(3u, three["names"].size());
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(std::to_string(i + 1), three["names"][i]["node"]);
        EXPECT_EQ(nodes[i], three["names"][i]["host"]);
    }

    // A node that is down costs only its own paths.
    cluster->node(1).stop();
    const TCliResult partial = Cli(OnHosts(nodes, {"names", "VORN_ComputerSystem", "--format", "json"}));
    const json rest = JsonOf(partial);
    ASSERT_EQ(2u, rest["names"].size());
    EXPECT_EQ("1", rest["names"][0]["node"]);
    EXPECT_EQ("3", rest["names"][1]["node"]);
    EXPECT_NE(std::string::npos, partial.fErr.find("node 2 (" + nodes[1] + ") is unreachable")) << partial.fErr;
}

}  // namespace
