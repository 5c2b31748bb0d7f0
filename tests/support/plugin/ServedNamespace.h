#ifndef CIMHTTP_TESTS_PLUGIN_SERVEDNAMESPACE_H
#define CIMHTTP_TESTS_PLUGIN_SERVEDNAMESPACE_H

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>
#include <boost/shared_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMPropertyDecl.h>
#include <qel/TInmemNamespace.h>
#include <qel/TProviderSession.h>

#include <testcimom/CimServer.h>

#include "namespace/TCimHTTPNamespace.h"
#include "PluginTestSupport.h"

namespace cimhttp_test {

// The plug-in name value the host passes; classes carry it as PLUGINNAME.
const char* const kPluginName = "CIMXML test host";

// What a host passes when it allocates a namespace: the plug-in name value
// and the two time-outs, each left out when 0.
inline NVORNQEL20::TCIMContext ProviderContext(unsigned int classTimeout = 0, unsigned int instancesTimeout = 0)
{
    NVORNQEL20::TCIMContext context;
    context["pluginNameQualDeclValue"] = NVORNQEL20::TCIMValue(kPluginName);
    if (classTimeout)
        context["GCTimeout"] = NVORNQEL20::TCIMValue(classTimeout);
    if (instancesTimeout)
        context["EITimeout"] = NVORNQEL20::TCIMValue(instancesTimeout);
    return context;
}

// The plug-in's own connection operations: Init, then one node or several.
// No hosts: nothing at all.
inline void ConnectPlugin(boost::shared_ptr<NVORNQEL20::ICIMNamespace> nameSpace, const std::vector<std::string>& hosts)
{
    auto remote = boost::dynamic_pointer_cast<NVORNQEL20::TCimHTTPNamespace>(nameSpace);
    if (!remote)
        throw std::logic_error("the cimhttp provider made a namespace of another kind");
    if (hosts.empty())
        return;
    remote->Init();
    if (hosts.size() == 1)
        remote->connect(hosts.front(), "", "");
    else
        remote->connect(hosts, std::vector<std::string>(hosts.size()), std::vector<std::string>(hosts.size()));
}

// A namespace of the plug-in served as the host serves it: the library
// loaded through the provider manager, the namespace under a VORNC
// namespace over the union of a local in-memory namespace and itself, and
// connected to the given hosts (none: neither initialised nor connected).
class ServedNamespace {
public:
    explicit ServedNamespace(std::vector<std::string> hosts = {NodeAddress(0)},
                             NVORNQEL20::TCIMContext context = ProviderContext(), bool replaceDuplicates = false,
                             const std::string& namespaceName = "root/cimv2")
        : ServedNamespace(
              context, [hosts](boost::shared_ptr<NVORNQEL20::ICIMNamespace> nameSpace) { ConnectPlugin(nameSpace, hosts); },
              replaceDuplicates, namespaceName)
    {
    }

    // Prepared by the caller's step (its own Init and connect, say) instead.
    ServedNamespace(NVORNQEL20::TCIMContext context, const NVORNQEL20::TProviderSession::TPrepareStep& prepare,
                    bool replaceDuplicates = false, const std::string& namespaceName = "root/cimv2")
        : fLocal(boost::make_shared<NVORNQEL20::TInmemNamespace>()),
          fSession(Options(context, replaceDuplicates, fLocal, namespaceName), prepare)
    {
    }

    boost::shared_ptr<NVORNQEL20::TCimHTTPNamespace> Namespace() const
    {
        return boost::dynamic_pointer_cast<NVORNQEL20::TCimHTTPNamespace>(fSession.GetNamespace());
    }
    NVORNQEL20::TCimHTTPNamespace* operator->() const { return Namespace().get(); }
    NVORNQEL20::TInmemNamespace& Local() const { return *fLocal; }
    const NVORNQEL20::TProviderSession& Session() const { return fSession; }

private:
    static NVORNQEL20::TProviderSession::TOptions Options(const NVORNQEL20::TCIMContext& context,
                                                          bool replaceDuplicates,
                                                          boost::shared_ptr<NVORNQEL20::ICIMNamespace> local,
                                                          const std::string& namespaceName)
    {
        NVORNQEL20::TProviderSession::TOptions options;
        options.fLibraryPath = CIMHTTP_LIBRARY;
        options.fProviderName = "cimhttp";
        options.fNamespaceName = namespaceName;
        options.fContext = context;
        options.fReplaceDuplicates = replaceDuplicates;
        options.fLocalNamespace = local;
        return options;
    }

    boost::shared_ptr<NVORNQEL20::TInmemNamespace> fLocal;
    NVORNQEL20::TProviderSession fSession;
};

// VORN_ComputerSystem of the demo data set and its superclasses, leaf first.
inline const std::vector<std::string>& DemoComputerSystemChain()
{
    static const std::vector<std::string> chain = {
        "VORN_ComputerSystem", "CIM_ComputerSystem",       "CIM_System",        "CIM_EnabledLogicalElement",
        "CIM_LogicalElement",  "CIM_ManagedSystemElement", "CIM_ManagedElement"};
    return chain;
}

// A demo CIMOM on the first node's address, and a namespace served and
// connected to it.
class ServedDemoTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        fServer = StartServer(DemoServerOptions(0));
        fServed = std::make_unique<ServedNamespace>();
    }

    // The server's request log and the host's log start afresh.
    void ForgetRequestsAndLog()
    {
        fServer->requestLog().clear();
        NVORNQEL20::TRootObject::GetCoreLogger()->Clear();
    }

    std::unique_ptr<testcimom::CimServer> fServer;
    std::unique_ptr<ServedNamespace> fServed;
};

// A class of the host's own in its local namespace, with string properties.
inline boost::shared_ptr<NVORNQEL20::ICIMClass> AddLocalClass(NVORNQEL20::ICIMNamespace& local, const std::string& name,
                                                              const std::vector<std::string>& properties)
{
    auto cls = local.AllocateClass(name, boost::shared_ptr<NVORNQEL20::ICIMClass>(), NVORNQEL20::TCIMContext());
    for (const std::string& property : properties)
        cls->AllocatePropertyDecl(property, NVORNQEL20::TCIMValue(""), NVORNQEL20::TCIMContext())
            ->AddToClass(NVORNQEL20::TCIMContext());
    cls->AddToNamespace(NVORNQEL20::TCIMContext());
    return cls;
}

// The classes the server was asked for, oldest first, as "Name LocalOnly=x".
inline std::vector<std::string> ClassFetches(testcimom::CimServer& server)
{
    std::vector<std::string> fetches;
    for (const testcimom::LoggedRequest& request : server.requestLog().of("GetClass"))
        fetches.push_back(request.target + " LocalOnly=" + (request.flag("LocalOnly").value_or(true) ? "true" : "false"));
    return fetches;
}

// The names of the class's property declarations in the order it visits them.
inline std::vector<std::string> PropertyNamesOf(const NVORNQEL20::ICIMClass& cls)
{
    std::vector<std::string> names;
    cls.EnumeratePropertyDecls(
        [&names](boost::shared_ptr<NVORNQEL20::ICIMPropertyDecl> declaration) {
            names.push_back(declaration->GetName(NVORNQEL20::TCIMContext()));
            return true;
        },
        NVORNQEL20::TCIMContext());
    return names;
}

}  // namespace cimhttp_test

#endif
