// The namespace's schema cache with the host around it: classes come from
// the cache, from the host's union namespace or from the CIM server, with
// their superclass chains, checked against the test CIMOM's request log.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <Pegasus/Client/CIMClient.h>
#include <Pegasus/Common/Exception.h>

#include <qel/ICIMInstance.h>
#include <qel/ICIMProperty.h>
#include <qel/ICIMQualifier.h>
#include <qel/IProvider.h>
#include <qel/TQELException.h>
#include <qel/TRootObject.h>

#include <testcimom/CimomCluster.h>

#include "class/TCimHTTPClass.h"
#include "client/PegClient.h"
#include "SchemaTestSupport.h"
#include "ServedNamespace.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;
const char* const kServerNamespace = "root/cimv2";

// VORN_ComputerSystem and its superclasses, leaf first.
const std::vector<std::string> kComputerSystemChain = {
    "VORN_ComputerSystem",       "CIM_ComputerSystem", "CIM_System",        "CIM_EnabledLogicalElement",
    "CIM_LogicalElement", "CIM_ManagedSystemElement", "CIM_ManagedElement"};

std::string QualifierText(const ICIMClass& cls, const std::string& name)
{
    boost::shared_ptr<ICIMQualifier> qualifier = cls.GetQualifier(name, kNoContext);
    return qualifier ? qualifier->GetValue(kNoContext).ToString() : "(none)";
}

bool Logged(const std::string& prefix, int level = 3)
{
    for (const std::string& message : LoggedMessages(level))
        if (StartsWith(message, prefix))
            return true;
    return false;
}

// A class of the server's that declares nothing, below `superClass` (none when empty).
testcimom::CimClass EmptyClass(const std::string& name, const std::string& superClass = "")
{
    testcimom::CimClass cls;
    cls.name = name;
    cls.superClass = superClass;
    return cls;
}

class SchemaCacheTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        fServer = StartServer(DemoServerOptions(0));
    }

    // A namespace served and connected; the server's log and the host's
    // start empty after the connection.
    std::unique_ptr<ServedNamespace> Serve(const TCIMContext& context = ProviderContext(),
                                           bool replaceDuplicates = false)
    {
        auto served = std::make_unique<ServedNamespace>(std::vector<std::string>{NodeAddress(0)}, context,
                                                        replaceDuplicates);
        ForgetRequestsAndLog();
        return served;
    }

    void ForgetRequestsAndLog()
    {
        fServer->requestLog().clear();
        TRootObject::GetCoreLogger()->Clear();
    }

    std::unique_ptr<testcimom::CimServer> fServer;
};

TEST_F(SchemaCacheTest, SuperclassChainLoadsFirstRootToLeafAndStaysCached)
{
    auto served = Serve();
    auto cls = (*served)->GetClass("VORN_ComputerSystem", kNoContext);
    ASSERT_TRUE(cls);

    // Each class's full definition leaf to root, then each class's own root to leaf.
    std::vector<std::string> expected;
    for (const std::string& name : kComputerSystemChain)
        expected.push_back(name + " LocalOnly=false");
    for (auto name = kComputerSystemChain.rbegin(); name != kComputerSystemChain.rend(); ++name)
        expected.push_back(*name + " LocalOnly=true");
    EXPECT_EQ(expected, ClassFetches(*fServer));
    for (const auto& request : fServer->requestLog().of("GetClass")) {
        EXPECT_EQ(kServerNamespace, request.nameSpace);
        EXPECT_TRUE(FlagsSent(request).find("IncludeQualifiers=true IncludeClassOrigin=false") != std::string::npos)
            << FlagsSent(request);
    }

    for (const std::string& name : kComputerSystemChain) {
        auto cached = (*served)->GetClass(name, kNoContext);
        ASSERT_TRUE(cached) << name;
        EXPECT_EQ(kPluginName, QualifierText(*cached, "PLUGINNAME"));
        EXPECT_EQ("1.0", QualifierText(*cached, "PLUGINVERSION"));
        EXPECT_EQ(static_cast<ICIMNamespace*>(served->Namespace().get()), cached->GetNamespace(kNoContext).get());
    }
    EXPECT_EQ(expected.size(), fServer->requestLog().of("GetClass").size());

    // The superclasses the server names, up to the root class.
    std::vector<std::string> walk;
    for (auto step = cls; step && !step->IsRootClass(kNoContext); step = step->GetSuperClass(kNoContext))
        walk.push_back(step->GetName(kNoContext));
    EXPECT_EQ(kComputerSystemChain, walk);
}

