// A server that sends what no sane CIMOM sends: a class of 20,000
// properties, a value map of 100,000 entries, an instance of 5 MB, 100,000
// instances, keys made of every character CIM-XML can carry, a class that is
// its own superclass. Each ends with the whole result or a logged failure,
// and what the host's thread holds at most stays within a small multiple of
// the server's answer (what the connection layer's parser holds is not
// counted: libxml2 allocates on its own).
#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testcimom/HostileData.h>
#include <testcimom/InstanceGenerator.h>

#include <qel/ICIMQualifier.h>

#include "AllocationCounter.h"
#include "InstanceTestSupport.h"
#include "ServedNamespace.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;
using testcimom::HostileData;

namespace {

const TCIMContext kNoContext;
const char* const kNamespace = "root/cimv2";
// What the host's thread may hold while it takes answers in: so much per
// byte of the answers, and what any look-up holds (log records, the
// namespace's first tables).
const std::size_t kBytesPerAnswerByte = 8;
const std::size_t kFixedBytes = 1 << 20;

class HostileDataTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        testcimom::ServerOptions options = ServerOptionsFor(testcimom::DataSetKind::Empty);
        fServer = std::make_unique<testcimom::CimServer>(options);
        fServer->repository().addNamespace(kNamespace);
    }

    testcimom::Repository& Repository() { return fServer->repository(); }

    // Served once the data is in place.
    ServedNamespace& Served()
    {
        if (!fServed) {
            fServer->start();
            fServed = std::make_unique<ServedNamespace>();
            fServer->counters().reset();
        }
        return *fServed;
    }

    boost::shared_ptr<ICIMClass> ClassOf(const std::string& name)
    {
        ServedNamespace& served = Served();
        StartPeak();
        auto cls = served->GetClass(name, kNoContext);
        ExpectHeldWithinTheAnswer("GetClass");
        return cls;
    }

    TInstances InstancesOf(const boost::shared_ptr<ICIMClass>& cls)
    {
        StartPeak();
        TInstances instances = Enumerate(*cls);
        ExpectHeldWithinTheAnswer("EnumerateInstances");
        return instances;
    }

    // The peak since StartPeak against the answers since the counters were
    // last reset (an enumeration asks for its class's superclass too).
    void ExpectHeldWithinTheAnswer(const std::string& operation)
    {
        const std::size_t answered = fServer->counters().totalResponseBytes();
        const std::size_t held = PeakSinceStart();
        EXPECT_LE(held, kBytesPerAnswerByte * answered + kFixedBytes)
            << operation << ": " << held << " bytes held for " << answered << " bytes of answers";
        RecordProperty(operation + "AnswerBytes", std::to_string(answered));
        RecordProperty(operation + "PeakBytes", std::to_string(held));
        fServer->counters().reset();
    }

    std::unique_ptr<testcimom::CimServer> fServer;
    std::unique_ptr<ServedNamespace> fServed;
};

TEST_F(HostileDataTest, ClassOfTwentyThousandProperties)
{
    HostileData::addWideClass(Repository(), kNamespace, "Hostile_Wide", 20000);
    auto cls = ClassOf("Hostile_Wide");
    ASSERT_TRUE(cls);
    EXPECT_EQ(20001u, PropertyNamesOf(*cls).size()) << "and NodeID";
    EXPECT_EQ("property number 19999", cls->GetPropertyDecl("p19999", kNoContext)
                                           ->GetQualifier("Description", kNoContext)
                                           ->GetValue(kNoContext)
                                           .ToString());

    const TInstances instances = InstancesOf(cls);
    ASSERT_EQ(1u, instances.size());
    EXPECT_EQ("value 19998", ValueText(*instances[0], "P19998"));
    EXPECT_EQ("19999", ValueText(*instances[0], "P19999"));
}

