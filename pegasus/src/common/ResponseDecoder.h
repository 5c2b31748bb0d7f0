#ifndef Pegasus_ResponseDecoder_h
#define Pegasus_ResponseDecoder_h

#include "DecodedResponse.h"
#include <cstddef>
#include <memory>

PEGASUS_NAMESPACE_BEGIN

class ResponseParser;

// Decodes a CIM-XML response body (DMTF DSP0201) as it arrives: libxml2's
// SAX2 push parser is fed piece by piece and objects are built as their
// elements close, so memory grows with the objects, not the text.
//
// Hostile input is refused: no DTD or external entity is ever loaded and
// any declaration inside a DOCTYPE ends decoding. After the first error
// further input is ignored; finish() reports it.
class ResponseDecoder
{
public:
    ResponseDecoder();
    ~ResponseDecoder();
    ResponseDecoder(const ResponseDecoder&) = delete;
    ResponseDecoder& operator=(const ResponseDecoder&) = delete;

    void feed(const char* data, size_t size);
    // Ends the document. Throws CIMClientXmlException, naming the element
    // and line, when the body was not a complete, valid CIM-XML response.
    void finish();
    bool failed() const;

    DecodedResponse& response();

private:
    std::unique_ptr<ResponseParser> _parser;
};

PEGASUS_NAMESPACE_END

#endif
