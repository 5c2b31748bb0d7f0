// Instance enumeration through the plug-in against test CIMOMs: one node
// and three nodes serving different data, identities and node properties,
// the class rules, nodes that fail or time out, deep walks and the
// namespaces of the management controller.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMInstance.h>
#include <qel/TControllerSimulation.h>

#include <testcimom/CimomCluster.h>

#include "class/TCimHTTPClass.h"
#include "InstanceTestSupport.h"
#include "ServedNamespace.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;
const char* const kServerNamespace = "root/cimv2";

// The classes the server was asked to enumerate, oldest first, with the flags sent.
std::vector<std::string> Enumerations(testcimom::CimServer& server)
{
    std::vector<std::string> requests;
    for (const testcimom::LoggedRequest& request : server.requestLog().of("EnumerateInstances"))
        requests.push_back(request.target + " " + FlagsSent(request));
    return requests;
}

std::vector<std::string> ProgressLines()
{
    std::vector<std::string> lines;
    for (const std::string& message : LoggedMessages())
        if (StartsWith(message, "DEBUG: TCimHTTPClass:"))
            lines.push_back(message);
    return lines;
}

std::vector<std::string> LostProperties()
{
    std::vector<std::string> lines;
    for (const std::string& message : LoggedMessages())
        if (StartsWith(message, "4TCimHTTPClass::EnumerateInstances - Unable to retrieve property: "))
            lines.push_back(message.substr(message.rfind(' ') + 1));
    return lines;
}

// "DeviceID@NodeID" of each instance, in the order they arrived.
std::vector<std::string> DevicesAndNodes(const TInstances& instances)
{
    std::vector<std::string> texts;
    for (const auto& instance : instances)
        texts.push_back(ValueText(*instance, "DeviceID") + "@" + ValueText(*instance, "NodeID"));
    return texts;
}

testcimom::Instance Memory(const std::string& deviceID)
{
    testcimom::Instance memory;
    memory.className = "VORN_Memory";
    memory.set("SystemCreationClassName", testcimom::Value::text("VORN_ComputerSystem"));
    memory.set("SystemName", testcimom::Value::text("vorn-demo01.example.test"));
    memory.set("CreationClassName", testcimom::Value::text("VORN_Memory"));
    memory.set("DeviceID", testcimom::Value::text(deviceID));
    memory.set("Capacity", testcimom::Value::scalar(testcimom::CimType::Uint64, "33554432"));
    return memory;
}

void RemoveMemory(testcimom::Repository& repository, const std::string& deviceID)
{
    for (const testcimom::InstanceRef& stored : repository.instances(kServerNamespace, "VORN_Memory"))
        if (stored->instance.findProperty("DeviceID")->value.items.front() == deviceID)
            return repository.removeInstance(kServerNamespace, stored->path);
}

TCIMReference MemoryPath(const std::string& deviceID)
{
    TCIMReference reference;
    reference.SetPath("VORN_Memory.CreationClassName=\"VORN_Memory\",DeviceID=\"" + deviceID +
                      "\",SystemCreationClassName=\"VORN_ComputerSystem\",SystemName=\"vorn-demo01.example.test\"");
    return reference;
}

class SingleNodeEnumerationTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        fServer = StartServer(DemoServerOptions(0));
    }

    void Serve()
    {
        fServed = std::make_unique<ServedNamespace>();
        fServer->requestLog().clear();
        TRootObject::GetCoreLogger()->Clear();
    }

    boost::shared_ptr<ICIMClass> Class(const std::string& name) { return (*fServed)->GetClass(name, kNoContext); }

    std::unique_ptr<testcimom::CimServer> fServer;
    std::unique_ptr<ServedNamespace> fServed;
};

