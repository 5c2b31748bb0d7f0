#include <qel/TNamespaceProviderManager.h>

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <qel/ICIMClass.h>
#include <qel/ICIMNamespace.h>
#include <qel/INamespaceProvider.h>
#include <qel/TCoreLogger.h>
#include <qel/TQELException.h>
#include <qel/TRootObject.h>

using namespace NVORNQEL20;

namespace {

class TNamedProvider : public INamespaceProvider {
public:
    TNamedProvider(const std::string& name, int type) : fName(name), fType(type) {}
    const std::string& GetName(TCIMContext) const override { return fName; }
    boost::shared_ptr<ICIMNamespace> AllocateNamespace(TCIMContext, bool, std::string) const override {
        return boost::shared_ptr<ICIMNamespace>();
    }
    int GetType(TCIMContext) const override { return fType; }
    bool IsIndicationsSupported(TCIMContext) const override { return true; }

private:
    std::string fName;
    int fType;
};

int LoadStatus(TNamespaceProviderManager& manager, const std::string& path) {
    try {
        manager.LoadProviderLibrary(path);
    } catch (const TQELException& error) {
        EXPECT_NE(std::string::npos, error.GetDetail().find(path)) << error.GetDetail();
        return error.GetStatusCode();
    }
    return 0;
}

// Installs a manager of its own as the host's for one test, so that what a
// loaded library registers does not outlive the test.
class TScopedManager {
public:
    TScopedManager()
        : fOriginal(TRootObject::GetNamespaceProviderManager()),
          fManager(boost::make_shared<TNamespaceProviderManager>()) {
        TRootObject::SetNamespaceProviderManager(fManager);
    }
    ~TScopedManager() { TRootObject::SetNamespaceProviderManager(fOriginal); }
    TNamespaceProviderManager* operator->() const { return fManager.get(); }

private:
    boost::shared_ptr<TNamespaceProviderManager> fOriginal;
    boost::shared_ptr<TNamespaceProviderManager> fManager;
};

}  // namespace

TEST(TNamespaceProviderManager, LoadsAProviderLibraryAndFindsItsProviderByName) {
    TScopedManager manager;
    EXPECT_FALSE(manager->FindProvider("hosttest"));
    EXPECT_EQ(0, manager->LoadProviderLibrary(HOST_TEST_PROVIDER));
    boost::shared_ptr<INamespaceProvider> provider = manager->FindProvider("hosttest");
    ASSERT_TRUE(provider);
    EXPECT_EQ(7, provider->GetType(TCIMContext()));
    boost::shared_ptr<ICIMNamespace> nameSpace = provider->AllocateNamespace(TCIMContext(), false, "root/test");
    ASSERT_TRUE(nameSpace);
    nameSpace->AllocateClass("Test_Class", {}, TCIMContext())->AddToNamespace(TCIMContext());
    EXPECT_TRUE(nameSpace->GetClass("TEST_CLASS", TCIMContext()));

    EXPECT_EQ(0, manager->LoadProviderLibrary(HOST_TEST_PROVIDER));
    EXPECT_EQ(1u, manager->GetProviders().size());
}

TEST(TNamespaceProviderManager, MissingLibraryOrEntryPointIsAClearError) {
    TNamespaceProviderManager manager;
    TRootObject::GetCoreLogger()->Clear();
    EXPECT_EQ(43, LoadStatus(manager, "/nonexistent/libnothing.nsp.so"));
    EXPECT_EQ(43, LoadStatus(manager, HOST_LIBRARY_WITHOUT_ENTRY_POINT));
    const std::vector<TCoreLogger::TRecord> records = TRootObject::GetCoreLogger()->Records();
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ(0, records[1].first);
    EXPECT_NE(std::string::npos, records[1].second.find("QELInitializeProvider")) << records[1].second;
    EXPECT_TRUE(manager.GetProviders().empty());
}

TEST(TNamespaceProviderManager, ARegistrationReplacesTheProviderOfTheSameName) {
    TNamespaceProviderManager manager;
    manager.RegisterProvider(boost::make_shared<TNamedProvider>("alpha", 1));
    manager.RegisterProvider(boost::make_shared<TNamedProvider>("beta", 2));
    manager.RegisterProvider(boost::make_shared<TNamedProvider>("alpha", 3));
    manager.RegisterProvider(boost::shared_ptr<INamespaceProvider>());
    EXPECT_EQ(2u, manager.GetProviders().size());
    EXPECT_EQ(3, manager.FindProvider("alpha")->GetType(TCIMContext()));
    EXPECT_FALSE(manager.FindProvider("ALPHA"));
}

TEST(TNamespaceProviderManager, AHostCanRunWithoutAManager) {
    boost::shared_ptr<TNamespaceProviderManager> original = TRootObject::GetNamespaceProviderManager();
    TRootObject::SetNamespaceProviderManager(boost::shared_ptr<TNamespaceProviderManager>());
    EXPECT_FALSE(TRootObject::GetNamespaceProviderManager());
    TRootObject::SetNamespaceProviderManager(original);
    EXPECT_EQ(original, TRootObject::GetNamespaceProviderManager());
}
