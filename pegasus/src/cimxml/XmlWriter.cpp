#include "XmlWriter.h"

#include <Pegasus/Common/Exception.h>
#include <string>

PEGASUS_NAMESPACE_BEGIN

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
    for (char c : value)
    {
        const unsigned char u = static_cast<unsigned char>(c);
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
            if (u < 0x20)
                throw CIMClientXmlException(String("control character " + std::to_string(u)
                                                   + " cannot be sent in CIM-XML"));
            _out += c;
        }
    }
}

PEGASUS_NAMESPACE_END
