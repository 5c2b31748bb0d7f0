// Decoding speed and peak memory of the CIM-XML response decoder on a
// generated EnumerateInstances response of Test_Big instances, next to the
// parsing floor (libxml2's SAX2 push parser with handlers that build
// nothing), and the client's CPU time for the same enumeration over
// loopback next to a raw fetch of the same bytes.
//
//   pegasus-bench [--instances N] [--repeat R]

#include "AllocationCounter.h"
#include "ReplayServer.h"
#include "ResponseDecoder.h"
#include "TestBigResponse.h"
#include <testcimom/CimServer.h>
#include <Pegasus/Client/CIMClient.h>
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <libxml/parser.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

PEGASUS_USING_PEGASUS;

namespace
{
const size_t PIECE = 64 * 1024;
const size_t UNKNOWN_SIZE = static_cast<size_t>(-1);

struct Options
{
    int instances = 10000;
    int repeat = 5;
};

Options parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        if (std::strcmp(argv[i], "--instances") == 0)
            options.instances = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--repeat") == 0)
            options.repeat = std::atoi(argv[i + 1]);
    }
    return options;
}

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double threadCpuSeconds()
{
    rusage usage;
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Best wall time of `repeat` runs; what a run returns is released after
// its time is taken.
template <class F>
double bestOf(int repeat, F&& f)
{
    double best = 1e300;
    for (int i = 0; i < repeat; ++i)
    {
        const auto start = std::chrono::steady_clock::now();
        [[maybe_unused]] const auto result = f();
        best = std::min(best, seconds(std::chrono::steady_clock::now() - start));
    }
    return best;
}

void ignoreStart(void*, const xmlChar*, const xmlChar*, const xmlChar*, int, const xmlChar**, int, int, const xmlChar**) {}
void ignoreEnd(void*, const xmlChar*, const xmlChar*, const xmlChar*) {}
void ignoreText(void*, const xmlChar*, int) {}

bool parseOnly(const std::string& body)
{
    xmlSAXHandler sax;
    std::memset(&sax, 0, sizeof sax);
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = ignoreStart;
    sax.endElementNs = ignoreEnd;
    sax.characters = ignoreText;
    xmlParserCtxtPtr context = xmlCreatePushParserCtxt(&sax, nullptr, nullptr, 0, nullptr);
    for (size_t at = 0; at < body.size(); at += PIECE)
        xmlParseChunk(context, body.data() + at, static_cast<int>(std::min(PIECE, body.size() - at)), 0);
    xmlParseChunk(context, nullptr, 0, 1);
    const bool wellFormed = context->wellFormed;
    xmlFreeParserCtxt(context);
    return wellFormed;
}

Array<CIMInstance> decode(const std::string& body)
{
    ResponseDecoder decoder;
    for (size_t at = 0; at < body.size(); at += PIECE)
        decoder.feed(body.data() + at, std::min(PIECE, body.size() - at));
    decoder.finish();
    Array<CIMInstance> instances = std::move(decoder.response().instances);
    Uint32 index = 0;
    instances[instances.size() - 1].getProperty(1).getValue().get(index);
    if (index != instances.size() - 1)
        std::abort();
    return instances;
}

// Sends one request over a plain socket and reads the answer: `expected`
// bytes, or up to the server's close when the size is not known.
size_t rawFetch(unsigned short port, const std::string& request, size_t expected)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        std::abort();
    ::send(s, request.data(), request.size(), 0);
    std::string buffer(PIECE, '\0');
    size_t received = 0;
    while (received < expected)
    {
        const long n = ::recv(s, &buffer[0], buffer.size(), 0);
        if (n < 0 || (n == 0 && expected != UNKNOWN_SIZE))
            std::abort();
        if (n == 0)
            break;
        received += static_cast<size_t>(n);
    }
    ::close(s);
    return received;
}

// The same request, asking the server to close once it has answered.
std::string closingRequest(const std::string& request)
{
    const size_t endOfRequestLine = request.find("\r\n") + 2;
    return request.substr(0, endOfRequestLine) + "Connection: close\r\n" + request.substr(endOfRequestLine);
}

