// Every fault switch makes the server misbehave the way it says, seen from a
// client on the wire.

#include "CanonicalXml.h"
#include "RawClient.h"
#include "ServerFixture.h"
#include "testcimom/CimError.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace testcimom::test {
namespace {

using Clock = std::chrono::steady_clock;

std::string getClass(const std::string& className, const std::string& extraHeaders = "")
{
    return classRequest("GetClass", "root/cimv2", className, extraHeaders);
}

std::string enumerateInstances(const std::string& className)
{
    return classRequest("EnumerateInstances", "root/cimv2", className);
}

Fault fault(FaultKind kind, int count = -1)
{
    Fault made;
    made.kind = kind;
    made.count = count;
    return made;
}

class FaultInjection : public ::testing::Test {
protected:
    FaultInjection()
    {
        server_ = startedServer(smallCaptureOptions());
        normal_ = RawClient(address(), port()).exchange(getClass("OMC_ProcessorSlot"));
    }

    std::string address() const { return server_->address(); }
    int port() const { return server_->httpPort(); }
    void inject(Fault fault) { server_->faults().add(fault); }

    // The raw bytes of the answer to a GetClass while the fault is set.
    std::string rawAnswer(Fault injected, bool* closedByPeer, std::chrono::milliseconds wait = 1s,
                          const std::string& extraHeaders = "")
    {
        inject(injected);
        RawClient client(address(), port());
        client.send(getClass("OMC_ProcessorSlot", extraHeaders));
        return client.readUntilClose(wait, closedByPeer);
    }

    std::unique_ptr<CimServer> server_;
    HttpAnswer normal_;
};

TEST_F(FaultInjection, TimingFaultsDelayOrWithholdTheAnswer)
{
    Fault delay = fault(FaultKind::Delay, 1);
    delay.delay = 400ms;
    inject(delay);
    RawClient client(address(), port());
    auto start = Clock::now();
    EXPECT_EQ(client.exchange(getClass("OMC_ProcessorSlot")).body, normal_.body);
    EXPECT_GE(Clock::now() - start, 400ms);
    EXPECT_EQ(client.exchange(getClass("OMC_ProcessorSlot")).body, normal_.body) << "one-shot fault ran out";

    Fault slow = fault(FaultKind::SlowBytes, 1);
    slow.delay = 1ms;
    inject(slow);
    start = Clock::now();
    EXPECT_EQ(client.exchange(getClass("OMC_ProcessorSlot")).body, normal_.body);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(normal_.body.size()));

    bool closed = true;
    EXPECT_EQ(rawAnswer(fault(FaultKind::NeverAnswer, 1), &closed, 300ms), "");
    EXPECT_FALSE(closed) << "a server that never answers keeps the connection";
    EXPECT_EQ(rawAnswer(fault(FaultKind::CloseBeforeResponse, 1), &closed), "");
    EXPECT_TRUE(closed);
}

