// HTTP and connection behaviour: keep-alive, reconnects, failures in
// flight, HTTP and CIM errors, time-outs and TLS.

#include "ClientFixture.h"
#include "SilentPort.h"
#include "TlsIdentity.h"
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

PEGASUS_USING_PEGASUS;

namespace
{
const CIMNamespaceName CIMV2("root/cimv2");
const CIMName SLOT("OMC_ProcessorSlot");

std::string classResponse()
{
    return Captures::response("GetClass-default");
}

std::string withHeader(const std::string& response, const std::string& header)
{
    std::string copy = response;
    copy.insert(copy.find("\r\n") + 2, header + "\r\n");
    return copy;
}

long millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

unsigned short unusedPort()
{
    SilentPort listener;
    return listener.port();
}

const TlsIdentity& identity()
{
    static const TlsIdentity tls = TlsIdentity::generate();
    return tls;
}

int certificatesSeen = 0;
Boolean countAndAccept(SSLCertificateInfo& info)
{
    ++certificatesSeen;
    return info.getSubjectName().find(String("localhost")) != PEG_NOT_FOUND;
}

Boolean refuse(SSLCertificateInfo&)
{
    return false;
}
}

TEST(Wire, KeepAliveServesSeveralOperationsOnOneConnection)
{
    ReplayClient replayed(ReplayClient::captured({"GetClass-default", "EnumerateClassNames-top-shallow", "GetClass-chunked"}));
    EXPECT_EQ(SLOT, replayed.client.getClass(CIMV2, SLOT).getClassName());
    EXPECT_EQ(3u, replayed.client.enumerateClassNames(CIMV2).size());
    EXPECT_EQ(SLOT, replayed.client.getClass(CIMV2, SLOT, false).getClassName());
    EXPECT_EQ(1, replayed.server.connections());
    EXPECT_EQ(3u, replayed.server.requests().size());
}

TEST(Wire, ClosedIdleConnectionIsReopenedBeforeTheNextRequest)
{
    ReplayClient closedByServer({ReplayStep::answer(classResponse(), ReplayStep::Action::AnswerAndClose),
                                  ReplayStep::answer(classResponse())});
    closedByServer.client.getClass(CIMV2, SLOT);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    closedByServer.client.getClass(CIMV2, SLOT);
    EXPECT_EQ(2, closedByServer.server.connections());
    EXPECT_EQ(2u, closedByServer.server.requests().size());

    ReplayClient announced({ReplayStep::answer(withHeader(classResponse(), "Connection: close")),
                             ReplayStep::answer(classResponse())});
    announced.client.getClass(CIMV2, SLOT);
    announced.client.getClass(CIMV2, SLOT);
    EXPECT_EQ(2, announced.server.connections());
}

TEST(Wire, ConnectionLostInFlightIsReportedAndNeverRetried)
{
    ReplayStep closeInstead;
    closeInstead.action = ReplayStep::Action::CloseInstead;
    ReplayClient replayed({closeInstead, ReplayStep::answer(classResponse())});
    EXPECT_THROW(replayed.client.getClass(CIMV2, SLOT), CIMClientConnectionException);
    EXPECT_EQ(1u, replayed.server.requests().size());
    EXPECT_EQ(SLOT, replayed.client.getClass(CIMV2, SLOT).getClassName());
    EXPECT_EQ(2, replayed.server.connections());
}

TEST(Wire, HttpFailuresBecomeHttpErrorsWithTheServersDetail)
{
    ReplayClient replayed(ReplayClient::captured({"Auth-NoCredentials", "Error-BadXml", "Error-UnsupportedDTDVersion"}));
    const auto getClass = [&] { replayed.client.getClass(CIMV2, SLOT); };
    const auto unauthorized = caught<CIMClientHTTPErrorException>(getClass);
    ASSERT_TRUE(unauthorized);
    EXPECT_EQ(401u, unauthorized->getCode());
    EXPECT_EQ("User Unauthorized", unauthorized->getCIMErrorDetail());
    const auto badXml = caught<CIMClientHTTPErrorException>(getClass);
    ASSERT_TRUE(badXml);
    EXPECT_EQ(400u, badXml->getCode());
    EXPECT_EQ("request-not-well-formed", badXml->getCIMError());
    EXPECT_EQ("Closing element does not match opening element: on line 8", badXml->getCIMErrorDetail());
    const auto dtdVersion = caught<CIMClientHTTPErrorException>(getClass);
    ASSERT_TRUE(dtdVersion);
    EXPECT_EQ(501u, dtdVersion->getCode());
    EXPECT_EQ("unsupported-dtd-version", dtdVersion->getCIMError());
}