void reportDecoding(const std::string& body, const Options& options)
{
    const double mb = body.size() / 1e6;
    const double floor = bestOf(options.repeat, [&] { return parseOnly(body); });
    const double decoding = bestOf(options.repeat, [&] { return decode(body); });
    AllocationCounter::install();
    AllocationCounter::resetPeak();
    const size_t before = AllocationCounter::current();
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    const long rssBefore = usage.ru_maxrss;
    const size_t count = decode(body).size();
    getrusage(RUSAGE_SELF, &usage);
    const double peakMb = (AllocationCounter::peak() - before) / 1e6;

    std::printf("response body            %zu bytes, %zu instances\n", body.size(), count);
    std::printf("parsing floor (SAX2)     %8.1f MB/s  (%.1f ms)\n", mb / floor, floor * 1e3);
    std::printf("decode to CIMInstance    %8.1f MB/s  (%.1f ms), %.2fx the floor's time\n", mb / decoding,
                decoding * 1e3, decoding / floor);
    std::printf("decode peak memory       %8.1f MB    (%.2fx the response), max RSS grew %.1f MB\n", peakMb,
                peakMb / mb, (usage.ru_maxrss - rssBefore) / 1e3);
}

// enumerateInstances of Test_Big from a server on loopback, client CPU and
// wall time, next to a raw fetch of the same request's answer.
void reportEnumeration(const char* server, unsigned short port, const std::string& request, size_t expected,
                       const Options& options)
{
    CIMClient client;
    client.connect("127.0.0.1", port, "", "");
    double clientCpu = 1e300;
    const double clientWall = bestOf(options.repeat, [&] {
        const double cpu = threadCpuSeconds();
        Array<CIMInstance> instances = client.enumerateInstances(CIMNamespaceName("root/test"), CIMName("Test_Big"));
        clientCpu = std::min(clientCpu, threadCpuSeconds() - cpu);
        if (instances.size() != Uint32(options.instances))
            std::abort();
        return instances;
    });
    client.disconnect();
    double rawCpu = 1e300;
    const double rawWall = bestOf(options.repeat, [&] {
        const double cpu = threadCpuSeconds();
        const size_t received = rawFetch(port, request, expected);
        rawCpu = std::min(rawCpu, threadCpuSeconds() - cpu);
        return received;
    });
    std::printf("%s\n", server);
    std::printf("  enumerateInstances     %8.1f ms wall, %.1f ms client CPU\n", clientWall * 1e3, clientCpu * 1e3);
    std::printf("  raw fetch of the bytes %8.1f ms wall, %.1f ms CPU; client/raw wall %.2fx\n", rawWall * 1e3,
                rawCpu * 1e3, clientWall / rawWall);
}

void reportEndToEnd(const std::string& body, const Options& options)
{
    // The replay server answers every request with the generated bytes; it
    // also records the client's request for the raw fetches.
    const std::string response = testBigHttpResponse(body);
    std::vector<ReplayStep> script(static_cast<size_t>(options.repeat) * 2 + 1, ReplayStep::answer(response));
    ReplayServer replay(script);
    {
        CIMClient client;
        client.connect("127.0.0.1", replay.port(), "", "");
        client.enumerateInstances(CIMNamespaceName("root/test"), CIMName("Test_Big"));
    }
    const std::string request = replay.requests().front();
    reportEnumeration("replay server (the generated bytes)", replay.port(), request, response.size(), options);

    testcimom::ServerOptions serverOptions;
    serverOptions.httpPort = 0;
    serverOptions.enableHttps = false;
    serverOptions.dataSet.testBigInstances = static_cast<std::size_t>(options.instances);
    testcimom::CimServer cimom(serverOptions);
    cimom.start();
    reportEnumeration("test CIMOM", static_cast<unsigned short>(cimom.httpPort()), closingRequest(request),
                      UNKNOWN_SIZE, options);
}
}

int main(int argc, char** argv)
{
    xmlInitParser();
    const Options options = parse(argc, argv);
    const std::string body = testBigResponseBody(options.instances);
    reportDecoding(body, options);
    reportEndToEnd(body, options);
    return 0;
}
