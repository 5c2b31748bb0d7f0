// The plug-in loaded once into a host process that runs a namespace's whole
// life over and over, against a test CIMOM in a process of its own: the
// provider allocates a namespace, the host layers it under its union
// namespace, Init and connect, the class CIM_ComputerSystem with its chain
// of six classes, the 1,000 Test_Big instances each with the display text
// of every property, Identify on a method test instance, disconnect,
// release. The host's log is emptied each cycle, as a host that writes its
// log out keeps none of it.
//
// Prints the resident memory after the baseline cycle and after the last,
// the open descriptors and threads before the first cycle and after the
// last, and the wall time. Exits with 1 when a cycle did not get what it
// should, when descriptors or threads were left, or when the resident
// memory grew by 5% or more from the baseline cycle to the last (not
// checked under AddressSanitizer, which holds freed memory back).
//
//   plugin-soak [--cycles N] [--baseline B]      defaults: 2000, 100
//   plugin-soak --serve ADDRESS                  the CIMOM: demo data and Test_Big
#include <sys/prctl.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMInstance.h>
#include <qel/INamespaceProvider.h>
#include <qel/TCoreLogger.h>
#include <qel/TInmemNamespace.h>
#include <qel/TNamespaceProviderManager.h>
#include <qel/TRootObject.h>
#include <qel/TUnionNamespace.h>
#include <qel/TVORNCNamespace.h>

#include <testcimom/CimServer.h>
#include <testcimom/DataSet.h>
#include <testcimom/InstanceGenerator.h>
#include <testcimom/LoopbackBlock.h>

#include "class/TCimHTTPClass.h"
#include "instance/TCimHTTPProperty.h"
#include "namespace/TCimHTTPNamespace.h"
#include "InstanceTestSupport.h"
#include "ProcessState.h"
#include "ServerProcess.h"

using namespace NVORNQEL20;

namespace {

const char* const kNamespace = "root/cimv2";
const std::size_t kInstances = 1000;
const std::size_t kChainLength = 6;
const double kAllowedGrowth = 0.05;
const TCIMContext kNoContext;

#if defined(__SANITIZE_ADDRESS__)
const bool kChecksMemory = false;
#else
const bool kChecksMemory = true;
#endif

[[noreturn]] void Fail(const std::string& what)
{
    throw std::runtime_error(what);
}

void Expect(bool condition, const std::string& what)
{
    if (!condition)
        Fail(what);
}

// The CIMOM's process: the demo data with the Test_Big class and its
// instances beside it; one line once it listens, then it waits to be killed.
int Serve(const std::string& address)
{
    // Goes with the soak, whatever ends it.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    testcimom::ServerOptions options;
    options.address = address;
    options.dataSet.kind = testcimom::DataSetKind::Demo;
    testcimom::CimServer server(options);
    server.start();
    testcimom::DataSet::loadFile(server.repository(), kNamespace,
                                 testcimom::DataSet::defaultDataDirectory() + "/test-classes.xml");
    testcimom::InstanceGenerator::addTestBig(server.repository(), kNamespace, kInstances);
    std::printf("listening on %s\n", address.c_str());
    std::fflush(stdout);
    for (;;)
        pause();
}

// The host's layering of one namespace of the provider, as the host builds
// it: a VORNC namespace over the union of a local in-memory namespace and
// the provider's, the VORNC namespace being the provider's upcall.
struct THostLayering {
    explicit THostLayering(const boost::shared_ptr<ICIMNamespace>& provided)
        : fProvided(provided),
          fUnion(boost::make_shared<TUnionNamespace>()),
          fTop(boost::make_shared<TVORNCNamespace>(fUnion))
    {
        fUnion->AddUnderlyingNamespace(boost::make_shared<TInmemNamespace>(), kNoContext);
        fUnion->AddUnderlyingNamespace(fProvided, kNoContext);
        fProvided->SetUpcallNamespace(fTop, kNoContext);
    }

