#include "testcimom/CimomCluster.h"

#include <boost/asio/ip/address_v4.hpp>

#include <stdexcept>

namespace testcimom {

std::string CimomCluster::offsetAddress(const std::string& base, int offset)
{
    boost::system::error_code ec;
    boost::asio::ip::address_v4 address = boost::asio::ip::make_address_v4(base, ec);
    if (ec)
        throw std::invalid_argument("not an IPv4 address: " + base);
    return boost::asio::ip::address_v4(address.to_uint() + static_cast<unsigned>(offset)).to_string();
}

CimomCluster::CimomCluster(ClusterOptions options)
{
    for (int index = 0; index < options.nodeCount; ++index) {
        ServerOptions server = options.server;
        server.address = offsetAddress(options.baseAddress, index);
        if (options.perNodeValues && options.nodeCount > 1)
            server.dataSet.nodeNumber = index + 1;
        nodes_.push_back(std::make_unique<CimServer>(server));
    }
    for (auto& node : nodes_)
        node->start();
}

CimomCluster::~CimomCluster()
{
    stop();
}

void CimomCluster::stop()
{
    for (auto& node : nodes_)
        node->stop();
}

std::vector<std::string> CimomCluster::addresses() const
{
    std::vector<std::string> addresses;
    for (const auto& node : nodes_)
        addresses.push_back(node->address());
    return addresses;
}

void CimomCluster::resetCounters()
{
    for (auto& node : nodes_)
        node->counters().reset();
}

void CimomCluster::clearFaults()
{
    for (auto& node : nodes_)
        node->faults().clear();
}

}  // namespace testcimom