TEST_F(SingleNodeEnumerationTest, InstancesArriveInPathOrderWithTheirNodeAndTheFlagsSent)
{
    Serve();
    auto memory = Class("VORN_Memory");
    ASSERT_TRUE(memory);
    const TInstances instances = Enumerate(*memory);
    ASSERT_EQ(4u, instances.size());
    EXPECT_EQ((std::vector<std::string>{"DIMM0@1", "DIMM1@1", "DIMM2@1", "DIMM3@1"}), DevicesAndNodes(instances));
    EXPECT_EQ(MemoryPath("DIMM0").GetPath(), PathOf(*instances.front()));
    EXPECT_EQ("67108864", ValueText(*instances.front(), "Capacity"));
    EXPECT_EQ((std::vector<std::string>{"DEBUG: TCimHTTPClass:EI Total Clients 1\n",
                                        "DEBUG: TCimHTTPClass:EnumerateInstances pegclient 0 get instance of "
                                        "VORN_Memory\nVORN_Memory instance size 4\n"}),
              ProgressLines());

    // The cache holds the last enumeration only; the deep flag goes to the server.
    instances.front()->AddToNamespace(kNoContext);
    EXPECT_EQ(4u, Enumerate(*memory, true).size());
    EXPECT_EQ((std::vector<std::string>{
                  "VORN_Memory DeepInheritance=false LocalOnly=true IncludeQualifiers=false IncludeClassOrigin=false",
                  "VORN_Memory DeepInheritance=true LocalOnly=true IncludeQualifiers=false IncludeClassOrigin=false"}),
              Enumerations(*fServer));
    EXPECT_NE(instances.front(), memory->GetInstance(MemoryPath("DIMM0"), kNoContext));
}

// In root/cimv2 a null becomes the type's empty value; on one node only an
// empty identity gets the node, whose key is the controller index plus 1.
TEST_F(SingleNodeEnumerationTest, NullsOfRootCimv2AreConvertedAndOnlyEmptyIdentitiesGetTheNode)
{
    TControllerSimulation::SetControllerIndex(0, 6);
    Serve();
    const TInstances systems = Enumerate(*Class("VORN_ComputerSystem"));
    ASSERT_EQ(1u, systems.size());
    const TCIMValue& contact = ValueOf(*systems.front(), "PrimaryOwnerContact");
    EXPECT_FALSE(contact.IsNull());
    EXPECT_EQ(TCIMValue::TCIMType::eString, contact.GetType());
    EXPECT_EQ("", contact.ToString());
    EXPECT_EQ("Node7:", ValueText(*systems.front(), "InstanceID"));
    EXPECT_EQ("7", ValueText(*systems.front(), "NodeID"));

    const TInstances software = Enumerate(*Class("CIM_SoftwareIdentity"));
    ASSERT_EQ(1u, software.size());
    EXPECT_EQ("VORN:BIOS:demo01", ValueText(*software.front(), "InstanceID"));
    EXPECT_TRUE(LostProperties().empty());
}

// The first node keeps the log entries that happened on it and those whose
// IsLocalEvent the server left null, which root/cimv2 turns into false.
TEST_F(SingleNodeEnumerationTest, FirstNodeDropsLogEntriesThatAreNotLocal)
{
    Serve();
    const TInstances entries = Enumerate(*Class("VORN_StandardMessageLogEntry"));
    EXPECT_EQ((std::vector<std::string>{"1", "3", "4"}), ValueTexts(entries, "RecordID"));
    EXPECT_EQ((std::vector<std::string>{"TRUE", "FALSE", "TRUE"}), ValueTexts(entries, "IsLocalEvent"));
}

