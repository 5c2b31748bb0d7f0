// The instances a class holds: instances the host allocates and adds,
// look-ups by path, removal, clearing a class with what lies below it, and
// the check of reference values against the class they are declared to
// point to.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMInstance.h>
#include <qel/TInmemInstance.h>
#include <qel/TInmemNamespace.h>

#include "class/TCimHTTPClass.h"
#include "class/TCimHTTPInstanceBatch.h"
#include "class/TCimHTTPInstanceCache.h"
#include "instance/TCimHTTPInstance.h"
#include "InstanceTestSupport.h"
#include "SchemaTestSupport.h"
#include "ServedNamespace.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;
const char* const kMemoryPath = "VORN_Memory.CreationClassName=\"VORN_Memory\",DeviceID=\"DIMM0\","
                                "SystemCreationClassName=\"VORN_ComputerSystem\",SystemName=\"vorn-demo01.example.test\"";

class InstanceCacheTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        fServer = StartServer(DemoServerOptions(0));
        fServed = std::make_unique<ServedNamespace>();
        fMemory = Class("VORN_Memory");
    }

    boost::shared_ptr<ICIMClass> Class(const std::string& name) { return (*fServed)->GetClass(name, kNoContext); }

    // A memory module of the demo system; without a device ID when it is empty.
    boost::shared_ptr<ICIMInstance> NewMemory(const std::string& deviceID, const std::string& caption = "")
    {
        boost::shared_ptr<ICIMInstance> memory = fMemory->AllocateInstance(kNoContext);
        memory->SetPropertyValue("SystemCreationClassName", TCIMValue("VORN_ComputerSystem"), kNoContext);
        memory->SetPropertyValue("SystemName", TCIMValue("vorn-demo01.example.test"), kNoContext);
        memory->SetPropertyValue("CreationClassName", TCIMValue("VORN_Memory"), kNoContext);
        if (!deviceID.empty())
            memory->SetPropertyValue("DeviceID", TCIMValue(deviceID), kNoContext);
        memory->SetPropertyValue("Caption", TCIMValue(caption), kNoContext);
        return memory;
    }

    // A reference to the path whose referenced class is the named class of the namespace.
    TCIMValue Reference(const std::string& path, const std::string& className)
    {
        TCIMValue value(TCIMValue::TCIMType::eReference, 0);
        value.Set(path);
        value.SetReferencedClass(Class(className));
        return value;
    }

    std::unique_ptr<testcimom::CimServer> fServer;
    std::unique_ptr<ServedNamespace> fServed;
    boost::shared_ptr<ICIMClass> fMemory;
};

TEST_F(InstanceCacheTest, AllocatedInstancesJoinTheCacheWhenAddedUnderTheirPath)
{
    boost::shared_ptr<ICIMInstance> first = NewMemory("DIMM8", "first");
    EXPECT_TRUE(boost::dynamic_pointer_cast<TCimHTTPInstance>(first));
    EXPECT_EQ(fMemory, first->GetClass(kNoContext));
    EXPECT_EQ("", first->GetPegasusNSPStr());
    EXPECT_EQ(first->GetReference(kNoContext), first->BuildPath(kNoContext));
    const TCIMReference path = first->GetReference(kNoContext);
    EXPECT_FALSE(fMemory->GetInstance(path, kNoContext));

    first->AddToNamespace(kNoContext);
    EXPECT_EQ(first, fMemory->GetInstance(path, kNoContext));
    EXPECT_EQ(first, (*fServed)->GetInstance(path, kNoContext));
    boost::shared_ptr<ICIMInstance> second = NewMemory("DIMM8", "second");
    second->AddToNamespace(kNoContext);
    EXPECT_EQ(first, fMemory->GetInstance(path, kNoContext));
    fMemory->RemoveInstance(second, kNoContext);
    EXPECT_FALSE(fMemory->GetInstance(path, kNoContext));

    // What the host added is gone after the next enumeration.
    first->AddToNamespace(kNoContext);
    EXPECT_EQ(4u, Enumerate(*fMemory).size());
    EXPECT_FALSE(fMemory->GetInstance(path, kNoContext));
}

// Nothing is filed for an instance without its keys, one no shared pointer
// holds, one whose class is gone or one of another provider.
TEST_F(InstanceCacheTest, InstancesThatCannotBeFiledLeaveTheCacheAsItWas)
{
    boost::shared_ptr<ICIMInstance> keyless = NewMemory("");
    EXPECT_EQ(4, ThrownStatus([&] { keyless->AddToNamespace(kNoContext); }));
    EXPECT_FALSE(fMemory->GetInstance(keyless->GetReference(kNoContext), kNoContext));

    TCimHTTPInstance loose(fMemory, kNoContext);
    EXPECT_THROW(loose.AddToNamespace(kNoContext), boost::bad_weak_ptr);

    auto passing = boost::make_shared<TCimHTTPClass>(fServed->Namespace(), 60000, "VORN_Passing",
                                                     boost::shared_ptr<TCimHTTPClass>());
    boost::shared_ptr<ICIMInstance> orphan = passing->AllocateInstance(kNoContext);
    passing.reset();
    EXPECT_EQ(15, ThrownStatus([&] { orphan->AddToNamespace(kNoContext); }));

    auto local = boost::make_shared<TInmemNamespace>();
    auto localClass = local->AllocateClass("Local_Thing", nullptr, kNoContext);
    EXPECT_EQ(1, ThrownStatus([&] {
                  fMemory->AddInstance(boost::make_shared<TInmemInstance>(localClass, 1), kNoContext);
              }));
    EXPECT_EQ(4, ThrownStatus([&] { fMemory->RemoveInstance(nullptr, kNoContext); }));
    EXPECT_FALSE((*fServed)->GetInstance(TCIMReference(), kNoContext));
}

