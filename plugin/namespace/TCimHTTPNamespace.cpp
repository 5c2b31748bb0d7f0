#include "namespace/TCimHTTPNamespace.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <Pegasus/Client/CIMClient.h>
#include <Pegasus/Common/CIMPropertyList.h>
#include <Pegasus/Common/Exception.h>

#include <qel/ICIMClass.h>
#include <qel/TCIMCopy.h>
#include <qel/TQELException.h>
#include <qel/TUnionNamespace.h>
#include <qel/TVORNCNamespace.h>
#include <qel/TarnInfo.h>

#include "class/TCimHTTPClass.h"
#include "client/Debug.h"
#include "client/PegClient.h"
#include "namespace/TCimHTTPLoadChain.h"
#include "provider/TCimHTTPNamespaceProvider.h"
#include "schema/SchemaTables.h"
#include "schema/TCimHTTPPropertyDecl.h"
#include "schema/TCimHTTPQualifierDecl.h"

namespace NVORNQEL20 {

namespace {

const int kESXiCheckTimeoutMs = 10000;
const int kClassNamesTimeoutMs = 3000;
const int kInstanceNamesTimeoutMs = 15000;
const int kInstancesTimeoutMs = 60000;
// Context values below these minimums are ignored.
const int kMinClassTimeoutMs = 15000;
const int kMinEnumerateInstancesTimeoutMs = 60000;

const char* const kPluginNameKey = "pluginNameQualDeclValue";
const char* const kClassTimeoutKey = "GCTimeout";
const char* const kEnumerateInstancesTimeoutKey = "EITimeout";
const char* const kPluginNameQualifier = "PLUGINNAME";
const char* const kPluginVersionQualifier = "PLUGINVERSION";
const char* const kPluginVersion = "1.0";
// Asked for only on systems of more than one node.
const char* const kRemoteNodeClass = "VORN_RemoteNode";

const TCIMContext kNoContext;

[[noreturn]] void RejectName(const std::string& name)
{
    WriteLog(eLogError, "CimHTTP: CIM name '" + name + "' is invalid");
    throw TQELException(TQELStatusCode::eInvalidName);
}

// A name the client library rejects is nobody's instance: like the class-name
// enumeration, the answer is empty and nothing is sent.
std::vector<std::string> InstanceNames(PegClient& client, const std::string& nameSpace, const std::string& className)
{
    Pegasus::CIMNamespaceName pegNameSpace;
    Pegasus::CIMName pegClassName;
    try {
        pegNameSpace = Pegasus::CIMNamespaceName(nameSpace.c_str());
        pegClassName = Pegasus::CIMName(className.c_str());
    } catch (const Pegasus::Exception& e) {
        Trace("Invalid name in TCimHTTPNamespace::EnumerateInstanceNames(): " + MessageOf(e));
        return std::vector<std::string>();
    }
    return client.EnumerateInstanceNames(pegNameSpace, pegClassName, kInstanceNamesTimeoutMs);
}

// What each byte may be in a name: the C locale's letters and "_" anywhere,
// its digits after the first character, nothing else (bytes above 127
// are neither letters nor digits there), whatever locale the host runs in.
// A table rather than the locale's functions: every qualifier and property
// look-up normalizes a name.
enum ENameCharacter : unsigned char { eNotInName = 0, eNamePart = 1, eNameStart = 3 };

constexpr std::array<unsigned char, 256> NameCharacters()
{
    std::array<unsigned char, 256> kinds{};
    for (int c = '0'; c <= '9'; ++c)
        kinds[c] = eNamePart;
    for (int c = 'a'; c <= 'z'; ++c)
        kinds[c] = kinds[c - 'a' + 'A'] = eNameStart;
    kinds['_'] = eNameStart;
    return kinds;
}

constexpr std::array<unsigned char, 256> kNameCharacters = NameCharacters();

char LowerCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A time-out from the context counts when it is above the minimum; one that
// is no number, or none at all, gives the minimum.
int TimeoutFromContext(const TCIMContext& context, const char* key, int minimum)
{
    auto found = context.find(key);
    if (found == context.end())
        return minimum;
    try {
        const unsigned int timeout = found->second;
        return std::max(minimum, static_cast<int>(std::min<unsigned int>(timeout, INT_MAX)));
    } catch (const TQELException& e) {
        Trace(std::string("TCimHTTPNamespace: context value ") + key + " is no time-out: " + e.what());
        return minimum;
    }
}

struct TClassNames {
    std::string fName;
    std::string fSuperClassName;
};

TClassNames NamesOf(const Pegasus::CIMClass& definition)
{
    return {std::string(definition.getClassName().getString().getCString()),
            std::string(definition.getSuperClassName().getString().getCString())};
}

// Puts the element under its key. A key already taken is the element's
// predecessor: replaced when duplicates replace, else refused with the
// message and status 16. Returns the predecessor (empty when none).
template <typename TTable>
typename TTable::mapped_type CacheUnderName(TTable& table, const std::string& key,
                                            const typename TTable::mapped_type& element, bool replaceDuplicates,
                                            const std::string& duplicateMessage)
{
    typename TTable::mapped_type predecessor;
    auto cached = table.find(key);
    if (cached != table.end()) {
        if (!replaceDuplicates) {
            Trace(duplicateMessage);
            throw TQELException(TQELStatusCode::eAlreadyExists);
        }
        predecessor = cached->second;
        table.erase(cached);
    }
    table.emplace(key, element);
    return predecessor;
}

}  // namespace

TCimHTTPNamespace::TCimHTTPNamespace(bool replaceDuplicates, std::string name)
    : fReplaceDuplicates(replaceDuplicates),
      fConnected(false),
      fCimHTTPNamespaceName(name),
      fIsServeESXi5(false),
      fIsServeESXi(false),
      fLoading(new TCimHTTPLoadChain)
{
}

// The connections go first; the classes hold the namespace only weakly, so
// releasing them calls nothing here. Children a host linked in a circle
// (AddChildClass) would keep each other alive: the cached classes let go of
// their children first.
TCimHTTPNamespace::~TCimHTTPNamespace()
{
    disconnect();
    fPegNSP.reset();
    fNodes.Release();
    fPluginName.clear();
    fCimHTTPNamespaceName.clear();
    fUpcallNamespace.reset();
    for (const auto& cached : fClasses)
        cached.second->ReleaseChildren();
    fRootClass.reset();
    fClasses.clear();
    fQualifierDecls.clear();
}

void TCimHTTPNamespace::Initialize(TCIMContext context)
{
    auto pluginName = context.find(kPluginNameKey);
    if (pluginName == context.end()) {
        WriteLog(eLogError, "TCIMHTTPNamespace: 'pluginNameQualDeclValue' not passed via context");
        throw TQELException(TQELStatusCode::eMissingContextValue);
    }
    fPluginName = pluginName->second.ToString();
    fRootClass = boost::static_pointer_cast<TCimHTTPClass>(
        AllocateClass(TCimHTTPClass::kRootClassName, boost::shared_ptr<ICIMClass>(), kNoContext));
    for (const auto& declaration : {std::make_pair(kPluginNameQualifier, "CIMXML"), std::make_pair(kPluginVersionQualifier, "")})
        AddQualifierDecl(boost::static_pointer_cast<TCimHTTPQualifierDecl>(
            AllocateQualifierDecl(declaration.first, TCIMValue(declaration.second), ICIMQualifierDecl::eScopeNone,
                                  ICIMQualifierDecl::eFlavorNone, kNoContext)));
}

void TCimHTTPNamespace::CreatePegasusNamespaceName()
{
    try {
        fPegNSP.reset(new Pegasus::CIMNamespaceName(fCimHTTPNamespaceName.c_str()));
    } catch (const Pegasus::Exception& e) {
        Trace("TCimHTTPNamespace:Pegasus NSP Creation Fail: " + MessageOf(e));
        throw TQELException(TQELStatusCode::eConnectionSetupFailed);
    }
}

void TCimHTTPNamespace::Init()
{
    if (!fPegNSP)
        CreatePegasusNamespaceName();
    fNodes.AddFirstNode();
}

void TCimHTTPNamespace::Init(std::string name)
{
    fCimHTTPNamespaceName = name;
    Init();
}

void TCimHTTPNamespace::connect(std::string host, std::string user, std::string password)
{
    Trace("Entering TCimHTTPNamespace::connect - Connect to single node cimom via http or https.");
    if (!fConnected) {
        SaveConnectAuthInfo(host, user, password, PegClient::kHttpPort);
        connect(0, host, user, password);
        CheckIsESXi5();
        fConnected = true;
    }
    Trace("Exiting TCimHTTPNamespace::connect - Connect to single node cimom via http or https.");
}

void TCimHTTPNamespace::ConnectViaHttps(std::string host, std::string user, std::string password, int port)
{
    Trace("Entering TCimHTTPNamespace::ConnectViaHttps");
    if (!fConnected) {
        SaveConnectAuthInfo(host, user, password, port);
        ConnectViaHttps(0, host, user, password, PegClient::kHttpsPort);
        fConnected = true;
        CheckIsESXi5();
    }
    Trace("Exiting TCimHTTPNamespace::ConnectViaHttps");
}

void TCimHTTPNamespace::ConnectViaHttp(std::string host, std::string user, std::string password, int port)
{
    Trace("Entering TCimHTTPNamespace::ConnectViaHttp");
    if (!fConnected) {
        SaveConnectAuthInfo(host, user, password, port);
        ConnectViaHttp(0, host, user, password, PegClient::kHttpPort);
        fConnected = true;
    }
    Trace("Exiting TCimHTTPNamespace::ConnectViaHttp");
}

void TCimHTTPNamespace::connect(std::vector<std::string> hosts, std::vector<std::string> users,
                                std::vector<std::string> passwords)
{
    Trace("Entering TCimHTTPNamespace::connect - Connect to multinode cimom via http or https");
    if (!fConnected) {
        if (hosts.size() != users.size() || hosts.size() != passwords.size() || hosts.empty()) {
            Trace("The input auth info is not correct!");
            throw TQELException(TQELStatusCode::eConnectionSetupFailed);
        }
        SaveConnectAuthInfo(hosts, users, passwords);
        for (std::size_t node = 0; node < hosts.size(); ++node)
            connect(static_cast<int>(node), hosts[node], users[node], passwords[node]);
        // Records that the nodes were asked, not that they answered.
        fConnected = true;
    }
    Trace("Exiting TCimHTTPNamespace::connect - Connect to multinode cimom via http or https");
}

void TCimHTTPNamespace::connect(int node, std::string host, std::string user, std::string password)
{
    fNodes.Connect(node, host, user, password);
}

void TCimHTTPNamespace::ConnectViaHttps(int node, std::string host, std::string user, std::string password,
                                        int port)
{
    fNodes.ConnectViaHttps(node, host, user, password, port);
}

void TCimHTTPNamespace::ConnectViaHttp(int node, std::string host, std::string user, std::string password,
                                       int port)
{
    fNodes.ConnectViaHttp(node, host, user, password, port);
}

void TCimHTTPNamespace::SaveConnectAuthInfo(std::string host, std::string user, std::string password, int port)
{
    fNodes.SaveAuthInfo(host, user, password, port);
}

void TCimHTTPNamespace::SaveConnectAuthInfo(std::vector<std::string> hosts, std::vector<std::string> users,
                                            std::vector<std::string> passwords)
{
    fNodes.SaveAuthInfo(hosts, users, passwords);
}

void TCimHTTPNamespace::disconnect()
{
    if (!fConnected)
        return;
    fConnected = false;
    fNodes.Disconnect();
}

void TCimHTTPNamespace::DeInit()
{
    fPegNSP.reset();
    fClasses.clear();
}

void TCimHTTPNamespace::setTimeout(unsigned int milliseconds)
{
    fNodes.SetTimeout(milliseconds);
}

void TCimHTTPNamespace::CheckIsESXi5()
{
    // Once per process: later namespaces keep both flags false.
    static bool hasESXi5 = false;
    if (hasESXi5)
        return;
    hasESXi5 = true;
    try {
        ReadESXiVersion();
    } catch (const Pegasus::Exception&) {
        Trace("TCimHTTPNamespace::Pegasus Client connect VMware_HypervisorSoftwareIdentity");
    }
}

void TCimHTTPNamespace::ReadESXiVersion()
{
    const Pegasus::Array<Pegasus::CIMInstance> instances =
        getPegClient()->EnumerateInstances("root/cimv2", "VMware_HypervisorSoftwareIdentity", kESXiCheckTimeoutMs,
                                           true, true, false, false, Pegasus::CIMPropertyList());
    if (instances.size() == 0)
        return;
    fIsServeESXi = true;
    const Pegasus::CIMInstance& first = instances[0];
    const std::string version(
        first.getProperty(first.findProperty("VersionString")).getValue().toString().getCString());
    int major = 0, minor = 0, patch = 0;
    std::vector<char> rest(version.size() + 1);
    std::sscanf(version.c_str(), "%d.%d.%d %s", &major, &minor, &patch, rest.data());
    if (major > 4)
        fIsServeESXi5 = true;
}

TCimHTTPNamespace::TNodeTable TCimHTTPNamespace::getPegClientVec() const
{
    return fNodes.Clients();
}

PegClient* TCimHTTPNamespace::getPegClient() const
{
    return fNodes.FirstClient();
}

Pegasus::CIMNamespaceName* TCimHTTPNamespace::getPegNSP() const
{
    return fPegNSP.get();
}

bool TCimHTTPNamespace::isConnected() const
{
    return fConnected;
}

bool TCimHTTPNamespace::getIsServeESXi() const
{
    return fIsServeESXi;
}

bool TCimHTTPNamespace::getIsServeESXi5() const
{
    return fIsServeESXi5;
}

std::string TCimHTTPNamespace::getfCimHTTPNamespaceName() const
{
    return fCimHTTPNamespaceName;
}

bool TCimHTTPNamespace::EnumerateClassNames(std::string nameSpace, std::string className,
                                            std::vector<std::string>& out, bool)
{
    Trace("Entering TCimHTTPNamespace::EnumerateClassNames");
    out = getPegClient()->EnumerateClassNames(nameSpace, className, false, kClassNamesTimeoutMs);
    Trace("Exiting TCimHTTPNamespace::EnumerateClassNames");
    return !out.empty();
}

bool TCimHTTPNamespace::EnumerateInstanceNames(std::string nameSpace, std::string className,
                                               std::vector<std::string>& out)
{
    Trace("Entering TCimHTTPNamespace::EnumerateInstanceNames");
    out = InstanceNames(*getPegClient(), nameSpace, className);
    Trace("Exiting TCimHTTPNamespace::EnumerateInstanceNames");
    return !out.empty();
}

Pegasus::Array<Pegasus::CIMInstance> TCimHTTPNamespace::EnumerateInstances(const Pegasus::CIMNamespaceName& nameSpace,
                                                                            const Pegasus::CIMName& className)
{
    return getPegClient()->EnumerateInstances(std::string(nameSpace.getString().getCString()),
                                              std::string(className.getString().getCString()),
                                              kInstancesTimeoutMs, true, true, false, false, Pegasus::CIMPropertyList());
}

boost::shared_ptr<ICIMNamespace> TCimHTTPNamespace::GetUpcallNamespace()
{
    return fUpcallNamespace.lock();
}

std::string TCimHTTPNamespace::NormalizeName(const std::string& name)
{
    std::string normalized(name);
    unsigned char required = eNameStart;
    for (char& c : normalized) {
        if ((kNameCharacters[static_cast<unsigned char>(c)] & required) != required)
            RejectName(name);
        c = LowerCase(c);
        required = eNamePart;
    }
    return normalized;
}

void TCimHTTPNamespace::AddQualifierDecl(boost::shared_ptr<TCimHTTPQualifierDecl> declaration)
{
    const std::string& name = declaration->GetName(kNoContext);
    CacheUnderName(fQualifierDecls, NormalizeName(name), declaration, fReplaceDuplicates,
                   "CimHTTP: TCimHTTPNamespace: qualifier " + name + " already defined");
}

void TCimHTTPNamespace::AddClass(boost::shared_ptr<TCimHTTPClass> cls)
{
    const std::string& name = cls->GetName(kNoContext);
    boost::shared_ptr<TCimHTTPClass> predecessor = CacheUnderName(
        fClasses, NormalizeName(name), cls, fReplaceDuplicates, "TCimHTTPNamespace: class " + name + " already defined");
    if (predecessor)
        cls->TakeChildrenOf(*predecessor);
}

void TCimHTTPNamespace::RemoveClass(boost::shared_ptr<TCimHTTPClass>) {}

boost::shared_ptr<TCimHTTPClass> TCimHTTPNamespace::GetRootClass() const
{
    return fRootClass;
}

Pegasus::CIMClass TCimHTTPNamespace::FetchClass(PegClient& client, const std::string& className, int timeout,
                                                bool localOnly) const
{
    const std::string nameSpace = fPegNSP ? std::string(fPegNSP->getString().getCString()) : std::string();
    return client.GetClass(nameSpace, className, timeout, localOnly, true, false, Pegasus::CIMPropertyList());
}

// How the host layers its namespaces is its own affair: an upcall namespace
// that is missing, of another kind than the host's VORNC namespace, or
// standing on something other than a union namespace makes the probe fail
// with an exception, never a call through an empty pointer.
boost::shared_ptr<TUnionNamespace> TCimHTTPNamespace::UnionNamespace()
{
    boost::shared_ptr<TVORNCNamespace> upcall = boost::dynamic_pointer_cast<TVORNCNamespace>(GetUpcallNamespace());
    if (!upcall)
        throw TQELException(TQELStatusCode::eNotFound, "no VORNC namespace as upcall namespace");
    boost::shared_ptr<TUnionNamespace> unionNamespace =
        boost::dynamic_pointer_cast<TUnionNamespace>(upcall->GetUnderlyingNamespace());
    if (!unionNamespace)
        throw TQELException(TQELStatusCode::eNotFound, "no union namespace under the upcall namespace");
    return unionNamespace;
}

// While the union namespace is asked, the class counts as being loaded
// here, so that the union asking this namespace back loads nothing.
boost::shared_ptr<ICIMClass> TCimHTTPNamespace::FindInUnionNamespace(const std::string& name)
{
    TCimHTTPLoadChain::TLink link(*fLoading, NormalizeName(name));
    boost::shared_ptr<ICIMClass> found = UnionNamespace()->GetClass(name, kNoContext);
    if (found && found->GetNamespace(kNoContext).get() == static_cast<ICIMNamespace*>(this))
        return boost::shared_ptr<ICIMClass>();
    return found;
}

boost::shared_ptr<INamespaceProvider> TCimHTTPNamespace::GetNamespaceProvider(TCIMContext) const
{
    return TCimHTTPNamespaceProvider::GetInstance();
}

void TCimHTTPNamespace::SetUpcallNamespace(boost::shared_ptr<ICIMNamespace> upcall, TCIMContext)
{
    fUpcallNamespace = upcall;
}

void TCimHTTPNamespace::AddUnderlyingNamespace(boost::shared_ptr<ICIMNamespace>, TCIMContext)
{
    throw TQELException(TQELStatusCode::eModificationNotSupported);
}

boost::shared_ptr<ICIMClass> TCimHTTPNamespace::AllocateClass(const std::string& name, boost::shared_ptr<ICIMClass> parent,
                                                              TCIMContext context)
{
    if (!parent)
        parent = fRootClass;
    boost::shared_ptr<TCimHTTPClass> cls = boost::make_shared<TCimHTTPClass>(
        shared_from_this(), TimeoutFromContext(context, kEnumerateInstancesTimeoutKey, kMinEnumerateInstancesTimeoutMs),
        name, boost::dynamic_pointer_cast<TCimHTTPClass>(parent));
    cls->Initialize();
    return cls;
}

boost::shared_ptr<TCimHTTPClass> TCimHTTPNamespace::CachedClass(const std::string& key) const
{
    auto found = fClasses.find(key);
    return found == fClasses.end() ? boost::shared_ptr<TCimHTTPClass>() : found->second;
}

boost::shared_ptr<ICIMClass> TCimHTTPNamespace::GetClass(const std::string& name, TCIMContext context)
{
    if (!fConnected)
        return boost::shared_ptr<ICIMClass>();
    if (name.empty() || name == TCimHTTPClass::kRootClassName) {
        Trace("TCimHTTPNamespace::GetClass " + name + " : return <root>");
        return fRootClass;
    }
    if (name == kRemoteNodeClass && TarnInfo::GetInstance()->GetNodeCount() < 2) {
        Trace("TCimHTTPNamespace::GetClass skip VORN_RemoteNode");
        return boost::shared_ptr<ICIMClass>();
    }
    const std::string key = NormalizeName(name);
    Trace("TCimHTTPNamespace::GetClass from Pegasus for: " + name);
    if (boost::shared_ptr<TCimHTTPClass> cached = CachedClass(key)) {
        Trace("TCimHTTPNamespace::GetClass " + name + " Found in TCimHTTPNamespace");
        return cached;
    }
    if (!MayLoad(name, key))
        return boost::shared_ptr<ICIMClass>();
    TCimHTTPLoadChain::TLink link(*fLoading, key);
    CheckIsESXi5();
    if (!fIsServeESXi)
        if (boost::shared_ptr<ICIMClass> copied = CopyFromUnionNamespace(name, key, context))
            return copied;
    return LoadFromServer(name, key, context);
}

// A class that is being loaded already is not found again: the union
// namespace, standing over this one, asks back for the class a probe asks
// it for. When that class waits for its superclass, the chain loops.
bool TCimHTTPNamespace::MayLoad(const std::string& name, const std::string& key)
{
    if (fLoading->HasFailed())
        return false;
    if (fLoading->WaitsForSuperclass(key)) {
        WriteLog(eLogError, "TCimHTTPNamespace::GetClass " + name + " : its superclass chain loops back to it");
        fLoading->Fail();
        return false;
    }
    if (fLoading->Contains(key)) {
        Trace("TCimHTTPNamespace::GetClass " + name + " : being loaded, not found here");
        return false;
    }
    if (fLoading->IsFull()) {
        WriteLog(eLogError, "TCimHTTPNamespace::GetClass " + name + " : superclass chain deeper than " +
                                std::to_string(TCimHTTPLoadChain::kMaxDepth) + " classes");
        fLoading->Fail();
        return false;
    }
    return true;
}

// Any failure of the probe costs only the probe.
boost::shared_ptr<ICIMClass> TCimHTTPNamespace::CopyFromUnionNamespace(const std::string& name,
                                                                       const std::string& key, TCIMContext context)
{
    try {
        UnionNamespace()->GetClass(name, context);
        if (boost::shared_ptr<ICIMClass> found = FindInUnionNamespace(name))
            TCIMCopy::CopyClass(found, shared_from_this());
    } catch (...) {
        Trace("TCimHTTPNamespace::GetClass " + name +
              " Catch an exception while trying to get this class in union namespace");
        return boost::shared_ptr<ICIMClass>();
    }
    boost::shared_ptr<TCimHTTPClass> copied = CachedClass(key);
    if (!copied)
        return copied;
    Trace("TCimHTTPNamespace::GetClass " + name + " Now it is Found in TCimHTTPNamespace from union namespace");
    try {
        MarkAsPlugins(*copied);
        AddNodeID(*copied);
    } catch (...) {
        Trace("Catch exception for construct plugin name and version");
    }
    return copied;
}

// The superclass chain is loaded first; a chain that failed on the way,
// a superclass that did not load included, leaves nothing behind: a class
// without its superclasses would lose their keys and properties.
boost::shared_ptr<ICIMClass> TCimHTTPNamespace::LoadFromServer(const std::string& name, const std::string& key,
                                                               TCIMContext context)
{
    try {
        // Only the names are kept: a chain holds no definition while its
        // superclasses load, and the class loads its own.
        const TClassNames names = NamesOf(FetchClass(
            *getPegClient(), name, TimeoutFromContext(context, kClassTimeoutKey, kMinClassTimeoutMs), false));
        const std::string& className = names.fName;
        const std::string& superClassName = names.fSuperClassName;
        fLoading->SetWaitsForSuperclass(key, true);
        boost::shared_ptr<ICIMClass> parent = GetClass(superClassName, kNoContext);
        fLoading->SetWaitsForSuperclass(key, false);
        if (fLoading->HasFailed())
            return boost::shared_ptr<ICIMClass>();
        if (!parent) {
            Trace("TCimHTTPNamespace::GetClass " + name + " : its superclass " + superClassName + " did not load");
            fLoading->Fail();
            return parent;
        }
        boost::shared_ptr<ICIMClass> loaded = AllocateClass(className, parent, context);
        MarkAsPlugins(*loaded);
        boost::static_pointer_cast<TCimHTTPClass>(loaded)->AddToNamespace(kNoContext);
    } catch (const Pegasus::Exception& e) {
        Trace("TCimHTTPNamespace::GetClass after AllocateClass from Pegasus for: " + name +
              " returned exception: " + MessageOf(e));
        return boost::shared_ptr<ICIMClass>();
    } catch (const std::exception& e) {
        Trace("TCimHTTPNamespace::GetClass " + name + " failed: " + e.what());
        return boost::shared_ptr<ICIMClass>();
    }
    boost::shared_ptr<TCimHTTPClass> loaded = CachedClass(key);
    if (!loaded) {
        WriteLog(eLogError, "TCimHTTPNamespace::GetClass " + name + " Not Found - Something Wrong");
        return loaded;
    }
    Trace("TCimHTTPNamespace::GetClass " + name + " Now it is Found in TCimHTTPNamespace");
    return loaded;
}

boost::shared_ptr<TCimHTTPQualifierDecl> TCimHTTPNamespace::PluginDeclaration(const std::string& name) const
{
    auto found = fQualifierDecls.find(NormalizeName(name));
    if (found == fQualifierDecls.end())
        throw TQELException(TQELStatusCode::eNotFound, "qualifier declaration " + name + " of an uninitialized namespace");
    return found->second;
}

void TCimHTTPNamespace::MarkAsPlugins(ICIMClass& cls)
{
    cls.AddQualifier(cls.AllocateQualifier(PluginDeclaration(kPluginNameQualifier), TCIMValue(fPluginName), kNoContext),
                     kNoContext);
    cls.AddQualifier(
        cls.AllocateQualifier(PluginDeclaration(kPluginVersionQualifier), TCIMValue(kPluginVersion), kNoContext),
        kNoContext);
}

void TCimHTTPNamespace::AddNodeID(TCimHTTPClass& cls)
{
    cls.AddPropertyDecl(cls.AllocateNodeIdDecl(), kNoContext);
}

void TCimHTTPNamespace::EnumerateRootClasses(TClassCallback callback, TCIMContext context)
{
    if (fConnected && fRootClass)
        fRootClass->EnumerateSubClasses(callback, true, context);
}

void TCimHTTPNamespace::EnumerateProviders(TProviderCallback, TCIMContext) {}

boost::shared_ptr<ICIMQualifierDecl> TCimHTTPNamespace::AllocateQualifierDecl(const std::string& name,
                                                                              const TCIMValue& defaultValue,
                                                                              ICIMQualifierDecl::EScope scope,
                                                                              ICIMQualifierDecl::EFlavor flavor,
                                                                              TCIMContext)
{
    return boost::make_shared<TCimHTTPQualifierDecl>(shared_from_this(), name, defaultValue, scope, flavor);
}

boost::shared_ptr<ICIMQualifierDecl> TCimHTTPNamespace::GetQualifierDecl(const std::string& name, TCIMContext) const
{
    auto found = fQualifierDecls.find(NormalizeName(name));
    return found == fQualifierDecls.end() ? boost::shared_ptr<ICIMQualifierDecl>() : found->second;
}

void TCimHTTPNamespace::EnumerateQualifierDecls(TQualifierDeclCallback callback, TCIMContext) const
{
    EnumerateInOrder(fQualifierDecls, callback);
}

void TCimHTTPNamespace::Subscribe(const std::string&, TInstanceCallback, TCIMContext)
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

// A reference to a class this namespace cannot find names no instance:
// logged, and empty.
boost::shared_ptr<ICIMInstance> TCimHTTPNamespace::GetInstance(const TCIMReference& reference,
                                                               TCIMContext context) const
{
    const std::string& className = reference.GetClassName();
    boost::shared_ptr<ICIMClass> cls = const_cast<TCimHTTPNamespace*>(this)->GetClass(className, kNoContext);
    if (!cls) {
        Trace("TCimHTTPNamespace::GetInstance: no class " + className);
        return boost::shared_ptr<ICIMInstance>();
    }
    return cls->GetInstance(reference, context);
}

void TCimHTTPNamespace::DeleteInstance(const TCIMReference&, TCIMContext)
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

void TCimHTTPNamespace::ModifyInstance(boost::shared_ptr<ICIMInstance>, TCIMContext)
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

void TCimHTTPNamespace::ExecuteQuery(const std::string&, TInstanceCallback, TCIMContext)
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

void TCimHTTPNamespace::ClearInstances() {}

ICIMNamespace& TCimHTTPNamespace::operator=(const ICIMNamespace&)
{
    return *this;
}

}  // namespace NVORNQEL20
