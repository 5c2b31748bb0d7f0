#include "CimomEngine.h"

#include "CimXmlWriter.h"
#include "OperationHandler.h"
#include "XmlDocument.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cctype>
#include <map>

namespace testcimom {

namespace {

class Refusal : public std::exception {
public:
    explicit Refusal(HttpReply reply) : reply_(std::move(reply)) {}
    const HttpReply& reply() const { return reply_; }
    const char* what() const noexcept override { return "request refused"; }

private:
    HttpReply reply_;
};

const std::map<int, const char*> kReasons = {
    {200, "OK"}, {400, "Bad Request"}, {401, "Unauthorized"}, {403, "Forbidden"}, {404, "Not Found"},
    {405, "Method Not Allowed"}, {500, "Internal Server Error"}, {501, "Not Implemented"},
    {503, "Service Unavailable"}};

std::string reasonFor(int status)
{
    auto it = kReasons.find(status);
    return it == kReasons.end() ? "Error" : it->second;
}

// A refusal without a body: no Content-Length, the connection stays open.
[[noreturn]] void refuse(int status, const std::string& cimError, const std::string& detail)
{
    HttpReply reply;
    reply.status = status;
    reply.reason = reasonFor(status);
    reply.withContentLength = false;
    if (!cimError.empty())
        reply.headers.emplace_back("CIMError", cimError);
    if (!detail.empty())
        reply.headers.emplace_back("PGErrorDetail", percentEncode(detail));
    throw Refusal(reply);
}

HttpReply emptyReply(int status)
{
    HttpReply reply;
    reply.status = status;
    reply.reason = reasonFor(status);
    reply.headers.emplace_back("content-length", "");
    if (status == 401)
        reply.headers.emplace_back("WWW-Authenticate", "Basic realm=\"vm\"");
    return reply;
}

HttpReply cimReply(std::string body, bool chunked)
{
    HttpReply reply;
    reply.headers = {{"Content-Type", "application/xml; charset=utf-8"},
                     {"content-length", ""},
                     {"CIMOperation", "MethodResponse"}};
    reply.body = std::move(body);
    reply.chunked = chunked;
    return reply;
}

std::string percentDecode(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::optional<std::string> base64Decode(const std::string& text)
{
    if (text.empty() || text.size() % 4 != 0)
        return std::nullopt;
    std::string out(text.size() / 4 * 3, '\0');
    int length = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(out.data()),
                                 reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
    if (length < 0)
        return std::nullopt;
    out.resize(static_cast<std::size_t>(length) - static_cast<std::size_t>(std::count(text.end() - 2, text.end(), '=')));
    return out;
}

void checkHeaders(const HttpRequest& http)
{
    std::optional<std::string> operation = http.header("CIMOperation");
    if (!operation)
        refuse(400, "", "");
    if (!sameName(*operation, "MethodCall"))
        refuse(400, "unsupported-operation", "CIMOperation value \"" + *operation + "\" is not supported.");
    std::string contentType = lowerName(http.header("Content-Type").value_or(""));
    if (contentType.rfind("application/xml", 0) != 0 && contentType.rfind("text/xml", 0) != 0)
        refuse(400, "", "HTTP Content-Type header error.");
}

CimRequest decodeBody(const std::string& body)
{
    std::size_t start = body.find_first_not_of(" \t\r\n");
    if (start == std::string::npos || body.compare(start, 5, "<?xml") != 0) {
        std::size_t line = 1 + static_cast<std::size_t>(std::count(body.begin(), body.end(), '\n'));
        refuse(400, "request-not-valid",
               "Validation error: on line " + std::to_string(line) + ": Expected <?xml ... ?> style declaration");
    }
    try {
        return RequestDecoder::decode(body);
    } catch (const XmlSyntaxError& error) {
        refuse(400, "request-not-well-formed", error.what());
    } catch (const UnsupportedVersion& error) {
        refuse(501, error.cimError(), error.what());
    } catch (const XmlStructureError& error) {
        refuse(400, "request-not-valid", std::string("Validation error: ") + error.what());
    }
}

void checkRequestMatchesHeaders(const HttpRequest& http, const CimRequest& request)
{
    std::string protocol = http.header("CIMProtocolVersion").value_or("1.0");
    if (protocol != request.protocolVersion)
        refuse(400, "header-mismatch", "CIMProtocolVersion value \"" + protocol +
                                           "\" does not match CIM request protocol version \"" +
                                           request.protocolVersion + "\".");
    std::optional<std::string> method = http.header("CIMMethod");
    if (!method)
        refuse(400, "header-mismatch", "Missing CIMMethod HTTP header.");
    if (!sameName(*method, request.methodName))
        refuse(400, "header-mismatch", "CIMMethod value \"" + *method + "\" does not match CIM request method \"" +
                                           request.methodName + "\".");
    std::optional<std::string> object = http.header("CIMObject");
    if (!object)
        refuse(400, "header-mismatch", "Missing CIMObject HTTP header.");
    const std::string decodedObject = percentDecode(*object);
    const std::string objectNamespace = decodedObject.substr(0, decodedObject.find(':'));
    if (!sameName(objectNamespace, request.nameSpace))
        refuse(400, "header-mismatch", "CIMObject value \"" + objectNamespace +
                                           "\" does not match CIM request object \"" + request.nameSpace + "\".");
}

std::string bodyOf(const CimRequest& request, const std::string& content)
{
    return CimXmlWriter::response(request.messageId, request.methodName, request.intrinsic, content);
}

void putErrorInTrailer(HttpReply& reply, const CimError& error)
{
    reply.trailers = {{"CIMStatusCode", std::to_string(error.code())},
                      {"CIMStatusCodeDescription", percentEncode(error.description())}};
}

std::string wrongStructure(const std::string& id, const std::string& method)
{
    return CimXmlWriter::response(id, method, true,
                                  "<IRETURNVALUE>\n<UNEXPECTED ELEMENT=\"true\"><NESTED/></UNEXPECTED>\n</IRETURNVALUE>\n");
}

std::string entityBomb()
{
    std::string doc = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<!DOCTYPE CIM [\n<!ENTITY lol0 \"lol\">\n";
    for (int level = 1; level <= 9; ++level) {
        std::string previous = "&lol" + std::to_string(level - 1) + ";";
        std::string repeated;
        for (int i = 0; i < 10; ++i)
            repeated += previous;
        doc += "<!ENTITY lol" + std::to_string(level) + " \"" + repeated + "\">\n";
    }
    return doc + "]>\n<CIM CIMVERSION=\"2.0\" DTDVERSION=\"2.0\">&lol9;</CIM>\n";
}

std::string externalEntity(const std::string& id, const std::string& method)
{
    std::string body =
        CimXmlWriter::response(id, method, true, "<IRETURNVALUE>\n<VALUE>&secret;</VALUE>\n</IRETURNVALUE>\n");
    // The document type goes between the XML declaration and the CIM element.
    body.insert(body.find('\n') + 1, "<!DOCTYPE CIM [\n<!ENTITY secret SYSTEM \"file:///etc/passwd\">\n]>\n");
    return body;
}

std::string withInvalidUtf8(std::string body)
{
    std::size_t at = body.find("ID=\"");
    body.insert(at == std::string::npos ? 0 : at + 4, "\xC3\x28\xFF\xFE");
    return body;
}

std::string paddedTo(std::string body, std::size_t size)
{
    const std::size_t frame = std::string("<!---->\n").size();
    if (body.size() + frame < size)
        body += "<!--" + std::string(size - body.size() - frame, 'x') + "-->\n";
    return body;
}

}  // namespace

CimomEngine::CimomEngine(const Repository& repository, const MethodProviders& methods, FaultPlan& faults,
                         RequestCounters& counters, RequestLog& requestLog, Credentials credentials)
    : repository_(repository), methods_(methods), faults_(faults), counters_(counters), requestLog_(requestLog),
      credentials_(std::move(credentials))
{
}

Delivery CimomEngine::handle(const HttpRequest& request)
{
    std::string operation = request.header("CIMMethod").value_or("");
    counters_.countRequest(operation);
    Answer answer = this->answer(request);
    if (answer.request)
        requestLog_.record(answer.request->logged());
    std::string className = answer.request ? answer.request->className() : "";
    std::optional<Fault> fault = faults_.take(operation, className);
    const std::chrono::milliseconds handlerDelay = answer.delay;
    Delivery delivery;
    if (fault) {
        delivery = withFault(*fault, request, std::move(answer));
    } else {
        delivery.bytes = answer.reply.wire();
    }
    delivery.delayBefore += handlerDelay;
    delivery.closeAfter = delivery.closeAfter || request.wantsClose();
    counters_.countResponse(operation, delivery.bytes.size());
    return delivery;
}

void CimomEngine::connectionAccepted()
{
    counters_.countConnection();
}

bool CimomEngine::abortHandshake()
{
    return faults_.takeHandshakeFault().has_value();
}

std::optional<HttpReply> CimomEngine::refuseUnauthorized(const HttpRequest& request) const
{
    if (credentials_.user.empty())
        return std::nullopt;
    std::string authorization = request.header("Authorization").value_or("");
    if (authorization.empty()) {
        HttpReply reply = emptyReply(401);
        reply.headers.insert(reply.headers.begin(), {"PGErrorDetail", percentEncode("User Unauthorized")});
        return reply;
    }
    const std::string scheme = "Basic ";
    std::optional<std::string> decoded;
    if (authorization.compare(0, scheme.size(), scheme) == 0)
        decoded = base64Decode(authorization.substr(scheme.size()));
    if (decoded && *decoded == credentials_.user + ":" + credentials_.password)
        return std::nullopt;
    return emptyReply(401);
}

CimomEngine::Answer CimomEngine::answer(const HttpRequest& http) const
{
    if (http.method != "POST" && http.method != "M-POST")
        return {emptyReply(405), std::nullopt};
    if (std::optional<HttpReply> unauthorized = refuseUnauthorized(http))
        return {*unauthorized, std::nullopt};
    try {
        checkHeaders(http);
        CimRequest request = decodeBody(http.body);
        checkRequestMatchesHeaders(http, request);
        return operationReply(http, request);
    } catch (const Refusal& refusal) {
        return {refusal.reply(), std::nullopt};
    }
}

CimomEngine::Answer CimomEngine::operationReply(const HttpRequest& http, const CimRequest& request) const
{
    OperationOutcome outcome = OperationHandler(repository_, methods_).execute(request);
    Answer answer{cimReply(bodyOf(request, outcome.content), http.acceptsTrailers()), request, outcome.answerDelay};
    if (outcome.error)
        replaceWithError(http, answer, *outcome.error, http.acceptsTrailers());
    return answer;
}

void CimomEngine::replaceWithError(const HttpRequest& http, Answer& answer, const CimError& error,
                                   bool inTrailer) const
{
    CimRequest request = answer.request.value_or(CimRequest{});
    if (!answer.request) {
        request.messageId = "0";
        request.methodName = http.header("CIMMethod").value_or("");
    }
    answer.reply = cimReply(bodyOf(request, inTrailer ? "" : CimXmlWriter::errorContent(error)), inTrailer);
    if (inTrailer)
        putErrorInTrailer(answer.reply, error);
}

Delivery CimomEngine::withFault(const Fault& fault, const HttpRequest& http, Answer answer) const
{
    Delivery delivery;
    HttpReply& reply = answer.reply;
    const std::string id = answer.request ? answer.request->messageId : "0";
    const std::string method = http.header("CIMMethod").value_or("");
    switch (fault.kind) {
    case FaultKind::Delay:
        delivery.delayBefore = fault.delay;
        break;
    case FaultKind::CloseBeforeResponse:
        delivery.send = false;
        delivery.closeAfter = true;
        break;
    case FaultKind::NeverAnswer:
    case FaultKind::AbortHandshake:
        delivery.send = false;
        delivery.hold = true;
        break;
    case FaultKind::CloseMidHeader:
        delivery.cutAfter = reply.headerSize() / 2;
        break;
    case FaultKind::CloseMidBody:
        reply.chunked = false;
        delivery.cutAfter = reply.headerSize() + reply.body.size() / 2;
        break;
    case FaultKind::CloseMidChunk:
        reply.chunked = true;
        delivery.cutAfter = reply.headerSize() + reply.chunkPrefixSize() + reply.body.size() / 2;
        break;
    case FaultKind::SlowBytes:
        delivery.perByte = fault.delay.count() > 0 ? fault.delay : std::chrono::milliseconds(10);
        break;
    case FaultKind::NoContentLength:
        reply.chunked = false;
        reply.withContentLength = false;
        break;
    case FaultKind::ContentLengthTooShort:
        reply.chunked = false;
        reply.contentLengthOverride = reply.body.size() / 2;
        break;
    case FaultKind::ContentLengthTooLong:
        reply.chunked = false;
        reply.contentLengthOverride = reply.body.size() + 64;
        break;
    case FaultKind::HttpStatus:
        reply = emptyReply(fault.httpStatus);
        break;
    case FaultKind::CimError:
    case FaultKind::CimErrorInTrailer:
        replaceWithError(http, answer, CimError(fault.cimCode, "injected fault"),
                         fault.kind == FaultKind::CimErrorInTrailer);
        break;
    case FaultKind::Chunked:
        reply.chunked = true;
        break;
    case FaultKind::NotXml:
        reply.body = "this is not XML at all\n";
        break;
    case FaultKind::TruncatedXml:
        reply.body.resize(reply.body.size() / 2);
        break;
    case FaultKind::WrongStructureXml:
        reply.body = wrongStructure(id, method);
        break;
    case FaultKind::InvalidUtf8:
        reply.body = withInvalidUtf8(reply.body);
        break;
    case FaultKind::EntityExpansion:
        reply.body = entityBomb();
        break;
    case FaultKind::ExternalEntity:
        reply.body = externalEntity(id, method);
        break;
    case FaultKind::ResponseSize:
        reply.body = paddedTo(reply.body, fault.size);
        break;
    }
    delivery.bytes = reply.wire();
    return delivery;
}

}  // namespace testcimom
