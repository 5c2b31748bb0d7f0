#include <Pegasus/Common/CIMObjectPath.h>

#include "ValueText.h"
#include <Pegasus/Common/CIMValue.h>
#include <Pegasus/Common/Exception.h>
#include <algorithm>

PEGASUS_NAMESPACE_BEGIN

namespace
{
[[noreturn]] void malformed(const std::string& text, const char* why)
{
    throw MalformedObjectNameException(String("malformed object path \"" + text + "\": " + why));
}

void appendQuoted(std::string& out, const std::string& value)
{
    out += '"';
    for (char c : value)
    {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    out += '"';
}

CIMKeyBinding::Type keyTypeOf(const CIMValue& value)
{
    switch (value.getType())
    {
    case CIMTYPE_BOOLEAN: return CIMKeyBinding::BOOLEAN;
    case CIMTYPE_CHAR16:
    case CIMTYPE_STRING:
    case CIMTYPE_DATETIME: return CIMKeyBinding::STRING;
    case CIMTYPE_REFERENCE: return CIMKeyBinding::REFERENCE;
    default: return CIMKeyBinding::NUMERIC;
    }
}

bool sameKeys(const Array<CIMKeyBinding>& a, const Array<CIMKeyBinding>& b)
{
    if (a.size() != b.size())
        return false;
    for (Uint32 i = 0; i < a.size(); ++i)
    {
        bool found = false;
        for (Uint32 j = 0; j < b.size() && !found; ++j)
            found = a[i].equal(b[j]);
        if (!found)
            return false;
    }
    return true;
}

// References compare as paths; a text that names no path can only equal
// the same text.
bool sameReference(const String& a, const String& b)
{
    try
    {
        return CIMObjectPath(a).identical(CIMObjectPath(b));
    }
    catch (const MalformedObjectNameException&)
    {
        return a == b;
    }
}

// Reads the text form left to right.
class PathParser
{
public:
    explicit PathParser(const std::string& text) : _text(text) {}

    void parse(CIMObjectPath& path)
    {
        path.clear();
        parseHost(path);
        parseNamespace(path);
        parseClassName(path);
        if (_pos < _text.size())
            parseKeys(path);
    }

private:
    void parseHost(CIMObjectPath& path)
    {
        if (_text.compare(0, 2, "//") != 0)
            return;
        const size_t slash = _text.find('/', 2);
        if (slash == std::string::npos || slash == 2)
            malformed(_text, "host without namespace");
        path.setHost(String(_text.substr(2, slash - 2)));
        _pos = slash + 1;
    }

    void parseNamespace(CIMObjectPath& path)
    {
        const size_t limit = std::min(_text.find('.', _pos), _text.find('=', _pos));
        const size_t colon = _text.find(':', _pos);
        if (colon == std::string::npos || colon > limit)
        {
            if (path.getHost().size())
                malformed(_text, "host without namespace");
            return;
        }
        path.setNameSpace(checked<CIMNamespaceName>(_text.substr(_pos, colon - _pos)));
        _pos = colon + 1;
    }

    void parseClassName(CIMObjectPath& path)
    {
        const size_t end = std::min(_text.find('.', _pos), _text.find('=', _pos));
        path.setClassName(checked<CIMName>(_text.substr(_pos, end - _pos)));
        _pos = end == std::string::npos ? _text.size() : end;
    }

    void parseKeys(CIMObjectPath& path)
    {
        if (_text.compare(_pos, std::string::npos, "=@") == 0)
            return;
        if (_text[_pos] != '.')
            malformed(_text, "expected '.' after the class name");
        do
        {
            ++_pos;
            path.addKeyBinding(parseKey());
        } while (_pos < _text.size() && _text[_pos] == ',');
        if (_pos != _text.size())
            malformed(_text, "unexpected text after a key value");
    }

    CIMKeyBinding parseKey()
    {
        const size_t equals = _text.find('=', _pos);
        if (equals == std::string::npos)
            malformed(_text, "key without value");
        const CIMName name = checked<CIMName>(_text.substr(_pos, equals - _pos));
        _pos = equals + 1;
        if (_pos < _text.size() && _text[_pos] == '"')
            return quotedKey(name);
        return unquotedKey(name);
    }

    CIMKeyBinding quotedKey(const CIMName& name)
    {
        std::string value;
        for (++_pos; _pos < _text.size() && _text[_pos] != '"'; ++_pos)
        {
            if (_text[_pos] == '\\' && _pos + 1 < _text.size())
                ++_pos;
            value += _text[_pos];
        }
        if (_pos == _text.size())
            malformed(_text, "unterminated string value");
        ++_pos;
        return CIMKeyBinding(name, String(value), looksLikePath(value) ? CIMKeyBinding::REFERENCE : CIMKeyBinding::STRING);
    }

    CIMKeyBinding unquotedKey(const CIMName& name)
    {
        const size_t end = std::min(_text.find(',', _pos), _text.size());
        const std::string value = _text.substr(_pos, end - _pos);
        _pos = end;
        Boolean b;
        if (ValueText::parseBoolean(value, b))
            return CIMKeyBinding(name, String(value), CIMKeyBinding::BOOLEAN);
        if (!ValueText::isNumber(value))
            malformed(_text, "unquoted key value is neither boolean nor numeric");
        return CIMKeyBinding(name, String(value), CIMKeyBinding::NUMERIC);
    }

    // A quoted value that parses as an instance path with keys is taken for
    // a reference.
    static bool looksLikePath(const std::string& value)
    {
        if (value.find('=') == std::string::npos || value.find('.') == std::string::npos)
            return false;
        try
        {
            CIMObjectPath path;
            PathParser(value).parse(path);
            return path.getKeyBindings().size() > 0;
        }
        catch (const Exception&)
        {
            return false;
        }
    }

    template <class Name>
    Name checked(const std::string& text) const
    {
        try
        {
            return Name(String(text));
        }
        catch (const Exception& e)
        {
            malformed(_text, e.getMessage().str().c_str());
        }
    }

    const std::string& _text;
    size_t _pos = 0;
};
}

CIMKeyBinding::CIMKeyBinding() : _type(STRING)
{
}

CIMKeyBinding::CIMKeyBinding(CIMName name, String value, Type type)
    : _name(std::move(name)), _value(std::move(value)), _type(type)
{
}

CIMKeyBinding::CIMKeyBinding(const CIMName& name, const CIMObjectPath& reference)
    : _name(name), _value(reference.toString()), _type(REFERENCE)
{
}

CIMKeyBinding::CIMKeyBinding(const CIMName& name, const CIMValue& value)
    : _name(name), _value(value.toString()), _type(keyTypeOf(value))
{
    if (value.isArray() || value.isNull())
        throw TypeMismatchException(String("a key value must be a non-null scalar"));
}

Boolean CIMKeyBinding::equal(const CIMKeyBinding& other) const
{
    if (!_name.equal(other._name) || _type != other._type)
        return false;
    if (_type == REFERENCE)
        return sameReference(_value, other._value);
    if (_type == BOOLEAN)
        return String::equalNoCase(_value, other._value);
    return _value == other._value;
}

Boolean operator==(const CIMKeyBinding& a, const CIMKeyBinding& b)
{
    return a.equal(b);
}

CIMObjectPath::CIMObjectPath(const String& text)
{
    set(text);
}

CIMObjectPath::CIMObjectPath(const char* text) : CIMObjectPath(String(text))
{
}

CIMObjectPath::CIMObjectPath(const String& host,
                             const CIMNamespaceName& nameSpace,
                             const CIMName& className,
                             const Array<CIMKeyBinding>& keyBindings)
{
    set(host, nameSpace, className, keyBindings);
}

void CIMObjectPath::set(const String& text)
{
    PathParser(text.str()).parse(*this);
}

void CIMObjectPath::set(const String& host,
                        const CIMNamespaceName& nameSpace,
                        const CIMName& className,
                        const Array<CIMKeyBinding>& keyBindings)
{
    _host = host;
    _nameSpace = nameSpace;
    _className = className;
    _keyBindings = keyBindings;
}

void CIMObjectPath::clear()
{
    _host.clear();
    _nameSpace.clear();
    _className.clear();
    _keyBindings.clear();
}

String CIMObjectPath::toString() const
{
    std::string out;
    if (_host.size())
        out += "//" + _host.str() + "/";
    if (!_nameSpace.isNull())
        out += _nameSpace.getString().str() + ":";
    out += _className.getString().str();
    for (Uint32 i = 0; i < _keyBindings.size(); ++i)
    {
        const CIMKeyBinding& key = _keyBindings[i];
        out += i ? ',' : '.';
        out += key.getName().getString().str();
        out += '=';
        if (key.getType() == CIMKeyBinding::STRING || key.getType() == CIMKeyBinding::REFERENCE)
            appendQuoted(out, key.getValue().str());
        else
            out += key.getValue().str();
    }
    return String(std::move(out));
}

Boolean CIMObjectPath::identical(const CIMObjectPath& other) const
{
    return String::equalNoCase(_host, other._host) && _nameSpace.equal(other._nameSpace)
        && _className.equal(other._className) && sameKeys(_keyBindings, other._keyBindings);
}

Boolean operator==(const CIMObjectPath& a, const CIMObjectPath& b)
{
    return a.identical(b);
}

Boolean operator!=(const CIMObjectPath& a, const CIMObjectPath& b)
{
    return !a.identical(b);
}

PEGASUS_NAMESPACE_END
