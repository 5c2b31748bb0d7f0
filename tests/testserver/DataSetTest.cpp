// The data sets the server starts with: the captured one, the demo inventory
// and its ESXi variant, per-node values and data files of one's own.

#include "Captures.h"
#include "RawClient.h"
#include "ServerFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace testcimom::test {
namespace {

struct Loaded {
    Repository repository;
    MethodProviders methods;
};

std::unique_ptr<Loaded> load(DataSetOptions options)
{
    auto loaded = std::make_unique<Loaded>();
    DataSet::load(loaded->repository, loaded->methods, options);
    return loaded;
}

DataSetOptions options(DataSetKind kind)
{
    DataSetOptions made;
    made.kind = kind;
    made.testBigInstances = 25;
    return made;
}

std::string qualifierText(const CimClass& cimClass, const std::string& propertyName, const std::string& qualifierName)
{
    const Qualifier* qualifier = findByName(cimClass.findProperty(propertyName)->qualifiers, qualifierName);
    return qualifier != nullptr ? qualifier->value.items.front() : std::string();
}

const Property* propertyOf(const InstanceRef& instance, const std::string& name)
{
    return instance->instance.findProperty(name);
}

TEST(DataSets, CaptureDataSetHoldsTheCapturedNamespaces)
{
    auto capture = load(options(DataSetKind::Capture));
    EXPECT_EQ(capture->repository.namespaceNames(),
              (std::vector<std::string>{"root/cimv2", "root/SampleProvider", "root/test"}));
    EXPECT_EQ(capture->repository.instances("root/cimv2", "CIM_ManagedElement").size(), 12u);
    EXPECT_EQ(capture->repository.instances("root/test", "Test_Big").size(), 25u);
    EXPECT_TRUE(capture->repository.instances("root/test", "Test_Empty").empty());
    EXPECT_FALSE(capture->repository.resolvedClass("root/cimv2", "Test_Big"));
    EXPECT_EQ(capture->repository.instances("root/cimv2", "VMware_HypervisorSoftwareIdentity").size(), 1u);
    EXPECT_EQ(capture->repository.qualifierDecls("root/test").size(), 32u);
}

TEST(DataSets, DemoLooksLikeAServerInventoryWithoutVmware)
{
    auto demo = load(options(DataSetKind::Demo));
    Repository& repository = demo->repository;
    const std::string ns = "root/cimv2";
    EXPECT_TRUE(repository.instances(ns, "VMware_HypervisorSoftwareIdentity").empty());
    auto slots = repository.instances(ns, "OMC_ProcessorSlot");
    ASSERT_EQ(slots.size(), 2u);
    EXPECT_EQ(propertyOf(slots[1], "Number")->value.items.front(), "1");

    std::vector<std::string> localEvents;
    for (const InstanceRef& entry : repository.instances(ns, "VORN_StandardMessageLogEntry")) {
        const Property* isLocal = propertyOf(entry, "IsLocalEvent");
        localEvents.push_back(isLocal->value.isNull ? "null" : isLocal->value.items.front());
    }
    EXPECT_EQ(localEvents, (std::vector<std::string>{"TRUE", "FALSE", "null", "TRUE"}));
    EXPECT_EQ(repository.instances(ns, "VORN_RemoteNode").size(), 2u);

    CimClass port = *repository.resolvedClass(ns, "VORN_NetworkPort");
    EXPECT_EQ(qualifierText(port, "Speed", "Units"), "MegaBits per Second");
    EXPECT_EQ(qualifierText(port, "Latency", "Units"), "MilliSeconds");
    EXPECT_EQ(port.findProperty("DuplexIndicator")->value.type, CimType::Char16);
    EXPECT_EQ(qualifierText(*repository.resolvedClass(ns, "VORN_Memory"), "Capacity", "Units"), "KiloBytes");
    CimClass system = *repository.resolvedClass(ns, "VORN_ComputerSystem");
    EXPECT_EQ(qualifierText(system, "ElementName", "Override"), "ElementName");
    EXPECT_FALSE(system.methods.empty());
    CimClass hosted = *repository.resolvedClass(ns, "VORN_HostedRemoteNode");
    EXPECT_NE(hosted.findQualifier("Association"), nullptr);
    EXPECT_EQ(hosted.findProperty("Dependent")->referenceClass, "VORN_RemoteNode");
    auto interval = propertyOf(repository.instances(ns, "VORN_NetworkPort")[0], "LinkUpTime")->value.items.front();
    EXPECT_EQ(interval.substr(21), ":000") << "an interval";
}

TEST(DataSets, DemoMethodAndEsxiVariantWorkOverTheWire)
{
    ServerOptions esxi = ephemeralOptions(DataSetKind::DemoEsxi);
    esxi.dataSet.esxiVersion = "6.7.0 build-8169922";
    auto server = startedServer(esxi);
    HttpAnswer answer = RawClient(server->address(), server->httpsPort(), true)
                            .exchange(classRequest("EnumerateInstances", "root/cimv2", "VMware_HypervisorSoftwareIdentity"));
    EXPECT_NE(answer.body.find("<VALUE>6.7.0 build-8169922</VALUE>"), std::string::npos);
    EXPECT_NE(answer.body.find("<PROPERTY NAME=\"MajorVersion\"  TYPE=\"uint16\">\n<VALUE>6</VALUE>"), std::string::npos);

    std::string ping = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<CIM CIMVERSION=\"2.0\" DTDVERSION=\"2.0\">\n"
                       "<MESSAGE ID=\"9\" PROTOCOLVERSION=\"1.0\"><SIMPLEREQ><METHODCALL NAME=\"Ping\"><LOCALCLASSPATH>"
                       "<LOCALNAMESPACEPATH><NAMESPACE NAME=\"root\"/><NAMESPACE NAME=\"cimv2\"/></LOCALNAMESPACEPATH>"
                       "<CLASSNAME NAME=\"VORN_ComputerSystem\"/></LOCALCLASSPATH><PARAMVALUE NAME=\"Target\" "
                       "PARAMTYPE=\"string\"><VALUE>10.0.0.1</VALUE></PARAMVALUE></METHODCALL></SIMPLEREQ></MESSAGE></CIM>";
    answer = RawClient(server->address(), server->httpPort()).exchange(cimRequest("Ping", "root/cimv2", ping));
    EXPECT_NE(answer.body.find("<RETURNVALUE PARAMTYPE=\"uint32\">\n<VALUE>0</VALUE>"), std::string::npos) << answer.body;
    EXPECT_NE(answer.body.find("<PARAMVALUE NAME=\"RoundTripTime\" PARAMTYPE=\"uint32\">"), std::string::npos);
}

TEST(DataSets, NodeNumbersMarkInstanceIdsAndReferencesAlike)
{
    DataSetOptions second = options(DataSetKind::Capture);
    second.nodeNumber = 2;
    auto node = load(second);
    auto logs = node->repository.instances("root/cimv2", "VORN_StandardMessageLogEntry");
    ASSERT_EQ(logs.size(), 2u);
    EXPECT_EQ(propertyOf(logs[0], "InstanceID")->value.items.front(), "VORN:Log:1:0000000001@node2");
    EXPECT_EQ(logs[0]->path.keys[0].value, "VORN:Log:1:0000000001@node2");
    auto identities = node->repository.instances("root/cimv2", "CIM_ElementSoftwareIdentity");
    ASSERT_EQ(identities.size(), 2u);
    EXPECT_NE(identities[0]->path.toString().find("InstanceID=\"VMware:HypervisorSoftwareIdentity:esx01@node2\""),
              std::string::npos)
        << identities[0]->path.toString();
}

TEST(DataSets, DataFilesOfOnesOwnLoadAndBadOnesAreReported)
{
    const std::string directory = testing::TempDir();
    const std::string good = directory + "/testcimom-extra.xml";
    std::ofstream(good) << "<?xml version=\"1.0\"?><CIM CIMVERSION=\"2.0\" DTDVERSION=\"2.0\"><DECLARATION>"
                           "<DECLGROUP><LOCALNAMESPACEPATH><NAMESPACE NAME=\"root\"/><NAMESPACE NAME=\"extra\"/>"
                           "</LOCALNAMESPACEPATH><VALUE.OBJECT><CLASS NAME=\"Extra_Thing\"><PROPERTY NAME=\"Id\" "
                           "TYPE=\"string\"><QUALIFIER NAME=\"Key\" TYPE=\"boolean\"><VALUE>TRUE</VALUE></QUALIFIER>"
                           "</PROPERTY></CLASS></VALUE.OBJECT><VALUE.OBJECT><INSTANCE CLASSNAME=\"Extra_Thing\">"
                           "<PROPERTY NAME=\"Id\" TYPE=\"string\"><VALUE>one</VALUE></PROPERTY></INSTANCE>"
                           "</VALUE.OBJECT></DECLGROUP></DECLARATION></CIM>";
    DataSetOptions withExtra = options(DataSetKind::Empty);
    withExtra.extraFiles.push_back({"root/ignored", good});
    auto loaded = load(withExtra);
    EXPECT_EQ(loaded->repository.instances("root/extra", "Extra_Thing").size(), 1u);

    const std::string bad = directory + "/testcimom-bad.xml";
    std::ofstream(bad) << "<CIM><DECLARATION><DECLGROUP><VALUE.OBJECT><INSTANCE CLASSNAME=\"Nope\"/>";
    withExtra.extraFiles = {{"root/x", bad}};
    try {
        load(withExtra);
        FAIL() << "a malformed file loads";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find(bad), std::string::npos) << error.what();
    }
    std::ofstream(bad) << "<?xml version=\"1.0\"?><CIM><DECLARATION><DECLGROUP><VALUE.OBJECT>"
                          "<INSTANCE CLASSNAME=\"Nope\"/></VALUE.OBJECT></DECLGROUP></DECLARATION></CIM>";
    EXPECT_THROW(load(withExtra), std::runtime_error) << "an instance of an unknown class";
    std::remove(good.c_str());
    std::remove(bad.c_str());
}

}  // namespace
}  // namespace testcimom::test
