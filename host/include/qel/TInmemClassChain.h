#ifndef QEL_TINMEMCLASSCHAIN_H
#define QEL_TINMEMCLASSCHAIN_H

#include <boost/shared_ptr.hpp>

#include <qel/ICIMClass.h>

namespace NVORNQEL20 {

// The subclass test the host's property values use for references: a class
// is a subclass of the classes up its superclass chain (GetSuperClass, the
// walk an in-memory instance makes for its declarations, remembered per
// class), itself included. Providers whose classes point their parents at a
// root class rather than at their superclass answer IsSubclassOf by those
// parents; this test does not depend on it.
class TInmemClassChain {
public:
    // True when ancestor is cimClass or a class on its superclass chain, the
    // same object or one of the same name without regard to letter case.
    // cimClass must not be empty.
    static bool IsSubclass(const boost::shared_ptr<ICIMClass>& cimClass, const ICIMClass& ancestor);
};

}  // namespace NVORNQEL20

#endif
