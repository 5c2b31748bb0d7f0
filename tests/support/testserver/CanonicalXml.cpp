#include "CanonicalXml.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace testcimom::test {

namespace {

std::string trimmed(const std::string& text)
{
    std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string canonical(const xmlNode* node, int depth)
{
    std::vector<std::string> attributes;
    for (const xmlAttr* attr = node->properties; attr != nullptr; attr = attr->next) {
        xmlChar* value = xmlNodeListGetString(node->doc, attr->children, 1);
        attributes.push_back(std::string(reinterpret_cast<const char*>(attr->name)) + "=\"" +
                             reinterpret_cast<const char*>(value ? value : BAD_CAST "") + "\"");
        xmlFree(value);
    }
    std::sort(attributes.begin(), attributes.end());
    std::vector<std::string> children;
    std::string text;
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE)
            children.push_back(canonical(child, depth + 1));
        else if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE)
            text += reinterpret_cast<const char*>(child->content);
    }
    const std::string name = reinterpret_cast<const char*>(node->name);
    if (name == "IRETURNVALUE")
        std::sort(children.begin(), children.end());
    std::string out = std::string(static_cast<std::size_t>(depth) * 2, ' ') + "<" + name;
    for (const std::string& attribute : attributes)
        out += " " + attribute;
    out += ">";
    if (!trimmed(text).empty())
        out += "[" + text + "]";
    out += "\n";
    for (const std::string& child : children)
        out += child;
    return out;
}

}  // namespace

std::string canonicalXml(const std::string& xml)
{
    xmlDoc* doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (doc == nullptr || xmlDocGetRootElement(doc) == nullptr) {
        xmlFreeDoc(doc);
        throw std::runtime_error("not well-formed XML");
    }
    std::string text = canonical(xmlDocGetRootElement(doc), 0);
    xmlFreeDoc(doc);
    return text;
}

}  // namespace testcimom::test
