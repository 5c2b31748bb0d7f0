// cimtestserver: runs test CIMOMs in the foreground until SIGINT or SIGTERM.

#include "testcimom/CimomCluster.h"

#include <csignal>
#include <functional>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <pthread.h>

namespace {

using namespace testcimom;

const char* const kUsage = R"(usage: cimtestserver [options]
  --address A          first node's address (default 127.0.0.1; loopback unless told)
  --nodes N            number of nodes on consecutive addresses (default 1)
  --http-port P        HTTP port (default 5988, 0 for ephemeral)
  --https-port P       HTTPS port (default 5989, 0 for ephemeral)
  --no-http            no HTTP listener
  --no-https           no HTTPS listener
  --plain-on-https     speak plain HTTP on the HTTPS port
  --cert FILE          certificate (PEM) for HTTPS, with --key
  --key FILE           private key (PEM) for HTTPS
  --certificate KIND   generated certificate: self-signed, expired, not-yet-valid, other-host
  --data SET           capture (default), demo, demo-esxi or empty
  --data-file NS=FILE  load a CIM-XML declaration file into namespace NS (repeatable)
  --esxi-version TEXT  VersionString of the demo-esxi hypervisor (default "5.5.0 build-1331820")
  --test-big N         Test_Big instances of the capture data set (default 10000)
  --user U             require Basic authentication with this user...
  --password P         ...and this password
  --fault FAULT        inject a fault: KIND[:op=OP,class=C,count=N,ms=N,status=N,code=N,size=N]
                       (repeatable) KIND is one of delay, close-before-response, never-answer,
                       abort-handshake, close-mid-header, close-mid-body, close-mid-chunk,
                       slow-bytes, no-content-length, content-length-short,
                       content-length-long, http-status, cim-error, cim-error-trailer,
                       chunked, not-xml, truncated-xml, wrong-structure-xml,
                       invalid-utf8, entity-expansion, external-entity, response-size
  --help               this text
)";

int integer(const std::string& text)
{
    std::size_t used = 0;
    int value = std::stoi(text, &used);
    if (used != text.size())
        throw std::invalid_argument("not a number: " + text);
    return value;
}

CertificateKind certificateKind(const std::string& name)
{
    static const std::map<std::string, CertificateKind> kinds = {
        {"self-signed", CertificateKind::SelfSigned},
        {"expired", CertificateKind::Expired},
        {"not-yet-valid", CertificateKind::NotYetValid},
        {"other-host", CertificateKind::OtherHost}};
    auto it = kinds.find(name);
    if (it == kinds.end())
        throw std::invalid_argument("unknown certificate kind: " + name);
    return it->second;
}

DataFile dataFile(const std::string& text)
{
    std::size_t equals = text.find('=');
    if (equals == std::string::npos)
        throw std::invalid_argument("--data-file needs NS=FILE");
    return {text.substr(0, equals), text.substr(equals + 1)};
}

struct CommandLine {
    ClusterOptions cluster;
    std::vector<Fault> faults;
    bool help = false;
};

CommandLine parse(int argc, char** argv)
{
    CommandLine line;
    line.cluster.nodeCount = 1;
    ServerOptions& server = line.cluster.server;
    using Setter = std::function<void(const std::string&)>;
    const std::map<std::string, Setter> withValue = {
        {"--address", [&](const std::string& v) { line.cluster.baseAddress = v; }},
        {"--nodes", [&](const std::string& v) { line.cluster.nodeCount = integer(v); }},
        {"--http-port", [&](const std::string& v) { server.httpPort = integer(v); }},
        {"--https-port", [&](const std::string& v) { server.httpsPort = integer(v); }},
        {"--cert", [&](const std::string& v) { server.certificateFile = v; }},
        {"--key", [&](const std::string& v) { server.privateKeyFile = v; }},
        {"--certificate", [&](const std::string& v) { server.certificate = certificateKind(v); }},
        {"--data", [&](const std::string& v) {
             std::optional<DataSetKind> kind = parseDataSetName(v);
             if (!kind)
                 throw std::invalid_argument("unknown data set: " + v);
             server.dataSet.kind = *kind;
         }},
        {"--data-file", [&](const std::string& v) { server.dataSet.extraFiles.push_back(dataFile(v)); }},
        {"--esxi-version", [&](const std::string& v) { server.dataSet.esxiVersion = v; }},
        {"--test-big", [&](const std::string& v) { server.dataSet.testBigInstances = std::stoul(v); }},
        {"--user", [&](const std::string& v) { server.user = v; }},
        {"--password", [&](const std::string& v) { server.password = v; }},
        {"--fault", [&](const std::string& v) { line.faults.push_back(parseFault(v)); }},
    };
    const std::map<std::string, std::function<void()>> switches = {
        {"--no-http", [&] { server.enableHttp = false; }},
        {"--no-https", [&] { server.enableHttps = false; }},
        {"--plain-on-https", [&] { server.plainHttpOnHttpsPort = true; }},
        {"--help", [&] { line.help = true; }},
    };
    for (int i = 1; i < argc; ++i) {
        std::string flag = argv[i];
        if (auto sw = switches.find(flag); sw != switches.end()) {
            sw->second();
        } else if (auto setter = withValue.find(flag); setter != withValue.end() && i + 1 < argc) {
            setter->second(argv[++i]);
        } else {
            throw std::invalid_argument("unknown option or missing value: " + flag);
        }
    }
    if (line.cluster.nodeCount < 1)
        throw std::invalid_argument("--nodes needs at least 1");
    if ((server.certificateFile.empty()) != (server.privateKeyFile.empty()))
        throw std::invalid_argument("--cert and --key go together");
    return line;
}

void ignoreSignal(int) {}

void printFaults(const std::vector<Fault>& faults)
{
    for (const Fault& fault : faults)
        std::cout << "injecting " << faultKindName(fault.kind) << " for operation " << fault.operation
                  << ", class " << fault.className << std::endl;
}

void printListeners(CimomCluster& cluster)
{
    for (std::size_t i = 0; i < cluster.size(); ++i) {
        CimServer& node = cluster.node(i);
        if (node.httpPort() >= 0)
            std::cout << "node " << i + 1 << " listening on " << node.httpUrl() << std::endl;
        if (node.httpsPort() >= 0)
            std::cout << "node " << i + 1 << " listening on " << node.httpsUrl() << std::endl;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    CommandLine line;
    try {
        line = parse(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "cimtestserver: " << error.what() << "\n" << kUsage;
        return 2;
    }
    if (line.help) {
        std::cout << kUsage;
        return 0;
    }
    // A shell starts background jobs with SIGINT ignored, and an ignored signal
    // never reaches sigwait: give both a handler, then block them before any
    // server thread starts, so that only sigwait sees them.
    std::signal(SIGINT, ignoreSignal);
    std::signal(SIGTERM, ignoreSignal);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    try {
        CimomCluster cluster(line.cluster);
        for (std::size_t i = 0; i < cluster.size(); ++i) {
            for (const Fault& fault : line.faults)
                cluster.node(i).faults().add(fault);
        }
        printListeners(cluster);
        printFaults(line.faults);
        int received = 0;
        sigwait(&stopSignals, &received);
        std::cout << "stopping" << std::endl;
    } catch (const std::exception& error) {
        std::cerr << "cimtestserver: " << error.what() << std::endl;
        return 1;
    }
    return 0;
}
