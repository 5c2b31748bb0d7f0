// What a host pays for the instances of a large class through the plug-in:
// the Test_Big instances of the test CIMOM's capture data, enumerated
// through the loaded plug-in as the host drives it and shown (the display
// text of every property), beside the client library's enumerateInstances
// of the same answer and the SAX2 floor over its bytes. Client CPU time,
// instances per second and peak memory. Figures and method: README.md.
//
//   instance-bench [--instances N] [--repeat R]      defaults: 10000, 5

#include <algorithm>
#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <boost/pointer_cast.hpp>

#include <libxml/parser.h>

#include <Pegasus/Client/CIMClient.h>

#include <qel/ICIMClass.h>
#include <qel/ICIMInstance.h>
#include <qel/ICIMProperty.h>
#include <qel/TProviderSession.h>

#include <testcimom/LoopbackBlock.h>

#include "AllocationCounter.h"
#include "BenchTiming.h"
#include "SaxFloor.h"
#include "TestBigResponse.h"
#include "instance/TCimHTTPProperty.h"
#include "namespace/TCimHTTPNamespace.h"

using namespace NVORNQEL20;
using BenchTiming::Timing;
using BenchTiming::bestOf;

namespace {

const char* const kNamespace = "root/test";
const char* const kClass = "Test_Big";
const std::size_t kPieceSize = 64 * 1024;
const TCIMContext kNoContext;

struct TOptions {
    int fInstances = 10000;
    int fRepeat = 5;
};

TOptions Parse(int argc, char** argv)
{
    TOptions options;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--instances") == 0)
            options.fInstances = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--repeat") == 0)
            options.fRepeat = std::atoi(argv[i + 1]);
    }
    return options;
}

void Expect(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "instance-bench: %s\n", what);
        std::exit(1);
    }
}

bool Listens(const std::string& address, int port)
{
    sockaddr_in endpoint{};
    endpoint.sin_family = AF_INET;
    endpoint.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, address.c_str(), &endpoint.sin_addr);
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    const bool connected = ::connect(probe, reinterpret_cast<sockaddr*>(&endpoint), sizeof endpoint) == 0;
    ::close(probe);
    return connected;
}

// The test CIMOM in a process of its own (HTTP on 5988 only), so that what
// it allocates to build its answers is not counted as the client's.
class TServerProcess {
public:
    TServerProcess(const std::string& address, int instances)
    {
        const std::string count = std::to_string(instances);
        std::vector<std::string> arguments = {CIMTESTSERVER, "--address", address, "--no-https", "--test-big", count};
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(&argument[0]);
        argv.push_back(nullptr);
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        const int spawned = posix_spawn(&fPid, CIMTESTSERVER, &quiet, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&quiet);
        Expect(spawned == 0, "the test CIMOM did not start");
        for (int attempt = 0; attempt < 600 && !Listens(address, 5988); ++attempt)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Expect(Listens(address, 5988), "the test CIMOM does not listen");
    }

    ~TServerProcess()
    {
        ::kill(fPid, SIGTERM);
        ::waitpid(fPid, nullptr, 0);
    }

private:
    pid_t fPid;
};

// The plug-in's namespace as a host serves it, on the server over HTTP.
std::unique_ptr<TProviderSession> Serve(const std::string& address)
{
    TCIMContext context;
    context["pluginNameQualDeclValue"] = TCIMValue("instance-bench");
    TProviderSession::TOptions options;
    options.fLibraryPath = CIMHTTP_LIBRARY;
    options.fProviderName = "cimhttp";
    options.fNamespaceName = kNamespace;
    options.fContext = context;
    return std::make_unique<TProviderSession>(options, [&address](boost::shared_ptr<ICIMNamespace> nameSpace) {
        auto remote = boost::dynamic_pointer_cast<TCimHTTPNamespace>(nameSpace);
        remote->Init();
        remote->ConnectViaHttp(address, "", "", 5988);
    });
}

boost::shared_ptr<ICIMClass> BigClass(const TProviderSession& session)
{
    boost::shared_ptr<ICIMClass> cls = session.GetNamespace()->GetClass(kClass, kNoContext);
    Expect(static_cast<bool>(cls), "the plug-in found no Test_Big");
    return cls;
}

// The characters of every property's display text, as a host shows it.
std::size_t Show(const ICIMInstance& instance)
{
    std::size_t characters = 0;
    instance.EnumerateProperties(
        [&characters](boost::shared_ptr<ICIMProperty> property) {
            const TCimHTTPProperty shown{boost::shared_ptr<ICIMProperty const>(property)};
            if (shown.IsArray(kNoContext))
                for (const std::string& text : shown.ToStringVector())
                    characters += text.size();
            else
                characters += shown.ToString().size();
            return true;
        },
        kNoContext);
    return characters;
}

// One enumeration through the plug-in, the instances shown or only counted.
std::size_t Enumerate(ICIMClass& cls, bool show, const TOptions& options)
{
    int count = 0;
    std::size_t characters = 0;
    cls.EnumerateInstances(
        [&](boost::shared_ptr<ICIMInstance> instance) {
            ++count;
            if (show)
                characters += Show(*instance);
            return true;
        },
        false, kNoContext);
    Expect(count == options.fInstances, "the plug-in enumerated another number of instances");
    return characters;
}

