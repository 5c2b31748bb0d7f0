// The request log keeps what a client sent, parameter by parameter, so tests
// of a client can check the flags it passes.

#include "Captures.h"
#include "RawClient.h"
#include "ServerFixture.h"

#include <gtest/gtest.h>

namespace testcimom::test {
namespace {

class RequestLogTest : public ::testing::Test {
protected:
    RequestLogTest() : server_(startedServer(smallCaptureOptions())) {}

    HttpAnswer send(const std::string& request)
    {
        return RawClient(server_->address(), server_->httpPort()).exchange(request);
    }

    std::unique_ptr<CimServer> server_;
};

TEST_F(RequestLogTest, KeepsEveryParameterAsSentAndLeavesOutWhatWasLeftOut)
{
    const std::string params =
        "<IPARAMVALUE NAME=\"ClassName\"><CLASSNAME NAME=\"CIM_ComputerSystem\"/></IPARAMVALUE>\n"
        "<IPARAMVALUE NAME=\"LocalOnly\"><VALUE>FALSE</VALUE></IPARAMVALUE>\n"
        "<IPARAMVALUE NAME=\"IncludeClassOrigin\"><VALUE>true</VALUE></IPARAMVALUE>\n"
        "<IPARAMVALUE NAME=\"PropertyList\"><VALUE.ARRAY><VALUE>Name</VALUE><VALUE>ElementName</VALUE>"
        "</VALUE.ARRAY></IPARAMVALUE>\n";
    send(cimRequest("GetClass", "root/cimv2", intrinsicBody("GetClass", "root/cimv2", params)));
    send(Captures::exchange("GetInstance-ComputerSystem").request);
    send(Captures::exchange("InvokeMethod-SetHostName-ArrayParam").request);
    ASSERT_EQ(3u, server_->requestLog().all().size());

    const LoggedRequest getClass = server_->requestLog().of("getclass").at(0);
    EXPECT_TRUE(getClass.intrinsic);
    EXPECT_EQ("GetClass", getClass.operation);
    EXPECT_EQ("root/cimv2", getClass.nameSpace);
    EXPECT_EQ("CIM_ComputerSystem", getClass.target);
    EXPECT_EQ(std::optional<bool>(false), getClass.flag("LocalOnly"));
    EXPECT_EQ(std::optional<bool>(true), getClass.flag("includeclassorigin"));
    EXPECT_EQ(std::nullopt, getClass.flag("IncludeQualifiers"));
    EXPECT_EQ(nullptr, getClass.parameter("IncludeQualifiers"));
    EXPECT_EQ((std::vector<std::string>{"Name", "ElementName"}), getClass.propertyList());
    ASSERT_EQ(4u, getClass.parameters.size());
    EXPECT_EQ("ClassName", getClass.parameters[0].name);
    EXPECT_EQ(CimType::Reference, getClass.parameters[0].value.type);
    EXPECT_THROW(getClass.flag("PropertyList"), std::invalid_argument);

    const LoggedRequest getInstance = server_->requestLog().of("GetInstance").at(0);
    EXPECT_EQ(0u, getInstance.target.find("CIM_ComputerSystem.")) << getInstance.target;
    EXPECT_EQ(std::nullopt, getInstance.propertyList());

    const LoggedRequest method = server_->requestLog().of("SetHostName").at(0);
    EXPECT_FALSE(method.intrinsic);
    EXPECT_EQ("root/cimv2", method.nameSpace);
    EXPECT_EQ("CIM_ComputerSystem.CreationClassName=\"CIM_ComputerSystem\",Name=\"esx01.example.test\"",
              method.target);
    ASSERT_NE(nullptr, method.parameter("HostName"));
    EXPECT_EQ(std::vector<std::string>{"esx01-new"}, method.parameter("HostName")->items);
    ASSERT_NE(nullptr, method.parameter("Aliases"));
    EXPECT_TRUE(method.parameter("Aliases")->isArray);
    EXPECT_EQ((std::vector<std::string>{"a1", "a&2"}), method.parameter("Aliases")->items);
}

TEST_F(RequestLogTest, LogsOnlyDecodedRequestsAndOnlyTheNewest)
{
    RawClient refused(server_->address(), server_->httpPort());
    refused.send(cimRequest("GetClass", "root/cimv2", "not xml at all"));
    EXPECT_EQ(0u, refused.readUntilClose(300ms).find("HTTP/1.1 400 "));
    EXPECT_EQ(1u, server_->counters().requests("GetClass"));
    EXPECT_TRUE(server_->requestLog().all().empty());

    send(classRequest("EnumerateInstanceNames", "root/cimv2", "CIM_ComputerSystem"));
    EXPECT_EQ(1u, server_->requestLog().all().size());
    server_->requestLog().clear();
    EXPECT_TRUE(server_->requestLog().all().empty());

    RequestLog log;
    for (std::size_t i = 0; i <= RequestLog::kCapacity; ++i)
        log.record(LoggedRequest{true, "Op" + std::to_string(i), "root/cimv2", "", {}});
    const std::vector<LoggedRequest> kept = log.all();
    ASSERT_EQ(RequestLog::kCapacity, kept.size());
    EXPECT_EQ("Op1", kept.front().operation);
    EXPECT_EQ("Op" + std::to_string(RequestLog::kCapacity), kept.back().operation);
}

}  // namespace
}  // namespace testcimom::test
