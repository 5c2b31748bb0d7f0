#include "XmlWriter.h"

#include <Pegasus/Common/Exception.h>
#include <cstdio>
#include <string>

PEGASUS_NAMESPACE_BEGIN

namespace
{
[[noreturn]] void refuse(const std::string& what)
{
    throw CIMClientXmlException(String(what + " cannot be sent in CIM-XML"));
}

std::string codePointName(Uint32 code)
{
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
    return name;
}

// The length of the UTF-8 sequence that starts at text[pos] with a byte
// above 0x7F. Text that is not UTF-8 (stray continuation bytes, overlong
// forms, surrogates, values beyond U+10FFFF, a cut sequence) and the two
// non-characters U+FFFE and U+FFFF are refused: XML 1.0 cannot carry them,
// and a server rejects the whole request.
size_t xmlCharacterLength(std::string_view text, size_t pos)
{
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    // The lead byte gives the length and the first bits; the smallest code
    // of each length rules out overlong forms.
    struct Form
    {
        size_t length;
        Uint32 bits;
        Uint32 smallest;
    };
    Form form;
    if (lead >= 0xC2 && lead <= 0xDF)
        form = {2, lead & 0x1Fu, 0x80};
    else if ((lead & 0xF0) == 0xE0)
        form = {3, lead & 0x0Fu, 0x800};
    else if (lead >= 0xF0 && lead <= 0xF4)
        form = {4, lead & 0x07u, 0x10000};
    else
        refuse("text that is not UTF-8");
    const size_t length = form.length;
    Uint32 code = form.bits;
    if (pos + length > text.size())
        refuse("text that is not UTF-8");
    for (size_t i = 1; i < length; ++i)
    {
        const unsigned char next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
            refuse("text that is not UTF-8");
        code = (code << 6) | (next & 0x3F);
    }
    if (code < form.smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        refuse("text that is not UTF-8");
    if (code == 0xFFFE || code == 0xFFFF)
        refuse("character " + codePointName(code));
    return length;
}
}

XmlWriter& XmlWriter::start(const char* name)
{
    closeStartTag();
    _out += '<';
    _out += name;
    _startTagOpen = true;
    return *this;
}

XmlWriter& XmlWriter::attribute(const char* name, std::string_view value)
{
    _out += ' ';
    _out += name;
    _out += "=\"";
    escaped(value, true);
    _out += '"';
    return *this;
}

XmlWriter& XmlWriter::text(std::string_view value)
{
    closeStartTag();
    escaped(value, false);
    return *this;
}

XmlWriter& XmlWriter::end(const char* name)
{
    if (_startTagOpen)
    {
        _out += "/>";
        _startTagOpen = false;
        return *this;
    }
    _out += "</";
    _out += name;
    _out += '>';
    return *this;
}

XmlWriter& XmlWriter::newline()
{
    closeStartTag();
    _out += '\n';
    return *this;
}

XmlWriter& XmlWriter::raw(std::string_view xml)
{
    closeStartTag();
    _out += xml;
    return *this;
}

void XmlWriter::closeStartTag()
{
    if (_startTagOpen)
    {
        _out += '>';
        _startTagOpen = false;
    }
}

void XmlWriter::escaped(std::string_view value, bool inAttribute)
{
    for (size_t i = 0; i < value.size();)
    {
        if (static_cast<unsigned char>(value[i]) < 0x80)
        {
            escapedAscii(value[i], inAttribute);
            ++i;
        }
        else
        {
            const size_t length = xmlCharacterLength(value, i);
            _out.append(value, i, length);
            i += length;
        }
    }
}

void XmlWriter::escapedAscii(char c, bool inAttribute)
{
    switch (c)
    {
    case '&': _out += "&amp;"; break;
    case '<': _out += "&lt;"; break;
    case '>': _out += "&gt;"; break;
    case '"': _out += inAttribute ? "&quot;" : "\""; break;
    // Kept as references so that the reader's line-end and attribute
    // normalisation cannot change them.
    case '\r': _out += "&#13;"; break;
    case '\n': _out += inAttribute ? "&#10;" : "\n"; break;
    case '\t': _out += inAttribute ? "&#9;" : "\t"; break;
    default:
        if (static_cast<unsigned char>(c) < 0x20)
            throw CIMClientXmlException(String("control character " + std::to_string(static_cast<int>(c))
                                               + " cannot be sent in CIM-XML"));
        _out += c;
    }
}

PEGASUS_NAMESPACE_END