TEST_F(SchemaCacheTest, CacheHitsSendNothingAndInvalidNamesAreRefused)
{
    auto served = Serve();
    auto cls = (*served)->GetClass("CIM_ManagedElement", kNoContext);
    ASSERT_TRUE(cls);
    ForgetRequestsAndLog();

    EXPECT_EQ(cls, (*served)->GetClass("cim_managedelement", kNoContext));
    EXPECT_EQ(cls, (*served)->GetClass("CIM_MANAGEDELEMENT", kNoContext));
    auto root = (*served)->GetClass("", kNoContext);
    ASSERT_TRUE(root);
    EXPECT_EQ(root, (*served)->GetClass("<root>", kNoContext));
    EXPECT_EQ("<root>", root->GetName(kNoContext));
    EXPECT_TRUE(root->IsRootClass(kNoContext));
    EXPECT_FALSE(cls->IsRootClass(kNoContext));

    for (const char* name : {"1Class", "CIM-Bad", "CIM Bad"})
        EXPECT_EQ(25, ThrownStatus([&] { (*served)->GetClass(name, kNoContext); })) << name;
    EXPECT_EQ((std::vector<std::string>{"CimHTTP: CIM name '1Class' is invalid",
                                        "CimHTTP: CIM name 'CIM-Bad' is invalid",
                                        "CimHTTP: CIM name 'CIM Bad' is invalid"}),
              LoggedMessages(0));
    EXPECT_TRUE(fServer->requestLog().all().empty());

    // A valid name the server does not know costs one request.
    EXPECT_FALSE((*served)->GetClass("_Missing1", kNoContext));
    EXPECT_EQ(std::vector<std::string>{"_Missing1 LocalOnly=false"}, ClassFetches(*fServer));
    EXPECT_TRUE(Logged("TCimHTTPNamespace::GetClass after AllocateClass from Pegasus for: _Missing1 returned "
                       "exception: "));
}

TEST_F(SchemaCacheTest, ClassOfTheUnionNamespaceIsCopiedAndNeverFetched)
{
    auto served = Serve();
    AddLocalClass(served->Local(), "Local_Setting", {"Value", "Owner"});
    AddLocalClass(served->Local(), "VORN_Memory", {"Slot"});

    for (const char* name : {"Local_Setting", "VORN_Memory"}) {
        auto copied = (*served)->GetClass(name, kNoContext);
        ASSERT_TRUE(copied) << name;
        EXPECT_EQ(static_cast<ICIMNamespace*>(served->Namespace().get()), copied->GetNamespace(kNoContext).get());
        EXPECT_EQ(kPluginName, QualifierText(*copied, "PLUGINNAME"));
        EXPECT_EQ("1.0", QualifierText(*copied, "PLUGINVERSION"));
        EXPECT_EQ(TCIMValue(""), copied->GetPropertyDecl("NodeID", kNoContext)->GetDefaultValue(kNoContext));
        EXPECT_TRUE(Logged(std::string("TCimHTTPNamespace::GetClass ") + name +
                           " Now it is Found in TCimHTTPNamespace from union namespace"));
    }
    EXPECT_EQ((std::vector<std::string>{"NodeID", "Owner", "Value"}),
              PropertyNamesOf(*(*served)->GetClass("Local_Setting", kNoContext)));
    EXPECT_EQ((std::vector<std::string>{"NodeID", "Slot"}),
              PropertyNamesOf(*(*served)->GetClass("VORN_Memory", kNoContext)));
    EXPECT_TRUE(fServer->requestLog().of("GetClass").empty());
}

