#include "namespace/TCimHTTPNamespace.h"

#include <cctype>
#include <cstdio>

#include <Pegasus/Client/CIMClient.h>
#include <Pegasus/Common/CIMPropertyList.h>
#include <Pegasus/Common/Exception.h>

#include <qel/TQELException.h>

#include "client/Debug.h"
#include "client/PegClient.h"
#include "schema/TCimHTTPQualifierDecl.h"

namespace NVORNQEL20 {

namespace {

const int kESXiCheckTimeoutMs = 10000;
const int kClassNamesTimeoutMs = 3000;
const int kInstanceNamesTimeoutMs = 15000;
const int kInstancesTimeoutMs = 60000;

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

// The character classes are asked in the C locale's terms: bytes above 127
// are neither letters nor digits.
bool IsNameStart(unsigned char c)
{
    return c == '_' || std::isalpha(c);
}

bool IsNamePart(unsigned char c)
{
    return c == '_' || std::isalnum(c);
}

}  // namespace

TCimHTTPNamespace::TCimHTTPNamespace(bool replaceDuplicates, std::string name)
    : fReplaceDuplicates(replaceDuplicates),
      fConnected(false),
      fCimHTTPNamespaceName(name),
      fIsServeESXi5(false),
      fIsServeESXi(false)
{
}

TCimHTTPNamespace::~TCimHTTPNamespace()
{
    disconnect();
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
    for (char& c : normalized)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (normalized.empty())
        return normalized;
    if (!IsNameStart(normalized[0]))
        RejectName(name);
    for (std::size_t i = 1; i < normalized.size(); ++i)
        if (!IsNamePart(normalized[i]))
            RejectName(name);
    return normalized;
}

void TCimHTTPNamespace::AddQualifierDecl(boost::shared_ptr<TCimHTTPQualifierDecl> declaration)
{
    const std::string& name = declaration->GetName(TCIMContext());
    const std::string key = NormalizeName(name);
    auto cached = fQualifierDecls.find(key);
    if (cached != fQualifierDecls.end()) {
        if (!fReplaceDuplicates) {
            Trace("CimHTTP: TCimHTTPNamespace: qualifier " + name + " already defined");
            throw TQELException(TQELStatusCode::eAlreadyExists);
        }
        fQualifierDecls.erase(cached);
    }
    fQualifierDecls.emplace(key, declaration);
}

boost::shared_ptr<INamespaceProvider> TCimHTTPNamespace::GetNamespaceProvider(TCIMContext) const
{
    return boost::shared_ptr<INamespaceProvider>();
}

void TCimHTTPNamespace::SetUpcallNamespace(boost::shared_ptr<ICIMNamespace> upcall, TCIMContext)
{
    fUpcallNamespace = upcall;
}

void TCimHTTPNamespace::AddUnderlyingNamespace(boost::shared_ptr<ICIMNamespace>, TCIMContext)
{
    throw TQELException(TQELStatusCode::eModificationNotSupported);
}

// The schema of a remote namespace is not served yet: class and qualifier
// look-ups report that they are not supported.
boost::shared_ptr<ICIMClass> TCimHTTPNamespace::AllocateClass(const std::string&, boost::shared_ptr<ICIMClass>,
                                                              TCIMContext)
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

boost::shared_ptr<ICIMClass> TCimHTTPNamespace::GetClass(const std::string&, TCIMContext)
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

void TCimHTTPNamespace::EnumerateRootClasses(TClassCallback, TCIMContext)
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

void TCimHTTPNamespace::EnumerateProviders(TProviderCallback, TCIMContext) {}

boost::shared_ptr<ICIMQualifierDecl> TCimHTTPNamespace::AllocateQualifierDecl(const std::string&, const TCIMValue&,
                                                                              ICIMQualifierDecl::EScope,
                                                                              ICIMQualifierDecl::EFlavor, TCIMContext)
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

boost::shared_ptr<ICIMQualifierDecl> TCimHTTPNamespace::GetQualifierDecl(const std::string&, TCIMContext) const
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

void TCimHTTPNamespace::EnumerateQualifierDecls(TQualifierDeclCallback, TCIMContext) const
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

void TCimHTTPNamespace::Subscribe(const std::string&, TInstanceCallback, TCIMContext)
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

boost::shared_ptr<ICIMInstance> TCimHTTPNamespace::GetInstance(const TCIMReference&, TCIMContext) const
{
    throw TQELException(TQELStatusCode::eNotSupported);
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
