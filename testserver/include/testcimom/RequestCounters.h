#pragma once
// How many requests the server received per operation (CIMMethod header,
// "" when it had none) and how many connections it accepted, so tests can
// see retries and reconnects.

#include <cstddef>
#include <map>
#include <mutex>
#include <string>

namespace testcimom {

class RequestCounters {
public:
    void countRequest(const std::string& operation);
    void countConnection();
    void reset();

    std::size_t requests(const std::string& operation) const;
    std::size_t totalRequests() const;
    std::size_t connections() const;

private:
    mutable std::mutex mutex_;
    std::map<std::string, std::size_t> requests_;  // by lower-case operation
    std::size_t connections_ = 0;
};

}  // namespace testcimom
