// Instances as a host gets them: libcimhttp.nsp.so loaded through the
// provider manager, its namespace layered under the host's union namespace,
// classes asked of the host's top namespace and their instances shown
// through the exported property class.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <qel/ICIMClass.h>
#include <qel/ICIMInstance.h>
#include <qel/TControllerSimulation.h>
#include <qel/TVORNCNamespace.h>

#include <testcimom/CimomCluster.h>

#include "InstanceTestSupport.h"
#include "ServedNamespace.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;

class InstanceEndToEndTest : public PluginTest {
};

TEST_F(InstanceEndToEndTest, HostEnumeratesAndShowsTheCapturedSystems)
{
    testcimom::ServerOptions options;
    options.address = NodeAddress(0);
    auto server = StartServer(options);
    ServedNamespace served;
    boost::shared_ptr<ICIMNamespace> top = served.Session().GetUpcallNamespace();

    auto systems = top->GetClass("CIM_ComputerSystem", kNoContext);
    ASSERT_TRUE(systems);
    const TInstances found = Enumerate(*systems);
    ASSERT_EQ(2u, found.size());
    EXPECT_EQ((std::vector<std::string>{"esx01.example.test", "esx02.example.test"}), ValueTexts(found, "Name"));
    EXPECT_EQ("OK", DisplayText(*found[0], "HealthState"));
    EXPECT_EQ("Major failure", DisplayText(*found[1], "HealthState"));
    EXPECT_EQ("64 Gigabytes", DisplayText(*found[0], "TotalMemory"));
    EXPECT_EQ(found[1], served.Session().GetNamespace()->GetInstance(found[1]->GetReference(kNoContext), kNoContext));
}

TEST_F(InstanceEndToEndTest, HostEnumeratesThreeNodes)
{
    auto cluster = StartDemoCluster(3);
    TControllerSimulation::SetNodeCount(3);
    ServedNamespace served(cluster->addresses());

    auto entries = served.Session().GetUpcallNamespace()->GetClass("VORN_StandardMessageLogEntry", kNoContext);
    ASSERT_TRUE(entries);
    const TInstances found = Enumerate(*entries);
    ASSERT_EQ(11u, found.size());
    EXPECT_EQ("Node1:VORN:Log:1:0000000001@node1", ValueText(*found.front(), "InstanceID"));
    EXPECT_EQ("3", ValueText(*found.back(), "NodeID"));
    EXPECT_EQ("Degraded/Warning", DisplayText(*found.back(), "PerceivedSeverity"));
}

}  // namespace
