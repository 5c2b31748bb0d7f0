// Instances of the captured OpenPegasus data and of the demo inventory,
// enumerated through the plug-in and shown as a host shows them. The
// expected texts are worked out by hand from tests/data/cimxml/mof
// (schema.mof, instances.mof) and from the demo data of the test CIMOM
// (testserver/data/demo-schema.xml, demo-instances.xml).
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <qel/ICIMClass.h>
#include <qel/ICIMInstance.h>
#include <qel/ICIMPropertyDecl.h>

#include "InstanceTestSupport.h"
#include "ServedNamespace.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;

typedef std::vector<std::string> TTexts;

TTexts PropertyNames(const ICIMInstance& instance)
{
    TTexts names;
    instance.EnumerateProperties(
        [&names](boost::shared_ptr<ICIMProperty> property) {
            names.push_back(property->GetDeclaration(kNoContext)->GetName(kNoContext));
            return true;
        },
        kNoContext);
    return names;
}

// A test CIMOM with a data set, one node, the plug-in's namespace root/cimv2 on it.
class ServedDataTest : public PluginTest {
protected:
    void Serve(testcimom::DataSetKind kind)
    {
        testcimom::ServerOptions options;
        options.address = NodeAddress(0);
        options.dataSet.kind = kind;
        fServer = StartServer(options);
        fServed = std::make_unique<ServedNamespace>();
    }

    boost::shared_ptr<ICIMClass> Class(const std::string& name) { return (*fServed)->GetClass(name, kNoContext); }

    // The instance of the class whose property has the value text.
    boost::shared_ptr<ICIMInstance> Find(const std::string& className, const std::string& property,
                                         const std::string& value)
    {
        for (const auto& instance : Enumerate(*Class(className)))
            if (ValueText(*instance, property) == value)
                return instance;
        ADD_FAILURE() << "no " << className << " with " << property << " " << value;
        return Enumerate(*Class(className)).front();
    }

    std::unique_ptr<testcimom::CimServer> fServer;
    std::unique_ptr<ServedNamespace> fServed;
};

class CapturedInstancesTest : public ServedDataTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        Serve(testcimom::DataSetKind::Capture);
    }
};

// The class declares three properties (local only); the instances carry
// the 14 they inherit too, and the keys of CIM_System.
TEST_F(CapturedInstancesTest, ComputerSystemsKeepEveryPropertyUnderPathsOfTheirInheritedKeys)
{
    const TInstances systems = Enumerate(*Class("CIM_ComputerSystem"));
    ASSERT_EQ(2u, systems.size());
    const TTexts names = {"Caption",     "CreationClassName", "Dedicated",  "Description",
                          "ElementName", "EnabledState",      "HealthState", "InstallDate",
                          "InstanceID",  "Name",              "NodeID",      "OperationalStatus",
                          "RequestedState", "Roles",          "StatusDescriptions", "TimeOfLastStateChange",
                          "TotalMemory", "UpTime"};
    EXPECT_EQ(names, PropertyNames(*systems[0]));
    EXPECT_EQ(names, PropertyNames(*systems[1]));
    EXPECT_EQ("CIM_ComputerSystem.CreationClassName=\"CIM_ComputerSystem\",Name=\"esx01.example.test\"",
              PathOf(*systems[0]));
    EXPECT_EQ("CIM_ComputerSystem.CreationClassName=\"CIM_ComputerSystem\",Name=\"esx02.example.test\"",
              PathOf(*systems[1]));
    EXPECT_FALSE(*systems[0] == *systems[1]);

    boost::shared_ptr<ICIMInstance> esx02 = (*fServed)->GetInstance(systems[1]->GetReference(kNoContext), kNoContext);
    ASSERT_EQ(systems[1], esx02);
    EXPECT_EQ("Major failure", DisplayText(*esx02, "HealthState"));
    EXPECT_TRUE(LoggedMessages(0).empty());
}

// The key values of the antecedents hold colons, which the path text does
// not tell from a namespace; the reference names its class itself.
TEST_F(CapturedInstancesTest, EverySoftwareIdentityLinkKeepsItsAntecedent)
{
    const TInstances links = Enumerate(*Class("CIM_ElementSoftwareIdentity"));
    TTexts antecedents;
    for (const auto& link : links) {
        const TCIMValue& antecedent = ValueOf(*link, "Antecedent");
        ASSERT_TRUE(antecedent.GetReferencedClass());
        antecedents.push_back(antecedent.GetReferencedClass()->GetName(kNoContext) + " " + antecedent.ToString());
        EXPECT_FALSE(ValueOf(*link, "Dependent").GetReferencedClass());
    }
    EXPECT_EQ((TTexts{"CIM_SoftwareIdentity CIM_SoftwareIdentity.InstanceID=\"BIOS:esx01\"",
                      "VMware_HypervisorSoftwareIdentity VMware_HypervisorSoftwareIdentity.InstanceID="
                      "\"VMware:HypervisorSoftwareIdentity:esx01\""}),
              antecedents);
    EXPECT_EQ((TTexts{"Factory Upgradeable", "Owner Upgradeable"}),
              (TTexts{DisplayText(*links[0], "UpgradeCondition"), DisplayText(*links[1], "UpgradeCondition")}));
    EXPECT_EQ((TTexts{"Current", "Installed"}), Displayed(*links[1], "ElementSoftwareStatus").ToStringVector());
    EXPECT_TRUE(LoggedMessages(0).empty());
}

