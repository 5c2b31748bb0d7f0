#ifndef Pegasus_CIMClient_h
#define Pegasus_CIMClient_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/Array.h>
#include <Pegasus/Common/CIMClass.h>
#include <Pegasus/Common/CIMInstance.h>
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMObject.h>
#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/CIMParamValue.h>
#include <Pegasus/Common/CIMPropertyList.h>
#include <Pegasus/Common/CIMValue.h>
#include <Pegasus/Common/Exception.h>
#include <Pegasus/Common/SSLContext.h>
#include <Pegasus/Common/String.h>
#include <functional>
#include <memory>

PEGASUS_NAMESPACE_BEGIN

class ClientConnection;

// A CIM-XML client (DMTF DSP0200/DSP0201) for one CIM server over HTTP or
// HTTPS.
//
// connect() opens the connection at once; it is kept alive between
// operations. When the server closed an idle connection (or announced
// "Connection: close"), the next operation reconnects before it sends,
// as no request was lost. A connection that breaks while a request is in
// flight raises CIMClientConnectionException and is never retried here.
//
// Time-outs: getTimeout() bounds each whole operation (reconnecting when
// needed, sending the request and reading the full response); when it
// passes, ConnectionTimeoutException is thrown and the connection is
// closed, to be reopened by the next operation. Connecting (name lookup,
// TCP and TLS handshake) is bounded by the same time-out, but never by more
// than the connect time-out.
//
// Every operation may raise:
//   NotConnectedException            connect() never succeeded, or after disconnect()
//   CannotConnectException           a needed reconnect failed
//   ConnectionTimeoutException       the operation ran out of time
//   CIMClientConnectionException     the connection broke mid-request
//   CIMClientHTTPErrorException      HTTP status other than 200 (401 included)
//   CIMClientMalformedHTTPException  broken HTTP framing, truncated or oversized response
//   CIMClientXmlException            malformed or hostile XML in the response
//   CIMClientResponseException       well-formed XML that does not answer the request
//   CIMException                     the server's CIM error (ERROR element or trailer)
class PEGASUS_CLIENT_LINKAGE CIMClient
{
public:
    static const Uint32 DEFAULT_TIMEOUT_MILLISECONDS = 20000;
    static const Uint32 DEFAULT_CONNECT_TIMEOUT_MILLISECONDS = 10000;
    static const Uint64 DEFAULT_MAX_RESPONSE_BYTES = Uint64(512) * 1024 * 1024;

    CIMClient();
    ~CIMClient();
    CIMClient(const CIMClient&) = delete;
    CIMClient& operator=(const CIMClient&) = delete;

    Uint32 getTimeout() const;
    void setTimeout(Uint32 timeoutMilliseconds);
    // Upper bound of connect (TCP and TLS), whatever getTimeout() says.
    Uint32 getConnectTimeout() const;
    void setConnectTimeout(Uint32 timeoutMilliseconds);
    // Responses larger than this (headers and body) are refused with
    // CIMClientMalformedHTTPException.
    Uint64 getMaxResponseSize() const;
    void setMaxResponseSize(Uint64 bytes);

    // How much of a response has arrived: the bytes of its body and the
    // results (instances, classes, names, paths, objects) decoded from them.
    struct ResponseProgress
    {
        Uint64 bodyBytes;
        Uint32 results;
    };
    typedef std::function<void(const ResponseProgress&)> ProgressCallback;
    // Called on the caller's thread each time a piece of a response's body
    // has been decoded; it must not throw. An empty function stops it.
    void setProgressCallback(ProgressCallback callback);

    // HTTP. Raises AlreadyConnectedException, InvalidLocatorException (bad
    // host or port), CannotCreateSocketException, CannotConnectException
    // (refused, unreachable, unknown host) and ConnectionTimeoutException.
    void connect(const String& host, Uint32 portNumber,
                 const String& userName, const String& password);
    // HTTPS; raises SSLException as well when the handshake fails.
    void connect(const String& host, Uint32 portNumber, const SSLContext& sslContext,
                 const String& userName, const String& password);
    void disconnect();

    // GetClass. CIM errors: CIM_ERR_ACCESS_DENIED, CIM_ERR_INVALID_NAMESPACE,
    // CIM_ERR_INVALID_PARAMETER, CIM_ERR_NOT_FOUND, CIM_ERR_FAILED.
    CIMClass getClass(const CIMNamespaceName& nameSpace,
                      const CIMName& className,
                      Boolean localOnly = true,
                      Boolean includeQualifiers = true,
                      Boolean includeClassOrigin = false,
                      const CIMPropertyList& propertyList = CIMPropertyList());

