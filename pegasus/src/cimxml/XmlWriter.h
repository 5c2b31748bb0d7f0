#ifndef Pegasus_XmlWriter_h
#define Pegasus_XmlWriter_h

#include <Pegasus/Common/Config.h>
#include <string>
#include <string_view>

PEGASUS_NAMESPACE_BEGIN

// Writes well-formed XML into a string. A start tag stays open for
// attributes until content or the end tag follows; an element without
// content ends as "<NAME/>".
class XmlWriter
{
public:
    XmlWriter& start(const char* name);
    XmlWriter& attribute(const char* name, std::string_view value);
    XmlWriter& text(std::string_view value);
    XmlWriter& end(const char* name);
    // Line breaks between elements, as CIM servers write them; they carry
    // no meaning.
    XmlWriter& newline();
    // An already written fragment, inserted as it is.
    XmlWriter& raw(std::string_view xml);

    const std::string& str() const { return _out; }

private:
    void closeStartTag();
    // Throws CIMClientXmlException for characters XML 1.0 cannot carry and
    // for text that is not UTF-8.
    void escaped(std::string_view value, bool inAttribute);
    void escapedAscii(char c, bool inAttribute);

    std::string _out;
    bool _startTagOpen = false;
};

PEGASUS_NAMESPACE_END

#endif
