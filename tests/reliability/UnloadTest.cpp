// The host unloads the plug-in and loads it again. Once every namespace is
// released, nothing of the plug-in runs (no thread, no open descriptor) and
// nothing it made is left; the host then drops the provider (a provider
// manager of its own takes the old one's place), closes the library and
// the host side's connector library (dlclose) and loads them again, and the
// plug-in serves as before. What the host layer still references of the
// plug-in's objects after the close (a value's referenced class, its own
// memory of class lineages) stays safe to let go, and the process exits
// cleanly. This program links the host's libraries, never the plug-in; its
// CIMOM runs in a process of its own, so that what runs in this one is the
// host's and the plug-in's.
#include <dlfcn.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMInstance.h>
#include <qel/ICIMNamespace.h>
#include <qel/ICIMProperty.h>
#include <qel/ICIMPropertyDecl.h>
#include <qel/INamespaceProvider.h>
#include <qel/TCoreLogger.h>
#include <qel/TInmemInstance.h>
#include <qel/TInmemNamespace.h>
#include <qel/TNamespaceProviderManager.h>
#include <qel/TRootObject.h>
#include <testcimom/LoopbackBlock.h>

#include "AllocationCounter.h"
#include "FreshProcess.h"
#include "InstanceTestSupport.h"
#include "ProcessState.h"
#include "ServerProcess.h"

using namespace NVORNQEL20;
using cimhttp_test::LiveAllocations;

namespace {

const TCIMContext kNoContext;

typedef void (*TConnect)(ICIMNamespace&, const char*);
typedef void (*TInvoke)(ICIMClass&, const TCIMReference&, const char*, TCIMValue&);

void* Open(const char* path)
{
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        throw std::runtime_error(dlerror());
    return library;
}

template <typename TFunction>
TFunction Symbol(void* library, const char* name)
{
    void* symbol = dlsym(library, name);
    if (!symbol)
        throw std::runtime_error(dlerror());
    return reinterpret_cast<TFunction>(symbol);
}

// The plug-in as a host that unloads its providers loads it: its own
// provider manager, the library and its entry point, and the connector.
class TLoadedPlugin {
public:
    TLoadedPlugin() : fManager(boost::make_shared<TNamespaceProviderManager>())
    {
        TRootObject::SetNamespaceProviderManager(fManager);
        fPlugin = Open(CIMHTTP_LIBRARY);
        fConnector = Open(CIMHTTP_CONNECTOR);
        EXPECT_EQ(0, Symbol<TProviderEntryPoint>(fPlugin, TNamespaceProviderManager::kEntryPointName)());
        Connect = Symbol<TConnect>(fConnector, "CimhttpTestConnect");
        Invoke = Symbol<TInvoke>(fConnector, "CimhttpTestInvoke");
    }

    ~TLoadedPlugin()
    {
        TRootObject::SetNamespaceProviderManager(boost::make_shared<TNamespaceProviderManager>());
        fManager.reset();
        EXPECT_EQ(0, dlclose(fConnector));
        EXPECT_EQ(0, dlclose(fPlugin));
    }

    TLoadedPlugin(const TLoadedPlugin&) = delete;
    TLoadedPlugin& operator=(const TLoadedPlugin&) = delete;

    boost::shared_ptr<INamespaceProvider> Provider() const { return fManager->FindProvider("cimhttp"); }

    boost::shared_ptr<ICIMNamespace> AllocateNamespace()
    {
        TCIMContext context;
        context["pluginNameQualDeclValue"] = TCIMValue("unloading host");
        return Provider()->AllocateNamespace(context, false, "root/cimv2");
    }

