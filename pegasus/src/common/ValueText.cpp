#include "ValueText.h"

#include <Pegasus/Common/String.h>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

PEGASUS_NAMESPACE_BEGIN

namespace ValueText
{
namespace
{
bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `lower` is written in lower case.
bool equalNoCase(std::string_view text, std::string_view lower)
{
    if (text.size() != lower.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (asciiLower(text[i]) != lower[i])
            return false;
    return true;
}

template <class Real>
bool parseNonFiniteReal(std::string_view text, Real& x)
{
    if (equalNoCase(text, "inf") || equalNoCase(text, "+inf"))
        x = std::numeric_limits<Real>::infinity();
    else if (equalNoCase(text, "-inf"))
        x = -std::numeric_limits<Real>::infinity();
    else if (equalNoCase(text, "nan"))
        x = std::numeric_limits<Real>::quiet_NaN();
    else
        return false;
    return true;
}

template <class Real>
bool appendNonFiniteReal(std::string& out, Real x)
{
    if (std::isnan(x))
        out += "NaN";
    else if (std::isinf(x))
        out += x < 0 ? "-INF" : "INF";
    else
        return false;
    return true;
}

template <class Real>
bool parseReal(std::string_view text, Real& x)
{
    text = trimmed(text);
    if (parseNonFiniteReal(text, x))
        return true;
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    Real value;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return false;
    x = value;
    return true;
}

template <class Wide>
bool parseMagnitude(std::string_view digits, Wide& magnitude)
{
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
    {
        base = 16;
        digits.remove_prefix(2);
    }
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    return !digits.empty() && result.ec == std::errc() && result.ptr == digits.data() + digits.size();
}
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

void appendBoolean(std::string& out, Boolean x)
{
    out += x ? "TRUE" : "FALSE";
}

void appendInteger(std::string& out, Uint64 x)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    out.append(buffer, result.ptr);
}

void appendInteger(std::string& out, Sint64 x)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    out.append(buffer, result.ptr);
}

void appendReal32(std::string& out, Real32 x)
{
    if (appendNonFiniteReal(out, x))
        return;
    // OpenPegasus's form has 8 significant digits; the few values that need
    // the ninth to read back exactly get it, so no value is lost.
    char buffer[32];
    int n = std::snprintf(buffer, sizeof buffer, "%.7e", static_cast<double>(x));
    if (std::strtof(buffer, nullptr) != x)
        n = std::snprintf(buffer, sizeof buffer, "%.8e", static_cast<double>(x));
    out.append(buffer, static_cast<size_t>(n));
}

void appendReal64(std::string& out, Real64 x)
{
    if (appendNonFiniteReal(out, x))
        return;
    char buffer[40];
    const int n = std::snprintf(buffer, sizeof buffer, "%.16e", x);
    out.append(buffer, static_cast<size_t>(n));
}

void appendChar16(std::string& out, Char16 x)
{
    String text;
    text.append(x);
    out += text.str();
}

void append(std::string& out, Boolean x) { appendBoolean(out, x); }
void append(std::string& out, Uint8 x) { appendInteger(out, Uint64(x)); }
void append(std::string& out, Uint16 x) { appendInteger(out, Uint64(x)); }
void append(std::string& out, Uint32 x) { appendInteger(out, Uint64(x)); }
void append(std::string& out, Uint64 x) { appendInteger(out, x); }
void append(std::string& out, Sint8 x) { appendInteger(out, Sint64(x)); }
void append(std::string& out, Sint16 x) { appendInteger(out, Sint64(x)); }
void append(std::string& out, Sint32 x) { appendInteger(out, Sint64(x)); }
void append(std::string& out, Sint64 x) { appendInteger(out, x); }
void append(std::string& out, Real32 x) { appendReal32(out, x); }
void append(std::string& out, Real64 x) { appendReal64(out, x); }
void append(std::string& out, Char16 x) { appendChar16(out, x); }
void append(std::string& out, const String& x) { out += x.str(); }
void append(std::string& out, const CIMDateTime& x) { out += x.toString().str(); }
void append(std::string& out, const CIMObjectPath& x) { out += x.toString().str(); }

Boolean parseBoolean(std::string_view text, Boolean& x)
{
    text = trimmed(text);
    if (equalNoCase(text, "true"))
        x = true;
    else if (equalNoCase(text, "false"))
        x = false;
    else
        return false;
    return true;
}

template <class T>
Boolean parseInteger(std::string_view text, T& x)
{
    text = trimmed(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    Uint64 magnitude = 0;
    if (!parseMagnitude(text, magnitude))
        return false;
    if (negative)
    {
        const Uint64 limit = static_cast<Uint64>(-(std::numeric_limits<T>::min() + 1)) + 1;
        if (!std::numeric_limits<T>::is_signed ? magnitude != 0 : magnitude > limit)
            return false;
        x = static_cast<T>(-static_cast<Sint64>(magnitude - 1) - 1);
        if (magnitude == 0)
            x = 0;
        return true;
    }
    if (magnitude > static_cast<Uint64>(std::numeric_limits<T>::max()))
        return false;
    x = static_cast<T>(magnitude);
    return true;
}

template Boolean parseInteger<Uint8>(std::string_view, Uint8&);
template Boolean parseInteger<Sint8>(std::string_view, Sint8&);
template Boolean parseInteger<Uint16>(std::string_view, Uint16&);
template Boolean parseInteger<Sint16>(std::string_view, Sint16&);
template Boolean parseInteger<Uint32>(std::string_view, Uint32&);
template Boolean parseInteger<Sint32>(std::string_view, Sint32&);
template Boolean parseInteger<Uint64>(std::string_view, Uint64&);
template Boolean parseInteger<Sint64>(std::string_view, Sint64&);

Boolean parseReal32(std::string_view text, Real32& x)
{
    return parseReal(text, x);
}

Boolean parseReal64(std::string_view text, Real64& x)
{
    return parseReal(text, x);
}

Boolean isNumber(std::string_view text)
{
    Sint64 i;
    Uint64 u;
    Real64 r;
    return parseInteger(text, i) || parseInteger(text, u) || parseReal64(text, r);
}

Boolean parseChar16(std::string_view text, Char16& x)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto continuation = [&](size_t i) { return (byte(i) & 0xC0) == 0x80; };
    if (text.size() == 1 && byte(0) < 0x80)
        x = Char16(byte(0));
    else if (text.size() == 2 && byte(0) >= 0xC2 && byte(0) < 0xE0 && continuation(1))
        x = Char16(static_cast<Uint16>(((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F)));
    else if (text.size() == 3 && (byte(0) & 0xF0) == 0xE0 && continuation(1) && continuation(2))
    {
        const Uint16 code = static_cast<Uint16>(((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F));
        if (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        x = Char16(code);
    }
    else
        return false;
    return true;
}
}

PEGASUS_NAMESPACE_END
