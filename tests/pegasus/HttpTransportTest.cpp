// The HTTP transport below the client: how it takes a large response in.

#include "HttpTransport.h"
#include "ReplayServer.h"
#include <gtest/gtest.h>

PEGASUS_USING_PEGASUS;

namespace
{
const Uint64 NO_CAP = ~Uint64(0);

class CountingSink : public HttpBodySink
{
public:
    void onHead(const HttpResponse&) override {}
    void onBody(const char*, size_t size) override { received += size; }
    size_t received = 0;
};

std::string responseOfSize(size_t bodySize)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: application/xml\r\nContent-Length: " + std::to_string(bodySize)
           + "\r\n\r\n" + std::string(bodySize, 'x');
}

Clock::time_point inSeconds(int seconds)
{
    return Clock::now() + std::chrono::seconds(seconds);
}
}

TEST(HttpTransport, LargeResponseIsReadInLargePieces)
{
    const size_t bodySize = 4 << 20;
    ReplayServer server({ReplayStep::answer(responseOfSize(bodySize))});
    const std::unique_ptr<HttpTransport> transport = makeAsioHttpTransport();
    transport->open(HttpEndpoint{"127.0.0.1", server.port(), std::nullopt}, inSeconds(10));
    CountingSink sink;
    const HttpResponse response =
        transport->exchange(HttpRequest{{}, "<CIM/>"}, sink, inSeconds(10), NO_CAP);
    EXPECT_EQ(200u, response.status);
    EXPECT_EQ(bodySize, sink.received);
    // Loopback hands over what was sent in pieces of tens of KiB; reads of
    // a few hundred bytes would take thousands of calls.
    EXPECT_LT(transport->socketReads(), bodySize / (8 << 10));
}