    // EnumerateClasses. CIM errors: CIM_ERR_ACCESS_DENIED,
    // CIM_ERR_INVALID_NAMESPACE, CIM_ERR_INVALID_PARAMETER,
    // CIM_ERR_INVALID_CLASS, CIM_ERR_FAILED.
    Array<CIMClass> enumerateClasses(const CIMNamespaceName& nameSpace,
                                     const CIMName& className = CIMName(),
                                     Boolean deepInheritance = false,
                                     Boolean localOnly = true,
                                     Boolean includeQualifiers = true,
                                     Boolean includeClassOrigin = false);

    // EnumerateClassNames. CIM errors: as enumerateClasses.
    Array<CIMName> enumerateClassNames(const CIMNamespaceName& nameSpace,
                                       const CIMName& className = CIMName(),
                                       Boolean deepInheritance = false);

    // GetInstance. CIM errors: CIM_ERR_ACCESS_DENIED,
    // CIM_ERR_INVALID_NAMESPACE, CIM_ERR_INVALID_PARAMETER,
    // CIM_ERR_INVALID_CLASS, CIM_ERR_NOT_FOUND, CIM_ERR_FAILED.
    CIMInstance getInstance(const CIMNamespaceName& nameSpace,
                            const CIMObjectPath& instanceName,
                            Boolean localOnly = true,
                            Boolean includeQualifiers = false,
                            Boolean includeClassOrigin = false,
                            const CIMPropertyList& propertyList = CIMPropertyList());

    // EnumerateInstances; each instance carries its path. CIM errors:
    // CIM_ERR_ACCESS_DENIED, CIM_ERR_INVALID_NAMESPACE,
    // CIM_ERR_INVALID_PARAMETER, CIM_ERR_INVALID_CLASS, CIM_ERR_FAILED.
    Array<CIMInstance> enumerateInstances(const CIMNamespaceName& nameSpace,
                                          const CIMName& className,
                                          Boolean deepInheritance = true,
                                          Boolean localOnly = true,
                                          Boolean includeQualifiers = false,
                                          Boolean includeClassOrigin = false,
                                          const CIMPropertyList& propertyList = CIMPropertyList());

    // EnumerateInstanceNames. CIM errors: as enumerateInstances.
    Array<CIMObjectPath> enumerateInstanceNames(const CIMNamespaceName& nameSpace,
                                                const CIMName& className);

    // Associators. CIM errors: CIM_ERR_ACCESS_DENIED,
    // CIM_ERR_INVALID_NAMESPACE, CIM_ERR_INVALID_PARAMETER, CIM_ERR_FAILED.
    Array<CIMObject> associators(const CIMNamespaceName& nameSpace,
                                 const CIMObjectPath& objectName,
                                 const CIMName& assocClass = CIMName(),
                                 const CIMName& resultClass = CIMName(),
                                 const String& role = String::EMPTY,
                                 const String& resultRole = String::EMPTY,
                                 Boolean includeQualifiers = false,
                                 Boolean includeClassOrigin = false,
                                 const CIMPropertyList& propertyList = CIMPropertyList());

    // AssociatorNames. CIM errors: as associators.
    Array<CIMObjectPath> associatorNames(const CIMNamespaceName& nameSpace,
                                         const CIMObjectPath& objectName,
                                         const CIMName& assocClass = CIMName(),
                                         const CIMName& resultClass = CIMName(),
                                         const String& role = String::EMPTY,
                                         const String& resultRole = String::EMPTY);

    // References. CIM errors: as associators.
    Array<CIMObject> references(const CIMNamespaceName& nameSpace,
                                const CIMObjectPath& objectName,
                                const CIMName& resultClass = CIMName(),
                                const String& role = String::EMPTY,
                                Boolean includeQualifiers = false,
                                Boolean includeClassOrigin = false,
                                const CIMPropertyList& propertyList = CIMPropertyList());

    // ReferenceNames. CIM errors: as associators.
    Array<CIMObjectPath> referenceNames(const CIMNamespaceName& nameSpace,
                                        const CIMObjectPath& objectName,
                                        const CIMName& resultClass = CIMName(),
                                        const String& role = String::EMPTY);

    // An extrinsic method on an instance (a path with keys) or a class (a
    // path without keys). outParameters is replaced by the server's output
    // parameters. CIM errors: CIM_ERR_ACCESS_DENIED,
    // CIM_ERR_INVALID_NAMESPACE, CIM_ERR_INVALID_PARAMETER, CIM_ERR_NOT_FOUND,
    // CIM_ERR_METHOD_NOT_FOUND, CIM_ERR_METHOD_NOT_AVAILABLE, CIM_ERR_FAILED.
    CIMValue invokeMethod(const CIMNamespaceName& nameSpace,
                          const CIMObjectPath& instanceName,
                          const CIMName& methodName,
                          const Array<CIMParamValue>& inParameters,
                          Array<CIMParamValue>& outParameters);

private:
    std::unique_ptr<ClientConnection> _connection;
    Uint32 _timeout = DEFAULT_TIMEOUT_MILLISECONDS;
};

PEGASUS_NAMESPACE_END

#endif
