#ifndef Pegasus_Exception_h
#define Pegasus_Exception_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/String.h>
#include <Pegasus/Common/CIMStatusCode.h>

PEGASUS_NAMESPACE_BEGIN

// Base of everything the Pegasus libraries throw.
class PEGASUS_COMMON_LINKAGE Exception
{
public:
    explicit Exception(const String& message) : _message(message) {}
    virtual ~Exception();
    const String& getMessage() const { return _message; }

private:
    String _message;
};

// An error reported by the CIM server: its status code and its description.
class PEGASUS_COMMON_LINKAGE CIMException : public Exception
{
public:
    explicit CIMException(CIMStatusCode code = CIM_ERR_SUCCESS,
                          const String& description = String());
    CIMStatusCode getCode() const { return _code; }
    // The code's name, for example "CIM_ERR_INVALID_CLASS".
    String getCodeText() const { return cimStatusCodeToString(_code); }

private:
    CIMStatusCode _code;
};

#define PEGASUS_DECLARE_EXCEPTION(NAME, BASE)                          \
    class PEGASUS_COMMON_LINKAGE NAME : public BASE                    \
    {                                                                  \
    public:                                                            \
        explicit NAME(const String& message = String(#NAME))           \
            : BASE(message) {}                                         \
    }

PEGASUS_DECLARE_EXCEPTION(ConnectionTimeoutException, Exception);
PEGASUS_DECLARE_EXCEPTION(AlreadyConnectedException, Exception);
PEGASUS_DECLARE_EXCEPTION(NotConnectedException, Exception);
PEGASUS_DECLARE_EXCEPTION(InvalidLocatorException, Exception);
PEGASUS_DECLARE_EXCEPTION(CannotCreateSocketException, Exception);
PEGASUS_DECLARE_EXCEPTION(CannotConnectException, Exception);
PEGASUS_DECLARE_EXCEPTION(SSLException, Exception);
PEGASUS_DECLARE_EXCEPTION(TypeMismatchException, Exception);
PEGASUS_DECLARE_EXCEPTION(UninitializedObjectException, Exception);
PEGASUS_DECLARE_EXCEPTION(InvalidDateTimeFormatException, Exception);
PEGASUS_DECLARE_EXCEPTION(MalformedObjectNameException, Exception);
PEGASUS_DECLARE_EXCEPTION(InvalidNameException, Exception);
PEGASUS_DECLARE_EXCEPTION(InvalidNamespaceNameException, Exception);
PEGASUS_DECLARE_EXCEPTION(IndexOutOfBoundsException, Exception);
PEGASUS_DECLARE_EXCEPTION(AlreadyExistsException, Exception);
PEGASUS_DECLARE_EXCEPTION(DynamicCastFailedException, Exception);
// The connection broke while a request was in flight. The library never
// repeats such a request: whether the server acted on it is unknown.
PEGASUS_DECLARE_EXCEPTION(CIMClientConnectionException, Exception);
// The response is not HTTP as DSP0200 defines it (bad framing, truncated
// body, missing CIMOperation header, response larger than the size cap).
PEGASUS_DECLARE_EXCEPTION(CIMClientMalformedHTTPException, Exception);
// The body is not well-formed CIM-XML: the message names the element and line.
PEGASUS_DECLARE_EXCEPTION(CIMClientXmlException, Exception);
// Well-formed CIM-XML that does not answer the request that was sent.
PEGASUS_DECLARE_EXCEPTION(CIMClientResponseException, Exception);

#undef PEGASUS_DECLARE_EXCEPTION

// An HTTP status other than 200, with the server's CIMError and
// PGErrorDetail headers when it sent them.
class PEGASUS_COMMON_LINKAGE CIMClientHTTPErrorException : public Exception
{
public:
    CIMClientHTTPErrorException(Uint32 httpStatusCode,
                                const String& reasonPhrase,
                                const String& cimError,
                                const String& cimErrorDetail);
    Uint32 getCode() const { return _httpStatusCode; }
    const String& getReasonPhrase() const { return _reasonPhrase; }
    const String& getCIMError() const { return _cimError; }
    const String& getCIMErrorDetail() const { return _cimErrorDetail; }

private:
    Uint32 _httpStatusCode;
    String _reasonPhrase;
    String _cimError;
    String _cimErrorDetail;
};

PEGASUS_NAMESPACE_END

#endif
