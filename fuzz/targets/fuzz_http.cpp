// The client's whole handling of a response as it comes off the wire:
// status line, header fields, Content-Length or chunked framing, trailers
// (CIMStatusCode, CIMStatusCodeDescription), CIMError, the size cap, and
// the decoding of the body. The bytes are served over a socketpair.

#include "CannedServer.h"
#include "ClientConnection.h"
#include "ConsistencyCheck.h"
#include "Expect.h"
#include <Pegasus/Common/Exception.h>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

PEGASUS_USING_PEGASUS;

namespace
{
// A cap that half of the inputs (those of odd size) run into.
const Uint64 SMALL_CAP = 2048;

// The request names the method the answer claims to answer, so that
// well-formed answers of every operation get through to their results.
std::string answeredMethod(std::string_view answer)
{
    const std::string_view marker = "METHODRESPONSE NAME=\"";
    const size_t at = answer.find(marker);
    if (at == std::string_view::npos)
        return "EnumerateInstances";
    const size_t begin = at + marker.size();
    return std::string(answer.substr(begin, answer.find('"', begin) - begin));
}

EncodedRequest requestFor(std::string_view answer)
{
    return EncodedRequest{answeredMethod(answer), "root%2Fcimv2",
                          "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<CIM CIMVERSION=\"2.0\" DTDVERSION=\"2.0\"/>"};
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    CannedServer server(answer);
    ClientConnection connection(makeAsioHttpTransport(server.takeClientSocket()));
    connection.setMaxResponseBytes(size % 2 ? SMALL_CAP : CIMClient::DEFAULT_MAX_RESPONSE_BYTES);
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
    connection.connect(String("cimom.example"), 5988, nullptr, String("user"), String("secret"), deadline);
    try
    {
        ConsistencyCheck().visit(connection.call(requestFor(answer), deadline));
    }
    catch (const ConnectionTimeoutException&)
    {
        // The whole answer follows the request at once and the stream ends
        // after it: waiting out the time-out means waiting for nothing.
        expect(false, "the client waited for bytes after the end of the stream");
    }
    catch (const Exception&)
    {
    }
    return 0;
}