// A processor slot's number is a uint16 whatever width the server sent; a
// server's own NodeID keeps its value, the node is not forced over it.
TEST_F(SingleNodeEnumerationTest, ClassRulesForSlotNumbersAndAServersOwnNodeID)
{
    testcimom::Instance slot;
    slot.className = "OMC_ProcessorSlot";
    slot.set("Tag", testcimom::Value::text("Socket 7"));
    slot.set("CreationClassName", testcimom::Value::text("OMC_ProcessorSlot"));
    slot.set("Number", testcimom::Value::scalar(testcimom::CimType::Uint32, "7"));
    fServer->repository().addInstance(kServerNamespace, slot);
    TControllerSimulation::SetNodeCount(2);
    Serve();

    const TInstances slots = Enumerate(*Class("OMC_ProcessorSlot"));
    EXPECT_EQ((std::vector<std::string>{"0", "1", "7"}), ValueTexts(slots, "Number"));
    for (const auto& instance : slots)
        EXPECT_EQ(TCIMValue::TCIMType::eUint16, ValueOf(*instance, "Number").GetType());

    const TInstances nodes = Enumerate(*Class("VORN_RemoteNode"));
    EXPECT_EQ((std::vector<std::string>{"1", "2"}), ValueTexts(nodes, "NodeID"));
    EXPECT_EQ(TCIMValue::TCIMType::eUint16, ValueOf(*nodes.front(), "NodeID").GetType());
    EXPECT_EQ((std::vector<std::string>{"NodeID", "NodeID"}), LostProperties());
}

// A reference key written with its namespace names the class the reference
// points to; a path without one leaves the class unknown.
TEST_F(SingleNodeEnumerationTest, ReferencesCarryTheClassTheirPathNames)
{
    testcimom::ObjectPath system;
    system.nameSpace = kServerNamespace;
    system.className = "VORN_ComputerSystem";
    system.keys.push_back({"CreationClassName", "string", "VORN_ComputerSystem", nullptr});
    system.keys.push_back({"Name", "string", "spare:01.example.test", nullptr});
    testcimom::ObjectPath memory;
    memory.className = "VORN_Memory";
    memory.keys.push_back({"DeviceID", "string", "DIMM9", nullptr});
    testcimom::Instance device;
    device.className = "CIM_SystemDevice";
    device.set("GroupComponent", testcimom::Value::reference(system));
    device.set("PartComponent", testcimom::Value::reference(memory));
    fServer->repository().addInstance(kServerNamespace, device);
    Serve();

    const TInstances devices = Enumerate(*Class("CIM_SystemDevice"));
    ASSERT_EQ(9u, devices.size());
    const ICIMInstance& added = *devices.back();
    EXPECT_EQ("root/cimv2:VORN_ComputerSystem.CreationClassName=\"VORN_ComputerSystem\",Name=\"spare:01.example.test\"",
              ValueText(added, "GroupComponent"));
    ASSERT_TRUE(ValueOf(added, "GroupComponent").GetReferencedClass());
    EXPECT_EQ(Class("VORN_ComputerSystem"), ValueOf(added, "GroupComponent").GetReferencedClass());
    EXPECT_FALSE(ValueOf(added, "PartComponent").GetReferencedClass());
    EXPECT_FALSE(ValueOf(*devices.front(), "GroupComponent").GetReferencedClass());
    EXPECT_TRUE(LostProperties().empty());
}

// A deep answer carries the subclass's own properties, which the class
// enumerated declares nowhere: they keep the names the server spelled.
TEST_F(SingleNodeEnumerationTest, SubclassPropertiesOfADeepAnswerKeepTheServersSpelling)
{
    Serve();
    std::vector<std::string> names;
    Class("CIM_ComputerSystem")
        ->EnumerateInstances(
            [&](boost::shared_ptr<ICIMInstance> instance) {
                instance->EnumerateProperties(
                    [&](boost::shared_ptr<ICIMProperty> property) {
                        names.push_back(property->GetDeclaration(kNoContext)->GetName(kNoContext));
                        return true;
                    },
                    kNoContext);
                return false;
            },
            true, kNoContext);
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "BootTime"));
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "LastBootDuration"));
    EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), "boottime"));
}

