#include "namespace/TCimHTTPNodeTable.h"

#include <Pegasus/Client/CIMClient.h>
#include <Pegasus/Common/Exception.h>

#include <qel/SPLibrary.h>
#include <qel/TQELException.h>

#include "client/Debug.h"
#include "client/PegClient.h"

namespace NVORNQEL20 {

TCimHTTPNodeTable::TCimHTTPNodeTable() : fPort(0) {}

TCimHTTPNodeTable::~TCimHTTPNodeTable() = default;

void TCimHTTPNodeTable::Append(int node)
{
    fNodes.push_back(TNode{std::to_string(SPLibrary::GetBMCMapping(node) + 1), std::make_unique<PegClient>()});
}

bool TCimHTTPNodeTable::IsNode(int node) const
{
    return node >= 0 && node < NodeCount();
}

int TCimHTTPNodeTable::NodeCount() const
{
    return static_cast<int>(fNodes.size());
}

void TCimHTTPNodeTable::AddFirstNode()
{
    if (!fNodes.empty())
        return;
    try {
        Append(0);
    } catch (const Pegasus::Exception& e) {
        Trace("TCimHTTPNamespace:Pegasus Client Creation Fail: " + MessageOf(e));
        throw TQELException(TQELStatusCode::eConnectionSetupFailed);
    }
}

PegClient* TCimHTTPNodeTable::FirstClient() const
{
    return fNodes.empty() ? nullptr : fNodes.front().fClient.get();
}

TCimHTTPNodeTable::TNodeClientsList TCimHTTPNodeTable::Clients() const
{
    TNodeClientsList clients;
    for (const TNode& node : fNodes)
        clients.push_back(TNodeClients{{node.fKey, node.fClient.get()}});
    return clients;
}

void TCimHTTPNodeTable::Connect(int node, const std::string& host, const std::string& user,
                                const std::string& password)
{
    Trace("Entering TCimHTTPNamespace::connect - Connect to cimom via http or https");
    if (!fNodes.empty() && node >= NodeCount())
        Append(node);
    if (!IsNode(node))
        return;
    try {
        fNodes[node].fClient->Connect(host, user, password);
    } catch (const Pegasus::Exception& e) {
        Trace("TCimHTTPNamespace::connect - Connect to cimom via http or https failed, error:" + MessageOf(e));
    }
}

void TCimHTTPNodeTable::ConnectViaHttps(int node, const std::string& host, const std::string& user,
                                        const std::string& password, int port)
{
    Trace("Entering TCimHTTPNamespace::ConnectViaHttps - With Node Num");
    if (IsNode(node))
        fNodes[node].fClient->HTTPSConnect(host, user, password, port);
    Trace("Exiting TCimHTTPNamespace::ConnectViaHttps - With Node Num");
}

void TCimHTTPNodeTable::ConnectViaHttp(int node, const std::string& host, const std::string& user,
                                       const std::string& password, int port)
{
    Trace("Entering TCimHTTPNamespace::ConnectViaHttp -With Node Num");
    if (IsNode(node))
        fNodes[node].fClient->HTTPConnect(host, user, password, port);
    Trace("Exiting TCimHTTPNamespace::ConnectViaHttp -With Node Num");
}

void TCimHTTPNodeTable::Disconnect()
{
    if (fNodes.empty())
        return;
    fNodes.front().fClient->Disconnect();
    // A client disconnects itself when it is destroyed.
    fNodes.erase(fNodes.begin() + 1, fNodes.end());
}

void TCimHTTPNodeTable::Release()
{
    fNodes.clear();
    fHosts.clear();
    fUsers.clear();
    fPasswords.clear();
}

void TCimHTTPNodeTable::SetTimeout(unsigned int milliseconds)
{
    for (const TNode& node : fNodes)
        node.fClient->GetPegclient()->setTimeout(milliseconds);
}

void TCimHTTPNodeTable::SaveAuthInfo(const std::string& host, const std::string& user, const std::string& password,
                                     int port)
{
    fHosts.assign(1, host);
    fUsers.assign(1, user);
    fPasswords.assign(1, password);
    fPort = port;
}

void TCimHTTPNodeTable::SaveAuthInfo(const std::vector<std::string>& hosts, const std::vector<std::string>& users,
                                     const std::vector<std::string>& passwords)
{
    fHosts = hosts;
    fUsers = users;
    fPasswords = passwords;
}

}  // namespace NVORNQEL20