// The union namespace stands over this namespace too, so it may answer with
// a class of this namespace: that class counts as not found.
TEST_F(SchemaCacheTest, OwnClassInTheUnionNamespaceCountsAsNotFound)
{
    auto served = Serve(ProviderContext(), true);
    auto cached = (*served)->GetClass("CIM_ManagedElement", kNoContext);
    ASSERT_TRUE(cached);
    fServer->requestLog().clear();

    auto again = (*served)->AllocateClass("CIM_ManagedElement", boost::shared_ptr<ICIMClass>(), kNoContext);
    EXPECT_EQ(std::vector<std::string>{"CIM_ManagedElement LocalOnly=true"}, ClassFetches(*fServer));
    EXPECT_NE(cached, again);
    EXPECT_EQ(PropertyNamesOf(*cached), PropertyNamesOf(*again));
}

TEST_F(SchemaCacheTest, DuplicateClassReplacesOrFailsByTheNamespacesFlag)
{
    for (bool replaceDuplicates : {false, true}) {
        auto served = Serve(ProviderContext(), replaceDuplicates);
        auto first = (*served)->GetClass("CIM_ManagedElement", kNoContext);
        ASSERT_TRUE(first);
        auto second = (*served)->AllocateClass("cim_managedelement", boost::shared_ptr<ICIMClass>(), kNoContext);
        TRootObject::GetCoreLogger()->Clear();
        const int status = ThrownStatus([&] { second->AddToNamespace(kNoContext); });
        EXPECT_EQ(replaceDuplicates ? second : first, (*served)->GetClass("CIM_ManagedElement", kNoContext));
        if (replaceDuplicates) {
            EXPECT_EQ(0, status);
        } else {
            EXPECT_EQ(16, status);
            EXPECT_TRUE(Logged("TCimHTTPNamespace: class cim_managedelement already defined"));
        }
    }
}

TEST_F(SchemaCacheTest, TimeOutsCountOnlyAboveTheirDefaults)
{
    struct Case {
        TCIMValue classTimeout;
        TCIMValue instancesTimeout;
        unsigned int expectedClassTimeout;
        int expectedInstancesTimeout;
    };
    const Case cases[] = {
        {TCIMValue(10000u), TCIMValue(10000u), 15000u, 60000},
        {TCIMValue(20000u), TCIMValue(70000u), 20000u, 70000},
        {TCIMValue("soon"), TCIMValue(-1), 15000u, 60000},
    };
    for (const Case& c : cases) {
        auto served = Serve();
        TCIMContext context = ProviderContext();
        context["GCTimeout"] = c.classTimeout;
        context["EITimeout"] = c.instancesTimeout;
        // The server lacks the class: the last request made is the namespace's own.
        (*served)->GetClass("_Missing1", context);
        EXPECT_EQ(c.expectedClassTimeout, (*served)->getPegClient()->GetPegclient()->getTimeout());
        auto cls = boost::dynamic_pointer_cast<TCimHTTPClass>((*served)->GetClass("CIM_ManagedElement", context));
        ASSERT_TRUE(cls);
        EXPECT_EQ(c.expectedInstancesTimeout, cls->GetEnumerateInstancesTimeout());
    }
}

TEST_F(SchemaCacheTest, RemoteNodesAreAskedForOnlyWithSeveralNodes)
{
    auto served = Serve();
    TControllerSimulation::SetNodeCount(1);
    EXPECT_FALSE((*served)->GetClass("VORN_RemoteNode", kNoContext));
    EXPECT_TRUE(Logged("TCimHTTPNamespace::GetClass skip VORN_RemoteNode"));
    EXPECT_TRUE(fServer->requestLog().all().empty());

    TControllerSimulation::SetNodeCount(2);
    EXPECT_TRUE((*served)->GetClass("VORN_RemoteNode", kNoContext));
}

TEST_F(SchemaCacheTest, UnconnectedNamespaceFindsNothingAndAsksNobody)
{
    ServedNamespace served(std::vector<std::string>{});
    EXPECT_FALSE(served->GetClass("CIM_ManagedElement", kNoContext));
    EXPECT_FALSE(served->GetClass("", kNoContext));
    int visited = 0;
    served->EnumerateRootClasses([&visited](boost::shared_ptr<ICIMClass>) { return ++visited > 0; }, kNoContext);
    EXPECT_EQ(0, visited);

    // A class made here loads nothing; its superclass is its parent, the root class.
    auto cls = served->AllocateClass("CIM_ManagedElement", boost::shared_ptr<ICIMClass>(), kNoContext);
    EXPECT_EQ(std::vector<std::string>{}, PropertyNamesOf(*cls));
    EXPECT_TRUE(cls->IsRootClass(kNoContext));
    auto root = cls->GetSuperClass(kNoContext);
    ASSERT_TRUE(root);
    EXPECT_EQ("<root>", root->GetName(kNoContext));
    EXPECT_EQ(0u, fServer->counters().totalRequests());
}

