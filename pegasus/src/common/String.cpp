#include <Pegasus/Common/String.h>

#include <Pegasus/Common/Exception.h>
#include <algorithm>
#include <cstdio>
#include <ostream>

PEGASUS_NAMESPACE_BEGIN

const String String::EMPTY;

namespace
{
char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

size_t toStdSize(Uint32 size)
{
    return size == PEG_NOT_FOUND ? std::string::npos : size;
}

Uint32 fromStdPos(size_t pos)
{
    return pos == std::string::npos ? PEG_NOT_FOUND : static_cast<Uint32>(pos);
}

// Appends the UTF-8 form of one UTF-16 code unit. Half of a surrogate pair
// is no character and has no UTF-8 form: it is refused rather than
// replaced, so that no text changes unnoticed.
void appendUtf8(std::string& out, Uint16 code)
{
    if (code >= 0xD800 && code <= 0xDFFF)
    {
        char name[8];
        std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
        throw Exception(String(std::string("char16 ") + name + " is half of a surrogate pair, not a character"));
    }
    if (code < 0x80)
    {
        out += static_cast<char>(code);
    }
    else if (code < 0x800)
    {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}
}

char String::operator[](Uint32 index) const
{
    if (index >= _text.size())
        throw IndexOutOfBoundsException();
    return _text[index];
}

String& String::append(const String& other)
{
    _text += other._text;
    return *this;
}

String& String::append(const char* text, Uint32 size)
{
    _text.append(text, size);
    return *this;
}

String& String::append(char c)
{
    _text += c;
    return *this;
}

String& String::append(Char16 c)
{
    appendUtf8(_text, c.getCode());
    return *this;
}

void String::remove(Uint32 index, Uint32 size)
{
    if (index > _text.size())
        throw IndexOutOfBoundsException();
    _text.erase(index, toStdSize(size));
}

String String::subString(Uint32 index, Uint32 size) const
{
    if (index > _text.size())
        return String();
    return String(_text.substr(index, toStdSize(size)));
}

Uint32 String::find(char c) const
{
    return fromStdPos(_text.find(c));
}

Uint32 String::find(const String& text) const
{
    return fromStdPos(_text.find(text._text));
}

Uint32 String::find(Uint32 index, char c) const
{
    return fromStdPos(_text.find(c, index));
}

void String::toLower()
{
    std::transform(_text.begin(), _text.end(), _text.begin(), asciiLower);
}

void String::toUpper()
{
    std::transform(_text.begin(), _text.end(), _text.begin(), asciiUpper);
}

int String::compareNoCase(const String& a, const String& b)
{
    const size_t n = std::min(a._text.size(), b._text.size());
    for (size_t i = 0; i < n; ++i)
    {
        const unsigned char x = static_cast<unsigned char>(asciiLower(a._text[i]));
        const unsigned char y = static_cast<unsigned char>(asciiLower(b._text[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a._text.size() == b._text.size())
        return 0;
    return a._text.size() < b._text.size() ? -1 : 1;
}

Boolean operator==(const String& a, const String& b)
{
    return String::equal(a, b);
}

Boolean operator==(const String& a, const char* b)
{
    return a.str() == (b ? b : "");
}

Boolean operator==(const char* a, const String& b)
{
    return b == a;
}

Boolean operator!=(const String& a, const String& b)
{
    return !String::equal(a, b);
}

Boolean operator<(const String& a, const String& b)
{
    return String::compare(a, b) < 0;
}

String operator+(const String& a, const String& b)
{
    return String(a.str() + b.str());
}

std::ostream& operator<<(std::ostream& os, const String& s)
{
    return os << s.str();
}

PEGASUS_NAMESPACE_END
