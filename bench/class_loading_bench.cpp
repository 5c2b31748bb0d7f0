// What loading a class costs the plug-in, as a host asks for it: a class
// with a chain of six classes and 50 properties, from one test CIMOM and
// from three, cold (a new namespace each time) and warm (from the cache).
// The requests each load sends are counted from the servers' request logs.
// Figures and method: README.md.
//
//   class-loading-bench [--cold N] [--warm N]      defaults: 30, 20000

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <boost/pointer_cast.hpp>

#include <qel/ICIMClass.h>
#include <qel/TProviderSession.h>
#include <qel/TVORNCNamespace.h>

#include <testcimom/CimomCluster.h>
#include <testcimom/LoopbackBlock.h>

#include "namespace/TCimHTTPNamespace.h"

using namespace NVORNQEL20;

namespace {

const char* const kNamespace = "root/cimv2";
const int kChainLength = 6;
const int kPropertiesPerAncestor = 5;
const int kLeafProperties = 25;

std::string LevelName(int level)
{
    return "Bench_Level" + std::to_string(level);
}

testcimom::Qualifier TextQualifier(const std::string& name, const std::string& text)
{
    testcimom::Qualifier qualifier;
    qualifier.name = name;
    qualifier.value = testcimom::Value::text(text);
    return qualifier;
}

// Every fifth property is an enumeration with a value map, as CIM classes have.
testcimom::Property BenchProperty(int level, int index)
{
    testcimom::Property property;
    property.name = "Level" + std::to_string(level) + "Property" + std::to_string(index);
    property.qualifiers.push_back(TextQualifier("Description", "Property " + std::to_string(index) + " of level " +
                                                                   std::to_string(level) + " of the bench chain."));
    if (index % 5 == 0) {
        property.value = testcimom::Value::null(testcimom::CimType::Uint16);
        testcimom::Qualifier valueMap;
        valueMap.name = "ValueMap";
        valueMap.value = testcimom::Value::array(testcimom::CimType::String, {"0", "1", "2", ".."});
        property.qualifiers.push_back(valueMap);
    } else {
        property.value = testcimom::Value::null(testcimom::CimType::String);
    }
    return property;
}

// Bench_Level1 (top) to Bench_Level6: 5 properties on each ancestor, 25 on
// the leaf, so the leaf has 50.
void AddBenchChain(testcimom::Repository& repository)
{
    if (!repository.hasNamespace(kNamespace))
        repository.addNamespace(kNamespace);
    for (int level = 1; level <= kChainLength; ++level) {
        testcimom::CimClass cls;
        cls.name = LevelName(level);
        cls.superClass = level > 1 ? LevelName(level - 1) : "";
        cls.qualifiers.push_back(TextQualifier("Description", "Level " + std::to_string(level) + " of the bench chain."));
        const int count = level == kChainLength ? kLeafProperties : kPropertiesPerAncestor;
        for (int index = 1; index <= count; ++index)
            cls.properties.push_back(BenchProperty(level, index));
        repository.addClass(kNamespace, cls);
    }
}

std::unique_ptr<testcimom::CimomCluster> StartNodes(int count)
{
    testcimom::ClusterOptions options;
    options.nodeCount = count;
    options.baseAddress = testcimom::LoopbackBlock::forThisProcess().address(0);
    options.server.dataSet.kind = testcimom::DataSetKind::Empty;
    auto cluster = std::make_unique<testcimom::CimomCluster>(options);
    for (int node = 0; node < count; ++node)
        AddBenchChain(cluster->node(node).repository());
    return cluster;
}

// A namespace of the plug-in as the host serves it, connected to every node.
std::unique_ptr<TProviderSession> Serve(const std::vector<std::string>& hosts)
{
    TProviderSession::TOptions options;
    options.fLibraryPath = CIMHTTP_LIBRARY;
    options.fProviderName = "cimhttp";
    options.fNamespaceName = kNamespace;
    options.fContext["pluginNameQualDeclValue"] = TCIMValue("bench");
    return std::make_unique<TProviderSession>(options, [&hosts](boost::shared_ptr<ICIMNamespace> nameSpace) {
        auto remote = boost::dynamic_pointer_cast<TCimHTTPNamespace>(nameSpace);
        remote->Init();
        const std::vector<std::string> none(hosts.size());
        if (hosts.size() == 1)
            remote->connect(hosts.front(), "", "");
        else
            remote->connect(hosts, none, none);
    });
}

struct Requests {
    std::size_t total = 0;
    std::size_t full = 0;       // LocalOnly=false: the namespace's fetch of each class of the chain
    std::size_t ownOnly = 0;    // LocalOnly=true: each class's own definition, from every node
};

Requests Count(testcimom::CimomCluster& cluster)
{
    Requests requests;
    for (std::size_t node = 0; node < cluster.size(); ++node) {
        requests.total += cluster.node(node).requestLog().all().size();
        for (const auto& request : cluster.node(node).requestLog().of("GetClass"))
            ++(request.flag("LocalOnly").value_or(true) ? requests.ownOnly : requests.full);
    }
    return requests;
}

void ClearLogs(testcimom::CimomCluster& cluster)
{
    for (std::size_t node = 0; node < cluster.size(); ++node)
        cluster.node(node).requestLog().clear();
}

double Microseconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double, std::micro>(duration).count();
}

void Measure(int nodes, int coldRuns, int warmRuns)
{
    auto cluster = StartNodes(nodes);
    const std::string leaf = LevelName(kChainLength);
    std::vector<double> cold;
    Requests coldRequests;
    std::unique_ptr<TProviderSession> session;
    for (int run = 0; run < coldRuns; ++run) {
        session = Serve(cluster->addresses());
        ClearLogs(*cluster);
        const auto start = std::chrono::steady_clock::now();
        boost::shared_ptr<ICIMClass> cls = session->GetUpcallNamespace()->GetClass(leaf, TCIMContext());
        cold.push_back(Microseconds(std::chrono::steady_clock::now() - start));
        if (!cls) {
            std::fprintf(stderr, "%s did not load\n", leaf.c_str());
            std::exit(1);
        }
        coldRequests = Count(*cluster);
    }

    ClearLogs(*cluster);
    boost::shared_ptr<ICIMNamespace> top = session->GetUpcallNamespace();
    const auto start = std::chrono::steady_clock::now();
    for (int run = 0; run < warmRuns; ++run)
        top->GetClass(leaf, TCIMContext());
    const double warm = Microseconds(std::chrono::steady_clock::now() - start) / warmRuns;
    const Requests warmRequests = Count(*cluster);

    std::sort(cold.begin(), cold.end());
    std::printf("%d node%s: cold %zu requests (%zu full definitions, %zu own definitions), median %.0f us, best %.0f us;"
                " warm %zu requests, %.2f us\n",
                nodes, nodes > 1 ? "s" : "", coldRequests.total, coldRequests.full, coldRequests.ownOnly,
                cold[cold.size() / 2], cold.front(), warmRequests.total, warm);
}

int Argument(int argc, char** argv, const char* name, int fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return std::max(1, std::atoi(argv[i + 1]));
    return fallback;
}

}  // namespace

int main(int argc, char** argv)
{
    const int coldRuns = Argument(argc, argv, "--cold", 30);
    const int warmRuns = Argument(argc, argv, "--warm", 20000);
    Measure(1, coldRuns, warmRuns);
    Measure(3, coldRuns, warmRuns);
    return 0;
}
