#ifndef TestSupport_Captures_h
#define TestSupport_Captures_h

#include <optional>
#include <string>
#include <vector>

// The captured CIM-XML exchanges (request and response files named
// NAME.request.txt and NAME.response[.truncated].txt) in the directory the
// build names in CIMHTTP_CIMXML_DIR.
namespace Captures
{
std::string directory();

// Every exchange name that starts with the prefix, sorted.
std::vector<std::string> names(const std::string& prefix = "");
// The same without the exchanges whose response was cut (isTruncated).
std::vector<std::string> completeNames(const std::string& prefix = "");
std::string request(const std::string& name);
bool isTruncated(const std::string& name);
// The response bytes as they went over the wire; a truncated capture ends
// where its middle was cut out.
std::string response(const std::string& name);

// A capture's request and its response as request() and response() read
// them.
struct Exchange
{
    std::string name;
    std::string request;
    std::string response;
};
Exchange exchange(const std::string& name);

// The HTTP messages of a capture that holds several, split by their
// Content-Length (a message without one runs to the end).
std::vector<std::string> messages(const std::string& text);

// Body and header fields of an HTTP message.
std::string bodyOf(const std::string& message);
std::optional<std::string> headerOf(const std::string& message, const std::string& name);

// What a client must make of a response, read from the response itself.
struct Outcome
{
    enum Kind { Success, HttpError, CimError, Truncated } kind = Success;
    int code = 0;
};
Outcome expectedOutcome(const std::string& name);
}

#endif
