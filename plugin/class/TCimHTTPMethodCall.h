#ifndef CIMHTTP_CLASS_TCIMHTTPMETHODCALL_H
#define CIMHTTP_CLASS_TCIMHTTPMETHODCALL_H

#include <string>

#include <boost/shared_ptr.hpp>

#include <Pegasus/Common/Array.h>
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/CIMParamValue.h>

#include <qel/ICIMClass.h>
#include <qel/TCIMContext.h>
#include <qel/TCIMReference.h>
#include <qel/TCIMValue.h>

namespace NVORNQEL20 {

class PegClient;

// One extrinsic method call on an object: the request in the client
// library's terms, and its answer in the host's.
class TCimHTTPMethodCall {
public:
    // The object is named by its path text. A namespace name or path text
    // the client library cannot read throws the client library's exception;
    // an input it cannot take throws what the conversion throws. Inputs go
    // in the context's order, ascending by name, each with its type.
    TCimHTTPMethodCall(const std::string& nameSpace, const TCIMReference& object, const std::string& methodName,
                       const TCIMContext& inParameters);

    // Calls the method through the client and converts the return value and
    // the outputs on behalf of `owner`, each by its own type. The outputs
    // join outParameters only once all of them converted, and never replace
    // an entry of the same name.
    TCIMValue Run(PegClient& client, int timeout, const boost::shared_ptr<ICIMClass>& owner,
                  TCIMContext& outParameters) const;

private:
    Pegasus::CIMNamespaceName fNamespace;
    Pegasus::CIMObjectPath fObjectPath;
    std::string fMethodName;
    Pegasus::Array<Pegasus::CIMParamValue> fInParameters;
};

}  // namespace NVORNQEL20

#endif
