// Methods and class walks as a host reaches them: libcimhttp.nsp.so loaded
// through the provider manager, classes taken from the host's top
// namespace, instance references made by the host's in-memory instances,
// and the calls answered by a test CIMOM.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <boost/pointer_cast.hpp>

#include <qel/ICIMClass.h>
#include <qel/TVORNCNamespace.h>

#include "class/TCimHTTPClass.h"
#include "InstanceTestSupport.h"
#include "MethodTestData.h"
#include "ServedNamespace.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;

class MethodCallEndToEndTest : public ServedDemoTest {
protected:
    // The class as the host's top namespace hands it out.
    boost::shared_ptr<ICIMClass> HostClass(const std::string& name)
    {
        return fServed->Session().GetUpcallNamespace()->GetClass(name, kNoContext);
    }
};

// The class the host hands out is the plug-in's, which calls methods on
// objects; the references come from the host's own instances.
TEST_F(MethodCallEndToEndTest, HostCallsMethodsOnTheInstancesItReferences)
{
    const boost::shared_ptr<ICIMClass> testClass = HostClass(kMethodTestClass);
    auto remote = boost::dynamic_pointer_cast<TCimHTTPClass>(testClass);
    auto link = boost::dynamic_pointer_cast<TCimHTTPClass>(HostClass(kMethodTestLinkClass));
    ASSERT_TRUE(remote && link);
    std::set<std::string> identified;
    TCIMContext outputs;
    for (const TMethodTestInstance& instance : MethodTestInstances())
        identified.insert(remote->InvokeMethod(HostReference(testClass, KeyValuesOf(instance)), "Identify",
                                               TCIMContext(), outputs, kNoContext)
                              .ToString());
    for (const TMethodTestLink& linked : MethodTestLinks())
        identified.insert(link->InvokeMethod(HostReference(link, KeyValuesOf(linked, testClass)), "Identify",
                                             TCIMContext(), outputs, kNoContext)
                              .ToString());
    EXPECT_EQ((std::set<std::string>{"First", "Second", "Third", "First to second", "Second to third"}), identified);
}

// The paths the host builds for the instances the plug-in enumerated must
// parse back in the client library and name the server's own instances:
// keys of every kind, the link's keys being references.
TEST_F(MethodCallEndToEndTest, HostCallsMethodsOnTheInstancesThePluginEnumerated)
{
    std::set<std::string> identified;
    TCIMContext outputs;
    for (const char* className : {kMethodTestClass, kMethodTestLinkClass}) {
        const boost::shared_ptr<ICIMClass> cls = HostClass(className);
        auto remote = boost::dynamic_pointer_cast<TCimHTTPClass>(cls);
        ASSERT_TRUE(remote) << className;
        for (const boost::shared_ptr<ICIMInstance>& instance : Enumerate(*cls))
            identified.insert(remote->InvokeMethod(instance->GetReference(kNoContext), "Identify", TCIMContext(),
                                                   outputs, kNoContext)
                                  .ToString());
    }
    EXPECT_EQ((std::set<std::string>{"First", "Second", "Third", "First to second", "Second to third"}), identified);
}

TEST_F(MethodCallEndToEndTest, HostWalksTheClassesItLoaded)
{
    AddLocalClass(fServed->Local(), "Local_Site", {"Location"});
    const boost::shared_ptr<ICIMClass> testClass = HostClass(kMethodTestClass);
    ASSERT_TRUE(testClass);
    std::vector<std::string> rootClasses;
    fServed->Session().GetUpcallNamespace()->EnumerateRootClasses(
        [&](boost::shared_ptr<ICIMClass> cls) {
            rootClasses.push_back(cls->GetName(kNoContext));
            return true;
        },
        kNoContext);
    EXPECT_EQ((std::vector<std::string>{"Local_Site", kMethodTestClass}), rootClasses);

    fServer->requestLog().clear();
    int calls = 0;
    auto count = [&calls](boost::shared_ptr<ICIMClass>) { return ++calls > 0; };
    testClass->EnumerateAssociatedClasses(count, kMethodTestLinkClass, kMethodTestClass, "Antecedent", "Dependent",
                                          kNoContext);
    testClass->EnumerateAssociationClasses(count, kMethodTestLinkClass, "Antecedent", kNoContext);
    EXPECT_EQ(0, calls);
    EXPECT_EQ((std::vector<std::string>{std::string(kMethodTestLinkClass) + " LocalOnly=false",
                                        std::string(kMethodTestLinkClass) + " LocalOnly=true",
                                        std::string(kMethodTestClass) + " LocalOnly=true"}),
              ClassFetches(*fServer));
}

}  // namespace