    TConnect Connect;
    TInvoke Invoke;

private:
    boost::shared_ptr<TNamespaceProviderManager> fManager;
    void* fPlugin;
    void* fConnector;
};

// One namespace's life: connected, a class with its chain, every instance
// shown, a method called; released. Returns a reference value.
TCIMValue UseOneNamespace(TLoadedPlugin& plugin, const std::string& address)
{
    boost::shared_ptr<ICIMNamespace> nameSpace = plugin.AllocateNamespace();
    plugin.Connect(*nameSpace, address.c_str());
    boost::shared_ptr<ICIMClass> system = nameSpace->GetClass("VORN_ComputerSystem", kNoContext);
    EXPECT_TRUE(system && system->GetSuperClass(kNoContext));
    std::size_t shown = 0;
    for (const auto& instance : cimhttp_test::Enumerate(*system))
        instance->EnumerateProperties(
            [&shown](boost::shared_ptr<ICIMProperty> property) {
                shown += property->ToString().size();
                return true;
            },
            kNoContext);
    EXPECT_GT(shown, 0u);
    boost::shared_ptr<ICIMClass> link = nameSpace->GetClass("VORN_MethodTestLink", kNoContext);
    const auto links = cimhttp_test::Enumerate(*link);
    EXPECT_EQ(2u, links.size());
    TCIMValue identity;
    plugin.Invoke(*link, links.at(0)->GetReference(kNoContext), "Identify", identity);
    EXPECT_EQ(links.at(0)->GetProperty("ElementName", kNoContext)->GetValue(kNoContext), identity);
    TCIMValue reference = links.at(0)->GetProperty("Antecedent", kNoContext)->GetValue(kNoContext);
    EXPECT_TRUE(reference.GetReferencedClass());
    return reference;
}

// The host builds a lineage of a class of its own, which drops what it
// remembered of classes that are gone: the plug-in's.
void UseHostClass()
{
    auto local = boost::make_shared<TInmemNamespace>();
    auto cls = local->AllocateClass("Host_Own", boost::shared_ptr<ICIMClass>(), kNoContext);
    cls->AllocatePropertyDecl("Name", TCIMValue(""), kNoContext)->AddToClass(kNoContext);
    cls->AddToNamespace(kNoContext);
    auto instance = boost::make_shared<TInmemInstance>(cls, TInmemInstance::eAllDeclaredProperties);
    instance->SetPropertyValue("Name", TCIMValue("host"), kNoContext);
}

// Objects alive once the host let go of everything and forgot what it
// remembered of the classes that are gone.
long long Settled()
{
    TRootObject::GetCoreLogger()->Clear();
    UseHostClass();
    return LiveAllocations();
}

bool IsLoaded(const char* path)
{
    void* library = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (library)
        dlclose(library);
    return library != nullptr;
}

// Two loads. The first namespace of a load may set up what lives as long as
// the library (the client library's tables, say); the second may leave
// nothing, and neither may a load. The last namespace of a load leaves its
// classes in the host's memory of lineages, and a reference value of the
// first load is kept: both are let go once the library is closed, and the
// process then exits.
void UnloadAndLoadAgain()
{
    const std::string address = testcimom::LoopbackBlock::forThisProcess().address(0);
    testcimom::test::ServerProcess cimom(CIMTESTSERVER_PATH, {"--address", address, "--data", "demo"});
    ASSERT_FALSE(cimom.line().empty()) << "the CIMOM listens on HTTP";
    ASSERT_FALSE(cimom.line().empty()) << "and on HTTPS";
    const std::size_t threads = cimhttp_test::ThreadCount();
    const std::size_t files = cimhttp_test::OpenFileCount();
    std::vector<long long> loaded;
    loaded.reserve(2);
    std::vector<const INamespaceProvider*> providers;
    providers.reserve(2);
    TCIMValue kept;
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE("load " + std::to_string(round));
        {
            TLoadedPlugin plugin;
            providers.push_back(plugin.Provider().get());
            TCIMValue first = UseOneNamespace(plugin, address);
            if (round == 1)
                kept = first;
            first = TCIMValue();
            loaded.push_back(Settled());
            EXPECT_FALSE(UseOneNamespace(plugin, address).GetReferencedClass()) << "its class went with the namespace";
            EXPECT_EQ(loaded.back(), Settled()) << "objects of a released namespace left";
            UseOneNamespace(plugin, address);
            EXPECT_EQ(threads, cimhttp_test::ThreadCount());
            EXPECT_EQ(files, cimhttp_test::OpenFileCount());
        }
        EXPECT_FALSE(IsLoaded(CIMHTTP_CONNECTOR));
        EXPECT_TRUE(IsLoaded(CIMHTTP_LIBRARY)) << "the plug-in stays mapped, and its code with it";
        UseHostClass();
    }
    EXPECT_EQ(loaded.front(), loaded.back()) << "objects of a closed plug-in left";
    EXPECT_EQ(providers.front(), providers.back()) << "one provider for as long as the library is mapped";
    kept = TCIMValue();
}

TEST(UnloadTest, HostUnloadsThePluginLoadsItAgainAndExits)
{
    cimhttp_test::InFreshProcess(UnloadAndLoadAgain);
}

}  // namespace