TEST_F(SchemaCacheTest, KeysAndSubclassTestsOfLoadedClasses)
{
    auto served = Serve();
    auto system = (*served)->GetClass("CIM_System", kNoContext);
    ASSERT_TRUE(system);
    std::vector<std::string> keys;
    system->EnumerateKeyNames([&keys](const std::string* name) {
        keys.push_back(*name);
        return true;
    }, kNoContext);
    EXPECT_EQ((std::vector<std::string>{"CreationClassName", "Name"}), keys);
    int visited = 0;
    system->EnumerateKeyNames([&visited](const std::string*) { return ++visited == 0; }, kNoContext);
    EXPECT_EQ(1, visited);

    EXPECT_TRUE(system->IsSubclassOf(system, kNoContext));
    EXPECT_TRUE(system->IsSubclassOf((*served)->GetClass("", kNoContext), kNoContext));
    // By name: the host's own class of that name counts as well.
    EXPECT_TRUE(system->IsSubclassOf(AddLocalClass(served->Local(), "CIM_System", {}), kNoContext));
    EXPECT_FALSE(system->IsSubclassOf(AddLocalClass(served->Local(), "Local_Other", {}), kNoContext));
}

// A remote namespace cannot be changed through the host, nor queried.
TEST_F(SchemaCacheTest, UnsupportedOperationsAndTheirStatus)
{
    auto served = Serve();
    auto cls = (*served)->GetClass("CIM_ManagedElement", kNoContext);
    ASSERT_TRUE(cls);
    const TCIMReference reference(served->Namespace(), TCIMContext(), "CIM_ManagedElement");
    TCIMValue value(1u);
    EXPECT_EQ(31, ThrownStatus([&] { (*served)->AddUnderlyingNamespace(served->Namespace(), kNoContext); }));
    EXPECT_EQ(1, ThrownStatus([&] { (*served)->Subscribe("SELECT * FROM CIM_ManagedElement", {}, kNoContext); }));
    EXPECT_EQ(1, ThrownStatus([&] { (*served)->DeleteInstance(reference, kNoContext); }));
    EXPECT_EQ(1, ThrownStatus([&] { (*served)->ModifyInstance(boost::shared_ptr<ICIMInstance>(), kNoContext); }));
    EXPECT_EQ(1, ThrownStatus([&] { (*served)->ExecuteQuery("SELECT * FROM CIM_ManagedElement", {}, kNoContext); }));
    EXPECT_EQ(31, ThrownStatus([&] { cls->RemoveFromNamespace(kNoContext); }));
    EXPECT_EQ(31, ThrownStatus([&] { cls->ModifyClass(cls, kNoContext); }));
    EXPECT_EQ(31, ThrownStatus([&] { cls->SetPropertyValue("Caption", value, kNoContext); }));
    EXPECT_EQ(15, ThrownStatus([&] { cls->GetProperty("Caption", kNoContext); }));
    int visited = 0;
    cls->EnumerateStaticProperties([&visited](boost::shared_ptr<ICIMProperty>) { return ++visited > 0; }, kNoContext);
    (*served)->EnumerateProviders([&visited](boost::shared_ptr<IProvider>) { return ++visited > 0; }, kNoContext);
    EXPECT_EQ(0, visited);

    // An instance of a class nobody knows is no instance.
    TRootObject::GetCoreLogger()->Clear();
    EXPECT_FALSE((*served)->GetInstance(TCIMReference(served->Namespace(), TCIMContext(), "_Missing1"), kNoContext));
    EXPECT_TRUE(Logged("TCimHTTPNamespace::GetInstance: no class _Missing1"));
}

