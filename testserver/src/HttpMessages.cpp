#include "HttpMessages.h"

#include "testcimom/CimModel.h"

#include <cctype>
#include <cstdio>

namespace testcimom {

namespace {

std::string tenDigits(std::size_t length)
{
    char text[32];
    std::snprintf(text, sizeof text, "%010zu", length);
    return text;
}

std::string hex(std::size_t length)
{
    char text[32];
    std::snprintf(text, sizeof text, "%zx", length);
    return text;
}

bool listContains(const std::string& list, const std::string& token)
{
    return lowerName(list).find(token) != std::string::npos;
}

// Status line and headers, up to and including the blank line.
std::string head(const HttpReply& reply)
{
    std::string out = "HTTP/1.1 " + std::to_string(reply.status) + " " + reply.reason + "\r\n";
    for (const auto& field : reply.headers) {
        if (!sameName(field.first, "content-length"))
            out += field.first + ": " + field.second + "\r\n";
        else if (reply.chunked)
            out += "transfer-encoding: chunked\r\n";
        else if (reply.withContentLength)
            out += "content-length: " + tenDigits(reply.contentLengthOverride.value_or(reply.body.size())) + "\r\n";
    }
    if (reply.chunked)
        out += "Trailer: CIMStatusCode, CIMStatusCodeDescription, Content-Language\r\n";
    return out + "\r\n";
}

}  // namespace

std::optional<std::string> HttpRequest::header(const std::string& name) const
{
    for (const auto& field : headers) {
        if (sameName(field.first, name))
            return field.second;
    }
    return std::nullopt;
}

bool HttpRequest::wantsClose() const
{
    std::string connection = header("Connection").value_or("");
    if (version < 11)
        return !listContains(connection, "keep-alive");
    return listContains(connection, "close");
}

bool HttpRequest::acceptsTrailers() const
{
    return listContains(header("TE").value_or(""), "trailers");
}

std::string HttpReply::wire() const
{
    std::string out = head(*this);
    if (!chunked)
        return out + body;
    if (!body.empty())
        out += hex(body.size()) + "\r\n" + body + "\r\n";
    out += "0\r\n";
    for (const auto& field : trailers)
        out += field.first + ": " + field.second + "\r\n";
    return out + "\r\n";
}

std::size_t HttpReply::headerSize() const
{
    return head(*this).size();
}

std::size_t HttpReply::chunkPrefixSize() const
{
    return chunked ? hex(body.size()).size() + 2 : 0;
}

std::string percentEncode(const std::string& text)
{
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '.' || c == '_' || c == '-' || c == '~' || c >= 0x80) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 0x0f];
        }
    }
    return out;
}

}  // namespace testcimom