TEST(Wire, MalformedOversizedAndUnframedResponsesAreRefused)
{
    std::string noOperationHeader = classResponse();
    noOperationHeader.replace(noOperationHeader.find("CIMOperation"), 12, "X-Operation!");
    ReplayClient replayed({ReplayStep::answer("HELLO\r\n\r\n"), ReplayStep::answer(noOperationHeader),
                           ReplayStep::answer(Captures::response("GetClass-LocalOnlyFalse")),
                           ReplayStep::answer(withHeader(classResponse(), "CIMStatusCode: 4"))});
    EXPECT_THROW(replayed.client.getClass(CIMV2, SLOT), CIMClientMalformedHTTPException);
    EXPECT_THROW(replayed.client.getClass(CIMV2, SLOT), CIMClientMalformedHTTPException);
    replayed.client.setMaxResponseSize(4096);
    EXPECT_THROW(replayed.client.getClass(CIMV2, SLOT, false), CIMClientMalformedHTTPException);
    replayed.client.setMaxResponseSize(CIMClient::DEFAULT_MAX_RESPONSE_BYTES);
    const auto trailerStatus = caught<CIMException>([&] { replayed.client.getClass(CIMV2, SLOT); });
    ASSERT_TRUE(trailerStatus);
    EXPECT_EQ(CIM_ERR_INVALID_PARAMETER, trailerStatus->getCode());
}

// A cap above 4 GiB must not wrap to its low 32 bits where size_t is 32
// bits wide: 2^32 + 4096 would refuse this answer as 4096 does.
TEST(Wire, ResponseCapsAbove4GiBKeepTheirWidth)
{
    ReplayClient replayed({ReplayStep::answer(Captures::response("GetClass-LocalOnlyFalse"))});
    const Uint64 cap = (Uint64(1) << 32) + 4096;
    replayed.client.setMaxResponseSize(cap);
    EXPECT_EQ(cap, replayed.client.getMaxResponseSize());
    EXPECT_NO_THROW(replayed.client.getClass(CIMV2, SLOT, false));
}

TEST(Wire, StatusCodesBeyondTheListAreKeptAndUnreadableOnesRefused)
{
    // Delimited by the end of the connection.
    const std::string errorAnswer =
        "HTTP/1.1 200 OK\r\nContent-Type: application/xml\r\nCIMOperation: MethodResponse\r\n\r\n"
        "<CIM CIMVERSION=\"2.0\" DTDVERSION=\"2.0\"><MESSAGE ID=\"1\" PROTOCOLVERSION=\"1.0\"><SIMPLERSP>"
        "<IMETHODRESPONSE NAME=\"GetClass\"><ERROR CODE=\"32\"/></IMETHODRESPONSE></SIMPLERSP></MESSAGE></CIM>";
    ReplayClient replayed({ReplayStep::answer(withHeader(classResponse(), "CIMStatusCode: 32")),
                           ReplayStep::answer(withHeader(classResponse(), "CIMStatusCode: 4x")),
                           ReplayStep::answer(errorAnswer, ReplayStep::Action::AnswerAndClose)});
    const auto getClass = [&] { replayed.client.getClass(CIMV2, SLOT); };
    const auto trailer = caught<CIMException>(getClass);
    ASSERT_TRUE(trailer);
    EXPECT_EQ("CIM_ERR_UNKNOWN(32)", trailer->getCodeText());
    EXPECT_THROW(getClass(), CIMClientMalformedHTTPException);
    const auto body = caught<CIMException>(getClass);
    ASSERT_TRUE(body);
    EXPECT_EQ(32u, static_cast<Uint32>(body->getCode()));
}

TEST(Wire, ChunkHeaderAndTrailerLinesAreBounded)
{
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: application/xml\r\nCIMOperation: MethodResponse\r\n"
                             "Transfer-Encoding: chunked\r\n\r\n";
    const std::string endless(8 << 20, 'a');
    ReplayClient replayed({ReplayStep::answer(head + "5;x=" + endless, ReplayStep::Action::AnswerAndClose),
                           ReplayStep::answer(head + "0\r\nX-Trailer: " + endless, ReplayStep::Action::AnswerAndClose)});
    for (const char* where : {"chunk header", "trailer"})
    {
        SCOPED_TRACE(where);
        const auto refused = caught<CIMClientMalformedHTTPException>([&] { replayed.client.getClass(CIMV2, SLOT); });
        ASSERT_TRUE(refused);
        EXPECT_NE(PEG_NOT_FOUND, refused->getMessage().find("chunk header or trailer over")) << refused->getMessage();
    }
}

TEST(Wire, OperationTimeOutFiresWithinItsBoundAndTheNextOperationReconnects)
{
    ReplayStep stall;
    stall.action = ReplayStep::Action::Stall;
    ReplayClient replayed({stall, ReplayStep::answer(classResponse())});
    replayed.client.setTimeout(300);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(replayed.client.getClass(CIMV2, SLOT), ConnectionTimeoutException);
    const long elapsed = millisecondsSince(start);
    EXPECT_GE(elapsed, 290);
    EXPECT_LT(elapsed, 3000);
    EXPECT_EQ(SLOT, replayed.client.getClass(CIMV2, SLOT).getClassName());
    EXPECT_EQ(2, replayed.server.connections());
}