// The callback's "false" ends the class it was called for, subclasses
// included, not the classes beside it; children that lead back up end the walk.
TEST_F(SingleNodeEnumerationTest, DeepEnumerationWalksTheChildrenUntilTheCallbackStops)
{
    Serve();
    auto system = Class("VORN_ComputerSystem");
    auto memory = Class("VORN_Memory");
    auto port = Class("VORN_NetworkPort");
    system->AddChildClass(memory, kNoContext);
    system->AddChildClass(port, kNoContext);
    memory->AddChildClass(system, kNoContext);

    std::vector<std::string> seen;
    auto walk = [&](bool deep, const std::string& stopAt) {
        seen.clear();
        fServer->requestLog().clear();
        system->EnumerateInstances(
            [&](boost::shared_ptr<ICIMInstance> instance) {
                const std::string name = instance->GetClass(kNoContext)->GetName(kNoContext);
                seen.push_back(name);
                return name != stopAt;
            },
            deep, kNoContext);
        std::vector<std::string> classes;
        for (const testcimom::LoggedRequest& request : fServer->requestLog().of("EnumerateInstances"))
            classes.push_back(request.target);
        return classes;
    };

    EXPECT_EQ((std::vector<std::string>{"VORN_ComputerSystem", "VORN_Memory", "VORN_NetworkPort"}), walk(true, ""));
    EXPECT_EQ(7u, seen.size());
    EXPECT_EQ((std::vector<std::string>{"VORN_ComputerSystem", "VORN_Memory", "VORN_NetworkPort"}),
              walk(true, "VORN_Memory"));
    EXPECT_EQ((std::vector<std::string>{"VORN_ComputerSystem", "VORN_Memory", "VORN_NetworkPort",
                                        "VORN_NetworkPort"}),
              seen);
    EXPECT_EQ(std::vector<std::string>{"VORN_ComputerSystem"}, walk(true, "VORN_ComputerSystem"));
    EXPECT_EQ(std::vector<std::string>{"VORN_ComputerSystem"}, seen);
    EXPECT_EQ(std::vector<std::string>{"VORN_ComputerSystem"}, walk(false, ""));
    // The circle of children keeps its classes alive until it is broken, as
    // a host that makes one must.
    boost::dynamic_pointer_cast<TCimHTTPClass>(memory)->ClearInstances();
}

// Three nodes with data of their own: node keys 1, 5 and 3 (controller
// indexes 0, 4 and 2); the second node lacks DIMM3 and has DIMM7, the
// third has DIMM9 besides the four of the first.
class ThreeNodeEnumerationTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        fCluster = StartDemoCluster(3);
        RemoveMemory(fCluster->node(1).repository(), "DIMM3");
        fCluster->node(1).repository().addInstance(kServerNamespace, Memory("DIMM7"));
        fCluster->node(2).repository().addInstance(kServerNamespace, Memory("DIMM9"));
        TControllerSimulation::SetNodeCount(3);
        TControllerSimulation::SetControllerIndex(1, 4);
        fServed = std::make_unique<ServedNamespace>(fCluster->addresses());
        TRootObject::GetCoreLogger()->Clear();
    }

    boost::shared_ptr<ICIMClass> Class(const std::string& name) { return (*fServed)->GetClass(name, kNoContext); }

    std::unique_ptr<testcimom::CimomCluster> fCluster;
    std::unique_ptr<ServedNamespace> fServed;
};

const std::vector<std::string> kEveryNodesMemory = {"DIMM0@1", "DIMM0@5", "DIMM0@3", "DIMM1@1", "DIMM1@5",
                                                    "DIMM1@3", "DIMM2@1", "DIMM2@5", "DIMM2@3", "DIMM3@1",
                                                    "DIMM3@3", "DIMM7@5", "DIMM9@3"};

