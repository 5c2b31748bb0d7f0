#include <Pegasus/Client/CIMClient.h>

#include "ClientConnection.h"
#include "RequestEncoder.h"

PEGASUS_NAMESPACE_BEGIN

namespace
{
// Results of any kind other than the one the operation returns mean the
// server answered something else.
void expectOnly(const DecodedResponse& r, Uint32 expectedKindCount, const char* what)
{
    if (r.resultCount() != expectedKindCount)
        throw CIMClientResponseException(String(std::string("response holds results other than ") + what));
}

Clock::time_point deadlineAfter(Uint32 milliseconds)
{
    return Clock::now() + std::chrono::milliseconds(milliseconds);
}

// Sends the request and returns the results of the one kind it asks for.
template <class T>
Array<T> resultsOf(ClientConnection& connection,
                   Clock::time_point deadline,
                   const RequestEncoder& request,
                   Array<T> DecodedResponse::*kind,
                   const char* what)
{
    DecodedResponse r = connection.call(request.encode(connection.nextMessageId()), deadline);
    expectOnly(r, (r.*kind).size(), what);
    return std::move(r.*kind);
}

template <class T>
const T& single(const Array<T>& results, const char* what)
{
    if (results.size() != 1)
        throw CIMClientResponseException(String(std::string("response holds ") + std::to_string(results.size())
                                                + " " + what + " instead of one"));
    return results[0];
}
}

CIMClient::CIMClient() : _connection(new ClientConnection(makeAsioHttpTransport()))
{
}

CIMClient::~CIMClient() = default;

Uint32 CIMClient::getTimeout() const { return _timeout; }
void CIMClient::setTimeout(Uint32 timeoutMilliseconds) { _timeout = timeoutMilliseconds; }
Uint32 CIMClient::getConnectTimeout() const { return _connection->connectTimeout(); }
void CIMClient::setConnectTimeout(Uint32 timeoutMilliseconds) { _connection->setConnectTimeout(timeoutMilliseconds); }
Uint64 CIMClient::getMaxResponseSize() const { return _connection->maxResponseBytes(); }
void CIMClient::setMaxResponseSize(Uint64 bytes) { _connection->setMaxResponseBytes(bytes); }
void CIMClient::setProgressCallback(ProgressCallback callback) { _connection->setProgressCallback(std::move(callback)); }

void CIMClient::connect(const String& host, Uint32 portNumber, const String& userName, const String& password)
{
    _connection->connect(host, portNumber, nullptr, userName, password, deadlineAfter(_timeout));
}

void CIMClient::connect(const String& host, Uint32 portNumber, const SSLContext& sslContext,
                        const String& userName, const String& password)
{
    _connection->connect(host, portNumber, &sslContext, userName, password, deadlineAfter(_timeout));
}

void CIMClient::disconnect()
{
    _connection->disconnect();
}

CIMClass CIMClient::getClass(const CIMNamespaceName& nameSpace, const CIMName& className, Boolean localOnly,
                             Boolean includeQualifiers, Boolean includeClassOrigin, const CIMPropertyList& propertyList)
{
    RequestEncoder request("GetClass", nameSpace);
    request.className("ClassName", className)
        .flag("LocalOnly", localOnly, true)
        .flag("IncludeQualifiers", includeQualifiers, true)
        .flag("IncludeClassOrigin", includeClassOrigin, false)
        .propertyList(propertyList);
    const Clock::time_point deadline = deadlineAfter(_timeout);
    return single(resultsOf(*_connection, deadline, request, &DecodedResponse::classes, "classes"), "classes");
}

Array<CIMClass> CIMClient::enumerateClasses(const CIMNamespaceName& nameSpace, const CIMName& className,
                                            Boolean deepInheritance, Boolean localOnly, Boolean includeQualifiers,
                                            Boolean includeClassOrigin)
{
    RequestEncoder request("EnumerateClasses", nameSpace);
    request.className("ClassName", className)
        .flag("DeepInheritance", deepInheritance, false)
        .flag("LocalOnly", localOnly, true)
        .flag("IncludeQualifiers", includeQualifiers, true)
        .flag("IncludeClassOrigin", includeClassOrigin, false);
    return resultsOf(*_connection, deadlineAfter(_timeout), request, &DecodedResponse::classes, "classes");
}

Array<CIMName> CIMClient::enumerateClassNames(const CIMNamespaceName& nameSpace, const CIMName& className,
                                              Boolean deepInheritance)
{
    RequestEncoder request("EnumerateClassNames", nameSpace);
    request.className("ClassName", className).flag("DeepInheritance", deepInheritance, false);
    return resultsOf(*_connection, deadlineAfter(_timeout), request, &DecodedResponse::classNames, "class names");
}

