// cimhttp as a user runs it, measured from outside its process.
//
// Instances: `cimhttp instances Test_Big` (the test CIMOM's capture data,
// in a process of its own, over HTTP on loopback) with its table sent to
// /dev/null, and the same with --format json: the whole process's CPU time
// and peak resident memory (getrusage of the child), beside a process that
// does only the client library's enumerateInstances of the same answer.
//
// Fleet: `cimhttp inventory` over test CIMOM nodes on loopback addresses,
// some dead, some slow, two slower than the host time-out: its wall time
// beside the bound "the slowest host's time-out plus the others' times
// divided by the job count, plus 20%". Figures and method: README.md.
//
//   cli-bench [--instances N] [--repeat R] [--hosts H] [--jobs J] [--host-timeout S]
//             defaults: 10000, 3, 50, the number of cores, 4

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <Pegasus/Client/CIMClient.h>

#include <testcimom/LoopbackBlock.h>

namespace {

using Clock = std::chrono::steady_clock;

const char* const kNamespace = "root/test";
const char* const kBigClass = "Test_Big";
const char* const kEnumerateOnly = "--enumerate-only";
const int kHttpPort = 5988;
// Nodes of the fleet that are slow (a delayed answer for one class), stuck
// (answers later than any host time-out) and dead (nothing listens).
const int kSlowHosts = 3;
const int kStuckHosts = 2;
const int kDeadHosts = 2;
const int kSlowAnswerMs = 1500;
const char* const kFleetClasses[] = {"CIM_ComputerSystem", "VORN_Memory", "CIM_Processor"};

struct TOptions {
    int fInstances = 10000;
    int fRepeat = 3;
    int fHosts = 50;
    int fJobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    int fHostTimeoutSeconds = 4;
};

TOptions Parse(int argc, char** argv) {
    TOptions options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const int value = std::atoi(argv[i + 1]);
        if (name == "--instances") {
            options.fInstances = value;
        } else if (name == "--repeat") {
            options.fRepeat = value;
        } else if (name == "--hosts") {
            options.fHosts = std::max(value, kSlowHosts + kStuckHosts + kDeadHosts + 1);
        } else if (name == "--jobs") {
            options.fJobs = value;
        } else if (name == "--host-timeout") {
            options.fHostTimeoutSeconds = value;
        }
    }
    return options;
}

void Expect(bool condition, const std::string& what) {
    if (!condition) {
        std::fprintf(stderr, "cli-bench: %s\n", what.c_str());
        std::exit(1);
    }
}

double Seconds(const timeval& time) { return time.tv_sec + time.tv_usec / 1e6; }

// What a child process cost: CPU time (user and system), wall time, peak
// resident memory.
struct TUsage {
    double fCpu = 0;
    double fWall = 0;
    double fPeakMegabytes = 0;
    int fStatus = -1;
};

// A program in a process of its own, stdout to a file, stderr to /dev/null.
class TProcess {
public:
    TProcess(std::vector<std::string> arguments, const std::string& output) : fStarted(Clock::now()) {
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(&argument[0]);
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclosefrom_np(&files, 3);
        const int spawned = posix_spawn(&fPid, argv.front(), &files, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&files);
        Expect(spawned == 0, "cannot start " + arguments.front());
    }

    TUsage Wait() {
        TUsage usage;
        int status = 0;
        rusage resources{};
        wait4(fPid, &status, 0, &resources);
        fPid = -1;
        usage.fWall = std::chrono::duration<double>(Clock::now() - fStarted).count();
        usage.fCpu = Seconds(resources.ru_utime) + Seconds(resources.ru_stime);
        usage.fPeakMegabytes = resources.ru_maxrss * 1024 / 1e6;
        usage.fStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return usage;
    }

    ~TProcess() {
        if (fPid > 0) {
            kill(fPid, SIGTERM);
            waitpid(fPid, nullptr, 0);
        }
    }

private:
    pid_t fPid;
    Clock::time_point fStarted;
};

bool Listens(const std::string& address) {
    sockaddr_in endpoint{};
    endpoint.sin_family = AF_INET;
    endpoint.sin_port = htons(kHttpPort);
    inet_pton(AF_INET, address.c_str(), &endpoint.sin_addr);
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    const bool connected = connect(probe, reinterpret_cast<sockaddr*>(&endpoint), sizeof endpoint) == 0;
    close(probe);
    return connected;
}

