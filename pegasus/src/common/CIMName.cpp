#include <Pegasus/Common/CIMName.h>

#include <Pegasus/Common/Exception.h>

PEGASUS_NAMESPACE_BEGIN

namespace
{
enum CharClass : unsigned char
{
    OTHER,
    DIGIT,
    NAME_START,
};

// Every property, class and key name of a response is checked: one look-up
// a character. Built at compile time, so names in static objects of other
// units find it ready.
struct CharClasses
{
    CharClass of[256] = {};

    constexpr CharClasses()
    {
        for (int c = 0; c < 256; ++c)
        {
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80)
                of[c] = NAME_START;
            else if (c >= '0' && c <= '9')
                of[c] = DIGIT;
        }
    }
};

constexpr CharClasses CHARS;

bool legalName(const std::string& text, size_t begin, size_t end)
{
    if (begin >= end || CHARS.of[static_cast<unsigned char>(text[begin])] != NAME_START)
        return false;
    for (size_t i = begin + 1; i < end; ++i)
        if (CHARS.of[static_cast<unsigned char>(text[i])] == OTHER)
            return false;
    return true;
}

String withoutLeadingSlash(const String& name)
{
    return name.size() && name[0] == '/' ? name.subString(1) : name;
}

// Names separated by single slashes.
bool legalNamespace(const std::string& text)
{
    size_t begin = 0;
    for (;;)
    {
        const size_t slash = text.find('/', begin);
        const size_t end = slash == std::string::npos ? text.size() : slash;
        if (!legalName(text, begin, end))
            return false;
        if (slash == std::string::npos)
            return true;
        begin = slash + 1;
    }
}
}

CIMName::CIMName(String name) : _name(std::move(name))
{
    if (!legal(_name))
        throw InvalidNameException(String("invalid CIM name \"" + _name.str() + "\""));
}

CIMName::CIMName(const char* name) : CIMName(String(name))
{
}

Boolean CIMName::legal(const String& name)
{
    return legalName(name.str(), 0, name.size());
}

Boolean operator==(const CIMName& a, const CIMName& b)
{
    return a.equal(b);
}

Boolean operator!=(const CIMName& a, const CIMName& b)
{
    return !a.equal(b);
}

CIMNamespaceName::CIMNamespaceName(const String& name) : _name(withoutLeadingSlash(name))
{
    if (!legalNamespace(_name.str()))
        throw InvalidNamespaceNameException(String("invalid namespace name \"" + name.str() + "\""));
}

CIMNamespaceName::CIMNamespaceName(const char* name) : CIMNamespaceName(String(name))
{
}

Boolean CIMNamespaceName::legal(const String& name)
{
    return legalNamespace(withoutLeadingSlash(name).str());
}

Boolean operator==(const CIMNamespaceName& a, const CIMNamespaceName& b)
{
    return a.equal(b);
}

Boolean operator!=(const CIMNamespaceName& a, const CIMNamespaceName& b)
{
    return !a.equal(b);
}

PEGASUS_NAMESPACE_END
