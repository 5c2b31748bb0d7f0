// The server's HTTP behaviour: keep-alive, parallel connections, closing,
// bad HTTP, counters, HTTPS, method handlers.

#include "CanonicalXml.h"
#include "RawClient.h"
#include "ServerFixture.h"
#include "testcimom/CimError.h"

#include <gtest/gtest.h>

#include <vector>

namespace testcimom::test {
namespace {

std::string enumerateInstanceNames(const std::string& className, const std::string& extraHeaders = "")
{
    return classRequest("EnumerateInstanceNames", "root/cimv2", className, extraHeaders);
}

std::string methodCall(const std::string& method, const std::string& localPath, const std::string& params)
{
    std::string body = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<CIM CIMVERSION=\"2.0\" DTDVERSION=\"2.0\">\n"
                       "<MESSAGE ID=\"7\" PROTOCOLVERSION=\"1.0\">\n<SIMPLEREQ>\n<METHODCALL NAME=\"" +
                       method + "\">\n" + localPath + "\n" + params + "</METHODCALL>\n</SIMPLEREQ>\n</MESSAGE>\n</CIM>\n";
    return cimRequest(method, "root/cimv2", body);
}

const std::string kCimv2Path =
    "<LOCALNAMESPACEPATH><NAMESPACE NAME=\"root\"/><NAMESPACE NAME=\"cimv2\"/></LOCALNAMESPACEPATH>";

std::string slotInstancePath(const std::string& tag)
{
    return "<LOCALINSTANCEPATH>" + kCimv2Path +
           "<INSTANCENAME CLASSNAME=\"OMC_ProcessorSlot\"><KEYBINDING NAME=\"CreationClassName\"><KEYVALUE "
           "VALUETYPE=\"string\">OMC_ProcessorSlot</KEYVALUE></KEYBINDING><KEYBINDING NAME=\"Tag\"><KEYVALUE "
           "VALUETYPE=\"string\">" + tag + "</KEYVALUE></KEYBINDING></INSTANCENAME></LOCALINSTANCEPATH>";
}

class HttpProtocol : public ::testing::Test {
protected:
    HttpProtocol()
    {
        server_ = startedServer(smallCaptureOptions());
    }

    RawClient client(bool tls = false)
    {
        return RawClient(server_->address(), tls ? server_->httpsPort() : server_->httpPort(), tls);
    }