// Test CIMOM nodes on consecutive addresses from `first`, HTTP only.
std::unique_ptr<TProcess> StartCimom(const std::string& first, int nodes, std::vector<std::string> options) {
    std::vector<std::string> arguments = {CIMTESTSERVER, "--address",           first,
                                          "--nodes",     std::to_string(nodes), "--no-https"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    auto cimom = std::make_unique<TProcess>(arguments, "/dev/null");
    for (int attempt = 0; attempt < 600 && !Listens(first); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    Expect(Listens(first), "the test CIMOM on " + first + " does not listen");
    return cimom;
}

std::string Contents(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string TemporaryFile(const char* what) {
    return "/tmp/cli-bench-" + std::string(what) + "-" + std::to_string(getpid());
}

// The reference: what the plug-in asks the server, through the client
// library alone, in a process of its own; it writes the body's size.
int EnumerateOnly(const std::string& address, int instances) {
    Pegasus::CIMClient client;
    Pegasus::Uint64 bodyBytes = 0;
    client.setProgressCallback(
        [&bodyBytes](const Pegasus::CIMClient::ResponseProgress& progress) { bodyBytes = progress.bodyBytes; });
    client.connect(address.c_str(), kHttpPort, "", "");
    const Pegasus::Array<Pegasus::CIMInstance> found = client.enumerateInstances(
        Pegasus::CIMNamespaceName(kNamespace), Pegasus::CIMName(kBigClass), false, true, false, false);
    Expect(found.size() == static_cast<Pegasus::Uint32>(instances), "enumerateInstances found another number");
    std::printf("%llu\n", static_cast<unsigned long long>(bodyBytes));
    return 0;
}

// The best CPU time and the highest peak of `repeat` runs.
TUsage Measure(const std::vector<std::string>& arguments, const std::string& output, int repeat) {
    TUsage best;
    best.fCpu = best.fWall = 1e300;
    for (int i = 0; i < repeat; ++i) {
        const TUsage run = TProcess(arguments, output).Wait();
        Expect(run.fStatus == 0, arguments.front() + " failed");
        best.fCpu = std::min(best.fCpu, run.fCpu);
        best.fWall = std::min(best.fWall, run.fWall);
        best.fPeakMegabytes = std::max(best.fPeakMegabytes, run.fPeakMegabytes);
    }
    return best;
}

void Report(const char* what, const TUsage& usage, const TUsage& reference, double responseMegabytes) {
    std::printf("%-38s %7.1f ms CPU (%.2fx), %6.1f MB peak (%.2fx the response), %7.1f ms wall\n", what,
                usage.fCpu * 1e3, usage.fCpu / reference.fCpu, usage.fPeakMegabytes,
                usage.fPeakMegabytes / responseMegabytes, usage.fWall * 1e3);
}

void BenchInstances(const TOptions& options) {
    const std::string address = testcimom::LoopbackBlock::forThisProcess().address(0);
    auto cimom = StartCimom(address, 1, {"--test-big", std::to_string(options.fInstances)});
    const std::string output = TemporaryFile("output");
    const TUsage reference = Measure({"/proc/self/exe", kEnumerateOnly, address, std::to_string(options.fInstances)},
                                     output, options.fRepeat);
    const double responseMegabytes = std::atof(Contents(output).c_str()) / 1e6;
    std::printf("Test_Big: %d instances, response body %.2f MB\n", options.fInstances, responseMegabytes);
    Report("client library enumerateInstances", reference, reference, responseMegabytes);
    const std::vector<std::string> instances = {CIMHTTP_PROGRAM, "--host",   address,     "--http",
                                                "--namespace",   kNamespace, "instances", kBigClass};
    Report("cimhttp instances, table to /dev/null", Measure(instances, "/dev/null", options.fRepeat), reference,
           responseMegabytes);
    std::vector<std::string> json = instances;
    json.insert(json.end(), {"--format", "json"});
    Report("cimhttp instances --format json", Measure(json, "/dev/null", options.fRepeat), reference,
           responseMegabytes);
    unlink(output.c_str());
}

// The fleet's addresses: blocks of LoopbackBlock::kSize addresses, the first
// the process's own, the others those of pids far from it.
std::string FleetAddress(int index) {
    const long pid = getpid() + 262139L * (index / testcimom::LoopbackBlock::kSize + 1);
    return testcimom::LoopbackBlock::forPid(pid).address(index % testcimom::LoopbackBlock::kSize);
}

// One CIMOM process per block of consecutive nodes that behave alike.
void StartNodes(std::vector<std::unique_ptr<TProcess>>& cimoms, int first, int count,
                const std::vector<std::string>& options) {
    for (int index = first; index < first + count;) {
        const int inBlock =
            std::min(first + count - index, testcimom::LoopbackBlock::kSize - index % testcimom::LoopbackBlock::kSize);
        std::vector<std::string> all = {"--data", "demo"};
        all.insert(all.end(), options.begin(), options.end());
        cimoms.push_back(StartCimom(FleetAddress(index), inBlock, all));
        index += inBlock;
    }
}

void BenchFleet(const TOptions& options) {
    const int answering = options.fHosts - kDeadHosts;
    const int stuck = answering - kStuckHosts;
    const int slow = stuck - kSlowHosts;
    std::vector<std::unique_ptr<TProcess>> cimoms;
    StartNodes(cimoms, 0, slow, {});
    StartNodes(cimoms, slow, kSlowHosts,
               {"--fault", "delay:op=EnumerateInstances,class=CIM_Processor,ms=" + std::to_string(kSlowAnswerMs)});
    StartNodes(cimoms, stuck, kStuckHosts, {"--fault", "delay:op=EnumerateInstances,ms=600000"});
    const std::string hostsFile = TemporaryFile("hosts");
    std::ofstream hosts(hostsFile);
    hosts << "# the bench's fleet: answering, slow, stuck, dead\n";
    for (int index = 0; index < options.fHosts; ++index) {
        hosts << FleetAddress(index) << "\n";
    }
    hosts.close();

    std::vector<std::string> arguments = {CIMHTTP_PROGRAM, "--http", "inventory", "--hosts-file", hostsFile};
    arguments.insert(arguments.end(), {"--jobs", std::to_string(options.fJobs), "--host-timeout",
                                       std::to_string(options.fHostTimeoutSeconds)});
    arguments.insert(arguments.end(), std::begin(kFleetClasses), std::end(kFleetClasses));
    const std::string output = TemporaryFile("inventory");
    const TUsage run = TProcess(arguments, output).Wait();
    const nlohmann::json inventory = nlohmann::json::parse(Contents(output));
    std::vector<double> seconds;
    std::map<std::string, int> statuses;
    for (const nlohmann::json& host : inventory["hosts"]) {
        seconds.push_back(host["seconds"].get<double>());
        ++statuses[host["status"].get<std::string>()];
    }
    std::sort(seconds.begin(), seconds.end());
    double others = 0;
    for (std::size_t i = 0; i + 1 < seconds.size(); ++i) {
        others += seconds[i];
    }
    const double bound = (options.fHostTimeoutSeconds + others / options.fJobs) * 1.2;
    std::printf("inventory: %d hosts (%d answering, %d slow by %d ms, %d stuck, %d dead), %d jobs, "
                "--host-timeout %d s, exit status %d\n",
                options.fHosts, slow, kSlowHosts, kSlowAnswerMs, kStuckHosts, kDeadHosts, options.fJobs,
                options.fHostTimeoutSeconds, run.fStatus);
    for (const auto& status : statuses) {
        std::printf("  %-22s %d hosts\n", status.first.c_str(), status.second);
    }
    std::printf("  hosts' own times: %.2f s together without the slowest, fastest %.2f s, slowest %.2f s\n", others,
                seconds.front(), seconds.back());
    std::printf("  wall %.2f s, bound %.2f s (%.0f%% of it); CPU of inventory and its host processes %.0f ms\n",
                run.fWall, bound, 100 * run.fWall / bound, run.fCpu * 1e3);
    unlink(hostsFile.c_str());
    unlink(output.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], kEnumerateOnly) == 0) {
        return EnumerateOnly(argv[2], std::atoi(argv[3]));
    }
    const TOptions options = Parse(argc, argv);
    BenchInstances(options);
    BenchFleet(options);
    return 0;
}
