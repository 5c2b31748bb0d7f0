#ifndef CIMHTTP_CLIENT_DEBUG_H
#define CIMHTTP_CLIENT_DEBUG_H

#include <string>

namespace Pegasus {
class Exception;
}

namespace NVORNQEL20 {

// The levels the plug-in writes to the host's core logger at.
enum ELogLevel {
    // Rejected schema changes, type errors, invalid names, a missing context value.
    eLogError = 0,
    // An unavailable service-processor library.
    eLogWarning = 1,
    // Entry and exit of the connection operations, progress, recoverable failures.
    eLogTrace = 3
};

// Hands one message to the host's core logger, unchanged.
void WriteLog(int level, const std::string& message);

// The text of a client-library exception, as the log lines quote it.
std::string MessageOf(const Pegasus::Exception& e);

// One message at the trace level, unchanged.
void Trace(const std::string& message);

// Formats a message printf-style and hands it to the host's core logger at
// the trace level, unchanged: no prefix, no time stamp, no line end. At most
// 4095 characters survive.
void Debug(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace NVORNQEL20

#endif
