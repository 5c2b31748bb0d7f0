// What the host gets from the plug-in when a CIM server misbehaves: every
// fault the test CIMOM puts into its answers, on the requests the host's
// calls make through the provider's namespace: a class with its superclass
// chain (the class itself failing, a class half way up the chain failing,
// the definition node 2 of 3 sends when a class initializes), the instances
// of a single node and of node 2 of 3, and a method call. Each case checks
// what the host receives, the failure lines logged, the time taken, and that
// the same call succeeds once the fault is gone, so nothing broken was kept.
#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include <Pegasus/Client/CIMClient.h>

#include <qel/ICIMClass.h>
#include <qel/ICIMInstance.h>
#include <qel/TVORNCNamespace.h>

#include "class/TCimHTTPClass.h"
#include "namespace/TCimHTTPNamespace.h"
#include "FaultTestSupport.h"
#include "InstanceTestSupport.h"
#include "MethodTestData.h"
#include "ServedNamespace.h"

using namespace cimhttp_faults;
using namespace std::chrono_literals;
using cimhttp_test::ServedNamespace;
using NVORNQEL20::ICIMClass;
using NVORNQEL20::ICIMNamespace;
using NVORNQEL20::TCIMContext;
using NVORNQEL20::TCimHTTPClass;
using NVORNQEL20::TCimHTTPNamespace;

namespace {

const TCIMContext kNoContext;
const char* const kSystemClass = "VORN_ComputerSystem";
// The plug-in's time-outs: a class (the context's "GCTimeout" and every
// class's own definition), instances and methods (the context's "EITimeout").
const int kClassTimeoutMs = 15000;
const int kInstancesTimeoutMs = 60000;

class HostCallFaultTest;

// One call of the host's, the request of it the fault hits, and what the
// host gets when it succeeds and when that request fails.
struct HostCall {
    std::string name;
    int nodes;
    int faultyNode;
    std::string wireOperation;  // as the server counts it: the method's name for a method call
    std::string faultClass;     // the class whose requests fail; "all" for every one
    std::string operation;      // as PegClient's log lines name it
    int timeoutMs;              // the plug-in's time-out for the failing request
    // Before the fault: loads the class an enumeration needs; none for a class.
    void (HostCallFaultTest::*prepare)();
    // Makes the call and describes what the host got.
    std::string (HostCallFaultTest::*run)();
    std::string answered;
    std::string failed;
    // The plug-in's own lines after the connection layer's.
    std::vector<std::string> failureLines;
};

void PrintTo(const HostCall& call, std::ostream* out)
{
    *out << call.name;
}

// Lines that mark progress rather than failure: left out of the comparison.
bool IsProgressLine(const std::string& line)
{
    for (const char* prefix : {"TCimHTTPNamespace::GetClass from Pegasus for: ", "DEBUG: TCimHTTPClass:"})
        if (cimhttp_test::StartsWith(line, prefix))
            return true;
    for (const std::string suffix :
         {" Found in TCimHTTPNamespace", " : being loaded, not found here", " : return <root>"})
        if (line.size() >= suffix.size() && line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0)
            return true;
    return false;
}

std::vector<std::string> FailureTrace()
{
    std::vector<std::string> trace = TakeTrace();
    trace.erase(std::remove_if(trace.begin(), trace.end(), IsProgressLine), trace.end());
    return trace;
}

class HostCallFaultTest : public FaultTest, public ::testing::WithParamInterface<std::tuple<RequestFault, HostCall>> {
public:
    // The host's view of the class: its chain up to the root class.
    std::string ClassChain()
    {
        std::string chain;
        for (auto cls = Top()->GetClass(kSystemClass, kNoContext); cls; cls = cls->GetSuperClass(kNoContext)) {
            chain += (chain.empty() ? "" : " < ") + cls->GetName(kNoContext);
            if (cls->IsRootClass(kNoContext))
                break;
        }
        return chain;
    }

    // The nodes the instances came from, in the order the host got them.
    std::string InstanceNodes()
    {
        std::string nodes;
        for (const auto& instance : cimhttp_test::Enumerate(*Top()->GetClass(kSystemClass, kNoContext)))
            nodes += (nodes.empty() ? "" : ",") + cimhttp_test::ValueText(*instance, "NodeID");
        return nodes;
    }

