#ifndef CIMHTTP_NAMESPACE_TCIMHTTPNAMESPACE_H
#define CIMHTTP_NAMESPACE_TCIMHTTPNAMESPACE_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <Pegasus/Common/Array.h>
#include <Pegasus/Common/CIMClass.h>
#include <Pegasus/Common/CIMInstance.h>
#include <Pegasus/Common/CIMName.h>

#include <qel/ICIMNamespace.h>

#include "namespace/TCimHTTPNodeTable.h"

namespace NVORNQEL20 {

class PegClient;
// What the schema cache holds; their headers include this one, so this one
// only declares them.
class TCimHTTPClass;
class TCimHTTPLoadChain;
class TCimHTTPQualifierDecl;
class TUnionNamespace;

// A namespace whose content lives on a remote CIM server: one server on a
// single-node system, one per node on a multi-node system. It holds the
// connection to the nodes (through a TCimHTTPNodeTable), the ESXi
// detection, and the schema cache: the classes and qualifier declarations
// loaded so far, by normalized name, under a root class "<root>". The host
// side drives the connection operations.
class TCimHTTPNamespace : public ICIMNamespace, public boost::enable_shared_from_this<TCimHTTPNamespace> {
public:
    typedef TCimHTTPNodeTable::TNodeClients TNodeClients;
    typedef TCimHTTPNodeTable::TNodeClientsList TNodeTable;

    TCimHTTPNamespace(bool replaceDuplicates, std::string name);
    // Disconnects, then releases the clients before the schema.
    ~TCimHTTPNamespace() override;

    // Reads the plug-in name value from the context (status 32 without it),
    // creates the root class and declares PLUGINNAME and PLUGINVERSION.
    void Initialize(TCIMContext context);

    // Creates the client-library namespace name and the first node's client.
    void Init();
    void Init(std::string name);

    // Single node: HTTPS on 5989, then HTTP on 5988.
    void connect(std::string host, std::string user, std::string password);
    // Single node over HTTPS on 5989; the port is only saved.
    void ConnectViaHttps(std::string host, std::string user, std::string password, int port);
    // Single node over HTTP on 5988; the port is only saved.
    void ConnectViaHttp(std::string host, std::string user, std::string password, int port);
    // Multi-node: one host, user and password per node, in node order.
    void connect(std::vector<std::string> hosts, std::vector<std::string> users,
                 std::vector<std::string> passwords);
    // One node, HTTPS then HTTP; a node beyond the table is appended first.
    void connect(int node, std::string host, std::string user, std::string password);
    void ConnectViaHttps(int node, std::string host, std::string user, std::string password, int port);
    void ConnectViaHttp(int node, std::string host, std::string user, std::string password, int port);
    void SaveConnectAuthInfo(std::string host, std::string user, std::string password, int port);
    void SaveConnectAuthInfo(std::vector<std::string> hosts, std::vector<std::string> users,
                             std::vector<std::string> passwords);
    // Disconnects every node and releases all clients but the first node's.
    void disconnect();
    // Releases the client-library namespace name and empties the class cache.
    void DeInit();
    void setTimeout(unsigned int milliseconds);
    // Looks for VMware ESXi on the first node, once per process.
    void CheckIsESXi5();

    TNodeTable getPegClientVec() const;
    PegClient* getPegClient() const;
    Pegasus::CIMNamespaceName* getPegNSP() const;
    bool isConnected() const;
    bool getIsServeESXi() const;
    bool getIsServeESXi5() const;
    std::string getfCimHTTPNamespaceName() const;

    // Straight to the first node's server.
    bool EnumerateClassNames(std::string nameSpace, std::string className, std::vector<std::string>& out,
                             bool deepInheritance);
    bool EnumerateInstanceNames(std::string nameSpace, std::string className, std::vector<std::string>& out);
    Pegasus::Array<Pegasus::CIMInstance> EnumerateInstances(const Pegasus::CIMNamespaceName& nameSpace,
                                                            const Pegasus::CIMName& className);