// Instances of the same path from several nodes stay side by side, in node order.
TEST_F(ThreeNodeEnumerationTest, EveryNodesInstancesArriveInPathOrderUnderTheirNode)
{
    auto memory = Class("VORN_Memory");
    ASSERT_TRUE(memory);
    EXPECT_TRUE(boost::dynamic_pointer_cast<TCimHTTPClass>(memory)->IsMultiNode());
    EXPECT_EQ(kEveryNodesMemory, DevicesAndNodes(Enumerate(*memory)));
    EXPECT_EQ((std::vector<std::string>{
                  "DEBUG: TCimHTTPClass:EI Total Clients 3\n",
                  "DEBUG: TCimHTTPClass:EnumerateInstances pegclient 0 get instance of VORN_Memory\nVORN_Memory "
                  "instance size 4\n",
                  "DEBUG: TCimHTTPClass:EnumerateInstances pegclient 1 get instance of VORN_Memory\nVORN_Memory "
                  "instance size 4\n",
                  "DEBUG: TCimHTTPClass:EnumerateInstances pegclient 2 get instance of VORN_Memory\nVORN_Memory "
                  "instance size 5\n"}),
              ProgressLines());
    EXPECT_EQ("1", ValueText(*memory->GetInstance(MemoryPath("DIMM0"), kNoContext), "NodeID"));
    EXPECT_EQ("5", ValueText(*memory->GetInstance(MemoryPath("DIMM7"), kNoContext), "NodeID"));
    EXPECT_FALSE(memory->GetInstance(MemoryPath("DIMM8"), kNoContext));
}

// Every identity carries its node; the first node keeps only its local
// events, the others keep all of theirs.
TEST_F(ThreeNodeEnumerationTest, IdentitiesCarryTheirNodeAndOnlyTheFirstNodeDropsLogEntries)
{
    const TInstances entries = Enumerate(*Class("VORN_StandardMessageLogEntry"));
    std::vector<std::string> expected;
    for (const auto& node : std::vector<std::pair<std::string, std::vector<std::string>>>{
             {"1", {"1", "3", "4"}}, {"3", {"1", "2", "3", "4"}}, {"5", {"1", "2", "3", "4"}}}) {
        const std::string index = node.first == "1" ? "1" : node.first == "5" ? "2" : "3";
        for (const std::string& record : node.second)
            expected.push_back("Node" + node.first + ":VORN:Log:1:000000000" + record + "@node" + index);
    }
    EXPECT_EQ(expected, ValueTexts(entries, "InstanceID"));

    const TInstances systems = Enumerate(*Class("VORN_ComputerSystem"));
    EXPECT_EQ((std::vector<std::string>{"Node1:", "Node5:", "Node3:"}), ValueTexts(systems, "InstanceID"));
    EXPECT_EQ((std::vector<std::string>{"1", "5", "3"}), ValueTexts(systems, "NodeID"));
}

// A node that went down after connecting costs its own instances only,
// and the cache then knows nothing of them.
TEST_F(ThreeNodeEnumerationTest, ANodeThatIsDownCostsOnlyItsOwnInstances)
{
    auto memory = Class("VORN_Memory");
    fCluster->node(1).stop();
    EXPECT_EQ((std::vector<std::string>{"DIMM0@1", "DIMM0@3", "DIMM1@1", "DIMM1@3", "DIMM2@1", "DIMM2@3", "DIMM3@1",
                                        "DIMM3@3", "DIMM9@3"}),
              DevicesAndNodes(Enumerate(*memory)));
    EXPECT_FALSE(memory->GetInstance(MemoryPath("DIMM7"), kNoContext));
    EXPECT_EQ("3", ValueText(*memory->GetInstance(MemoryPath("DIMM9"), kNoContext), "NodeID"));
    EXPECT_FALSE((*fServed)->GetInstance(MemoryPath("DIMM7"), kNoContext));
    EXPECT_TRUE((*fServed)->GetInstance(MemoryPath("DIMM9"), kNoContext));
}