    // Identify on the third method test instance: its return value and the
    // names of the outputs.
    std::string Identified()
    {
        auto cls =
            boost::dynamic_pointer_cast<TCimHTTPClass>(Top()->GetClass(cimhttp_test::kMethodTestClass, kNoContext));
        TCIMContext outputs;
        const NVORNQEL20::TCIMValue value =
            cls->InvokeMethod(fThirdInstance, "Identify", TCIMContext(), outputs, kNoContext);
        std::string described = cimhttp_test::Shown(value);
        for (const auto& output : outputs)
            described += " " + output.first;
        return described;
    }

    void LoadSystemClass() { ASSERT_TRUE(Top()->GetClass(kSystemClass, kNoContext)); }

    void LoadMethodTestClass()
    {
        auto cls = Top()->GetClass(cimhttp_test::kMethodTestClass, kNoContext);
        ASSERT_TRUE(cls);
        fThirdInstance =
            cimhttp_test::HostReference(cls, cimhttp_test::KeyValuesOf(cimhttp_test::MethodTestInstances()[2]));
    }

protected:
    void SetUp() override
    {
        FaultTest::SetUp();
        NVORNQEL20::PegClient::SetTimeoutDivisor(TimeoutDivisor());
    }

    // Demo CIMOMs, and the provider's namespace served by the host and
    // connected to them; the once-per-process ESXi probe is behind it.
    void Serve(int nodes)
    {
        NVORNQEL20::TControllerSimulation::SetNodeCount(nodes);
        fCluster = cimhttp_test::StartDemoCluster(nodes);
        const std::vector<std::string> hosts = fCluster->addresses();
        fServed = std::make_unique<ServedNamespace>(
            cimhttp_test::ProviderContext(),
            [hosts](boost::shared_ptr<ICIMNamespace> nameSpace) { ConnectWithCredentials(nameSpace, hosts); });
        (*fServed)->CheckIsESXi5();
        TakeTrace();
    }

    static void ConnectWithCredentials(boost::shared_ptr<ICIMNamespace> nameSpace,
                                       const std::vector<std::string>& hosts)
    {
        auto remote = boost::dynamic_pointer_cast<TCimHTTPNamespace>(nameSpace);
        remote->Init();
        if (hosts.size() == 1)
            remote->connect(hosts.front(), kUser, kPassword);
        else
            remote->connect(hosts, std::vector<std::string>(hosts.size(), kUser),
                            std::vector<std::string>(hosts.size(), kPassword));
    }

    // The host asks the top of its layering, as it does for everything.
    boost::shared_ptr<NVORNQEL20::TVORNCNamespace> Top() { return fServed->Session().GetUpcallNamespace(); }

    // Requests of the operation the server received for the class ("all": any).
    static std::size_t Requests(testcimom::CimServer& server, const HostCall& call)
    {
        std::size_t count = 0;
        for (const testcimom::LoggedRequest& request : server.requestLog().of(call.wireOperation))
            if (call.faultClass == "all" || request.target == call.faultClass)
                ++count;
        return count;
    }

