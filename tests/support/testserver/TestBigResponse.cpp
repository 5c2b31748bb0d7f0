#include "TestBigResponse.h"

#include "Captures.h"
#include "RawClient.h"
#include "ServerFixture.h"

#include <cstdio>

std::string testBigResponseBody(int count)
{
    testcimom::ServerOptions options = testcimom::test::ephemeralOptions();
    options.enableHttps = false;
    options.dataSet.testBigInstances = static_cast<std::size_t>(count);
    auto server = testcimom::test::startedServer(options);
    testcimom::test::RawClient client(server->address(), server->httpPort());
    return client.exchange(Captures::request("EnumerateInstances-Test_Big-first"), std::chrono::minutes(1)).body;
}

std::string testBigHttpResponse(const std::string& body)
{
    char length[16];
    std::snprintf(length, sizeof length, "%010zu", body.size());
    return std::string("HTTP/1.1 200 OK\r\nContent-Type: application/xml; charset=utf-8\r\ncontent-length: ") + length +
           "\r\nCIMOperation: MethodResponse\r\n\r\n" + body;
}