// A node that does not answer in time is asked once more with twice the
// time; when that fails too, the other nodes' instances still arrive.
TEST_F(ThreeNodeEnumerationTest, ANodeThatTimesOutIsAskedOnceMoreThenLeftOut)
{
    Class("VORN_Memory");
    auto memory = boost::make_shared<TCimHTTPClass>(fServed->Namespace(), 250, "VORN_Memory",
                                                    boost::shared_ptr<TCimHTTPClass>());
    memory->Initialize();
    testcimom::Fault slow = MakeFault(testcimom::FaultKind::Delay, "EnumerateInstances", 2);
    slow.delay = 2s;
    fCluster->node(1).faults().add(slow);
    fCluster->node(1).requestLog().clear();

    EXPECT_EQ((std::vector<std::string>{"DIMM0@1", "DIMM0@3", "DIMM1@1", "DIMM1@3", "DIMM2@1", "DIMM2@3", "DIMM3@1",
                                        "DIMM3@3", "DIMM9@3"}),
              DevicesAndNodes(Enumerate(*memory)));
    EXPECT_EQ(2u, fCluster->node(1).requestLog().of("EnumerateInstances").size());

    slow.count = 1;
    fCluster->node(1).faults().clear();
    fCluster->node(1).faults().add(slow);
    EXPECT_EQ(kEveryNodesMemory, DevicesAndNodes(Enumerate(*memory)));
}

// The controller's namespaces name their node after "tarn", counted from
// 0; that node replaces the node key in identities and in NodeID. Nulls
// stay null outside root/cimv2.
class ControllerNamespaceTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        fServer = StartServer(DemoServerOptions(0));
        TControllerSimulation::SetControllerIndex(0, 8);
    }

    // "InstanceID NodeID Label" of each sensor of the namespace, "null" for a null label.
    std::vector<std::string> Sensors(const std::string& nameSpace)
    {
        AddSensors(nameSpace);
        ServedNamespace served({NodeAddress(0)}, ProviderContext(), false, nameSpace);
        std::vector<std::string> texts;
        for (const auto& instance : Enumerate(*served->GetClass("VORN_Sensor", kNoContext))) {
            const TCIMValue& label = ValueOf(*instance, "Label");
            texts.push_back(ValueText(*instance, "InstanceID") + " " + ValueText(*instance, "NodeID") + " " +
                            (label.IsNull() ? "null" : label.ToString()));
        }
        return texts;
    }

    void AddSensors(const std::string& nameSpace)
    {
        testcimom::Repository& repository = fServer->repository();
        repository.addNamespace(nameSpace);
        testcimom::CimClass sensor;
        sensor.name = "VORN_Sensor";
        testcimom::Property identity;
        identity.name = "InstanceID";
        identity.value = testcimom::Value::null(testcimom::CimType::String);
        identity.qualifiers.push_back({"Key", testcimom::Value::boolean(true), testcimom::Flavor(), false});
        testcimom::Property label;
        label.name = "Label";
        label.value = testcimom::Value::null(testcimom::CimType::String);
        sensor.properties = {identity, label};
        repository.addClass(nameSpace, sensor);
        for (const char* identity : {"S1", ""}) {
            testcimom::Instance instance;
            instance.className = "VORN_Sensor";
            instance.set("InstanceID", testcimom::Value::text(identity));
            repository.addInstance(nameSpace, instance);
        }
    }

    std::unique_ptr<testcimom::CimServer> fServer;
};

TEST_F(ControllerNamespaceTest, TheNodeDigitAfterTarnNamesTheNode)
{
    EXPECT_EQ((std::vector<std::string>{"Node1: 1 null", "Node1:S1 1 null"}), Sensors("root/tarn0"));
    EXPECT_EQ((std::vector<std::string>{"Node4: 4 null", "Node4:S1 4 null"}), Sensors("vorn/tarn3"));
    EXPECT_EQ((std::vector<std::string>{"Node7: 7 null", "Node7:S1 7 null"}), Sensors("root/tarn7"));
    EXPECT_EQ((std::vector<std::string>{"Node9: 9 null", "S1 9 null"}), Sensors("root/sensors"));
}

}  // namespace
