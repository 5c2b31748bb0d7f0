#ifndef QEL_IPROVIDER_H
#define QEL_IPROVIDER_H

#include <string>

#include <qel/TCIMContext.h>

namespace NVORNQEL20 {

// Anything that supplies content to the host, known by its name.
class IProvider {
public:
    virtual ~IProvider() = default;
    virtual const std::string& GetName(TCIMContext context) const = 0;
};

}  // namespace NVORNQEL20

#endif
