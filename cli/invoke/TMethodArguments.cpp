#include "invoke/TMethodArguments.h"

#include <qel/TQELException.h>

#include "output/TypedValue.h"
#include "program/TCliError.h"
#include "schema/ClassLineage.h"

namespace NCimHTTPCli {

using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;

}  // namespace

boost::shared_ptr<ICIMMethodDecl> TMethodArguments::FindMethod(const boost::shared_ptr<ICIMClass>& cls,
                                                               const std::string& name) {
    for (const boost::shared_ptr<ICIMClass>& ancestor : ClassLineage(cls)) {
        if (boost::shared_ptr<ICIMMethodDecl> method = ancestor->GetMethodDecl(name, kNoContext)) {
            return method;
        }
    }
    throw TCliError(eExitNotFound, "class " + cls->GetName(kNoContext) + " has no method " + name);
}

TCIMContext TMethodArguments::Inputs(const ICIMMethodDecl& method, const std::vector<std::string>& arguments) {
    TCIMContext inputs;
    for (const std::string& argument : arguments) {
        const std::pair<std::string, std::string> nameAndValue = Split(argument);
        boost::shared_ptr<ICIMParameterDecl> parameter = Parameter(method, nameAndValue.first);
        const std::string& name = parameter->GetName(kNoContext);
        if (inputs.count(name)) {
            throw TCliError(eExitBadParameter, "parameter " + name + " given twice");
        }
        inputs[name] = TypedValue(parameter->GetType(kNoContext), nameAndValue.second, name);
    }
    return inputs;
}

std::pair<std::string, std::string> TMethodArguments::Split(const std::string& argument) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos || equals == 0) {
        throw TCliError(eExitBadParameter, "'" + argument + "' is not NAME=VALUE");
    }
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

// Method declarations answer a parameter they lack with status 15.
boost::shared_ptr<ICIMParameterDecl> TMethodArguments::Parameter(const ICIMMethodDecl& method,
                                                                 const std::string& name) {
    boost::shared_ptr<ICIMParameterDecl> parameter;
    try {
        parameter = method.GetParameterDecl(name, kNoContext);
    } catch (const TQELException&) {
    }
    if (!parameter) {
        throw TCliError(eExitBadParameter, method.GetName(kNoContext) + " has no parameter " + name +
                                               " (its parameters: " + ParameterNames(method) + ")");
    }
    return parameter;
}

std::string TMethodArguments::ParameterNames(const ICIMMethodDecl& method) {
    std::string names;
    ICIMMethodDecl::TParameterDeclCallback collect = [&names](boost::shared_ptr<ICIMParameterDecl> parameter) {
        names += (names.empty() ? "" : ", ") + parameter->GetName(kNoContext);
        return true;
    };
    method.EnumerateParameterDecls(collect, kNoContext);
    return names.empty() ? "none" : names;
}

}  // namespace NCimHTTPCli