TEST_F(HostileDataTest, ValueMapOfOneHundredThousandEntries)
{
    HostileData::addLongValueMap(Repository(), kNamespace, "Hostile_ValueMap", 100000, {0, 50000, 99999, 100000});
    auto cls = ClassOf("Hostile_ValueMap");
    ASSERT_TRUE(cls);
    const std::vector<TCIMValue>& values =
        cls->GetPropertyDecl("Code", kNoContext)->GetQualifier("Values", kNoContext)->GetValue(kNoContext);
    EXPECT_EQ(100000u, values.size());

    std::vector<std::string> shown;
    for (const auto& instance : InstancesOf(cls))
        shown.push_back(DisplayText(*instance, "Code"));
    std::sort(shown.begin(), shown.end());
    // A code the map does not name shows as its number.
    EXPECT_EQ((std::vector<std::string>{"100000", "Value 0", "Value 50000", "Value 99999"}), shown);
}

TEST_F(HostileDataTest, InstanceOfFiveMegabytes)
{
    const std::size_t bytes = 5 * 1024 * 1024;
    HostileData::addBigInstance(Repository(), kNamespace, "Hostile_Big", bytes);
    auto cls = ClassOf("Hostile_Big");
    ASSERT_TRUE(cls);

    const TInstances instances = InstancesOf(cls);
    ASSERT_EQ(1u, instances.size());
    EXPECT_EQ(bytes / 2, ValueOf(*instances[0], "Text").ToString().size());
    const std::vector<TCIMValue>& chunks = ValueOf(*instances[0], "Chunks");
    EXPECT_EQ(bytes / 2 / 1024, chunks.size());
}

TEST_F(HostileDataTest, OneHundredThousandInstances)
{
    testcimom::InstanceGenerator::addMixedClass(Repository(), kNamespace, "Hostile_Many", 4, 100000);
    auto cls = ClassOf("Hostile_Many");
    ASSERT_TRUE(cls);

    const TInstances instances = InstancesOf(cls);
    ASSERT_EQ(100000u, instances.size());
    std::set<std::string> paths;
    for (const auto& instance : instances)
        paths.insert(PathOf(*instance));
    EXPECT_EQ(100000u, paths.size());
}

// Every key arrives as sent, and the host finds each instance again by the
// path it makes of it.
TEST_F(HostileDataTest, KeysOfEveryCharacter)
{
    const std::vector<std::string> keys =
        HostileData::addEveryCharacterKeys(Repository(), kNamespace, "Hostile_Keys", 8192);
    auto cls = ClassOf("Hostile_Keys");
    ASSERT_TRUE(cls);

    const TInstances instances = InstancesOf(cls);
    ASSERT_EQ(keys.size(), instances.size());
    std::vector<std::string> arrived = ValueTexts(instances, "Id");
    std::vector<std::string> sent = keys;
    std::sort(arrived.begin(), arrived.end());
    std::sort(sent.begin(), sent.end());
    EXPECT_TRUE(sent == arrived) << "a key arrived changed";
    for (const auto& instance : instances)
        EXPECT_EQ(instance, cls->GetInstance(instance->GetReference(kNoContext), kNoContext));
}

// The same name, or the same in other letter case: no class, one line.
TEST_F(HostileDataTest, ClassThatIsItsOwnSuperclass)
{
    HostileData::addSelfNamedSuperclass(Repository(), kNamespace, "Hostile_Self", "Hostile_Self");
    HostileData::addSelfNamedSuperclass(Repository(), kNamespace, "Hostile_Case", "HOSTILE_CASE");
    Served();
    for (const std::string name : {"Hostile_Self", "Hostile_Case"}) {
        TRootObject::GetCoreLogger()->Clear();
        EXPECT_FALSE(Served()->GetClass(name, kNoContext));
        const std::string superclass = name == "Hostile_Case" ? "HOSTILE_CASE" : name;
        EXPECT_EQ(std::vector<std::string>{"TCimHTTPNamespace::GetClass " + superclass +
                                           " : its superclass chain loops back to it"},
                  LoggedMessages(0));
    }
}

}  // namespace