// Clearing follows the children, also when they lead back up; the classes
// keep their parent, so they are not loaded again.
TEST_F(InstanceCacheTest, ClearingEmptiesAClassAndItsDescendantsOnly)
{
    auto port = Class("VORN_NetworkPort");
    auto system = Class("VORN_ComputerSystem");
    fMemory->AddChildClass(port, kNoContext);
    port->AddChildClass(fMemory, kNoContext);
    Enumerate(*fMemory);
    Enumerate(*system);
    fServer->requestLog().clear();

    boost::dynamic_pointer_cast<TCimHTTPClass>(fMemory)->ClearInstances();
    for (const auto& cleared : {fMemory, port}) {
        EXPECT_EQ(std::vector<std::string>{}, PropertyNamesOf(*cleared));
        EXPECT_FALSE(cleared->GetQualifier("Description", kNoContext));
        EXPECT_FALSE(cleared->GetMethodDecl("RequestStateChange", kNoContext));
        boost::dynamic_pointer_cast<TCimHTTPClass>(cleared)->Initialize();
    }
    EXPECT_FALSE(fMemory->GetInstance(fMemory->AllocateInstance(kNoContext)->GetReference(kNoContext), kNoContext));
    EXPECT_TRUE(system->GetPropertyDecl("BootTime", kNoContext));
    EXPECT_TRUE(fServer->requestLog().all().empty());
}

// Classes loaded from a server all have the root class as parent, so their
// IsSubclassOf knows only themselves; a reference's class is checked along
// the superclass chain instead, by the host's instances and by the exported
// property alike.
TEST_F(InstanceCacheTest, ReferencesAreCheckedAlongTheSuperclassChain)
{
    auto device = Class("CIM_SystemDevice");
    auto toElement = device->AllocatePropertyDecl("Probe", Reference("", "CIM_ManagedElement"), kNoContext);
    device->AddPropertyDecl(toElement, kNoContext);
    auto toDevice = device->AllocatePropertyDecl("Device", Reference("", "CIM_LogicalDevice"), kNoContext);
    device->AddPropertyDecl(toDevice, kNoContext);
    EXPECT_FALSE(Class("VORN_Memory")->IsSubclassOf(Class("CIM_ManagedElement"), kNoContext));

    const TCIMValue toMemory = Reference(kMemoryPath, "VORN_Memory");
    const TCIMValue toSystem = Reference("CIM_System.Name=\"a\"", "CIM_System");
    boost::shared_ptr<ICIMInstance> link = device->AllocateInstance(kNoContext);
    link->SetPropertyValue("Probe", toMemory, kNoContext);
    EXPECT_EQ(kMemoryPath, ValueText(*link, "Probe"));
    TCimHTTPProperty exported{boost::shared_ptr<ICIMPropertyDecl const>(toElement)};
    exported.SetValue(toMemory, kNoContext);

    TRootObject::GetCoreLogger()->Clear();
    EXPECT_EQ(14, ThrownStatus([&] { device->AllocateInstance(kNoContext)->SetPropertyValue("Device", toSystem,
                                                                                          kNoContext); }));
    TCimHTTPProperty exportedDevice{boost::shared_ptr<ICIMPropertyDecl const>(toDevice)};
    exportedDevice.SetValue(toMemory, kNoContext);
    EXPECT_EQ(14, ThrownStatus([&] { exportedDevice.SetValue(toSystem, kNoContext); }));
    EXPECT_EQ(std::vector<std::string>(
                  2, "Inmem: SetValue: decl references type CIM_LogicalDevice but value references CIM_System"),
              LoggedMessages(0));
}

// What an enumeration files in one sort lands where filing the instances
// one by one would put it: in path order, those under one path in the
// order they came, after those already under it.
TEST(InstanceCacheOrderTest, FilingInOneSortKeepsTheOrderOfFilingOneByOne)
{
    std::vector<boost::shared_ptr<TCimHTTPInstance>> made;
    for (int i = 0; i < 6; ++i)
        made.push_back(boost::make_shared<TCimHTTPInstance>(boost::shared_ptr<ICIMClass>(), kNoContext));
    TCimHTTPInstanceCache cache;
    cache.Add("b", made[0]);
    TCimHTTPInstanceBatch batch;
    batch.Add("c", made[1]);
    batch.Add("b", made[2]);
    batch.Add("a", made[3]);
    batch.Add("b", made[4]);
    batch.FileInto(cache);
    EXPECT_EQ((std::vector<boost::shared_ptr<TCimHTTPInstance>>{made[3], made[0], made[2], made[4], made[1]}),
              cache.Instances());
    EXPECT_EQ(made[0], cache.Find("b"));
    EXPECT_FALSE(cache.Find("ab"));

    cache.Add("a", made[5]);
    cache.Remove("b");
    EXPECT_EQ((std::vector<boost::shared_ptr<TCimHTTPInstance>>{made[3], made[5], made[1]}), cache.Instances());
    batch.FileInto(cache);
    EXPECT_EQ(3u, cache.Instances().size());
    cache.Clear();
    EXPECT_TRUE(cache.Instances().empty());
}

}  // namespace
