#pragma once
// A libxml2 document and the few element accessors the readers need. Parsing
// never loads external entities nor substitutes entities, so a hostile
// document cannot reach files or the network or expand itself.

#include <libxml/tree.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace testcimom {

// A document that is well-formed XML but not the CIM-XML expected.
class XmlStructureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Text that is not well-formed XML.
class XmlSyntaxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class XmlDocument {
public:
    // Throws XmlSyntaxError with libxml2's message and line.
    static XmlDocument parse(std::string_view text);
    static XmlDocument parseFile(const std::string& path);

    xmlNode* root() const;

private:
    explicit XmlDocument(xmlDoc* doc);
    std::shared_ptr<xmlDoc> doc_;
};

std::string_view elementName(const xmlNode* node);
bool isElement(const xmlNode* node, std::string_view name);
std::vector<xmlNode*> childElements(const xmlNode* node);
std::vector<xmlNode*> childElements(const xmlNode* node, std::string_view name);
xmlNode* firstChild(const xmlNode* node, std::string_view name);
// Throws XmlStructureError when the child is missing.
xmlNode* requiredChild(const xmlNode* node, std::string_view name);
std::optional<std::string> attribute(const xmlNode* node, const char* name);
std::string requiredAttribute(const xmlNode* node, const char* name);
std::string textOf(const xmlNode* node);

}  // namespace testcimom