// NodeID joins after the server's properties: a server's own NodeID stays.
TEST_F(SchemaCacheTest, NodeIdFollowsTheServersProperties)
{
    testcimom::CimClass own = EmptyClass("Test_OwnNodeId");
    testcimom::Property nodeId;
    nodeId.name = "NodeID";
    nodeId.value = testcimom::Value::null(testcimom::CimType::Uint32);
    own.properties.push_back(nodeId);
    fServer->repository().addClass(kServerNamespace, own);
    auto served = Serve();

    auto cls = (*served)->GetClass("Test_OwnNodeId", kNoContext);
    ASSERT_TRUE(cls);
    EXPECT_EQ(TCIMValue::TCIMType::eUint32, cls->GetPropertyDecl("NodeID", kNoContext)->GetType(kNoContext));
    auto element = (*served)->GetClass("CIM_ManagedElement", kNoContext);
    EXPECT_EQ(TCIMValue(""), element->GetPropertyDecl("nodeid", kNoContext)->GetDefaultValue(kNoContext));
}

TEST_F(SchemaCacheTest, LoopingAndDeepSuperclassChainsEndEmpty)
{
    testcimom::Repository& repository = fServer->repository();
    repository.addClass(kServerNamespace, EmptyClass("Loop_A"));
    repository.addClass(kServerNamespace, EmptyClass("Loop_B", "Loop_A"));
    repository.replaceClass(kServerNamespace, EmptyClass("Loop_A", "Loop_B"));
    repository.addClass(kServerNamespace, EmptyClass("Loop_Self"));
    repository.replaceClass(kServerNamespace, EmptyClass("Loop_Self", "Loop_Self"));
    auto deepName = [](int level) {
        char name[16];
        std::snprintf(name, sizeof name, "Deep_%04d", level);
        return std::string(name);
    };
    for (int level = 1; level <= 1000; ++level)
        repository.addClass(kServerNamespace, EmptyClass(deepName(level), level > 1 ? deepName(level - 1) : ""));
    auto served = Serve();

    EXPECT_FALSE((*served)->GetClass("Loop_A", kNoContext));
    EXPECT_EQ((std::vector<std::string>{"Loop_A LocalOnly=false", "Loop_B LocalOnly=false"}), ClassFetches(*fServer));
    EXPECT_EQ(std::vector<std::string>{"TCimHTTPNamespace::GetClass Loop_A : its superclass chain loops back to it"},
              LoggedMessages(0));
    // Nothing of the failed chain was kept.
    EXPECT_FALSE((*served)->GetClass("Loop_B", kNoContext));
    EXPECT_FALSE((*served)->GetClass("Loop_Self", kNoContext));

    ForgetRequestsAndLog();
    EXPECT_FALSE((*served)->GetClass("Deep_1000", kNoContext));
    EXPECT_EQ(32u, ClassFetches(*fServer).size());
    EXPECT_EQ(std::vector<std::string>{"TCimHTTPNamespace::GetClass Deep_0968 : superclass chain deeper than 32 "
                                       "classes"},
              LoggedMessages(0));
    EXPECT_TRUE((*served)->GetClass("Deep_0010", kNoContext));
}

TEST_F(SchemaCacheTest, ClassNamedItsOwnSuperclassHasNone)
{
    fServer->repository().addClass(kServerNamespace, EmptyClass("Test_Self"));
    auto served = Serve();
    auto cls = (*served)->GetClass("Test_Self", kNoContext);
    ASSERT_TRUE(cls);
    EXPECT_TRUE(cls->GetSuperClass(kNoContext)->IsRootClass(kNoContext));

    fServer->repository().replaceClass(kServerNamespace, EmptyClass("Test_Self", "Test_Self"));
    EXPECT_FALSE(cls->GetSuperClass(kNoContext));
    EXPECT_EQ(std::vector<std::string>{"TCimHTTPClass::GetSuperClass Test_Self : the server names it its own "
                                       "superclass"},
              LoggedMessages(0));
}

// What happens once per process (the ESXi check) runs in a process of its own.
class ESXiSchemaTest : public PluginTest {
};

