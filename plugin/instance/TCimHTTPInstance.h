#ifndef CIMHTTP_INSTANCE_TCIMHTTPINSTANCE_H
#define CIMHTTP_INSTANCE_TCIMHTTPINSTANCE_H

#include <boost/shared_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/TInmemInstance.h>

namespace NVORNQEL20 {

// One instance read from a remote server. The host's in-memory instance
// keeps its property values, bound to the declarations of its class and
// its superclasses; what this class adds is that an instance added to the
// namespace is filed with its TCimHTTPClass, which holds the instances of
// the last enumeration. Made only by TCimHTTPClass::AllocateInstance,
// inside a shared pointer.
class TCimHTTPInstance : public TInmemInstance {
public:
    // Every declared property is listed, set or not. The context is not used.
    TCimHTTPInstance(boost::shared_ptr<ICIMClass> cls, TCIMContext context);
    ~TCimHTTPInstance() override;

    // Validates the instance and files it with its class. An instance not
    // held by a shared pointer throws boost::bad_weak_ptr; one whose class is
    // gone, or of another provider, throws TQELException. Nothing is filed
    // then, nor when Validate throws.
    void AddToNamespace(TCIMContext context) override;
};

}  // namespace NVORNQEL20

#endif
