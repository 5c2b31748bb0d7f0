#include "ClientConnection.h"

#include "PercentCoding.h"
#include "ResponseDecoder.h"
#include "ValueText.h"
#include <Pegasus/Common/Exception.h>
#include <algorithm>
#include <openssl/evp.h>
#include <strings.h>

PEGASUS_NAMESPACE_BEGIN

namespace
{
std::string basicCredentials(const String& userName, const String& password)
{
    const std::string plain = userName.str() + ":" + password.str();
    std::string encoded(4 * ((plain.size() + 2) / 3) + 1, '\0');
    const int size = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(&encoded[0]),
                                     reinterpret_cast<const unsigned char*>(plain.data()),
                                     static_cast<int>(plain.size()));
    encoded.resize(static_cast<size_t>(size));
    return "Basic " + encoded;
}

bool sameText(const std::string& a, const char* b)
{
    return ::strcasecmp(a.c_str(), b) == 0;
}

// Feeds a 200 response's body to the decoder, and tells the progress
// callback after each piece; other bodies are dropped.
class DecodingSink : public HttpBodySink
{
public:
    explicit DecodingSink(const CIMClient::ProgressCallback& progress) : _progress(progress) {}

    void onHead(const HttpResponse& head) override { _decode = head.status == 200; }

    void onBody(const char* data, size_t size) override
    {
        if (!_decode)
            return;
        decoder.feed(data, size);
        _bodyBytes += size;
        if (_progress)
            _progress(CIMClient::ResponseProgress{_bodyBytes, decoder.response().resultCount()});
    }

    ResponseDecoder decoder;

private:
    const CIMClient::ProgressCallback& _progress;
    Uint64 _bodyBytes = 0;
    bool _decode = false;
};

void checkHttpStatus(const HttpResponse& response)
{
    if (response.status == 200)
        return;
    throw CIMClientHTTPErrorException(response.status,
                                      String(response.reason),
                                      String(response.field("CIMError").value_or("")),
                                      String(percentDecode(response.field("PGErrorDetail").value_or(""))));
}

void checkHeaders(const HttpResponse& response)
{
    const std::string operation = response.field("CIMOperation").value_or("");
    if (!sameText(operation, "MethodResponse"))
        throw CIMClientMalformedHTTPException(String("response without \"CIMOperation: MethodResponse\""));
    const std::string contentType = response.field("Content-Type").value_or("");
    if (contentType.find("xml") == std::string::npos)
        throw CIMClientMalformedHTTPException(String("response Content-Type \"" + contentType + "\" is not XML"));
}

// A status in the trailer reports a failure found after the server had
// started the body; it overrides the 200 of the status line.
void checkTrailerStatus(const HttpResponse& response)
{
    const std::optional<std::string> code = response.field("CIMStatusCode");
    if (!code || code->empty())
        return;
    Uint32 number = 0;
    if (!ValueText::parseInteger(*code, number))
        throw CIMClientMalformedHTTPException(String("trailer \"CIMStatusCode: " + *code + "\" is not a status code"));
    if (number == CIM_ERR_SUCCESS)
        return;
    const std::string description = percentDecode(response.field("CIMStatusCodeDescription").value_or(""));
    throw CIMException(static_cast<CIMStatusCode>(number), String(description));
}

void checkAnswer(const DecodedResponse& response, const EncodedRequest& request)
{
    if (response.hasError)
        throw CIMException(response.errorCode, response.errorDescription);
    if (!String::equalNoCase(response.methodName, String(request.cimMethod)))
        throw CIMClientResponseException(String("response to " + response.methodName.str() + " received for "
                                                + request.cimMethod));
}
}

ClientConnection::ClientConnection(std::unique_ptr<HttpTransport> transport) : _transport(std::move(transport))
{
}

Clock::time_point ClientConnection::connectDeadline(Clock::time_point deadline) const
{
    return std::min(deadline, Clock::now() + std::chrono::milliseconds(_connectTimeout));
}

void ClientConnection::connect(const String& host,
                               Uint32 port,
                               const SSLContext* tls,
                               const String& userName,
                               const String& password,
                               Clock::time_point deadline)
{
    if (_connected)
        throw AlreadyConnectedException(String("already connected to " + _endpoint.host));
    if (host.size() == 0 || port == 0 || port > 65535)
        throw InvalidLocatorException(String("invalid server location \"" + host.str() + ":" + std::to_string(port) + "\""));
    HttpEndpoint endpoint;
    endpoint.host = host.str();
    endpoint.port = port;
    if (tls)
        endpoint.tls = *tls;
    _transport->open(endpoint, connectDeadline(deadline));
    _endpoint = endpoint;
    _authorization = userName.size() ? basicCredentials(userName, password) : std::string();
    _connected = true;
}

void ClientConnection::disconnect()
{
    _transport->close();
    _connected = false;
}

void ClientConnection::ensureConnection(Clock::time_point deadline)
{
    if (!_connected)
        throw NotConnectedException(String("not connected"));
    if (_transport->isUsable())
        return;
    _transport->close();
    _transport->open(_endpoint, connectDeadline(deadline));
}

HttpRequest ClientConnection::httpRequest(const EncodedRequest& request) const
{
    HttpRequest http;
    http.fields = {
        {"Content-Type", "application/xml; charset=\"utf-8\""},
        {"CIMOperation", "MethodCall"},
        {"CIMMethod", request.cimMethod},
        {"CIMObject", request.cimObject},
        {"TE", "trailers"},
    };
    if (!_authorization.empty())
        http.fields.push_back({"Authorization", _authorization});
    http.body = request.body;
    return http;
}

DecodedResponse ClientConnection::call(const EncodedRequest& request, Clock::time_point deadline)
{
    ensureConnection(deadline);
    DecodingSink sink(_progress);
    const HttpResponse response = _transport->exchange(httpRequest(request), sink, deadline, _maxResponseBytes);
    checkHttpStatus(response);
    checkHeaders(response);
    checkTrailerStatus(response);
    sink.decoder.finish();
    checkAnswer(sink.decoder.response(), request);
    return std::move(sink.decoder.response());
}

PEGASUS_NAMESPACE_END
