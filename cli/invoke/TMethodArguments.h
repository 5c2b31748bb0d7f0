#ifndef CIMHTTP_CLI_INVOKE_TMETHODARGUMENTS_H
#define CIMHTTP_CLI_INVOKE_TMETHODARGUMENTS_H

#include <string>
#include <utility>
#include <vector>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMMethodDecl.h>
#include <qel/ICIMParameterDecl.h>
#include <qel/TCIMContext.h>

namespace NCimHTTPCli {

// The NAME=VALUE arguments of invoke as the method's input parameters, each
// value typed from the parameter's declaration.
class TMethodArguments {
public:
    // The method as the class or its nearest superclass declares it; throws
    // TCliError (not found) when none does.
    static boost::shared_ptr<NVORNQEL20::ICIMMethodDecl> FindMethod(const boost::shared_ptr<NVORNQEL20::ICIMClass>& cls,
                                                                    const std::string& name);
    // Under the declared names. Throws TCliError (bad parameter value) for an
    // argument without "=", a parameter the method does not have, one given
    // twice, or a value that is not one of the parameter's type.
    static NVORNQEL20::TCIMContext Inputs(const NVORNQEL20::ICIMMethodDecl& method,
                                          const std::vector<std::string>& arguments);

private:
    static std::pair<std::string, std::string> Split(const std::string& argument);
    static boost::shared_ptr<NVORNQEL20::ICIMParameterDecl> Parameter(const NVORNQEL20::ICIMMethodDecl& method,
                                                                      const std::string& name);
    static std::string ParameterNames(const NVORNQEL20::ICIMMethodDecl& method);
};

}  // namespace NCimHTTPCli

#endif
