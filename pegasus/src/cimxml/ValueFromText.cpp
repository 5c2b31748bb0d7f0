#include "ValueFromText.h"

#include "TypeVisit.h"
#include "ValueText.h"
#include <Pegasus/Common/Exception.h>
#include <type_traits>

PEGASUS_NAMESPACE_BEGIN

namespace
{
bool parseElement(std::string& text, Boolean& x) { return ValueText::parseBoolean(text, x); }
bool parseElement(std::string& text, Real32& x) { return ValueText::parseReal32(text, x); }
bool parseElement(std::string& text, Real64& x) { return ValueText::parseReal64(text, x); }
bool parseElement(std::string& text, Char16& x) { return ValueText::parseChar16(text, x); }
bool parseElement(std::string&, CIMObjectPath&) { return false; }

// Short texts are copied: the value gets an exact fit and the decoder
// keeps its buffer for the next text instead of growing a new one. Long
// ones are moved, sparing the copy.
const size_t MOVED_TEXT_SIZE = 1024;

bool parseElement(std::string& text, String& x)
{
    x = text.size() < MOVED_TEXT_SIZE ? String(text) : String(std::move(text));
    return true;
}

bool parseElement(std::string& text, CIMDateTime& x)
{
    const std::string_view value = ValueText::trimmed(text);
    if (value.size() != text.size())
        text = std::string(value);
    try
    {
        x = CIMDateTime(text.c_str());
        return true;
    }
    catch (const InvalidDateTimeFormatException&)
    {
        return false;
    }
}

template <class T, class = std::enable_if_t<std::is_integral<T>::value>>
bool parseElement(std::string& text, T& x)
{
    return ValueText::parseInteger(text, x);
}

template <class T>
T parsedElement(std::string& text, CIMType type)
{
    T x{};
    if (!parseElement(text, x))
        throw CIMClientXmlException(String("\"" + text + "\" is not a valid " + cimTypeToString(type) + " value"));
    return x;
}
}

CIMValue scalarFromText(CIMType type, std::string& text)
{
    return visitCIMType(type, [&](auto tag) { return CIMValue(parsedElement<typename decltype(tag)::type>(text, type)); });
}

CIMValue arrayFromText(CIMType type, std::vector<std::string>& items, const std::vector<bool>& nullItems)
{
    return visitCIMType(type, [&](auto tag) {
        using T = typename decltype(tag)::type;
        Array<T> array;
        array.reserveCapacity(static_cast<Uint32>(items.size()));
        for (size_t i = 0; i < items.size(); ++i)
            array.append(nullItems[i] ? T() : parsedElement<T>(items[i], type));
        return CIMValue(std::move(array));
    });
}

PEGASUS_NAMESPACE_END