TEST_F(FaultInjection, FramingFaultsBreakTheHttpMessage)
{
    bool closed = false;
    std::string midHeader = rawAnswer(fault(FaultKind::CloseMidHeader, 1), &closed);
    EXPECT_TRUE(closed);
    EXPECT_EQ(midHeader.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
    EXPECT_EQ(midHeader.find("\r\n\r\n"), std::string::npos);

    std::string midBody = rawAnswer(fault(FaultKind::CloseMidBody, 1), &closed);
    EXPECT_TRUE(closed);
    EXPECT_NE(midBody.find("content-length: 0000001067"), std::string::npos);
    EXPECT_THROW(parseAnswer(midBody), std::runtime_error);
    EXPECT_LT(midBody.size() - midBody.find("\r\n\r\n") - 4, normal_.body.size());

    std::string midChunk = rawAnswer(fault(FaultKind::CloseMidChunk, 1), &closed);
    EXPECT_TRUE(closed);
    EXPECT_NE(midChunk.find("transfer-encoding: chunked"), std::string::npos);
    EXPECT_THROW(parseAnswer(midChunk), std::runtime_error);

    std::string unframed = rawAnswer(fault(FaultKind::NoContentLength, 1), &closed, 500ms);
    EXPECT_FALSE(closed) << "the body runs to a close that never comes";
    EXPECT_EQ(unframed.find("content-length"), std::string::npos);
    EXPECT_EQ(unframed.substr(unframed.find("\r\n\r\n") + 4), normal_.body);

    std::string tooLong = rawAnswer(fault(FaultKind::ContentLengthTooLong, 1), &closed, 500ms);
    EXPECT_FALSE(closed);
    EXPECT_NE(tooLong.find("content-length: 0000001131"), std::string::npos);

    inject(fault(FaultKind::ContentLengthTooShort, 1));
    RawClient client(address(), port());
    HttpAnswer shortened = client.exchange(getClass("OMC_ProcessorSlot"));
    EXPECT_EQ(shortened.body, normal_.body.substr(0, normal_.body.size() / 2));
    EXPECT_THROW(client.exchange(getClass("OMC_ProcessorSlot"), 1s), std::runtime_error)
        << "the rest of the body is read as the next answer";
}

TEST_F(FaultInjection, StatusFaultsAnswerWithHttpAndCimErrors)
{
    RawClient client(address(), port());
    for (int status : {401, 403, 500, 503}) {
        Fault httpStatus = fault(FaultKind::HttpStatus, 1);
        httpStatus.httpStatus = status;
        inject(httpStatus);
        HttpAnswer answer = client.exchange(getClass("OMC_ProcessorSlot"));
        EXPECT_EQ(answer.status, status);
        EXPECT_EQ(answer.body, "");
        EXPECT_EQ(!answer.header("www-authenticate").empty(), status == 401);
    }
    for (int code = 1; code <= 17; ++code) {
        Fault inBody = fault(FaultKind::CimError, 1);
        inBody.cimCode = code;
        inject(inBody);
        HttpAnswer answer = client.exchange(getClass("OMC_ProcessorSlot"));
        EXPECT_NE(answer.body.find("<ERROR CODE=\"" + std::to_string(code) + "\" DESCRIPTION=\"" + statusName(code)),
                  std::string::npos)
            << answer.body;

        Fault inTrailer = fault(FaultKind::CimErrorInTrailer, 1);
        inTrailer.cimCode = code;
        inject(inTrailer);
        answer = client.exchange(getClass("OMC_ProcessorSlot"));
        EXPECT_EQ(answer.header("transfer-encoding"), "chunked");
        EXPECT_EQ(answer.header("cimstatuscode"), std::to_string(code));
        EXPECT_EQ(answer.header("cimstatuscodedescription").rfind(statusName(code), 0), 0u);
        EXPECT_EQ(answer.body.find("<ERROR"), std::string::npos);
    }
    inject(fault(FaultKind::Chunked, 1));
    HttpAnswer chunked = client.exchange(getClass("OMC_ProcessorSlot"));
    EXPECT_EQ(chunked.header("transfer-encoding"), "chunked");
    EXPECT_EQ(chunked.body, normal_.body);
}

TEST_F(FaultInjection, BodyFaultsSpoilTheXml)
{
    RawClient client(address(), port());
    auto bodyWith = [&](Fault injected) {
        inject(injected);
        return client.exchange(getClass("OMC_ProcessorSlot")).body;
    };
    EXPECT_THROW(canonicalXml(bodyWith(fault(FaultKind::NotXml, 1))), std::runtime_error);
    std::string truncated = bodyWith(fault(FaultKind::TruncatedXml, 1));
    EXPECT_EQ(truncated, normal_.body.substr(0, normal_.body.size() / 2));
    EXPECT_THROW(canonicalXml(truncated), std::runtime_error);
    std::string wrong = bodyWith(fault(FaultKind::WrongStructureXml, 1));
    EXPECT_NE(canonicalXml(wrong).find("<UNEXPECTED"), std::string::npos);
    EXPECT_THROW(canonicalXml(bodyWith(fault(FaultKind::InvalidUtf8, 1))), std::runtime_error);
    std::string bomb = bodyWith(fault(FaultKind::EntityExpansion, 1));
    EXPECT_NE(bomb.find("<!ENTITY lol9 \"&lol8;&lol8;"), std::string::npos);
    EXPECT_LT(bomb.size(), 4096u) << "the bomb only explodes in a parser that expands entities";
    std::string external = bodyWith(fault(FaultKind::ExternalEntity, 1));
    EXPECT_NE(external.find("<!ENTITY secret SYSTEM \"file:///etc/passwd\">"), std::string::npos);
    EXPECT_EQ(external.find("root:"), std::string::npos);

    Fault large = fault(FaultKind::ResponseSize, 1);
    large.size = 3 * 1024 * 1024;
    std::string padded = bodyWith(large);
    EXPECT_GE(padded.size(), large.size);
    EXPECT_EQ(canonicalXml(padded), canonicalXml(normal_.body)) << "padding keeps the answer valid";
}

TEST_F(FaultInjection, FaultsMatchOperationAndClassAndRunOut)
{
    Fault slotClassOnly = fault(FaultKind::CimError, 2);
    slotClassOnly.operation = "getclass";
    slotClassOnly.className = "CIM_Slot";
    slotClassOnly.cimCode = 4;
    inject(slotClassOnly);
    RawClient client(address(), port());
    auto isFaulted = [&](const std::string& request) {
        return client.exchange(request).body.find("<ERROR CODE=\"4\"") != std::string::npos;
    };
    EXPECT_FALSE(isFaulted(getClass("OMC_ProcessorSlot")));
    EXPECT_FALSE(isFaulted(enumerateInstances("CIM_Slot")));
    EXPECT_TRUE(isFaulted(getClass("CIM_Slot")));
    EXPECT_TRUE(isFaulted(getClass("cim_slot")));
    EXPECT_FALSE(isFaulted(getClass("CIM_Slot"))) << "used up after two";
    EXPECT_EQ(server_->faults().pending(), 0u);

    Fault everything = fault(FaultKind::CimError);
    everything.cimCode = 4;
    inject(everything);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(isFaulted(enumerateInstances("CIM_Processor")));
    server_->faults().clear();
    EXPECT_FALSE(isFaulted(enumerateInstances("CIM_Processor")));
}

TEST(FaultText, CommandLineFormIsParsed)
{
    Fault parsed = parseFault("delay:op=GetClass,class=CIM_Slot,count=1,ms=300");
    EXPECT_EQ(parsed.kind, FaultKind::Delay);
    EXPECT_EQ(parsed.operation, "GetClass");
    EXPECT_EQ(parsed.className, "CIM_Slot");
    EXPECT_EQ(parsed.count, 1);
    EXPECT_EQ(parsed.delay, 300ms);
    parsed = parseFault("cim-error-trailer:code=17");
    EXPECT_EQ(parsed.kind, FaultKind::CimErrorInTrailer);
    EXPECT_EQ(parsed.cimCode, 17);
    EXPECT_EQ(parsed.count, -1);
    EXPECT_EQ(parseFault("response-size:size=1000").size, 1000u);
    EXPECT_EQ(parseFault("http-status:status=503").httpStatus, 503);
    for (const char* bad : {"nonsense", "delay:ms", "delay:ms=soon", "delay:colour=red", "delay:ms=-5"})
        EXPECT_THROW(parseFault(bad), std::invalid_argument) << bad;
}

TEST(TlsFaults, HandshakesFailAsConfigured)
{
    ServerOptions options = ephemeralOptions(DataSetKind::Empty);
    options.plainHttpOnHttpsPort = true;
    auto plain = startedServer(options);
    EXPECT_THROW(RawClient(plain->address(), plain->httpsPort(), true), std::runtime_error);
    EXPECT_EQ(RawClient(plain->address(), plain->httpsPort()).exchange(getClass("X")).status, 200);

    options.plainHttpOnHttpsPort = false;
    auto secure = startedServer(options);
    Fault abort = fault(FaultKind::AbortHandshake, 1);
    secure->faults().add(abort);
    EXPECT_THROW(RawClient(secure->address(), secure->httpsPort(), true), std::runtime_error);
    RawClient trusted(secure->address(), secure->httpsPort(), true);
    EXPECT_EQ(trusted.peerCommonName(), "localhost");
    EXPECT_TRUE(trusted.peerCertificateCurrent());
    EXPECT_EQ(secure->counters().connections(), 2u);

    for (CertificateKind kind : {CertificateKind::Expired, CertificateKind::NotYetValid, CertificateKind::OtherHost}) {
        options.certificate = kind;
        auto odd = startedServer(options);
        RawClient client(odd->address(), odd->httpsPort(), true);
        EXPECT_EQ(client.peerCertificateCurrent(), kind == CertificateKind::OtherHost);
        EXPECT_EQ(client.peerCommonName() == "other-host.invalid", kind == CertificateKind::OtherHost);
    }

    const int port = secure->httpsPort();
    secure->stop();
    EXPECT_THROW(RawClient(options.address, port, true), std::runtime_error) << "a stopped server refuses";
}

}  // namespace
}  // namespace testcimom::test
