#ifndef Pegasus_XmlAttributes_h
#define Pegasus_XmlAttributes_h

#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMType.h>
#include <string_view>

PEGASUS_NAMESPACE_BEGIN

// The attributes of one start tag, as libxml2's SAX2 parser hands them
// over: five pointers each (local name, prefix, URI, value, end of value).
// Attributes that are missing where required or malformed throw
// DecodeError.
class XmlAttributes
{
public:
    XmlAttributes(const unsigned char** attributes, int count) : _attributes(attributes), _count(count) {}

    bool find(const char* name, std::string_view& value) const;
    std::string_view required(const char* name) const;
    // TRUE or FALSE in any case; the default when the attribute is absent.
    bool flag(const char* name, bool defaultValue) const;
    CIMName name(const char* attribute) const;
    // A null name when the attribute is absent or empty.
    CIMName optionalName(const char* attribute) const;
    // The CIM type named by the attribute; false when it is absent or empty.
    bool type(const char* attribute, CIMType& type) const;
    // 0 when the attribute is absent.
    Uint32 number(const char* attribute) const;

private:
    const unsigned char** _attributes;
    int _count;
};

PEGASUS_NAMESPACE_END

#endif