// ValueMap/Values (ranges, "..", hexadecimal vendor ranges), Units of
// bytes and bits, units that are not scaled, and nulls that root/cimv2
// turned into 0.
TEST_F(CapturedInstancesTest, DisplayTextFollowsTheQualifiersOfTheCapturedSchema)
{
    testcimom::Instance vendor;
    vendor.className = "CIM_SoftwareIdentity";
    vendor.set("InstanceID", testcimom::Value::text("Vendor:1"));
    vendor.set("Classifications", testcimom::Value::array(testcimom::CimType::Uint16, {"32768", "65535", "11", "4"}));
    fServer->repository().addInstance("root/cimv2", vendor);

    auto esx01 = Find("CIM_ComputerSystem", "Name", "esx01.example.test");
    EXPECT_EQ("OK", DisplayText(*esx01, "HealthState"));
    EXPECT_EQ("Enabled", DisplayText(*esx01, "EnabledState"));
    EXPECT_EQ("Not Applicable", DisplayText(*esx01, "RequestedState"));
    EXPECT_EQ(TTexts{"OK"}, Displayed(*esx01, "OperationalStatus").ToStringVector());
    EXPECT_EQ(TTexts{"Not Dedicated"}, Displayed(*esx01, "Dedicated").ToStringVector());
    EXPECT_EQ("64 Gigabytes", DisplayText(*esx01, "TotalMemory"));
    auto esx02 = Find("CIM_ComputerSystem", "Name", "esx02.example.test");
    EXPECT_EQ("Disabled", DisplayText(*esx02, "EnabledState"));
    EXPECT_EQ((TTexts{"Degraded", "Error"}), Displayed(*esx02, "OperationalStatus").ToStringVector());
    EXPECT_EQ("0 Bytes", DisplayText(*esx02, "TotalMemory"));

    auto cpu0 = Find("CIM_Processor", "DeviceID", "CPU0");
    EXPECT_EQ("Intel(R) Xeon(TM)", DisplayText(*cpu0, "Family"));
    EXPECT_EQ("3500", DisplayText(*cpu0, "MaxClockSpeed"));
    EXPECT_EQ("17", DisplayText(*cpu0, "LoadPercentage"));
    EXPECT_EQ("41.5", DisplayText(*cpu0, "Temperature"));
    EXPECT_EQ("18446744073709551615", DisplayText(*cpu0, "PowerOnHours"));

    auto socket0 = Find("OMC_ProcessorSlot", "Tag", "Socket 0");
    EXPECT_EQ("64 Bits", DisplayText(*socket0, "MaxDataWidth"));
    EXPECT_EQ(TTexts{"Female"}, Displayed(*socket0, "ConnectorType").ToStringVector());
    EXPECT_EQ("Unknown", DisplayText(*socket0, "HealthState"));

    auto hypervisor = Find("VMware_HypervisorSoftwareIdentity", "Name", "VMware ESXi");
    EXPECT_EQ((TTexts{"Configuration Software", "Application Software"}),
              Displayed(*hypervisor, "Classifications").ToStringVector());
    auto vendorIdentity = Find("CIM_SoftwareIdentity", "InstanceID", "Vendor:1");
    EXPECT_EQ((TTexts{"Vendor Reserved", "Vendor Reserved", "DMTF Reserved", "Application Software"}),
              Displayed(*vendorIdentity, "Classifications").ToStringVector());

    auto entry = Find("VORN_StandardMessageLogEntry", "RecordID", "1");
    EXPECT_EQ("Information", DisplayText(*entry, "PerceivedSeverity"));
    EXPECT_EQ("60", DisplayText(*entry, "UtcOffsetMinutes"));
}

class DemoInstancesTest : public ServedDataTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        Serve(testcimom::DataSetKind::Demo);
    }
};

// Units with a prefix scale from it; milliseconds become a duration.
TEST_F(DemoInstancesTest, PrefixedUnitsScaleAndMillisecondsShowAsDurations)
{
    auto system = Find("VORN_ComputerSystem", "Name", "vorn-demo01.example.test");
    EXPECT_EQ("0 days 00:01:35.250000", DisplayText(*system, "LastBootDuration"));
    EXPECT_EQ("256 Gigabytes", DisplayText(*system, "TotalMemory"));

    auto dimm0 = Find("VORN_Memory", "DeviceID", "DIMM0");
    EXPECT_EQ("64 Gigabytes", DisplayText(*dimm0, "Capacity"));
    EXPECT_EQ("4 Kilobytes", DisplayText(*dimm0, "BlockSize"));
    EXPECT_EQ("3200", DisplayText(*dimm0, "Speed"));
    EXPECT_EQ("DDR4", DisplayText(*dimm0, "MemoryType"));

    auto eth0 = Find("VORN_NetworkPort", "DeviceID", "eth0");
    EXPECT_EQ("10 Gigabits per second", DisplayText(*eth0, "Speed"));
    EXPECT_EQ("0 days 00:00:00.002000", DisplayText(*eth0, "Latency"));
    EXPECT_EQ("Ethernet", DisplayText(*eth0, "LinkTechnology"));
    EXPECT_EQ((TTexts{"1234567890", "987654321"}), Displayed(*eth0, "PacketCounts").ToStringVector());
    auto eth1 = Find("VORN_NetworkPort", "DeviceID", "eth1");
    EXPECT_EQ("1000 Megabits per second", DisplayText(*eth1, "Speed"));
    EXPECT_EQ("0 days 00:00:00.015000", DisplayText(*eth1, "Latency"));
}

}  // namespace
