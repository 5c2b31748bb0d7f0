#include "DtdValidator.h"

#include "Captures.h"
#include <libxml/parser.h>
#include <libxml/valid.h>
#include <memory>

namespace
{
void collect(void* context, const char* format, ...)
{
    char buffer[1024];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    *static_cast<std::string*>(context) += buffer;
}
}

std::string dtdErrors(const std::string& xml)
{
    // Read once: validation leaves the DTD as it was.
    static const std::string path = Captures::directory() + "/DSP0203_2.4.0.dtd";
    static const std::unique_ptr<xmlDtd, void (*)(xmlDtd*)> dtd(
        xmlParseDTD(nullptr, reinterpret_cast<const xmlChar*>(path.c_str())), xmlFreeDtd);
    std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> document(
        xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, XML_PARSE_NONET), xmlFreeDoc);
    if (!dtd || !document)
        return "not parsable";
    std::string errors;
    std::unique_ptr<xmlValidCtxt, void (*)(xmlValidCtxt*)> context(xmlNewValidCtxt(), xmlFreeValidCtxt);
    context->userData = &errors;
    context->error = collect;
    context->warning = collect;
    if (!xmlValidateDtd(context.get(), document.get(), dtd.get()) && errors.empty())
        errors = "invalid";
    return errors;
}
