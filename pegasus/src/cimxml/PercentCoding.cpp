#include "PercentCoding.h"

PEGASUS_NAMESPACE_BEGIN

namespace
{
bool keptAsIs(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
        || c == '.' || c == '~' || c == ':';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
}

std::string percentEncode(std::string_view text)
{
    static const char HEX[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text)
    {
        const unsigned char u = static_cast<unsigned char>(c);
        if (keptAsIs(u))
        {
            out += c;
            continue;
        }
        out += '%';
        out += HEX[u >> 4];
        out += HEX[u & 0x0F];
    }
    return out;
}

std::string percentDecode(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const int high = i + 2 < text.size() && text[i] == '%' ? hexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(text[i + 2]) : -1;
        if (low < 0)
        {
            out += text[i];
            continue;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

PEGASUS_NAMESPACE_END
