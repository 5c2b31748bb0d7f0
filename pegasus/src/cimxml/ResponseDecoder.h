#ifndef Pegasus_ResponseDecoder_h
#define Pegasus_ResponseDecoder_h

#include "DecodedResponse.h"
#include "InternedNames.h"
#include "ResponseBuilder.h"
#include "XmlAttributes.h"
#include <cstddef>
#include <string>

struct _xmlParserCtxt;

PEGASUS_NAMESPACE_BEGIN

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
    bool failed() const { return !_error.empty(); }

    DecodedResponse& response() { return _builder.response; }

private:
    // The SAX2 handlers, which reach the members below.
    friend struct SaxHandlers;

    // Runs one handler's work; what it throws becomes the decoder's error.
    template <class F>
    void guarded(F&& work);
    void fail(const std::string& message);

    ResponseBuilder _builder;
    _xmlParserCtxt* _context = nullptr;
    InternedNames<CimXmlElement, cimXmlElementOf> _elements;
    XmlAttributes::Names _attributes;
    std::string _error;
};

PEGASUS_NAMESPACE_END

#endif
