#ifndef QEL_TCIMCOPY_H
#define QEL_TCIMCOPY_H

#include <boost/shared_ptr.hpp>

namespace NVORNQEL20 {
class ICIMClass;
class ICIMNamespace;
}  // namespace NVORNQEL20

// Copies classes between namespaces of any kind, through the host interfaces only.
class TCIMCopy {
public:
    // Copies the class into the namespace and returns the new class: its
    // qualifiers (declaring them in the namespace where it lacks them),
    // property declarations with qualifiers and default values, and method
    // declarations with their parameters; then the class is added to the
    // namespace. A superclass the namespace lacks is copied first. Failures
    // of the target namespace (a class already there, ...) pass through.
    static boost::shared_ptr<NVORNQEL20::ICIMClass> CopyClass(boost::shared_ptr<NVORNQEL20::ICIMClass> source,
                                                              boost::shared_ptr<NVORNQEL20::ICIMNamespace> target);
};

#endif
