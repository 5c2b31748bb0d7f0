#include "namespace/TCimHTTPNamespace.h"

#include <cctype>
#include <cstdio>

#include <Pegasus/Client/CIMClient.h>
#include <Pegasus/Common/CIMPropertyList.h>
#include <Pegasus/Common/Exception.h>

#include <qel/SPLibrary.h>
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

// Names that the client library rejects are the caller's invalid CIM names.
template <typename Name>
Name ToPegasusName(const std::string& name)
{
    try {
        return Name(name.c_str());
    } catch (const Pegasus::Exception&) {
        RejectName(name);
    }
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
    : fPegClient(nullptr),
      fReplaceDuplicates(replaceDuplicates),
      fConnected(false),
      fCimHTTPNamespaceName(name),
      fPort(0),
      fIsServeESXi5(false),
      fIsServeESXi(false)
{
}

TCimHTTPNamespace::~TCimHTTPNamespace()
{
    disconnect();
    // After disconnect only the first node's client is left.
    for (const TNodeClients& node : fPegClientVec)
        for (const auto& entry : node)
            delete entry.second;
}

TCimHTTPNamespace::TNodeClients TCimHTTPNamespace::NodeEntry(int node, PegClient* client) const
{
    TNodeClients entry;
    entry[std::to_string(SPLibrary::GetBMCMapping(node) + 1)] = client;
    return entry;
}

bool TCimHTTPNamespace::IsNode(int node) const
{
    return node >= 0 && static_cast<std::size_t>(node) < fPegClientVec.size();
}

PegClient* TCimHTTPNamespace::NodeClient(int node) const
{
    return fPegClientVec[node].begin()->second;
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

void TCimHTTPNamespace::CreateFirstNodeClient()
{
    try {
        fPegClient = new PegClient();
    } catch (const Pegasus::Exception& e) {
        Trace("TCimHTTPNamespace:Pegasus Client Creation Fail: " + MessageOf(e));
        throw TQELException(TQELStatusCode::eConnectionSetupFailed);
    }
}

void TCimHTTPNamespace::Init()
{
    if (!fPegNSP)
        CreatePegasusNamespaceName();
    if (!fPegClient) {
        CreateFirstNodeClient();
        fPegClientVec.push_back(NodeEntry(0, fPegClient));
    }
}

void TCimHTTPNamespace::Init(std::string name)
{
    fCimHTTPNamespaceName = name;
    // Without a first-node client the table is started afresh.
    if (!fPegClient)
        fPegClientVec.clear();
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
    Trace("Entering TCimHTTPNamespace::connect - Connect to cimom via http or https");
    if (!fPegClientVec.empty() && static_cast<std::size_t>(node) >= fPegClientVec.size())
        fPegClientVec.push_back(NodeEntry(node, new PegClient()));
    if (!IsNode(node))
        return;
    try {
        NodeClient(node)->Connect(host, user, password);
    } catch (const Pegasus::Exception& e) {
        Trace("TCimHTTPNamespace::connect - Connect to cimom via http or https failed, error:" + MessageOf(e));
    }
}

void TCimHTTPNamespace::ConnectViaHttps(int node, std::string host, std::string user, std::string password,
                                        int port)
{
    Trace("Entering TCimHTTPNamespace::ConnectViaHttps - With Node Num");
    if (IsNode(node))
        NodeClient(node)->HTTPSConnect(host, user, password, port);
    Trace("Exiting TCimHTTPNamespace::ConnectViaHttps - With Node Num");
}

void TCimHTTPNamespace::ConnectViaHttp(int node, std::string host, std::string user, std::string password,
                                       int port)
{
    Trace("Entering TCimHTTPNamespace::ConnectViaHttp -With Node Num");
    if (IsNode(node))
        NodeClient(node)->HTTPConnect(host, user, password, port);
    Trace("Exiting TCimHTTPNamespace::ConnectViaHttp -With Node Num");
}

void TCimHTTPNamespace::SaveConnectAuthInfo(std::string host, std::string user, std::string password, int port)
{
    fHosts.assign(1, host);
    fUsers.assign(1, user);
    fPasswords.assign(1, password);
    fPort = port;
}

void TCimHTTPNamespace::SaveConnectAuthInfo(std::vector<std::string> hosts, std::vector<std::string> users,
                                            std::vector<std::string> passwords)
{
    fHosts = hosts;
    fUsers = users;
    fPasswords = passwords;
}

void TCimHTTPNamespace::disconnect()
{
    if (!fConnected)
        return;
    fPegClient->Disconnect();
    fConnected = false;
    for (std::size_t node = 1; node < fPegClientVec.size(); ++node) {
        PegClient* client = NodeClient(static_cast<int>(node));
        client->Disconnect();
        delete client;
    }
    fPegClientVec.resize(1);
}

void TCimHTTPNamespace::DeInit()
{
    fPegNSP.reset();
}

void TCimHTTPNamespace::setTimeout(unsigned int milliseconds)
{
    for (const TNodeClients& node : fPegClientVec)
        node.begin()->second->GetPegclient()->setTimeout(milliseconds);
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
        fPegClient->EnumerateInstances("root/cimv2", "VMware_HypervisorSoftwareIdentity", kESXiCheckTimeoutMs,
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
    return fPegClientVec;
}

PegClient* TCimHTTPNamespace::getPegClient() const
{
    return fPegClient;
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
    out = fPegClient->EnumerateClassNames(nameSpace, className, false, kClassNamesTimeoutMs);
    Trace("Exiting TCimHTTPNamespace::EnumerateClassNames");
    return !out.empty();
}

bool TCimHTTPNamespace::EnumerateInstanceNames(std::string nameSpace, std::string className,
                                               std::vector<std::string>& out)
{
    Trace("Entering TCimHTTPNamespace::EnumerateInstanceNames");
    out = fPegClient->EnumerateInstanceNames(ToPegasusName<Pegasus::CIMNamespaceName>(nameSpace),
                                             ToPegasusName<Pegasus::CIMName>(className), kInstanceNamesTimeoutMs);
    Trace("Exiting TCimHTTPNamespace::EnumerateInstanceNames");
    return !out.empty();
}

Pegasus::Array<Pegasus::CIMInstance> TCimHTTPNamespace::EnumerateInstances(const Pegasus::CIMNamespaceName& nameSpace,
                                                                            const Pegasus::CIMName& className)
{
    return fPegClient->EnumerateInstances(std::string(nameSpace.getString().getCString()),
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
