#include "instance/TCimHTTPInstance.h"

#include <boost/pointer_cast.hpp>

#include <qel/TQELException.h>

#include "class/TCimHTTPClass.h"

namespace NVORNQEL20 {

namespace {

// The host's instance lists every property its class and superclasses declare.
const int kAllDeclaredProperties = 1;

}  // namespace

TCimHTTPInstance::TCimHTTPInstance(boost::shared_ptr<ICIMClass> cls, TCIMContext)
    : TInmemInstance(cls, kAllDeclaredProperties)
{
}

TCimHTTPInstance::~TCimHTTPInstance() = default;

void TCimHTTPInstance::AddToNamespace(TCIMContext context)
{
    boost::shared_ptr<TCimHTTPClass> cls = boost::dynamic_pointer_cast<TCimHTTPClass>(GetClass(TCIMContext()));
    if (!cls)
        throw TQELException(TQELStatusCode::eNotFound, "the class of the instance is gone or not a remote class");
    boost::shared_ptr<TCimHTTPInstance> self = boost::static_pointer_cast<TCimHTTPInstance>(shared_from_this());
    Validate(context);
    cls->AddInstance(self, TCIMContext());
}

}  // namespace NVORNQEL20
