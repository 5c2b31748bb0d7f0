#include "SaxFloor.h"

#include <algorithm>
#include <cstring>
#include <libxml/parser.h>

namespace
{
void ignoreStart(void*, const xmlChar*, const xmlChar*, const xmlChar*, int, const xmlChar**, int, int, const xmlChar**) {}
void ignoreEnd(void*, const xmlChar*, const xmlChar*, const xmlChar*) {}
void ignoreText(void*, const xmlChar*, int) {}
}

bool parseOnly(const std::string& body, std::size_t pieceSize)
{
    xmlSAXHandler sax;
    std::memset(&sax, 0, sizeof sax);
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = ignoreStart;
    sax.endElementNs = ignoreEnd;
    sax.characters = ignoreText;
    xmlParserCtxtPtr context = xmlCreatePushParserCtxt(&sax, nullptr, nullptr, 0, nullptr);
    for (size_t at = 0; at < body.size(); at += pieceSize)
        xmlParseChunk(context, body.data() + at, static_cast<int>(std::min(pieceSize, body.size() - at)), 0);
    xmlParseChunk(context, nullptr, 0, 1);
    const bool wellFormed = context->wellFormed;
    xmlFreeParserCtxt(context);
    return wellFormed;
}
