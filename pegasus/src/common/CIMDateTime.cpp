#include <Pegasus/Common/CIMDateTime.h>

#include <Pegasus/Common/Exception.h>
#include <cstring>
#include <string>

PEGASUS_NAMESPACE_BEGIN

namespace
{
const char ZERO_INTERVAL[] = "00000000000000.000000:000";

struct Field
{
    size_t begin;
    size_t size;
    int min;
    int max;
};

// Date and time fields, most significant first; microseconds follow.
const Field TIMESTAMP_FIELDS[] = {{0, 4, 0, 9999}, {4, 2, 1, 12}, {6, 2, 1, 31},
                                  {8, 2, 0, 23},   {10, 2, 0, 59}, {12, 2, 0, 59}};
const Field INTERVAL_FIELDS[] = {{0, 8, 0, 99999999}, {8, 2, 0, 23}, {10, 2, 0, 59}, {12, 2, 0, 59}};

bool allOf(const char* text, size_t size, bool (*test)(char))
{
    for (size_t i = 0; i < size; ++i)
        if (!test(text[i]))
            return false;
    return true;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isStar(char c)
{
    return c == '*';
}

int numberOf(const char* text, size_t size)
{
    int value = 0;
    for (size_t i = 0; i < size; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

// Each field is all digits within range or all "*"; once a field is left
// left open every less significant one must be as well.
template <size_t N>
bool validFields(const char* text, const Field (&fields)[N], bool& wildcardSeen)
{
    for (const Field& f : fields)
    {
        const char* p = text + f.begin;
        if (allOf(p, f.size, isStar))
        {
            wildcardSeen = true;
            continue;
        }
        if (wildcardSeen || !allOf(p, f.size, isDigit))
            return false;
        const int value = numberOf(p, f.size);
        if (value < f.min || value > f.max)
            return false;
    }
    return true;
}

// Microseconds: digits, then "*" to the end of the field.
bool validMicroseconds(const char* text, bool wildcardSeen)
{
    size_t digits = 0;
    while (digits < 6 && isDigit(text[15 + digits]))
        ++digits;
    if (wildcardSeen && digits > 0)
        return false;
    return allOf(text + 15 + digits, 6 - digits, isStar);
}

bool validText(std::string_view text)
{
    if (text.size() != CIMDateTime::TEXT_SIZE || text[14] != '.')
        return false;
    const char* p = text.data();
    const char sign = p[21];
    bool wildcardSeen = false;
    if (sign == ':')
    {
        return validFields(p, INTERVAL_FIELDS, wildcardSeen) && validMicroseconds(p, wildcardSeen)
            && std::memcmp(p + 22, "000", 3) == 0;
    }
    if (sign != '+' && sign != '-')
        return false;
    return validFields(p, TIMESTAMP_FIELDS, wildcardSeen) && validMicroseconds(p, wildcardSeen)
        && allOf(p + 22, 3, isDigit);
}
}

CIMDateTime::CIMDateTime()
{
    std::memcpy(_text, ZERO_INTERVAL, TEXT_SIZE);
}

CIMDateTime::CIMDateTime(const String& text) : CIMDateTime()
{
    set(text);
}

// Decoders make every datetime value from a char*: no String on the way.
CIMDateTime::CIMDateTime(const char* text) : CIMDateTime()
{
    setText(text);
}

void CIMDateTime::set(const String& text)
{
    setText(text.str());
}

void CIMDateTime::setText(std::string_view text)
{
    if (!validText(text))
        throw InvalidDateTimeFormatException(String("invalid CIM datetime \"" + std::string(text) + "\""));
    std::memcpy(_text, text.data(), TEXT_SIZE);
}

String CIMDateTime::toString() const
{
    return String(_text, TEXT_SIZE);
}

Boolean CIMDateTime::equal(const CIMDateTime& other) const
{
    return std::memcmp(_text, other._text, TEXT_SIZE) == 0;
}

Boolean operator==(const CIMDateTime& a, const CIMDateTime& b)
{
    return a.equal(b);
}

PEGASUS_NAMESPACE_END