    boost::shared_ptr<ICIMNamespace> fProvided;
    boost::shared_ptr<TUnionNamespace> fUnion;
    boost::shared_ptr<TVORNCNamespace> fTop;
};

void ExpectChain(ICIMNamespace& top)
{
    std::size_t length = 0;
    for (auto cls = top.GetClass("CIM_ComputerSystem", kNoContext); cls && !cls->IsRootClass(kNoContext);
         cls = cls->GetSuperClass(kNoContext))
        ++length;
    Expect(length == kChainLength, "CIM_ComputerSystem came with a chain of " + std::to_string(length) + " classes");
}

// Every property of every instance shown as the host shows it.
void ExpectInstancesShown(ICIMNamespace& top)
{
    const auto instances = cimhttp_test::Enumerate(*top.GetClass("Test_Big", kNoContext));
    Expect(instances.size() == kInstances, std::to_string(instances.size()) + " Test_Big instances");
    std::size_t shown = 0;
    for (const auto& instance : instances)
        instance->EnumerateProperties(
            [&shown](boost::shared_ptr<ICIMProperty> property) {
                shown += TCimHTTPProperty(boost::shared_ptr<const ICIMProperty>(property)).ToString().size();
                return true;
            },
            kNoContext);
    Expect(shown > 0, "no display text");
}

void ExpectMethodAnswers(ICIMNamespace& top)
{
    auto cls = boost::dynamic_pointer_cast<TCimHTTPClass>(top.GetClass("VORN_MethodTest", kNoContext));
    Expect(cls != nullptr, "no class VORN_MethodTest");
    const auto instances = cimhttp_test::Enumerate(*cls);
    Expect(!instances.empty(), "no VORN_MethodTest instances");
    TCIMContext outputs;
    const TCIMValue identity =
        cls->InvokeMethod(instances.front()->GetReference(kNoContext), "Identify", TCIMContext(), outputs, kNoContext);
    Expect(identity == instances.front()->GetProperty("ElementName", kNoContext)->GetValue(kNoContext),
           "Identify answered \"" + identity.ToString() + "\"");
}

void RunCycle(INamespaceProvider& provider, const std::string& address)
{
    TCIMContext context;
    context["pluginNameQualDeclValue"] = TCIMValue("soak");
    THostLayering layering(provider.AllocateNamespace(context, false, kNamespace));
    auto remote = boost::dynamic_pointer_cast<TCimHTTPNamespace>(layering.fProvided);
    remote->Init();
    remote->connect(address, "", "");
    ExpectChain(*layering.fTop);
    ExpectInstancesShown(*layering.fTop);
    ExpectMethodAnswers(*layering.fTop);
    remote->disconnect();
    TRootObject::GetCoreLogger()->Clear();
}

struct TOptions {
    std::size_t fCycles = 2000;
    std::size_t fBaseline = 100;
    std::string fServe;
};

TOptions Parse(int argc, char** argv)
{
    TOptions options;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--cycles"))
            options.fCycles = std::strtoul(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--baseline"))
            options.fBaseline = std::strtoul(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--serve"))
            options.fServe = argv[i + 1];
        else
            Fail(std::string("unknown option ") + argv[i]);
    }
    Expect(options.fBaseline >= 1 && options.fBaseline < options.fCycles,
           "the baseline cycle must come before the last");
    return options;
}

boost::shared_ptr<INamespaceProvider> LoadProvider()
{
    boost::shared_ptr<TNamespaceProviderManager> manager = TRootObject::GetNamespaceProviderManager();
    Expect(manager->LoadProviderLibrary(CIMHTTP_LIBRARY) == 0, "the plug-in did not initialise");
    boost::shared_ptr<INamespaceProvider> provider = manager->FindProvider("cimhttp");
    Expect(provider != nullptr, "no provider cimhttp");
    return provider;
}

int Soak(const TOptions& options)
{
    const std::string address = testcimom::LoopbackBlock::forThisProcess().address(0);
    testcimom::test::ServerProcess cimom("/proc/self/exe", {"--serve", address});
    Expect(!cimom.line(std::chrono::seconds(60)).empty(), "the CIMOM did not start");
    const boost::shared_ptr<INamespaceProvider> provider = LoadProvider();
    const std::size_t files = cimhttp_test::OpenFileCount();
    const std::size_t threads = cimhttp_test::ThreadCount();
    std::size_t baselineKb = 0;
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t cycle = 1; cycle <= options.fCycles; ++cycle) {
        RunCycle(*provider, address);
        if (cycle == options.fBaseline)
            baselineKb = cimhttp_test::ResidentKilobytes();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::size_t lastKb = cimhttp_test::ResidentKilobytes();
    const double growth = static_cast<double>(lastKb) / static_cast<double>(baselineKb) - 1.0;
    std::printf("cycles %zu in %.1f s (%.1f ms each)\n", options.fCycles, seconds, 1000.0 * seconds / options.fCycles);
    std::printf("resident after cycle %zu: %zu kB; after cycle %zu: %zu kB (%+.2f%%); peak %zu kB\n", options.fBaseline,
                baselineKb, options.fCycles, lastKb, 100.0 * growth, cimhttp_test::StatusKilobytes("VmHWM"));
    std::printf("open descriptors %zu, then %zu; threads %zu, then %zu\n", files, cimhttp_test::OpenFileCount(),
                threads, cimhttp_test::ThreadCount());
    Expect(cimhttp_test::OpenFileCount() == files, "descriptors left open");
    Expect(cimhttp_test::ThreadCount() == threads, "threads left running");
    if (!kChecksMemory)
        std::printf("resident memory not checked under AddressSanitizer\n");
    Expect(!kChecksMemory || growth < kAllowedGrowth, "resident memory grew by 5% or more");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        const TOptions options = Parse(argc, argv);
        return options.fServe.empty() ? Soak(options) : Serve(options.fServe);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "plugin-soak: %s\n", e.what());
        return 1;
    }
}
