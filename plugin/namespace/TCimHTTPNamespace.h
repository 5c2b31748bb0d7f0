#ifndef CIMHTTP_NAMESPACE_TCIMHTTPNAMESPACE_H
#define CIMHTTP_NAMESPACE_TCIMHTTPNAMESPACE_H

#include <memory>
#include <string>
#include <vector>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <Pegasus/Common/Array.h>
#include <Pegasus/Common/CIMInstance.h>
#include <Pegasus/Common/CIMName.h>

#include <qel/ICIMNamespace.h>

#include "namespace/TCimHTTPNodeTable.h"

namespace NVORNQEL20 {

class PegClient;
// What the schema cache holds; their headers include this one, so this one
// only declares them.
class TCimHTTPClass;
class TCimHTTPQualifierDecl;

// A namespace whose content lives on a remote CIM server: one server on a
// single-node system, one per node on a multi-node system. This side holds
// the connection to the nodes (through a TCimHTTPNodeTable) and the ESXi
// detection; the host side drives the connection operations.
class TCimHTTPNamespace : public ICIMNamespace, public boost::enable_shared_from_this<TCimHTTPNamespace> {
public:
    typedef TCimHTTPNodeTable::TNodeClients TNodeClients;
    typedef TCimHTTPNodeTable::TNodeClientsList TNodeTable;

    TCimHTTPNamespace(bool replaceDuplicates, std::string name);
    ~TCimHTTPNamespace() override;

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
    boost::shared_ptr<ICIMClass> AllocateClass(const std::string& name, boost::shared_ptr<ICIMClass> parent,
                                               TCIMContext context) override;
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

    // Caches a declaration under its normalized name. A name already cached
    // is replaced when the namespace replaces duplicates, and is refused
    // with status 16 otherwise.
    void AddQualifierDecl(boost::shared_ptr<TCimHTTPQualifierDecl> declaration);

    // The key of every table of schema elements: the name in lower case.
    // An empty name stays empty; any other must start with a letter or '_'
    // and go on with letters, digits or '_', else status 25.
    static std::string NormalizeName(const std::string& name);

private:
    void CreatePegasusNamespaceName();
    void ReadESXiVersion();

    std::unique_ptr<Pegasus::CIMNamespaceName> fPegNSP;
    TCimHTTPNodeTable fNodes;
    bool fReplaceDuplicates;
    boost::weak_ptr<ICIMNamespace> fUpcallNamespace;
    bool fConnected;
    std::string fCimHTTPNamespaceName;
    bool fIsServeESXi5;
    bool fIsServeESXi;
    std::map<std::string, boost::shared_ptr<TCimHTTPQualifierDecl>> fQualifierDecls;
};

}  // namespace NVORNQEL20

#endif
