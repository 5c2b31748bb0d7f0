// Decoding speed and peak memory of the CIM-XML response decoder on a
// generated EnumerateInstances response of Test_Big instances, next to the
// parsing floor (libxml2's SAX2 push parser with handlers that build
// nothing), and the client's CPU time for the same enumeration over
// loopback next to the floor, the HTTP reading alone (with its socket
// reads) and a raw fetch of the same bytes.
//
//   pegasus-bench [--instances N] [--repeat R]

#include "AllocationCounter.h"
#include "BenchTiming.h"
#include "HttpTransport.h"
#include "ReplayServer.h"
#include "ResponseDecoder.h"
#include "SaxFloor.h"
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
#include <strings.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

PEGASUS_USING_PEGASUS;
using BenchTiming::Timing;
using BenchTiming::bestOf;

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

// The decoding figures; returns the floor's time for the end-to-end ratio.
Timing reportDecoding(const std::string& body, const Options& options)
{
    const double mb = body.size() / 1e6;
    const Timing floor = bestOf(options.repeat, [&] { return parseOnly(body, PIECE); });
    const Timing decoding = bestOf(options.repeat, [&] { return decode(body); });
    AllocationCounter::install();
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    const long rssBefore = usage.ru_maxrss;
    AllocationCounter::start();
    const size_t count = decode(body).size();
    const double peakMb = AllocationCounter::stop() / 1e6;
    getrusage(RUSAGE_SELF, &usage);

    std::printf("response body            %zu bytes, %zu instances\n", body.size(), count);
    std::printf("parsing floor (SAX2)     %8.1f MB/s  (%.1f ms CPU, %.1f ms wall)\n", mb / floor.cpu, floor.cpu * 1e3,
                floor.wall * 1e3);
    std::printf("decode to CIMInstance    %8.1f MB/s  (%.1f ms CPU, %.1f ms wall), %.2fx the floor's CPU time\n",
                mb / decoding.cpu, decoding.cpu * 1e3, decoding.wall * 1e3, decoding.cpu / floor.cpu);
    std::printf("decode peak memory       %8.1f MB    (%.2fx the response), max RSS grew %.1f MB\n", peakMb,
                peakMb / mb, (usage.ru_maxrss - rssBefore) / 1e3);
    return floor;
}

// The fields and body of a request as the client sent it, for the
// transport to send again (Host and Content-Length are its own).
HttpRequest resendable(const std::string& sent)
{
    HttpRequest request;
    const size_t endOfHead = sent.find("\r\n\r\n");
    request.body = sent.substr(endOfHead + 4);
    for (size_t at = sent.find("\r\n") + 2; at < endOfHead; at = sent.find("\r\n", at) + 2)
    {
        const std::string line = sent.substr(at, sent.find("\r\n", at) - at);
        const std::string name = line.substr(0, line.find(':'));
        if (::strcasecmp(name.c_str(), "Host") != 0 && ::strcasecmp(name.c_str(), "Content-Length") != 0)
            request.fields.push_back(HttpField{name, line.substr(line.find_first_not_of(' ', name.size() + 1))});
    }
    return request;
}

class DiscardingSink : public HttpBodySink
{
public:
    void onHead(const HttpResponse&) override {}
    void onBody(const char*, size_t size) override { received += size; }
    size_t received = 0;
};

struct HttpReading
{
    Timing timing;
    double readsPerMb = 0;
};

// The client's HTTP reading alone: the same request through its transport,
// the body counted and dropped.
HttpReading readOverHttp(unsigned short port, const HttpRequest& request, const Options& options)
{
    const std::unique_ptr<HttpTransport> transport = makeAsioHttpTransport();
    const HttpEndpoint endpoint{"127.0.0.1", port, std::nullopt};
    const auto deadline = [] { return Clock::now() + std::chrono::seconds(60); };
    HttpReading reading;
    reading.timing = bestOf(options.repeat, [&] {
        if (!transport->isUsable())
            transport->open(endpoint, deadline());
        const Uint64 readsBefore = transport->socketReads();
        DiscardingSink sink;
        transport->exchange(request, sink, deadline(), CIMClient::DEFAULT_MAX_RESPONSE_BYTES);
        reading.readsPerMb = (transport->socketReads() - readsBefore) / (sink.received / 1e6);
        return sink.received;
    });
    return reading;
}

