#ifndef CIMHTTP_NAMESPACE_TCIMHTTPNODETABLE_H
#define CIMHTTP_NAMESPACE_TCIMHTTPNODETABLE_H

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace NVORNQEL20 {

class PegClient;

// The nodes of a remote namespace, in node order: each node's client under
// its node key (the node's controller index plus 1), and the authentication
// data the namespace was last given. The table owns the clients and hands
// them out as plain pointers, valid while their node is in the table.
class TCimHTTPNodeTable {
public:
    // One map per node, holding one entry: node key to that node's client.
    typedef std::map<std::string, PegClient*> TNodeClients;
    typedef std::vector<TNodeClients> TNodeClientsList;

    TCimHTTPNodeTable();
    ~TCimHTTPNodeTable();
    TCimHTTPNodeTable(const TCimHTTPNodeTable&) = delete;
    TCimHTTPNodeTable& operator=(const TCimHTTPNodeTable&) = delete;

    // Creates the first node and its client unless the table has one.
    void AddFirstNode();
    // The first node's client; null before AddFirstNode.
    PegClient* FirstClient() const;
    TNodeClientsList Clients() const;

    // HTTPS on 5989, then HTTP on 5988. A node number beyond a table that
    // has its first node appends one node, whatever the gap.
    void Connect(int node, const std::string& host, const std::string& user, const std::string& password);
    // Nothing for a node number outside the table.
    void ConnectViaHttps(int node, const std::string& host, const std::string& user, const std::string& password,
                         int port);
    void ConnectViaHttp(int node, const std::string& host, const std::string& user, const std::string& password,
                        int port);
    // Disconnects the first node and releases every other node.
    void Disconnect();
    // Releases every node with its client and forgets the authentication data.
    void Release();
    void SetTimeout(unsigned int milliseconds);

    void SaveAuthInfo(const std::string& host, const std::string& user, const std::string& password, int port);
    // The port stays as it was.
    void SaveAuthInfo(const std::vector<std::string>& hosts, const std::vector<std::string>& users,
                      const std::vector<std::string>& passwords);

private:
    struct TNode {
        std::string fKey;
        std::unique_ptr<PegClient> fClient;
    };

    void Append(int node);
    bool IsNode(int node) const;
    int NodeCount() const;

    std::vector<TNode> fNodes;
    std::vector<std::string> fHosts;
    std::vector<std::string> fUsers;
    std::vector<std::string> fPasswords;
    int fPort;
};

}  // namespace NVORNQEL20

#endif
