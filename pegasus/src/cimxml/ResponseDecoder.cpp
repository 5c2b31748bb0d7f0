#include "ResponseDecoder.h"

#include "DecodeError.h"
#include <Pegasus/Common/Exception.h>
#include <libxml/parser.h>
#include <libxml/SAX2.h>
#include <algorithm>
#include <cstring>
#include <string_view>

PEGASUS_NAMESPACE_BEGIN

namespace
{
// libxml2 is given at most this much at once, so that a huge piece does
// not overflow its int sizes and an error stops the work early.
const size_t MAX_PIECE = 1 << 20;

std::string_view viewOf(const xmlChar* text)
{
    return std::string_view(reinterpret_cast<const char*>(text));
}
}

struct SaxHandlers
{
    static ResponseDecoder& decoder(void* context) { return *static_cast<ResponseDecoder*>(context); }

    static void startElement(void* context, const xmlChar* localName, const xmlChar*, const xmlChar*, int,
                             const xmlChar**, int attributeCount, int, const xmlChar** attributes)
    {
        ResponseDecoder& self = decoder(context);
        self.guarded([&] {
            const CimXmlElement element = self._elements.of(localName);
            if (element == CimXmlElement::Unknown)
                decodeError("unknown element <" + std::string(viewOf(localName)) + ">");
            self._builder.start(element, XmlAttributes(attributes, attributeCount, self._attributes));
        });
    }

    static void endElement(void* context, const xmlChar*, const xmlChar*, const xmlChar*)
    {
        ResponseDecoder& self = decoder(context);
        self.guarded([&] { self._builder.end(); });
    }

    static void characters(void* context, const xmlChar* text, int size)
    {
        ResponseDecoder& self = decoder(context);
        self.guarded([&] { self._builder.text(reinterpret_cast<const char*>(text), static_cast<size_t>(size)); });
    }

    static void structuredError(void* context, xmlErrorPtr error)
    {
        if (!error || error->level < XML_ERR_ERROR)
            return;
        std::string message = error->message ? error->message : "XML error";
        while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
            message.pop_back();
        decoder(context).fail(message);
    }

    static void refuseDeclaration(void* context, const xmlChar* name, const char* kind)
    {
        decoder(context).fail(std::string(kind) + " declaration \"" + std::string(viewOf(name)) + "\" refused");
    }

    static void entityDeclaration(void* c, const xmlChar* n, int, const xmlChar*, const xmlChar*, xmlChar*)
    {
        refuseDeclaration(c, n, "entity");
    }
    static void elementDeclaration(void* c, const xmlChar* n, int, xmlElementContentPtr)
    {
        refuseDeclaration(c, n, "element");
    }
    static void attributeDeclaration(void* c, const xmlChar*, const xmlChar* n, int, int, const xmlChar*, xmlEnumerationPtr tree)
    {
        xmlFreeEnumeration(tree);
        refuseDeclaration(c, n, "attribute");
    }
    static void notationDeclaration(void* c, const xmlChar* n, const xmlChar*, const xmlChar*)
    {
        refuseDeclaration(c, n, "notation");
    }
    static void unparsedEntityDeclaration(void* c, const xmlChar* n, const xmlChar*, const xmlChar*, const xmlChar*)
    {
        refuseDeclaration(c, n, "entity");
    }
};

ResponseDecoder::ResponseDecoder()
{
    xmlSAXHandler sax;
    std::memset(&sax, 0, sizeof sax);
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = &SaxHandlers::startElement;
    sax.endElementNs = &SaxHandlers::endElement;
    sax.characters = &SaxHandlers::characters;
    sax.cdataBlock = &SaxHandlers::characters;
    sax.serror = &SaxHandlers::structuredError;
    // Any declaration inside a DOCTYPE could expand, fetch or default
    // content: each one ends decoding.
    sax.entityDecl = &SaxHandlers::entityDeclaration;
    sax.elementDecl = &SaxHandlers::elementDeclaration;
    sax.attributeDecl = &SaxHandlers::attributeDeclaration;
    sax.notationDecl = &SaxHandlers::notationDeclaration;
    sax.unparsedEntityDecl = &SaxHandlers::unparsedEntityDeclaration;
    _context = xmlCreatePushParserCtxt(&sax, this, nullptr, 0, nullptr);
    if (!_context)
        throw CIMClientXmlException(String("cannot create the XML parser"));
    // Character references and the predefined entities are delivered
    // resolved; nothing is loaded from the network or disk.
    xmlCtxtUseOptions(_context, XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOCDATA);
}

ResponseDecoder::~ResponseDecoder()
{
    // libxml2 files entity declarations in a document of its own making,
    // even when they are refused; the context does not own it.
    if (_context->myDoc)
        xmlFreeDoc(_context->myDoc);
    xmlFreeParserCtxt(_context);
}

void ResponseDecoder::feed(const char* data, size_t size)
{
    while (size > 0 && !failed())
    {
        const int piece = static_cast<int>(std::min(size, MAX_PIECE));
        xmlParseChunk(_context, data, piece, 0);
        data += piece;
        size -= static_cast<size_t>(piece);
    }
}

void ResponseDecoder::finish()
{
    if (!failed())
        xmlParseChunk(_context, nullptr, 0, 1);
    if (!failed() && !_builder.sawMessage())
        _error = "the body holds no CIM-XML response";
    if (failed())
        throw CIMClientXmlException(String("CIM-XML response: " + _error));
}

template <class F>
void ResponseDecoder::guarded(F&& work)
{
    if (failed())
        return;
    try
    {
        work();
    }
    catch (const DecodeError& e)
    {
        fail(e.message);
    }
    catch (const Exception& e)
    {
        fail(e.getMessage().str());
    }
    catch (const std::exception& e)
    {
        fail(e.what());
    }
}

void ResponseDecoder::fail(const std::string& message)
{
    if (failed())
        return;
    _error = message + " (line " + std::to_string(xmlSAX2GetLineNumber(_context));
    if (_builder.openElement() != CimXmlElement::Document)
        _error += std::string(", in <") + cimXmlElementName(_builder.openElement()) + ">";
    _error += ")";
    xmlStopParser(_context);
}

PEGASUS_NAMESPACE_END
