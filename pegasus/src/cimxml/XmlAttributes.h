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

    // Every element looks up several attributes of a few letters each:
    // compared in place, most candidates fail on the first letter.
    bool find(std::string_view name, std::string_view& value) const
    {
        for (int i = 0; i < _count; ++i)
        {
            const char* const* a = reinterpret_cast<const char* const*>(_attributes + 5 * i);
            if (isNamed(a[0], name))
            {
                value = std::string_view(a[3], static_cast<size_t>(a[4] - a[3]));
                return true;
            }
        }
        return false;
    }

    std::string_view required(std::string_view name) const;
    // TRUE or FALSE in any case; the default when the attribute is absent.
    bool flag(std::string_view name, bool defaultValue) const;
    CIMName name(std::string_view attribute) const;
    // A null name when the attribute is absent or empty.
    CIMName optionalName(std::string_view attribute) const;
    // The CIM type named by the attribute; false when it is absent or empty.
    bool type(std::string_view attribute, CIMType& type) const;
    // 0 when the attribute is absent.
    Uint32 number(std::string_view attribute) const;

private:
    static bool isNamed(const char* attribute, std::string_view name)
    {
        for (char c : name)
            if (*attribute++ != c)
                return false;
        return *attribute == 0;
    }

    const unsigned char** _attributes;
    int _count;
};

PEGASUS_NAMESPACE_END

#endif
