// The streaming CIM-XML decoder on any response body, fed in pieces whose
// sizes vary with the input, as a connection delivers them.

#include "ConsistencyCheck.h"
#include "ResponseDecoder.h"
#include <Pegasus/Common/Exception.h>
#include <algorithm>
#include <cstddef>
#include <cstdint>

PEGASUS_USING_PEGASUS;

namespace
{
// Piece sizes from 1 byte to a few KiB, a different sequence for each
// input, the same every time for one input.
class PieceSizes
{
public:
    PieceSizes(const uint8_t* data, size_t size) : _state(size * 2654435761u + (size ? data[size - 1] : 0) + 1) {}

    size_t next()
    {
        _state ^= _state << 13;
        _state ^= _state >> 7;
        _state ^= _state << 17;
        return 1 + (_state % 8 == 0 ? _state % 4096 : _state % 64);
    }

private:
    uint64_t _state;
};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ResponseDecoder decoder;
    PieceSizes pieces(data, size);
    for (size_t at = 0; at < size;)
    {
        const size_t piece = std::min(pieces.next(), size - at);
        decoder.feed(reinterpret_cast<const char*>(data) + at, piece);
        at += piece;
    }
    try
    {
        decoder.finish();
    }
    catch (const CIMClientXmlException&)
    {
        return 0;
    }
    const DecodedResponse& response = decoder.response();
    if (response.hasError)
        (void)CIMException(response.errorCode, response.errorDescription).getCodeText();
    ConsistencyCheck().visit(response);
    return 0;
}
