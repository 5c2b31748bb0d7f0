#include "XmlDocument.h"

#include <libxml/parser.h>

#include <climits>

namespace testcimom {

namespace {

constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

std::string lastErrorText()
{
    const xmlError* error = xmlGetLastError();
    if (error == nullptr || error->message == nullptr)
        return "not well-formed XML";
    std::string message = error->message;
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    return message + ": on line " + std::to_string(error->line);
}

void ensureParsed(xmlDoc* doc, const std::string& source)
{
    if (doc == nullptr || xmlDocGetRootElement(doc) == nullptr) {
        std::string message = source + lastErrorText();
        xmlFreeDoc(doc);
        throw XmlSyntaxError(message);
    }
}

}  // namespace

XmlDocument::XmlDocument(xmlDoc* doc) : doc_(doc, xmlFreeDoc) {}

XmlDocument XmlDocument::parse(std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(INT_MAX))
        throw XmlSyntaxError("document too large");
    xmlResetLastError();
    xmlDoc* doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr, kParseOptions);
    ensureParsed(doc, "");
    return XmlDocument(doc);
}

XmlDocument XmlDocument::parseFile(const std::string& path)
{
    xmlResetLastError();
    xmlDoc* doc = xmlReadFile(path.c_str(), nullptr, kParseOptions);
    ensureParsed(doc, path + ": ");
    return XmlDocument(doc);
}

xmlNode* XmlDocument::root() const
{
    return xmlDocGetRootElement(doc_.get());
}

std::string_view elementName(const xmlNode* node)
{
    return reinterpret_cast<const char*>(node->name);
}

bool isElement(const xmlNode* node, std::string_view name)
{
    return node != nullptr && node->type == XML_ELEMENT_NODE && elementName(node) == name;
}

std::vector<xmlNode*> childElements(const xmlNode* node)
{
    std::vector<xmlNode*> children;
    for (xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE)
            children.push_back(child);
    }
    return children;
}

std::vector<xmlNode*> childElements(const xmlNode* node, std::string_view name)
{
    std::vector<xmlNode*> children;
    for (xmlNode* child : childElements(node)) {
        if (elementName(child) == name)
            children.push_back(child);
    }
    return children;
}

xmlNode* firstChild(const xmlNode* node, std::string_view name)
{
    for (xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (isElement(child, name))
            return child;
    }
    return nullptr;
}

xmlNode* requiredChild(const xmlNode* node, std::string_view name)
{
    xmlNode* child = firstChild(node, name);
    if (child == nullptr)
        throw XmlStructureError("expected " + std::string(name) + " in " + std::string(elementName(node)) +
                                " on line " + std::to_string(xmlGetLineNo(node)));
    return child;
}

std::optional<std::string> attribute(const xmlNode* node, const char* name)
{
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (value == nullptr)
        return std::nullopt;
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

std::string requiredAttribute(const xmlNode* node, const char* name)
{
    std::optional<std::string> value = attribute(node, name);
    if (!value)
        throw XmlStructureError("missing " + std::string(name) + " attribute in " +
                                std::string(elementName(node)) + " on line " +
                                std::to_string(xmlGetLineNo(node)));
    return *value;
}

std::string textOf(const xmlNode* node)
{
    xmlChar* content = xmlNodeGetContent(node);
    if (content == nullptr)
        return {};
    std::string text(reinterpret_cast<const char*>(content));
    xmlFree(content);
    return text;
}

}  // namespace testcimom
