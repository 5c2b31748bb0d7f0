#ifndef CIMHTTP_CLI_INVOKE_TMETHODCALL_H
#define CIMHTTP_CLI_INVOKE_TMETHODCALL_H

#include <string>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/TCIMContext.h>
#include <qel/TCIMReference.h>
#include <qel/TCIMValue.h>

namespace NCimHTTPCli {

// What a method call gave back.
struct TMethodResult {
    NVORNQEL20::TCIMValue fReturnValue;
    NVORNQEL20::TCIMContext fOutputs;
};

// One call of a method on an object (an instance path, or a class path for
// a method called on the class) through the plug-in's class, which runs it
// on the first node's server.
class TMethodCall {
public:
    TMethodCall(boost::shared_ptr<NVORNQEL20::ICIMClass> cls, const NVORNQEL20::TCIMReference& path,
                const std::string& method, const NVORNQEL20::TCIMContext& inputs);

    // The plug-in reports a failed call only in its log (the call itself
    // gives the conversion of a null value): the caller reads it there.
    // Throws TCliError for a path the client library cannot read or an
    // input the plug-in cannot convert.
    TMethodResult Run(const NVORNQEL20::TCIMContext& callContext) const;

private:
    boost::shared_ptr<NVORNQEL20::ICIMClass> fClass;
    NVORNQEL20::TCIMReference fPath;
    std::string fMethod;
    NVORNQEL20::TCIMContext fInputs;
};

}  // namespace NCimHTTPCli

#endif
