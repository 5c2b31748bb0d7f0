// The plug-in as the host runs it: libcimhttp.nsp.so loaded through the
// host's provider manager, the provider "cimhttp" found and asked for a
// namespace, the namespace layered under the host's union namespace and
// connected to a test CIMOM, then asked for a class with its whole chain.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <boost/weak_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMQualifier.h>
#include <qel/TNamespaceProviderManager.h>
#include <qel/TQELException.h>
#include <qel/TRootObject.h>
#include <qel/TVORNCNamespace.h>

#include "namespace/TCimHTTPNamespace.h"
#include "provider/TCimHTTPNamespaceProvider.h"
#include "ServedNamespace.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;

const std::vector<std::string> kComputerSystemChain = {
    "VORN_ComputerSystem",       "CIM_ComputerSystem", "CIM_System",        "CIM_EnabledLogicalElement",
    "CIM_LogicalElement", "CIM_ManagedSystemElement", "CIM_ManagedElement"};

int StatusOfSession(const TProviderSession::TOptions& options)
{
    try {
        TProviderSession session(options, TProviderSession::TPrepareStep());
    } catch (const TQELException& e) {
        return e.GetStatusCode();
    }
    return 0;
}

class EndToEndTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        fServer = StartServer(DemoServerOptions(0));
    }

    std::unique_ptr<testcimom::CimServer> fServer;
};

TEST_F(EndToEndTest, HostGetsADemoClassWithItsWholeChain)
{
    auto served = std::make_unique<ServedNamespace>();
    AddLocalClass(served->Local(), "Local_Site", {"Location"});
    fServer->requestLog().clear();

    // The host asks its own top namespace; the union finds the class in the plug-in's namespace.
    boost::shared_ptr<ICIMNamespace> top = served->Session().GetUpcallNamespace();
    auto cls = top->GetClass("VORN_ComputerSystem", kNoContext);
    ASSERT_TRUE(cls);
    EXPECT_EQ(served->Session().GetNamespace(), cls->GetNamespace(kNoContext));
    EXPECT_EQ(kPluginName, cls->GetQualifier("PLUGINNAME", kNoContext)->GetValue(kNoContext).ToString());
    EXPECT_EQ(2 * kComputerSystemChain.size(), ClassFetches(*fServer).size());
    EXPECT_EQ(cls, top->GetClass("vorn_computersystem", kNoContext));
    EXPECT_EQ(2 * kComputerSystemChain.size(), ClassFetches(*fServer).size());

    std::vector<std::string> chain;
    auto step = cls;
    for (; step && !step->IsRootClass(kNoContext); step = step->GetSuperClass(kNoContext))
        chain.push_back(step->GetName(kNoContext));
    EXPECT_EQ(kComputerSystemChain, chain);
    ASSERT_TRUE(step);
    EXPECT_EQ("<root>", step->GetName(kNoContext));

    // The host's own class stays the host's; the plug-in copies it without asking the server.
    EXPECT_EQ(served->Session().GetLocalNamespace(), top->GetClass("Local_Site", kNoContext)->GetNamespace(kNoContext));
    fServer->requestLog().clear();
    auto copied = served->Session().GetNamespace()->GetClass("Local_Site", kNoContext);
    ASSERT_TRUE(copied);
    EXPECT_TRUE(copied->GetPropertyDecl("Location", kNoContext));
    EXPECT_TRUE(fServer->requestLog().all().empty());

    // Weak back-references only: once the host lets go, everything goes.
    boost::weak_ptr<ICIMNamespace> nameSpace = served->Session().GetNamespace();
    boost::weak_ptr<ICIMClass> loaded = cls;
    cls.reset();
    step.reset();
    copied.reset();
    top.reset();
    served.reset();
    EXPECT_TRUE(nameSpace.expired());
    EXPECT_TRUE(loaded.expired());
}

TEST_F(EndToEndTest, ProviderIdentityAndNamespaceAllocation)
{
    TRootObject::GetNamespaceProviderManager()->LoadProviderLibrary(CIMHTTP_LIBRARY);
    boost::shared_ptr<INamespaceProvider> provider = TRootObject::GetNamespaceProviderManager()->FindProvider("cimhttp");
    ASSERT_TRUE(provider);
    EXPECT_EQ(TCimHTTPNamespaceProvider::GetInstance(), provider);
    EXPECT_EQ(TCimHTTPNamespaceProvider::GetInstance(), TCimHTTPNamespaceProvider::GetInstance());
    TCIMContext odd;
    odd["GetName"] = TCIMValue("other");
    EXPECT_EQ("cimhttp", provider->GetName(odd));
    EXPECT_EQ(2, provider->GetType(odd));
    EXPECT_FALSE(provider->IsIndicationsSupported(odd));

    auto first = provider->AllocateNamespace(ProviderContext(), false, "root/cimv2");
    auto second = provider->AllocateNamespace(ProviderContext(), false, "root/cimv2");
    ASSERT_TRUE(first);
    EXPECT_NE(first, second);
    EXPECT_EQ(provider, first->GetNamespaceProvider(kNoContext));
    EXPECT_EQ("root/cimv2", boost::dynamic_pointer_cast<TCimHTTPNamespace>(first)->getfCimHTTPNamespaceName());
    EXPECT_TRUE(first->GetQualifierDecl("PLUGINNAME", kNoContext));
    EXPECT_TRUE(first->GetQualifierDecl("pluginversion", kNoContext));

    TRootObject::GetCoreLogger()->Clear();
    try {
        provider->AllocateNamespace(TCIMContext(), false, "root/cimv2");
        ADD_FAILURE() << "a namespace without a plug-in name value";
    } catch (const TQELException& e) {
        EXPECT_EQ(32, e.GetStatusCode());
    }
    EXPECT_EQ(std::vector<std::string>{"TCIMHTTPNamespace: 'pluginNameQualDeclValue' not passed via context"},
              LoggedMessages(0));
}

TEST_F(EndToEndTest, SessionFailsClearlyForAMissingLibraryOrProvider)
{
    TProviderSession::TOptions options;
    options.fLibraryPath = "/nonexistent/libcimhttp.nsp.so";
    options.fProviderName = "cimhttp";
    EXPECT_EQ(43, StatusOfSession(options));
    options.fLibraryPath = CIMHTTP_LIBRARY;
    options.fProviderName = "nosuchprovider";
    EXPECT_EQ(15, StatusOfSession(options));
}

}  // namespace
