#ifndef Pegasus_XmlAttributes_h
#define Pegasus_XmlAttributes_h

#include "CimXmlAttribute.h"
#include "InternedNames.h"
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMType.h>
#include <algorithm>
#include <string_view>

PEGASUS_NAMESPACE_BEGIN

// The attributes of one start tag, as libxml2's SAX2 parser hands them
// over: five pointers each (local name, prefix, URI, value, end of value).
// Attributes that are missing where required or malformed throw
// DecodeError.
class XmlAttributes
{
public:
    using Names = InternedNames<CimXmlAttribute, cimXmlAttributeOf>;

    // Elements look up several attributes each: what the first few are is
    // worked out once, here.
    XmlAttributes(const unsigned char** attributes, int count, Names& names)
        : _attributes(attributes), _count(count), _names(names)
    {
        for (int i = 0; i < std::min(count, RESOLVED); ++i)
            _kinds[i] = names.of(attributes[5 * i]);
    }

    bool find(CimXmlAttribute wanted, std::string_view& value) const
    {
        for (int i = 0; i < _count; ++i)
        {
            if (kindOf(i) == wanted)
            {
                const char* const* a = reinterpret_cast<const char* const*>(_attributes + 5 * i);
                value = std::string_view(a[3], static_cast<size_t>(a[4] - a[3]));
                return true;
            }
        }
        return false;
    }

    std::string_view required(CimXmlAttribute name) const;
    // TRUE or FALSE in any case; the default when the attribute is absent.
    bool flag(CimXmlAttribute name, bool defaultValue) const;
    CIMName name(CimXmlAttribute attribute) const;
    // A null name when the attribute is absent or empty.
    CIMName optionalName(CimXmlAttribute attribute) const;
    // The CIM type named by the attribute; false when it is absent or empty.
    bool type(CimXmlAttribute attribute, CIMType& type) const;
    // 0 when the attribute is absent.
    Uint32 number(CimXmlAttribute attribute) const;

private:
    static constexpr int RESOLVED = 8;

    CimXmlAttribute kindOf(int i) const { return i < RESOLVED ? _kinds[i] : _names.of(_attributes[5 * i]); }

    const unsigned char** _attributes;
    int _count;
    Names& _names;
    CimXmlAttribute _kinds[RESOLVED];
};

PEGASUS_NAMESPACE_END

#endif
