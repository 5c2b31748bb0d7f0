#include "testcimom/RequestCounters.h"

#include "testcimom/CimModel.h"

namespace testcimom {

namespace {

std::size_t countOf(const std::map<std::string, std::size_t>& counts, const std::string& operation)
{
    auto it = counts.find(lowerName(operation));
    return it == counts.end() ? 0 : it->second;
}

std::size_t sumOf(const std::map<std::string, std::size_t>& counts)
{
    std::size_t total = 0;
    for (const auto& entry : counts)
        total += entry.second;
    return total;
}

}  // namespace

void RequestCounters::countRequest(const std::string& operation)
{
    std::lock_guard<std::mutex> lock(mutex_);
    ++requests_[lowerName(operation)];
}

void RequestCounters::countResponse(const std::string& operation, std::size_t bytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    responseBytes_[lowerName(operation)] += bytes;
}

void RequestCounters::countConnection()
{
    std::lock_guard<std::mutex> lock(mutex_);
    ++connections_;
}

void RequestCounters::reset()
{
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.clear();
    responseBytes_.clear();
    connections_ = 0;
}

std::size_t RequestCounters::requests(const std::string& operation) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return countOf(requests_, operation);
}

std::size_t RequestCounters::totalRequests() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return sumOf(requests_);
}

std::size_t RequestCounters::responseBytes(const std::string& operation) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return countOf(responseBytes_, operation);
}

std::size_t RequestCounters::totalResponseBytes() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return sumOf(responseBytes_);
}

std::size_t RequestCounters::connections() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return connections_;
}

}  // namespace testcimom
