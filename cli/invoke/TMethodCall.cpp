#include "invoke/TMethodCall.h"

#include <boost/pointer_cast.hpp>

#include <Pegasus/Common/Exception.h>

#include <qel/TQELException.h>

#include "class/TCimHTTPClass.h"
#include "program/TCliError.h"
#include "session/TPluginSession.h"

namespace NCimHTTPCli {

using namespace NVORNQEL20;

TMethodCall::TMethodCall(boost::shared_ptr<ICIMClass> cls, const TCIMReference& path, const std::string& method,
                         const TCIMContext& inputs)
    : fClass(cls), fPath(path), fMethod(method), fInputs(inputs) {}

// Calling a method on an object is an operation of the plug-in's classes
// beyond ICIMClass. The client library refuses a path it cannot read before
// anything is sent; the conversion refuses an input it cannot carry.
TMethodResult TMethodCall::Run(const TCIMContext& callContext) const {
    boost::shared_ptr<TCimHTTPClass> remote = boost::dynamic_pointer_cast<TCimHTTPClass>(fClass);
    if (!remote) {
        throw TCliError(eExitFailure, fPath.GetClassName() + " is no class of the cimhttp provider");
    }
    TMethodResult result;
    try {
        result.fReturnValue = remote->InvokeMethod(fPath, fMethod, fInputs, result.fOutputs, callContext);
    } catch (const Pegasus::Exception& e) {
        throw TCliError(eExitInvalidName, "'" + fPath.GetPath() + "' is no object path the client library takes: " +
                                              std::string(e.getMessage().getCString()));
    } catch (const TQELException& e) {
        throw TPluginSession::ErrorOf(e);
    }
    return result;
}

}  // namespace NCimHTTPCli