Array<CIMInstance> enumerate(CIMClient& client, const Options& options)
{
    Array<CIMInstance> instances = client.enumerateInstances(CIMNamespaceName("root/test"), CIMName("Test_Big"));
    if (instances.size() != Uint32(options.instances))
        std::abort();
    return instances;
}

// enumerateInstances of Test_Big from a server on loopback: client CPU and
// wall time next to the floor, the HTTP reading alone, and a raw fetch of
// the same request's answer.
void reportEnumeration(const char* server, unsigned short port, const std::string& request, size_t expected,
                       const Options& options, const Timing& floor)
{
    CIMClient client;
    client.connect("127.0.0.1", port, "", "");
    const Timing enumeration = bestOf(options.repeat, [&] { return enumerate(client, options); });
    client.disconnect();
    const HttpReading http = readOverHttp(port, resendable(request), options);
    const Timing raw = bestOf(options.repeat, [&] { return rawFetch(port, closingRequest(request), expected); });
    std::printf("%s\n", server);
    std::printf("  enumerateInstances     %8.1f ms wall, %.1f ms client CPU, %.2fx the floor's CPU time\n",
                enumeration.wall * 1e3, enumeration.cpu * 1e3, enumeration.cpu / floor.cpu);
    std::printf("  HTTP reading alone     %8.1f ms wall, %.1f ms CPU, %.1f socket reads per MB\n",
                http.timing.wall * 1e3, http.timing.cpu * 1e3, http.readsPerMb);
    std::printf("  raw fetch of the bytes %8.1f ms wall, %.1f ms CPU; client/raw wall %.2fx\n", raw.wall * 1e3,
                raw.cpu * 1e3, enumeration.wall / raw.wall);
}

// Bytes held at the peak of one enumerateInstances above what was held
// before it: the decoder's, the transport's and the result's.
void reportEnumerationPeak(unsigned short port, size_t bodySize, const Options& options)
{
    CIMClient client;
    client.connect("127.0.0.1", port, "", "");
    AllocationCounter::start();
    enumerate(client, options);
    const double peakMb = AllocationCounter::stop() / 1e6;
    std::printf("  enumerateInstances peak memory %.1f MB (%.2fx the response)\n", peakMb, peakMb / (bodySize / 1e6));
}

void reportEndToEnd(const std::string& body, const Options& options, const Timing& floor)
{
    // The replay server answers every request with the generated bytes; it
    // also records the client's request for the other fetches.
    const std::string response = testBigHttpResponse(body);
    std::vector<ReplayStep> script(static_cast<size_t>(options.repeat) * 3 + 2, ReplayStep::answer(response));
    ReplayServer replay(script);
    {
        CIMClient client;
        client.connect("127.0.0.1", replay.port(), "", "");
        client.enumerateInstances(CIMNamespaceName("root/test"), CIMName("Test_Big"));
    }
    const std::string request = replay.requests().front();
    reportEnumeration("replay server (the generated bytes)", replay.port(), request, response.size(), options, floor);
    reportEnumerationPeak(replay.port(), body.size(), options);

    testcimom::ServerOptions serverOptions;
    serverOptions.httpPort = 0;
    serverOptions.enableHttps = false;
    serverOptions.dataSet.testBigInstances = static_cast<std::size_t>(options.instances);
    testcimom::CimServer cimom(serverOptions);
    cimom.start();
    reportEnumeration("test CIMOM", static_cast<unsigned short>(cimom.httpPort()), request, UNKNOWN_SIZE, options,
                      floor);
}
}

int main(int argc, char** argv)
{
    xmlInitParser();
    const Options options = parse(argc, argv);
    const std::string body = testBigResponseBody(options.instances);
    const Timing floor = reportDecoding(body, options);
    reportEndToEnd(body, options, floor);
    return 0;
}
