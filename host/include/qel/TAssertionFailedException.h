#ifndef QEL_TASSERTIONFAILEDEXCEPTION_H
#define QEL_TASSERTIONFAILEDEXCEPTION_H

#include <stdexcept>
#include <string>

namespace NVORNQEL20 {

// Thrown by the host's boost::assertion_failed handler (for example when an
// empty boost::shared_ptr is dereferenced), so that the caller can recover.
class TAssertionFailedException : public std::logic_error {
public:
    explicit TAssertionFailedException(const std::string& message);
};

}  // namespace NVORNQEL20

#endif