    std::unique_ptr<CimServer> server_;
};

TEST_F(HttpProtocol, KeepAliveConnectionsServeRequestsAndAreCounted)
{
    RawClient keepAlive = client();
    std::string first = keepAlive.exchange(enumerateInstanceNames("CIM_Slot")).body;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(keepAlive.exchange(enumerateInstanceNames("CIM_Slot")).body, first);
    client().exchange(enumerateInstanceNames("CIM_Processor"));
    EXPECT_EQ(server_->counters().connections(), 2u);
    EXPECT_EQ(server_->counters().requests("EnumerateInstanceNames"), 5u);
    EXPECT_EQ(server_->counters().requests("enumerateinstancenames"), 5u);
    EXPECT_EQ(server_->counters().requests("GetClass"), 0u);
    // Four answers of the same body and one more, each with its header.
    EXPECT_GT(server_->counters().responseBytes("EnumerateInstanceNames"), 4 * first.size());
    EXPECT_EQ(server_->counters().totalResponseBytes(), server_->counters().responseBytes("EnumerateInstanceNames"));
    server_->counters().reset();
    EXPECT_EQ(server_->counters().totalRequests(), 0u);
    EXPECT_EQ(server_->counters().responseBytes("EnumerateInstanceNames"), 0u);
    EXPECT_EQ(server_->counters().connections(), 0u);
    keepAlive.exchange(enumerateInstanceNames("CIM_Slot"));
    EXPECT_EQ(server_->counters().totalRequests(), 1u);
}

TEST_F(HttpProtocol, ConnectionsAreServedSideBySide)
{
    Fault hold;
    hold.kind = FaultKind::NeverAnswer;
    hold.count = 1;
    server_->faults().add(hold);
    RawClient stuck = client();
    stuck.send(enumerateInstanceNames("CIM_Slot"));
    std::vector<RawClient> clients;
    for (int i = 0; i < 4; ++i) {
        clients.push_back(client(i % 2 == 1));
        clients.back().send(enumerateInstanceNames("CIM_Processor"));
    }
    for (RawClient& each : clients)
        EXPECT_NE(each.readAnswer().body.find("CPU1"), std::string::npos);
    EXPECT_EQ(server_->counters().connections(), 5u);
}

TEST_F(HttpProtocol, ConnectionsCloseWhenAskedOrWhenHttpIsBroken)
{
    RawClient closing = client();
    HttpAnswer answer = closing.exchange(enumerateInstanceNames("CIM_Slot", "Connection: close\r\n"));
    EXPECT_EQ(answer.status, 200);
    EXPECT_TRUE(closing.peerCloses(2s));

    RawClient old = client();
    std::string request = enumerateInstanceNames("CIM_Slot");
    request.replace(request.find("HTTP/1.1"), 8, "HTTP/1.0");
    EXPECT_EQ(old.exchange(request).status, 200);
    EXPECT_TRUE(old.peerCloses(2s)) << "HTTP/1.0 without keep-alive";

    RawClient garbage = client();
    garbage.send("THIS IS NOT HTTP\r\n\r\n");
    bool closed = false;
    std::string reply = garbage.readUntilClose(2s, &closed);
    EXPECT_EQ(reply.rfind("HTTP/1.1 400 Bad Request\r\n", 0), 0u);
    EXPECT_TRUE(closed);

    RawClient notPost = client();
    EXPECT_EQ(notPost.exchange("GET /cimom HTTP/1.1\r\nHost: x\r\n\r\n").status, 405);
}

TEST_F(HttpProtocol, HttpsGivesTheSameAnswersAsHttp)
{
    for (const char* className : {"OMC_ProcessorSlot", "CIM_ComputerSystem", "CIM_SystemDevice"}) {
        std::string request = enumerateInstanceNames(className);
        EXPECT_EQ(client(true).exchange(request).body, client().exchange(request).body) << className;
    }
}

TEST_F(HttpProtocol, MethodHandlersReceiveParametersAndAnswer)
{
    std::vector<MethodCall> calls;
    server_->methods().add("root/cimv2", "CIM_Slot", "Eject", [&](const MethodCall& call) {
        calls.push_back(call);
        const Value* force = call.parameter("Force");
        if (force && force->items.front() == "TRUE")
            throw CimError(CimStatus::AccessDenied, "not now");
        if (force && force->items.front() == "BROKEN")
            throw std::runtime_error("handler broke");
        return MethodResult{Value::scalar(CimType::Uint32, "0"),
                            {{"Ejected", Value::array(CimType::String, {"a<b", "c"})}}};
    });
    HttpAnswer ok = client().exchange(
        methodCall("Eject", slotInstancePath("Socket 1"),
                   "<PARAMVALUE NAME=\"Force\" PARAMTYPE=\"boolean\"><VALUE>FALSE</VALUE></PARAMVALUE>\n"));
    EXPECT_NE(ok.body.find("<RETURNVALUE PARAMTYPE=\"uint32\">\n<VALUE>0</VALUE>\n</RETURNVALUE>\n"
                           "<PARAMVALUE NAME=\"Ejected\" PARAMTYPE=\"string\">\n<VALUE.ARRAY>\n<VALUE>a&lt;b</VALUE>"),
              std::string::npos)
        << ok.body;
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].target.className, "OMC_ProcessorSlot") << "handlers of a class serve its subclasses";
    EXPECT_EQ(calls[0].target.keys.size(), 2u);
    EXPECT_EQ(calls[0].parameter("force")->type, CimType::Boolean);