CIMInstance CIMClient::getInstance(const CIMNamespaceName& nameSpace, const CIMObjectPath& instanceName,
                                   Boolean localOnly, Boolean includeQualifiers, Boolean includeClassOrigin,
                                   const CIMPropertyList& propertyList)
{
    RequestEncoder request("GetInstance", nameSpace);
    request.instanceName("InstanceName", instanceName)
        .flag("LocalOnly", localOnly, true)
        .flag("IncludeQualifiers", includeQualifiers, false)
        .flag("IncludeClassOrigin", includeClassOrigin, false)
        .propertyList(propertyList);
    const Clock::time_point deadline = deadlineAfter(_timeout);
    CIMInstance instance =
        single(resultsOf(*_connection, deadline, request, &DecodedResponse::instances, "instances"), "instances");
    instance.setPath(instanceName);
    return instance;
}

Array<CIMInstance> CIMClient::enumerateInstances(const CIMNamespaceName& nameSpace, const CIMName& className,
                                                 Boolean deepInheritance, Boolean localOnly,
                                                 Boolean includeQualifiers, Boolean includeClassOrigin,
                                                 const CIMPropertyList& propertyList)
{
    RequestEncoder request("EnumerateInstances", nameSpace);
    request.className("ClassName", className)
        .flag("DeepInheritance", deepInheritance, true)
        .flag("LocalOnly", localOnly, true)
        .flag("IncludeQualifiers", includeQualifiers, false)
        .flag("IncludeClassOrigin", includeClassOrigin, false)
        .propertyList(propertyList);
    return resultsOf(*_connection, deadlineAfter(_timeout), request, &DecodedResponse::instances, "instances");
}

Array<CIMObjectPath> CIMClient::enumerateInstanceNames(const CIMNamespaceName& nameSpace, const CIMName& className)
{
    RequestEncoder request("EnumerateInstanceNames", nameSpace);
    request.className("ClassName", className);
    return resultsOf(*_connection, deadlineAfter(_timeout), request, &DecodedResponse::paths, "instance names");
}

Array<CIMObject> CIMClient::associators(const CIMNamespaceName& nameSpace, const CIMObjectPath& objectName,
                                        const CIMName& assocClass, const CIMName& resultClass, const String& role,
                                        const String& resultRole, Boolean includeQualifiers,
                                        Boolean includeClassOrigin, const CIMPropertyList& propertyList)
{
    RequestEncoder request("Associators", nameSpace);
    request.objectName("ObjectName", objectName)
        .className("AssocClass", assocClass)
        .className("ResultClass", resultClass)
        .string("Role", role)
        .string("ResultRole", resultRole)
        .flag("IncludeQualifiers", includeQualifiers, false)
        .flag("IncludeClassOrigin", includeClassOrigin, false)
        .propertyList(propertyList);
    return resultsOf(*_connection, deadlineAfter(_timeout), request, &DecodedResponse::objects, "objects");
}

Array<CIMObjectPath> CIMClient::associatorNames(const CIMNamespaceName& nameSpace, const CIMObjectPath& objectName,
                                                const CIMName& assocClass, const CIMName& resultClass,
                                                const String& role, const String& resultRole)
{
    RequestEncoder request("AssociatorNames", nameSpace);
    request.objectName("ObjectName", objectName)
        .className("AssocClass", assocClass)
        .className("ResultClass", resultClass)
        .string("Role", role)
        .string("ResultRole", resultRole);
    return resultsOf(*_connection, deadlineAfter(_timeout), request, &DecodedResponse::paths, "object paths");
}

Array<CIMObject> CIMClient::references(const CIMNamespaceName& nameSpace, const CIMObjectPath& objectName,
                                       const CIMName& resultClass, const String& role, Boolean includeQualifiers,
                                       Boolean includeClassOrigin, const CIMPropertyList& propertyList)
{
    RequestEncoder request("References", nameSpace);
    request.objectName("ObjectName", objectName)
        .className("ResultClass", resultClass)
        .string("Role", role)
        .flag("IncludeQualifiers", includeQualifiers, false)
        .flag("IncludeClassOrigin", includeClassOrigin, false)
        .propertyList(propertyList);
    return resultsOf(*_connection, deadlineAfter(_timeout), request, &DecodedResponse::objects, "objects");
}

Array<CIMObjectPath> CIMClient::referenceNames(const CIMNamespaceName& nameSpace, const CIMObjectPath& objectName,
                                               const CIMName& resultClass, const String& role)
{
    RequestEncoder request("ReferenceNames", nameSpace);
    request.objectName("ObjectName", objectName).className("ResultClass", resultClass).string("Role", role);
    return resultsOf(*_connection, deadlineAfter(_timeout), request, &DecodedResponse::paths, "object paths");
}

CIMValue CIMClient::invokeMethod(const CIMNamespaceName& nameSpace, const CIMObjectPath& instanceName,
                                 const CIMName& methodName, const Array<CIMParamValue>& inParameters,
                                 Array<CIMParamValue>& outParameters)
{
    const EncodedRequest request =
        RequestEncoder::methodCall(_connection->nextMessageId(), nameSpace, instanceName, methodName, inParameters);
    DecodedResponse r = _connection->call(request, deadlineAfter(_timeout));
    if (!r.isMethodResponse)
        throw CIMClientResponseException(String("intrinsic response to an extrinsic method call"));
    outParameters = std::move(r.outParameters);
    return r.returnValue;
}

PEGASUS_NAMESPACE_END