// What the plug-in asks the server, through the client library alone.
Pegasus::Array<Pegasus::CIMInstance> EnumerateWithClient(Pegasus::CIMClient& client, const TOptions& options)
{
    Pegasus::Array<Pegasus::CIMInstance> instances = client.enumerateInstances(
        Pegasus::CIMNamespaceName(kNamespace), Pegasus::CIMName(kClass), false, true, false, false);
    Expect(instances.size() == static_cast<Pegasus::Uint32>(options.fInstances),
           "the client library enumerated another number of instances");
    return instances;
}

double Seconds(const timeval& time)
{
    return time.tv_sec + time.tv_usec / 1e6;
}

double KernelSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return Seconds(usage.ru_stime);
}

// A run's times, and the part of its CPU time the kernel spent for it (page
// faults above all, and socket reads).
struct TRound {
    Timing fTiming;
    double fKernel = 0;
};

template <typename TRun>
TRound TimeRound(TRun run)
{
    TRound round;
    const double kernel = KernelSeconds();
    round.fTiming = bestOf(1, [&] {
        auto result = run();
        round.fKernel = KernelSeconds() - kernel;
        return result;
    });
    return round;
}

// The round of least CPU time, with its kernel time; the least wall time.
void KeepBest(TRound& best, const TRound& round)
{
    if (round.fTiming.cpu < best.fTiming.cpu) {
        best.fTiming.cpu = round.fTiming.cpu;
        best.fKernel = round.fKernel;
    }
    best.fTiming.wall = std::min(best.fTiming.wall, round.fTiming.wall);
}

struct TRounds {
    TRound fLibrary;
    TRound fEnumeration;
    TRound fShown;
};

// The three runs take turns, round after round, so that what else the
// machine does meanwhile falls on all of them alike; the best of each. The
// client library's best also counts its rounds alone (`library`, before
// the plug-in held any instance).
template <typename TLibrary, typename TEnumeration, typename TShown>
void TakeTurns(const TOptions& options, TRounds& best, TLibrary library, TEnumeration enumeration, TShown shown)
{
    for (int round = 0; round < options.fRepeat; ++round) {
        KeepBest(best.fLibrary, TimeRound(library));
        KeepBest(best.fEnumeration, TimeRound(enumeration));
        KeepBest(best.fShown, TimeRound(shown));
    }
}

template <typename TRun>
double PeakMegabytes(TRun run)
{
    AllocationCounter::start();
    run();
    return AllocationCounter::stop() / 1e6;
}

void Report(const char* what, const TRound& round, const TOptions& options, const Timing& reference,
            const char* referenceName)
{
    const Timing& timing = round.fTiming;
    std::printf("%-34s %8.1f ms CPU (%.0f instances/s), %.2fx %s; %.1f ms of it in the kernel; %.1f ms wall\n",
                what, timing.cpu * 1e3, options.fInstances / timing.cpu, timing.cpu / reference.cpu, referenceName,
                round.fKernel * 1e3, timing.wall * 1e3);
}

void ReportPeak(const char* what, double megabytes, double responseMegabytes)
{
    std::printf("%-34s %8.1f MB (%.2fx the response)\n", what, megabytes, megabytes / responseMegabytes);
}

}  // namespace

int main(int argc, char** argv)
{
    xmlInitParser();
    AllocationCounter::install();
    const TOptions options = Parse(argc, argv);

    const std::string body = testBigResponseBody(options.fInstances);
    const double responseMegabytes = body.size() / 1e6;
    const Timing floor = bestOf(options.fRepeat, [&] { return parseOnly(body, kPieceSize); });
    std::printf("response body                      %zu bytes, %d instances\n", body.size(), options.fInstances);
    std::printf("parsing floor (SAX2)               %8.1f ms CPU\n", floor.cpu * 1e3);

    const std::string address = testcimom::LoopbackBlock::forThisProcess().address(0);
    TServerProcess server(address, options.fInstances);

    Pegasus::CIMClient client;
    client.connect(address, 5988, "", "");
    const auto library = [&] { return EnumerateWithClient(client, options); };
    ReportPeak("client library peak memory", PeakMegabytes(library), responseMegabytes);
    TRounds best;
    for (int round = 0; round < options.fRepeat; ++round)
        KeepBest(best.fLibrary, TimeRound(library));
    {
        std::unique_ptr<TProviderSession> session = Serve(address);
        boost::shared_ptr<ICIMClass> cls = BigClass(*session);
        TakeTurns(options, best, library, [&] { return Enumerate(*cls, false, options); },
                  [&] { return Enumerate(*cls, true, options); });
        const Timing& reference = best.fLibrary.fTiming;
        Report("client library enumerateInstances", best.fLibrary, options, floor, "the floor");
        Report("plug-in enumeration", best.fEnumeration, options, reference, "the client library");
        Report("plug-in enumeration and display", best.fShown, options, reference, "the client library");
        std::printf("%-34s %8.2fx the floor\n", "", best.fShown.fTiming.cpu / floor.cpu);
    }
    client.disconnect();
    // A namespace of its own, so that no instances of an earlier run are
    // let go while the peak is measured.
    std::unique_ptr<TProviderSession> session = Serve(address);
    boost::shared_ptr<ICIMClass> cls = BigClass(*session);
    ReportPeak("plug-in peak memory (with display)", PeakMegabytes([&] { Enumerate(*cls, true, options); }),
               responseMegabytes);
    return 0;
}