    HttpAnswer refused = client().exchange(methodCall(
        "Eject", slotInstancePath("Socket 1"),
        "<PARAMVALUE NAME=\"Force\" PARAMTYPE=\"boolean\"><VALUE>TRUE</VALUE></PARAMVALUE>\n"));
    EXPECT_NE(refused.body.find("<ERROR CODE=\"2\" DESCRIPTION=\"CIM_ERR_ACCESS_DENIED: not now\"/>"),
              std::string::npos);
    HttpAnswer broken = client().exchange(methodCall(
        "Eject", slotInstancePath("Socket 1"),
        "<PARAMVALUE NAME=\"Force\" PARAMTYPE=\"string\"><VALUE>BROKEN</VALUE></PARAMVALUE>\n"));
    EXPECT_NE(broken.body.find("<ERROR CODE=\"1\" DESCRIPTION=\"CIM_ERR_FAILED: handler broke\"/>"),
              std::string::npos);
    HttpAnswer missing = client().exchange(methodCall("Eject", slotInstancePath("Socket 9"), ""));
    EXPECT_NE(missing.body.find("<ERROR CODE=\"6\""), std::string::npos);
    EXPECT_EQ(calls.size(), 3u);

    server_->methods().remove("root/cimv2", "CIM_Slot", "Eject");
    HttpAnswer gone = client().exchange(methodCall("Eject", slotInstancePath("Socket 1"), ""));
    EXPECT_NE(gone.body.find("CIM_ERR_METHOD_NOT_AVAILABLE: Eject"), std::string::npos);
}

TEST_F(HttpProtocol, QualifierDeclarationsAreEnumerated)
{
    HttpAnswer answer = client().exchange(
        cimRequest("EnumerateQualifiers", "root/cimv2", intrinsicBody("EnumerateQualifiers", "root/cimv2", "")));
    std::string canonical = canonicalXml(answer.body);
    std::size_t count = 0;
    for (std::size_t at = 0; (at = canonical.find("<QUALIFIER.DECLARATION", at)) != std::string::npos; ++at)
        ++count;
    EXPECT_EQ(count, 32u);
    EXPECT_NE(answer.body.find("<QUALIFIER.DECLARATION NAME=\"Key\" TYPE=\"boolean\" OVERRIDABLE=\"false\">\n"
                               "<SCOPE PROPERTY=\"true\" REFERENCE=\"true\"/>\n<VALUE>FALSE</VALUE>"),
              std::string::npos)
        << answer.body;
    EXPECT_NE(answer.body.find("NAME=\"ValueMap\" TYPE=\"string\" ISARRAY=\"true\""), std::string::npos);
}

TEST_F(HttpProtocol, RepositoryChangesShowInTheNextAnswer)
{
    Instance slot;
    slot.className = "OMC_ProcessorSlot";
    slot.set("Tag", Value::text("Socket 7"));
    slot.set("CreationClassName", Value::text("OMC_ProcessorSlot"));
    slot.set("Number", Value::text("7"));
    ObjectPath path = server_->repository().addInstance("root/cimv2", slot);
    EXPECT_NE(client().exchange(enumerateInstanceNames("CIM_Slot")).body.find("Socket 7"), std::string::npos);
    server_->repository().removeInstance("root/cimv2", path);
    EXPECT_EQ(client().exchange(enumerateInstanceNames("CIM_Slot")).body.find("Socket 7"), std::string::npos);
}

TEST(ServerLifecycle, StopClosesIdleConnectionsAndTheServerCanStartAgain)
{
    auto server = startedServer(ephemeralOptions(DataSetKind::Demo));
    const int port = server->httpPort();
    std::vector<RawClient> idle;
    for (int i = 0; i < 3; ++i) {
        idle.emplace_back(server->address(), port);
        idle.back().exchange(enumerateInstanceNames("VORN_Memory"));
    }
    server->stop();
    EXPECT_FALSE(server->running());
    EXPECT_EQ(server->httpPort(), -1);
    for (RawClient& each : idle)
        EXPECT_TRUE(each.peerCloses(2s));
    server->start();
    EXPECT_NE(RawClient(server->address(), server->httpPort()).exchange(enumerateInstanceNames("VORN_Memory")).body.find(
                  "DIMM3"),
              std::string::npos)
        << "data loaded once, still there";
}

}  // namespace
}  // namespace testcimom::test
