#ifndef CIMHTTP_CLIENT_DEBUG_H
#define CIMHTTP_CLIENT_DEBUG_H

#include <string>

namespace NVORNQEL20 {

// Hands one message to the host's core logger, unchanged.
void WriteLog(int level, const std::string& message);

// Formats a message printf-style and hands it to the host's core logger at
// level 3, unchanged: no prefix, no time stamp, no line end. At most 4095
// characters survive.
void Debug(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace NVORNQEL20

#endif
