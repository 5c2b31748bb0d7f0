#pragma once
// How many requests the server received per operation (CIMMethod header,
// "" when it had none), how many bytes it answered them with and how many
// connections it accepted, so tests can see retries and reconnects and
// weigh what a client made of an answer against its size.

#include <cstddef>
#include <map>
#include <mutex>
#include <string>

namespace testcimom {

class RequestCounters {
public:
    void countRequest(const std::string& operation);
    void countResponse(const std::string& operation, std::size_t bytes);
    void countConnection();
    void reset();

    std::size_t requests(const std::string& operation) const;
    std::size_t totalRequests() const;
    // Header and body of the answers as prepared (a fault may send fewer).
    std::size_t responseBytes(const std::string& operation) const;
    std::size_t totalResponseBytes() const;
    std::size_t connections() const;

private:
    mutable std::mutex mutex_;
    std::map<std::string, std::size_t> requests_;  // by lower-case operation
    std::map<std::string, std::size_t> responseBytes_;
    std::size_t connections_ = 0;
};

}  // namespace testcimom
