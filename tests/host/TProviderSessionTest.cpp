#include <qel/TProviderSession.h>

#include <string>

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <qel/ICIMClass.h>
#include <qel/TInmemNamespace.h>
#include <qel/TUnionNamespace.h>
#include <qel/TVORNCNamespace.h>

using namespace NVORNQEL20;

namespace {

TProviderSession::TOptions HostTestOptions() {
    TProviderSession::TOptions options;
    options.fLibraryPath = HOST_TEST_PROVIDER;
    options.fProviderName = "hosttest";
    options.fNamespaceName = "root/test";
    options.fLocalNamespace = boost::make_shared<TInmemNamespace>();
    return options;
}

}  // namespace

// Any provider's namespace stands under the host's layering, and the step of
// the caller's runs on it once it does.
TEST(TProviderSession, LayersTheProvidersNamespaceUnderTheUnionOfTheLocalOneAndItself) {
    TProviderSession::TOptions options = HostTestOptions();
    options.fLocalNamespace->AllocateClass("Local_Class", {}, TCIMContext())->AddToNamespace(TCIMContext());
    boost::shared_ptr<ICIMNamespace> prepared;
    TProviderSession session(options, [&prepared](boost::shared_ptr<ICIMNamespace> nameSpace) {
        prepared = nameSpace;
        nameSpace->AllocateClass("Provided_Class", {}, TCIMContext())->AddToNamespace(TCIMContext());
    });

    ASSERT_TRUE(session.GetNamespace());
    EXPECT_EQ(session.GetNamespace(), prepared);
    EXPECT_EQ(options.fLocalNamespace, session.GetLocalNamespace());
    EXPECT_EQ(session.GetUnionNamespace(), session.GetUpcallNamespace()->GetUnderlyingNamespace());
    EXPECT_EQ((std::vector<boost::shared_ptr<ICIMNamespace>>{options.fLocalNamespace, session.GetNamespace()}),
              session.GetUnionNamespace()->GetUnderlyingNamespaces());
    boost::shared_ptr<ICIMNamespace> top = session.GetUpcallNamespace();
    EXPECT_EQ(options.fLocalNamespace, top->GetClass("Local_Class", TCIMContext())->GetNamespace(TCIMContext()));
    EXPECT_EQ(session.GetNamespace(), top->GetClass("Provided_Class", TCIMContext())->GetNamespace(TCIMContext()));
}
