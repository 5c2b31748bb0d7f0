#ifndef Pegasus_RequestEncoder_h
#define Pegasus_RequestEncoder_h

#include "XmlWriter.h"
#include <Pegasus/Common/Array.h>
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/CIMParamValue.h>
#include <Pegasus/Common/CIMPropertyList.h>
#include <Pegasus/Common/String.h>
#include <string>

PEGASUS_NAMESPACE_BEGIN

// A CIM-XML request: the values of the CIMMethod and CIMObject headers
// (CIMObject percent-encoded) and the XML body.
struct EncodedRequest
{
    std::string cimMethod;
    std::string cimObject;
    std::string body;
};

// Writes requests as DMTF DSP0200/DSP0201 define them. An intrinsic call
// collects its IPARAMVALUEs one by one; parameters equal to their DSP0200
// default are left out, as the standard allows.
class RequestEncoder
{
public:
    RequestEncoder(const char* methodName, const CIMNamespaceName& nameSpace);

    // Each is left out when the name (or string) is null or empty.
    RequestEncoder& className(const char* parameter, const CIMName& name);
    RequestEncoder& string(const char* parameter, const String& value);
    RequestEncoder& flag(const char* parameter, Boolean value, Boolean defaultValue);
    RequestEncoder& propertyList(const CIMPropertyList& properties);
    RequestEncoder& instanceName(const char* parameter, const CIMObjectPath& path);
    // An INSTANCENAME when the path has keys, otherwise a CLASSNAME.
    RequestEncoder& objectName(const char* parameter, const CIMObjectPath& path);

    EncodedRequest encode(Uint32 messageId) const;

    // An extrinsic method call on an instance (path with keys) or a class.
    static EncodedRequest methodCall(Uint32 messageId,
                                     const CIMNamespaceName& nameSpace,
                                     const CIMObjectPath& objectPath,
                                     const CIMName& methodName,
                                     const Array<CIMParamValue>& parameters);

private:
    XmlWriter& parameterStart(const char* parameter);

    std::string _methodName;
    CIMNamespaceName _nameSpace;
    XmlWriter _parameters;
};

PEGASUS_NAMESPACE_END

#endif
