#include "TypedText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace testcimom {

namespace {

struct IntegerRange {
    bool isSigned;
    std::uint64_t max;  // the largest magnitude above zero; below zero it is max + 1
};

std::optional<IntegerRange> integerRange(CimType type)
{
    switch (type) {
    case CimType::Uint8: return IntegerRange{false, 0xFF};
    case CimType::Sint8: return IntegerRange{true, 0x7F};
    case CimType::Uint16: return IntegerRange{false, 0xFFFF};
    case CimType::Sint16: return IntegerRange{true, 0x7FFF};
    case CimType::Uint32: return IntegerRange{false, 0xFFFFFFFF};
    case CimType::Sint32: return IntegerRange{true, 0x7FFFFFFF};
    case CimType::Uint64: return IntegerRange{false, std::numeric_limits<std::uint64_t>::max()};
    case CimType::Sint64: return IntegerRange{true, std::uint64_t(std::numeric_limits<std::int64_t>::max())};
    default: return std::nullopt;
    }
}

std::string_view trimmed(std::string_view text)
{
    const char* space = " \t\r\n";
    std::size_t first = text.find_first_not_of(space);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

std::optional<std::string> booleanText(std::string_view text)
{
    text = trimmed(text);
    if (sameName(text, "true"))
        return "TRUE";
    if (sameName(text, "false"))
        return "FALSE";
    return std::nullopt;
}

// Decimal, or hexadecimal after 0x; a sign where the type allows it.
std::optional<std::string> integerText(const IntegerRange& range, std::string_view text)
{
    text = trimmed(text);
    bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint64_t magnitude = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if (negative && magnitude != 0 && (!range.isSigned || magnitude - 1 > range.max))
        return std::nullopt;
    if (!negative && magnitude > range.max)
        return std::nullopt;
    return (negative && magnitude != 0 ? "-" : "") + std::to_string(magnitude);
}

std::optional<std::string> nonFiniteText(std::string_view text)
{
    if (sameName(text, "NaN"))
        return "NaN";
    if (sameName(text, "INF") || sameName(text, "+INF"))
        return "INF";
    if (sameName(text, "-INF"))
        return "-INF";
    return std::nullopt;
}

// The shortest text that reads back as the same value.
template <class Real>
std::optional<std::string> realText(std::string_view text)
{
    text = trimmed(text);
    if (std::optional<std::string> nonFinite = nonFiniteText(text))
        return nonFinite;
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    Real value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    char buffer[64];
    auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

// The code point of a text that is exactly one UTF-8 character of the
// Basic Multilingual Plane (what a char16 holds), or nullopt.
std::optional<unsigned> singleCodePoint(std::string_view text)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    auto continuation = [&](std::size_t i) { return (byte(i) & 0xC0) == 0x80; };
    if (text.size() == 1 && byte(0) < 0x80)
        return byte(0);
    if (text.size() == 2 && byte(0) >= 0xC2 && byte(0) < 0xE0 && continuation(1))
        return ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
    if (text.size() != 3 || (byte(0) & 0xF0) != 0xE0 || !continuation(1) || !continuation(2))
        return std::nullopt;
    unsigned code = ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
    if (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    return code;
}

// A two-digit field of a datetime below the limit ('*' stands for any).
bool fieldBelow(std::string_view text, std::size_t at, int limit, int minimum = 0)
{
    if (text[at] == '*' && text[at + 1] == '*')
        return true;
    int value = (text[at] - '0') * 10 + (text[at + 1] - '0');
    return value >= minimum && value < limit;
}

// yyyymmddhhmmss.mmmmmmsutc (timestamp, s '+' or '-') or
// ddddddddhhmmss.mmmmmm:000 (interval), digits or '*'.
bool isDatetime(std::string_view text)
{
    if (text.size() != 25 || text[14] != '.')
        return false;
    for (std::size_t i = 0; i < 25; ++i) {
        bool digit = text[i] >= '0' && text[i] <= '9';
        if (i != 14 && i != 21 && !digit && !(text[i] == '*' && i < 21))
            return false;
    }
    if (text[21] == ':')
        return text.substr(22) == "000" && fieldBelow(text, 8, 24) && fieldBelow(text, 10, 60) &&
               fieldBelow(text, 12, 60);
    return (text[21] == '+' || text[21] == '-') && fieldBelow(text, 4, 13, 1) && fieldBelow(text, 6, 32, 1) &&
           fieldBelow(text, 8, 24) && fieldBelow(text, 10, 60) && fieldBelow(text, 12, 60);
}

}  // namespace

std::optional<std::string> TypedText::canonical(CimType type, std::string_view text)
{
    if (std::optional<IntegerRange> range = integerRange(type))
        return integerText(*range, text);
    switch (type) {
    case CimType::Boolean: return booleanText(text);
    case CimType::Real32: return realText<float>(text);
    case CimType::Real64: return realText<double>(text);
    case CimType::Char16:
        return singleCodePoint(text) ? std::optional<std::string>(text) : std::nullopt;
    case CimType::String: return std::string(text);
    case CimType::Datetime:
        return isDatetime(trimmed(text)) ? std::optional<std::string>(trimmed(text)) : std::nullopt;
    default: return std::nullopt;
    }
}

std::string TypedText::codePoint(std::string_view char16)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", singleCodePoint(char16).value_or(0));
    return buffer;
}

}  // namespace testcimom
