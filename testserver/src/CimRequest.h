#pragma once
// One CIM operation request as decoded from a CIM-XML message.

#include "testcimom/CimModel.h"
#include "testcimom/RequestLog.h"

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace testcimom {

struct IParamValue {
    std::string name;
    std::optional<Value> value;  // VALUE or VALUE.ARRAY as strings
    std::optional<ObjectPath> path;  // CLASSNAME or INSTANCENAME
};

struct CimRequest {
    std::string messageId;
    std::string protocolVersion;
    bool intrinsic = true;
    std::string methodName;
    std::string nameSpace;
    std::vector<IParamValue> iparams;  // intrinsic call
    ObjectPath target;                 // extrinsic call: class or instance path
    std::vector<ParamValue> params;    // extrinsic call

    const IParamValue* iparam(const std::string& name) const;
    // The class a request is about, for fault matching: ClassName, the
    // instance name's class or the method target's class.
    std::string className() const;
    // The request as the request log keeps it.
    LoggedRequest logged() const;
};

// A CIM or DTD version other than 2.x; what names the CIMError header value.
class UnsupportedVersion : public std::runtime_error {
public:
    UnsupportedVersion(std::string cimError, const std::string& detail)
        : std::runtime_error(detail), cimError_(std::move(cimError)) {}
    const std::string& cimError() const { return cimError_; }

private:
    std::string cimError_;
};

class RequestDecoder {
public:
    // Throws XmlSyntaxError, UnsupportedVersion or XmlStructureError.
    static CimRequest decode(const std::string& body);
};

}  // namespace testcimom
