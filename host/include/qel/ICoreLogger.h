#ifndef QEL_ICORELOGGER_H
#define QEL_ICORELOGGER_H

#include <string>

namespace NVORNQEL20 {

// The host's diagnostics sink: one call is one message at a numeric level
// (0 errors, 1 unavailable services, 3 traces).
class ICoreLogger {
public:
    virtual ~ICoreLogger() = default;
    virtual void Log(int level, const std::string& message) = 0;
};

}  // namespace NVORNQEL20

#endif
