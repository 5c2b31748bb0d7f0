#include "class/TCimHTTPMethodCall.h"

#include <utility>
#include <vector>

#include <Pegasus/Common/CIMValue.h>
#include <Pegasus/Common/String.h>

#include "client/PegClient.h"
#include "convert/ValueConversion.h"

namespace NVORNQEL20 {

namespace {

Pegasus::Array<Pegasus::CIMParamValue> ClientParameters(const TCIMContext& parameters)
{
    Pegasus::Array<Pegasus::CIMParamValue> converted;
    converted.reserveCapacity(static_cast<Pegasus::Uint32>(parameters.size()));
    for (const auto& parameter : parameters) {
        Pegasus::CIMValue value;
        qelValToPeg(parameter.second, value);
        converted.append(Pegasus::CIMParamValue(Pegasus::String(parameter.first), value, true));
    }
    return converted;
}

TCIMValue HostValue(const Pegasus::CIMValue& value, const boost::shared_ptr<ICIMClass>& owner)
{
    TCIMValue converted;
    pegValToQEL(std::string(), value, value.getType(), value.isArray(), converted, owner);
    return converted;
}

}  // namespace

TCimHTTPMethodCall::TCimHTTPMethodCall(const std::string& nameSpace, const TCIMReference& object,
                                       const std::string& methodName, const TCIMContext& inParameters)
    : fNamespace(Pegasus::String(nameSpace)),
      fObjectPath(Pegasus::String(object.GetPath())),
      fMethodName(methodName),
      fInParameters(ClientParameters(inParameters))
{
}

TCIMValue TCimHTTPMethodCall::Run(PegClient& client, int timeout, const boost::shared_ptr<ICIMClass>& owner,
                                  TCIMContext& outParameters) const
{
    Pegasus::Array<Pegasus::CIMParamValue> outputs;
    const Pegasus::CIMValue returned =
        client.InvokeMethod(std::string(fNamespace.getString().getCString()), fObjectPath, fMethodName,
                            fInParameters, outputs, timeout);
    const TCIMValue result = HostValue(returned, owner);
    std::vector<std::pair<std::string, TCIMValue>> converted;
    converted.reserve(outputs.size());
    for (Pegasus::Uint32 i = 0; i < outputs.size(); ++i)
        converted.emplace_back(std::string(outputs[i].getParameterName().getCString()),
                               HostValue(outputs[i].getValue(), owner));
    // In the server's order: of two outputs of one name, the first stays.
    for (auto& output : converted)
        outParameters.emplace(std::move(output.first), std::move(output.second));
    return result;
}

}  // namespace NVORNQEL20
