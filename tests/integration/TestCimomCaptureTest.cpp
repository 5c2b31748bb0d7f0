// Every captured request the test CIMOM serves, sent by our client to the
// test CIMOM over HTTP and HTTPS: the decoded answer must be the one the
// client decodes from the real server's captured response.

#include "CapturedRequest.h"
#include "Captures.h"
#include "ClientFixture.h"

#include <Pegasus/Client/CIMClient.h>
#include <gtest/gtest.h>
#include <testcimom/CimServer.h>

PEGASUS_USING_PEGASUS;

namespace
{
bool startsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

// Exchanges that an ordinary client call can repeat against the test CIMOM:
// not malformed on purpose, not about authentication, complete, and of an
// operation the test CIMOM serves.
bool isComparable(const std::string& name)
{
    for (const char* skipped : {"Error-", "Auth-", "wbemcli-", "cimcli-", "Associators-", "AssociatorNames-",
                                "References-", "ReferenceNames-", "GetClass-ErrInvalidParameter"})
        if (startsWith(name, skipped))
            return false;
    return !Captures::isTruncated(name);
}

std::string outcomeOf(const std::string& request, CIMClient& client)
{
    try
    {
        return CapturedRequest(request).replay(client);
    }
    catch (const CIMException& e)
    {
        return "CIMException " + std::to_string(int(e.getCode()));
    }
}

class TestCimomCapture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        testcimom::ServerOptions options;
        options.httpPort = options.httpsPort = 0;
        options.dataSet.testBigInstances = 10;
        server = new testcimom::CimServer(options);
        server->start();
    }

    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    static void expectSameAnswers(CIMClient& client)
    {
        int compared = 0;
        for (const std::string& name : Captures::names())
        {
            if (!isComparable(name))
                continue;
            SCOPED_TRACE(name);
            const std::string request = Captures::request(name);
            ReplayClient captured(ReplayClient::captured({name}));
            const std::string expected = outcomeOf(request, captured.client);
            EXPECT_EQ(expected, outcomeOf(request, client));
            ++compared;
        }
        EXPECT_GT(compared, 150);
    }

    static testcimom::CimServer* server;
};

testcimom::CimServer* TestCimomCapture::server = nullptr;

TEST_F(TestCimomCapture, HttpAnswersDecodeLikeTheCapturedOnes)
{
    CIMClient client;
    client.connect("127.0.0.1", server->httpPort(), "", "");
    expectSameAnswers(client);
}

TEST_F(TestCimomCapture, HttpsAnswersDecodeLikeTheCapturedOnes)
{
    CIMClient client;
    client.connect("127.0.0.1", server->httpsPort(), SSLContext("", nullptr), "", "");
    expectSameAnswers(client);
}
}
