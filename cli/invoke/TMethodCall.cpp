#include "invoke/TMethodCall.h"

#include "program/TCliError.h"

namespace NCimHTTPCli {

TMethodCall::TMethodCall(boost::shared_ptr<NVORNQEL20::ICIMClass> cls, const NVORNQEL20::TCIMReference& path,
                         const std::string& method, const NVORNQEL20::TCIMContext& inputs)
    : fClass(cls), fPath(path), fMethod(method), fInputs(inputs) {}

// The plug-in's classes invoke a method on an object through
// TCimHTTPClass::InvokeMethod (reference, method, inputs, outputs), an
// operation of their own beyond ICIMClass; the plug-in's public headers do
// not declare it yet, so this program cannot make the call.
TMethodResult TMethodCall::Run() const {
    throw TCliError(eExitFailure, "calling " + fMethod + " on " + fPath.GetPath() +
                                      ": this libcimhttp.nsp.so offers no method call on objects to its host");
}

}  // namespace NCimHTTPCli