TEST(Wire, HandshakeThatNeverCompletesIsBoundedByTheConnectTimeOut)
{
    SilentPort silent;
    CIMClient client;
    client.setTimeout(65535000);
    client.setConnectTimeout(300);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(client.connect("127.0.0.1", silent.port(), SSLContext("", nullptr), "", ""), ConnectionTimeoutException);
    EXPECT_LT(millisecondsSince(start), 3000);
}

TEST(Wire, ConnectAndOperationTimeOutsBoundOnlyTheirOwnStages)
{
    // An answer slower than the connect time-out, first on the connection
    // opened by connect(), then on one reopened within the operation.
    ReplayStep slowAnswerThenClose = ReplayStep::answer(classResponse(), ReplayStep::Action::AnswerAndClose);
    slowAnswerThenClose.delay = std::chrono::milliseconds(500);
    ReplayStep slowAnswer = ReplayStep::answer(classResponse());
    slowAnswer.delay = std::chrono::milliseconds(500);
    ReplayServer server({slowAnswerThenClose, slowAnswer});
    CIMClient client;
    client.setConnectTimeout(100);
    client.setTimeout(5000);
    client.connect("127.0.0.1", server.port(), "", "");
    EXPECT_EQ(SLOT, client.getClass(CIMV2, SLOT).getClassName());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(SLOT, client.getClass(CIMV2, SLOT).getClassName());
    EXPECT_EQ(2, server.connections());

    // A connect bounded by the operation time-out when that is shorter, and
    // the connect time-out back in force once the operation time-out grows.
    SilentPort silent;
    for (const Uint32 timeout : {300u, 65535000u})
    {
        CIMClient handshaking;
        handshaking.setTimeout(timeout);
        handshaking.setConnectTimeout(timeout == 300 ? 65535000 : 300);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_THROW(handshaking.connect("127.0.0.1", silent.port(), SSLContext("", nullptr), "", ""),
                     ConnectionTimeoutException);
        EXPECT_GE(millisecondsSince(start), 290);
        EXPECT_LT(millisecondsSince(start), 3000);
    }
}

TEST(Wire, ConnectStateErrors)
{
    CIMClient client;
    EXPECT_EQ(20000u, client.getTimeout());
    EXPECT_THROW(client.getClass(CIMV2, SLOT), NotConnectedException);
    EXPECT_THROW(client.connect("127.0.0.1", unusedPort(), "", ""), CannotConnectException);
    EXPECT_THROW(client.connect("127.0.0.1", 0, "", ""), InvalidLocatorException);
    EXPECT_THROW(client.connect("", 5988, "", ""), InvalidLocatorException);

    ReplayClient replayed(ReplayClient::captured({"GetClass-default"}));
    EXPECT_THROW(replayed.client.connect("127.0.0.1", replayed.server.port(), "", ""), AlreadyConnectedException);
    replayed.client.disconnect();
    EXPECT_THROW(replayed.client.getClass(CIMV2, SLOT), NotConnectedException);
}

TEST(Wire, BasicAuthenticationIsSentWhenAUserIsGiven)
{
    ReplayClient replayed(ReplayClient::captured({"Auth-Success"}), "root", "secret");
    replayed.client.getClass(CIMV2, SLOT);
    EXPECT_EQ("Basic cm9vdDpzZWNyZXQ=", Captures::headerOf(replayed.server.requests()[0], "Authorization").value_or(""));
}

TEST(Wire, HttpsWithoutTrustStoreWithTrustStoreAndWithCallback)
{
    ReplayServer server({ReplayStep::answer(classResponse()), ReplayStep::answer(classResponse()),
                         ReplayStep::answer(classResponse())},
                        &identity());
    CIMClient anyCertificate;
    anyCertificate.connect("127.0.0.1", server.port(), SSLContext("", nullptr), "", "");
    EXPECT_EQ(SLOT, anyCertificate.getClass(CIMV2, SLOT).getClassName());
    EXPECT_EQ(SLOT, anyCertificate.getClass(CIMV2, SLOT).getClassName());
    EXPECT_EQ(1, server.connections());
    anyCertificate.disconnect();

    CIMClient trusting;
    trusting.connect("127.0.0.1", server.port(), SSLContext(String(identity().certificateFile), nullptr), "", "");
    EXPECT_EQ(SLOT, trusting.getClass(CIMV2, SLOT).getClassName());
    trusting.disconnect();

    const TlsIdentity stranger = TlsIdentity::generate();
    ReplayServer strangeServer({}, &stranger);
    CIMClient distrusting;
    EXPECT_THROW(distrusting.connect("127.0.0.1", strangeServer.port(),
                                     SSLContext(String(identity().certificateFile), nullptr), "", ""),
                 SSLException);
    EXPECT_THROW(distrusting.connect("127.0.0.1", strangeServer.port(), SSLContext("", refuse), "", ""), SSLException);
    certificatesSeen = 0;
    CIMClient asking;
    asking.connect("127.0.0.1", strangeServer.port(), SSLContext("", countAndAccept), "", "");
    EXPECT_GE(certificatesSeen, 1);
}