    std::unique_ptr<testcimom::CimomCluster> fCluster;
    std::unique_ptr<ServedNamespace> fServed;
    NVORNQEL20::TCIMReference fThirdInstance;
};

const std::string kChain =
    "VORN_ComputerSystem < CIM_ComputerSystem < CIM_System < CIM_EnabledLogicalElement < CIM_LogicalElement < "
    "CIM_ManagedSystemElement < CIM_ManagedElement < <root>";

std::string AfterAllocateClass(const std::string& name)
{
    return "TCimHTTPNamespace::GetClass after AllocateClass from Pegasus for: " + name +
           " returned exception: uninitialized CIMClass";
}

std::string SuperclassDidNotLoad(const std::string& name, const std::string& superclass)
{
    return "TCimHTTPNamespace::GetClass " + name + " : its superclass " + superclass + " did not load";
}

// A class with its chain, all on three nodes, the fault on one node's
// GetClass requests for the class named ("all": every one).
HostCall ClassCall(const std::string& name, int faultyNode, const std::string& faultClass,
                   std::vector<std::string> failureLines)
{
    return {name,
            3,
            faultyNode,
            "GetClass",
            faultClass,
            "GetClass",
            kClassTimeoutMs,
            nullptr,
            &HostCallFaultTest::ClassChain,
            kChain,
            "",
            std::move(failureLines)};
}

// The instances of the system class; the class is loaded before the fault.
HostCall InstancesCall(const std::string& name, int nodes, int faultyNode, const std::string& answered,
                       const std::string& failed)
{
    return {name,
            nodes,
            faultyNode,
            "EnumerateInstances",
            "all",
            "EnumerateInstances",
            kInstancesTimeoutMs,
            &HostCallFaultTest::LoadSystemClass,
            &HostCallFaultTest::InstanceNodes,
            answered,
            failed,
            {}};
}

const std::vector<HostCall>& HostCalls()
{
    static const std::vector<HostCall> calls = {
        // The server path asks node 0 for the class, then for its superclasses.
        ClassCall("GetClass", 0, kSystemClass, {AfterAllocateClass(kSystemClass)}),
        ClassCall("GetClassSuperclass", 0, "CIM_System",
                  {AfterAllocateClass("CIM_System"), SuperclassDidNotLoad("CIM_ComputerSystem", "CIM_System")}),
        // Each class, top first, then reads its own definition from every
        // node: the first request node 1 sees is the top class's.
        ClassCall("ClassInitialize", 1, "all",
                  {AfterAllocateClass("CIM_ManagedElement"),
                   SuperclassDidNotLoad("CIM_ManagedSystemElement", "CIM_ManagedElement")}),
        InstancesCall("EnumerateInstances", 1, 0, "1", ""),
        InstancesCall("EnumerateInstancesNode2Of3", 3, 1, "1,2,3", "1,3"),
        // A failed call hands back what a null value converts to, no outputs.
        {"InvokeMethod",
         1,
         0,
         "Identify",
         "all",
         "InvokeMethod",
         kInstancesTimeoutMs,
         &HostCallFaultTest::LoadMethodTestClass,
         &HostCallFaultTest::Identified,
         "string:Third Self",
         "boolean:FALSE",
         {}},
    };
    return calls;
}

std::chrono::milliseconds BoundFor(Outcome outcome, int timeoutMs)
{
    const int waited = outcome == Outcome::TimesOut ? 3 * timeoutMs / TimeoutDivisor() : 0;
    return std::chrono::milliseconds(waited) + Scaled(3000ms);
}

TEST_P(HostCallFaultTest, HostGetsTheDefinedResultInTime)
{
    const RequestFault& fault = std::get<0>(GetParam());
    const HostCall& call = std::get<1>(GetParam());
    Serve(call.nodes);
    testcimom::CimServer& faulty = fCluster->node(call.faultyNode);
    if (call.prepare)
        (this->*call.prepare)();
    TakeTrace();
    if (fault.responseCap)
        (*fServed)
            ->getPegClientVec()
            .at(call.faultyNode)
            .begin()
            ->second->GetPegclient()
            ->setMaxResponseSize(fault.responseCap);

    for (testcimom::Fault variant : fault.variants) {
        SCOPED_TRACE(std::string(testcimom::faultKindName(variant.kind)) + " code " + std::to_string(variant.cimCode));
        variant.operation = call.wireOperation;
        variant.className = call.faultClass;
        faulty.faults().add(variant);
        faulty.requestLog().clear();
        const Stopwatch watch;
        EXPECT_EQ(call.failed, (this->*call.run)());
        EXPECT_LT(watch.Elapsed(), BoundFor(fault.outcome, call.timeoutMs));
        ExpectLines(Joined(OutcomeLines(fault.outcome, call.operation), call.failureLines), FailureTrace());
        EXPECT_EQ(AttemptsFor(fault.outcome), Requests(faulty, call));
        faulty.faults().clear();
    }
    EXPECT_EQ(call.answered, (this->*call.run)());
    EXPECT_TRUE(FailureTrace().empty());
}

INSTANTIATE_TEST_SUITE_P(Matrix, HostCallFaultTest,
                         ::testing::Combine(::testing::ValuesIn(RequestFaults()), ::testing::ValuesIn(HostCalls())),
                         CaseName());

}  // namespace
