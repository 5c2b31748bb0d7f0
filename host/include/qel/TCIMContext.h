#ifndef QEL_TCIMCONTEXT_H
#define QEL_TCIMCONTEXT_H

#include <map>
#include <string>

#include <qel/TCIMValue.h>

namespace NVORNQEL20 {

// Named values handed along with every host-interface call (settings such as
// time-outs) and used as parameter sets and key bindings.
typedef std::map<std::string, TCIMValue> TCIMContext;

}  // namespace NVORNQEL20

#endif
