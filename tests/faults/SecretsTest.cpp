// A distinctive user and password, sent to servers that fail in every way
// the fault matrix knows and to one that refuses them, never show in a log
// record of any level nor in a message of the client library.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Pegasus/Client/CIMClient.h>

#include "client/PegClient.h"
#include "namespace/TCimHTTPNamespace.h"
#include "FaultTestSupport.h"
#include "FaultyEndpoint.h"

using namespace cimhttp_faults;
using NVORNQEL20::PegClient;

namespace {

const char* const kNamespace = "root/cimv2";
const char* const kSystemClass = "CIM_ComputerSystem";
const char* const kRightPassword = "the-right-one";

using ClientCall = std::function<void(Pegasus::CIMClient&)>;

// The five operations the plug-in uses, straight on the client library.
const std::vector<ClientCall>& ClientCalls()
{
    static const std::vector<ClientCall> calls = {
        [](Pegasus::CIMClient& client) { client.getClass(kNamespace, kSystemClass); },
        [](Pegasus::CIMClient& client) { client.enumerateInstances(kNamespace, kSystemClass); },
        [](Pegasus::CIMClient& client) { client.enumerateClassNames(kNamespace); },
        [](Pegasus::CIMClient& client) { client.enumerateInstanceNames(kNamespace, kSystemClass); },
        [](Pegasus::CIMClient& client) {
            Pegasus::Array<Pegasus::CIMParamValue> out;
            client.invokeMethod(kNamespace, Pegasus::CIMObjectPath("VORN_ComputerSystem"), "Ping",
                                Pegasus::Array<Pegasus::CIMParamValue>(), out);
        },
    };
    return calls;
}

class SecretsTest : public FaultTest {
protected:
    void SetUp() override
    {
        FaultTest::SetUp();
        fServer = cimhttp_test::StartServer(cimhttp_test::DemoServerOptions(0));
    }

    // Runs the call and keeps the message of the client-library exception it raises.
    bool Collect(const std::function<void()>& call)
    {
        try {
            call();
            return true;
        } catch (const Pegasus::Exception& e) {
            fMessages.emplace_back(e.getMessage().getCString());
            return false;
        }
    }

    // Connects as PegClient does (HTTPS, then HTTP) and runs every operation.
    void RunEveryOperation(std::uint64_t responseCap)
    {
        Pegasus::CIMClient client;
        client.setTimeout(ScaledMs(250));
        client.setConnectTimeout(ScaledMs(1000));
        if (responseCap)
            client.setMaxResponseSize(responseCap);
        const std::string host = fServer->address();
        const Pegasus::SSLContext context("", nullptr, Pegasus::String::EMPTY);
        if (!Collect([&] { client.connect(host.c_str(), 5989, context, kUser, kPassword); }) &&
            !Collect([&] { client.connect(host.c_str(), 5988, kUser, kPassword); }))
            return;
        for (const ClientCall& call : ClientCalls())
            Collect([&] { call(client); });
    }

    void ExpectNoMessageRevealsSecret()
    {
        for (const std::string& message : fMessages)
            EXPECT_FALSE(RevealsSecret(message)) << message;
    }

    std::unique_ptr<testcimom::CimServer> fServer;
    std::vector<std::string> fMessages;
};

TEST_F(SecretsTest, EveryFailureLeavesTheCredentialsOutOfTheMessages)
{
    for (const RequestFault& fault : RequestFaults()) {
        for (const testcimom::Fault& variant : fault.variants) {
            fServer->faults().add(variant);
            RunEveryOperation(fault.responseCap);
            fServer->faults().clear();
        }
    }
    for (const ConnectionFault& fault : ConnectionFaults()) {
        FaultyEndpoint endpoint(fault, *fServer);
        RunEveryOperation(0);
        endpoint.Heal();
    }
    // Every variant of every request fault fails each of the five calls.
    std::size_t variants = 0;
    for (const RequestFault& fault : RequestFaults())
        variants += fault.variants.size();
    EXPECT_GE(fMessages.size(), variants * ClientCalls().size());
    ExpectNoMessageRevealsSecret();
    EXPECT_TRUE(TakeTrace().empty());
}

// In a fresh process, so that the namespace's connect runs the ESXi probe.
TEST_F(SecretsTest, WrongPasswordIsRefusedWithoutRepeatingIt)
{
    cimhttp_test::InFreshProcess([this] {
        testcimom::ServerOptions options = cimhttp_test::DemoServerOptions(1);
        options.user = kUser;
        options.password = kRightPassword;
        auto guarded = cimhttp_test::StartServer(options);

        PegClient refused;
        ASSERT_TRUE(refused.Connect(guarded->address(), kUser, kPassword));
        for (const Operation& operation : Operations()) {
            EXPECT_FALSE(operation.run(refused, ScaledMs(5000)));
            const std::vector<std::string> lines = TakeTrace();
            ExpectLines(OutcomeLines(Outcome::Fails, operation.name), lines);
            for (const std::string& line : lines)
                EXPECT_NE(std::string::npos, line.find("HTTP error 401")) << line;
        }

        // The namespace's ESXi probe meets the refusal too.
        guarded->counters().reset();
        boost::shared_ptr<NVORNQEL20::TCimHTTPNamespace> ns(new NVORNQEL20::TCimHTTPNamespace(false, kNamespace));
        ns->Init();
        ns->ConnectViaHttps(guarded->address(), kUser, kPassword, 5989);
        EXPECT_FALSE(ns->getIsServeESXi());
        EXPECT_EQ(2u, guarded->counters().requests("EnumerateInstances"));
        TakeTrace();

        Pegasus::CIMClient raw;
        raw.connect(guarded->address().c_str(), 5988, kUser, kPassword);
        EXPECT_FALSE(Collect([&] { raw.enumerateClassNames(kNamespace); }));
        ExpectNoMessageRevealsSecret();

        PegClient admitted;
        ASSERT_TRUE(admitted.Connect(guarded->address(), kUser, kRightPassword));
        for (const Operation& operation : Operations())
            EXPECT_TRUE(operation.run(admitted, ScaledMs(5000)));
    });
}

}  // namespace