    // ICIMNamespace
    boost::shared_ptr<INamespaceProvider> GetNamespaceProvider(TCIMContext context) const override;
    void SetUpcallNamespace(boost::shared_ptr<ICIMNamespace> upcall, TCIMContext context) override;
    void AddUnderlyingNamespace(boost::shared_ptr<ICIMNamespace> underlying, TCIMContext context) override;
    // A new, initialized class; the context's EITimeout counts above 60000.
    boost::shared_ptr<ICIMClass> AllocateClass(const std::string& name, boost::shared_ptr<ICIMClass> parent,
                                               TCIMContext context) override;
    // From the cache, else from the host's union namespace (unless the
    // server is an ESXi host), else from the first node's server with its
    // superclass chain first; empty when not connected or not found. The
    // context's GCTimeout counts above 15000.
    boost::shared_ptr<ICIMClass> GetClass(const std::string& name, TCIMContext context) override;
    void EnumerateRootClasses(TClassCallback callback, TCIMContext context) override;
    void EnumerateProviders(TProviderCallback callback, TCIMContext context) override;
    boost::shared_ptr<ICIMQualifierDecl> AllocateQualifierDecl(const std::string& name,
                                                               const TCIMValue& defaultValue,
                                                               ICIMQualifierDecl::EScope scope,
                                                               ICIMQualifierDecl::EFlavor flavor,
                                                               TCIMContext context) override;
    boost::shared_ptr<ICIMQualifierDecl> GetQualifierDecl(const std::string& name,
                                                          TCIMContext context) const override;
    void EnumerateQualifierDecls(TQualifierDeclCallback callback, TCIMContext context) const override;
    void Subscribe(const std::string& query, TInstanceCallback callback, TCIMContext context) override;
    boost::shared_ptr<ICIMInstance> GetInstance(const TCIMReference& reference,
                                                TCIMContext context) const override;
    void DeleteInstance(const TCIMReference& reference, TCIMContext context) override;
    void ModifyInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context) override;
    void ExecuteQuery(const std::string& query, TInstanceCallback callback, TCIMContext context) override;
    void ClearInstances() override;
    ICIMNamespace& operator=(const ICIMNamespace& other) override;

    // The namespace given through SetUpcallNamespace while it lives; else empty.
    boost::shared_ptr<ICIMNamespace> GetUpcallNamespace();
    // The class the host's union namespace (under the upcall namespace)
    // holds under the name; a class of this namespace, which the union may
    // stand over, counts as none. Throws when there is no union namespace.
    boost::shared_ptr<ICIMClass> FindInUnionNamespace(const std::string& name);

    // Cache a class or a declaration under its normalized name. A name
    // already cached is replaced when the namespace replaces duplicates (a
    // class taking over its predecessor's children), and is refused with
    // status 16 otherwise.
    void AddClass(boost::shared_ptr<TCimHTTPClass> cls);
    void AddQualifierDecl(boost::shared_ptr<TCimHTTPQualifierDecl> declaration);
    // Classes stay cached: does nothing.
    void RemoveClass(boost::shared_ptr<TCimHTTPClass> cls);
    boost::shared_ptr<TCimHTTPClass> GetRootClass() const;

    // One class definition from one node's server, with its qualifiers and
    // without class origins; uninitialised when the fetch failed.
    Pegasus::CIMClass FetchClass(PegClient& client, const std::string& className, int timeout, bool localOnly) const;

    // The key of every table of schema elements: the name in lower case.
    // An empty name stays empty; any other must start with a letter or '_'
    // and go on with letters, digits or '_', else status 25.
    static std::string NormalizeName(const std::string& name);

private:
    typedef std::map<std::string, boost::shared_ptr<TCimHTTPClass>> TClasses;

    void CreatePegasusNamespaceName();
    void ReadESXiVersion();
    boost::shared_ptr<TUnionNamespace> UnionNamespace();
    boost::shared_ptr<TCimHTTPClass> CachedClass(const std::string& key) const;
    bool MayLoad(const std::string& name, const std::string& key);
    boost::shared_ptr<ICIMClass> CopyFromUnionNamespace(const std::string& name, const std::string& key,
                                                        TCIMContext context);
    boost::shared_ptr<ICIMClass> LoadFromServer(const std::string& name, const std::string& key,
                                                TCIMContext context);
    void MarkAsPlugins(ICIMClass& cls);
    void AddNodeID(TCimHTTPClass& cls);
    boost::shared_ptr<TCimHTTPQualifierDecl> PluginDeclaration(const std::string& name) const;

    std::unique_ptr<Pegasus::CIMNamespaceName> fPegNSP;
    TCimHTTPNodeTable fNodes;
    std::map<std::string, boost::shared_ptr<TCimHTTPQualifierDecl>> fQualifierDecls;
    TClasses fClasses;
    boost::shared_ptr<TCimHTTPClass> fRootClass;
    bool fReplaceDuplicates;
    boost::weak_ptr<ICIMNamespace> fUpcallNamespace;
    bool fConnected;
    std::string fPluginName;
    std::string fCimHTTPNamespaceName;
    bool fIsServeESXi5;
    bool fIsServeESXi;
    std::unique_ptr<TCimHTTPLoadChain> fLoading;
};

}  // namespace NVORNQEL20

#endif