TEST_F(ESXiSchemaTest, EsxiHostSkipsTheUnionNamespace)
{
    InFreshProcess([] {
        testcimom::ServerOptions options = ServerOptionsFor(testcimom::DataSetKind::DemoEsxi);
        auto server = StartServer(options);
        ServedNamespace served;
        ASSERT_TRUE(served->getIsServeESXi());
        AddLocalClass(served.Local(), "VORN_Memory", {"Slot"});
        server->requestLog().clear();

        auto cls = served->GetClass("VORN_Memory", kNoContext);
        ASSERT_TRUE(cls);
        const std::vector<std::string> fetches = ClassFetches(*server);
        ASSERT_FALSE(fetches.empty());
        EXPECT_EQ("VORN_Memory LocalOnly=false", fetches.front());
        EXPECT_EQ("VORN_Memory LocalOnly=true", fetches.back());
        EXPECT_EQ(15, ThrownStatus([&] { cls->GetPropertyDecl("Slot", kNoContext); }));
    });
}

class MultiNodeSchemaTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        testcimom::ClusterOptions options;
        options.nodeCount = 2;
        options.baseAddress = NodeAddress(0);
        options.server.dataSet.kind = testcimom::DataSetKind::Demo;
        fCluster = std::make_unique<testcimom::CimomCluster>(options);
        fServed = std::make_unique<ServedNamespace>(fCluster->addresses());
        fCluster->node(0).requestLog().clear();
        fCluster->node(1).requestLog().clear();
    }

    std::unique_ptr<testcimom::CimomCluster> fCluster;
    std::unique_ptr<ServedNamespace> fServed;
};

TEST_F(MultiNodeSchemaTest, EveryNodesDefinitionMergesIntoOneClass)
{
    auto cls = (*fServed)->GetClass("CIM_ManagedElement", kNoContext);
    ASSERT_TRUE(cls);
    EXPECT_EQ((std::vector<std::string>{"CIM_ManagedElement LocalOnly=false", "CIM_ManagedElement LocalOnly=true"}),
              ClassFetches(fCluster->node(0)));
    EXPECT_EQ(std::vector<std::string>{"CIM_ManagedElement LocalOnly=true"}, ClassFetches(fCluster->node(1)));
    EXPECT_EQ((std::vector<std::string>{"Caption", "Description", "ElementName", "InstanceID", "NodeID"}),
              PropertyNamesOf(*cls));
    EXPECT_TRUE(cls->GetSuperClass(kNoContext)->IsRootClass(kNoContext));
}

TEST_F(MultiNodeSchemaTest, FailedNodeLeavesWhatWasLoadedAndTheClassLoadsOnce)
{
    fCluster->node(1).faults().add(MakeFault(testcimom::FaultKind::CimError, "GetClass", 1));
    auto cls = boost::make_shared<TCimHTTPClass>(fServed->Namespace(), 60000, "CIM_ManagedElement",
                                                 boost::shared_ptr<TCimHTTPClass>());
    EXPECT_THROW(cls->Initialize(), Pegasus::Exception);
    EXPECT_EQ((std::vector<std::string>{"Caption", "Description", "ElementName", "InstanceID", "NodeID"}),
              PropertyNamesOf(*cls));

    const std::size_t sent = fCluster->node(0).requestLog().all().size() + fCluster->node(1).requestLog().all().size();
    cls->Initialize();
    EXPECT_EQ(sent, fCluster->node(0).requestLog().all().size() + fCluster->node(1).requestLog().all().size());
}

// A qualifier whose flavor does not allow overriding may not differ between nodes.
TEST_F(MultiNodeSchemaTest, NodesThatDisagreeOnAQualifierLoadNothing)
{
    testcimom::Repository& second = fCluster->node(1).repository();
    testcimom::CimClass element = *second.localClass(kServerNamespace, "CIM_LogicalElement");
    for (testcimom::Qualifier& qualifier : element.qualifiers)
        if (qualifier.name == "Description")
            qualifier.value = testcimom::Value::text("Described otherwise on the second node.");
    second.replaceClass(kServerNamespace, element);

    EXPECT_FALSE((*fServed)->GetClass("CIM_LogicalElement", kNoContext));
    EXPECT_TRUE(Logged("TCimHTTPNamespace::GetClass CIM_LogicalElement failed: " +
                       TQELStatusCode(TQELStatusCode::eQualifierConflict).TranslateStatusCode()));
    EXPECT_TRUE((*fServed)->GetClass("CIM_ManagedSystemElement", kNoContext));
}

}  // namespace
