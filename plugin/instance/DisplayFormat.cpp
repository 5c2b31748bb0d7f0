#include "instance/DisplayFormat.h"

#include <cctype>
#include <charconv>
#include <iterator>
#include <string_view>

#include <qel/TCIMDateTime.h>

namespace NVORNQEL20 {
namespace DisplayFormat {

namespace {

typedef TCimHTTPProperty::TValueMap TValueMap;

const char* const kLongPrefixes[] = {"Peta", "Tera", "Giga", "Mega", "Kilo", "", "Milli", "Micro", "Nano"};
const char* const kShortPrefixes[] = {"P", "T", "G", "M", "K", "", "m", "u", "n"};
const int kPrefixCount = static_cast<int>(std::size(kLongPrefixes));
const int kFirstFixedPrefix = 1;  // "Tera"; DISPLAYFIXEDUNITS cannot name "Peta"
const int kLastFixedPrefix = 4;   // "Kilo"

struct TUnit {
    const char* fName;
    double fDivisor;
    const char* fAbbreviation;
};

const TUnit kUnits[] = {
    {"Bytes", 1024.0, "B"},
    {"Bits", 1024.0, "b"},
    {"Bytes per Second", 1024.0, "B/s"},
    {"Bits per Second", 1000.0, "bps"},
};

const unsigned long long kSecondsPerDay = 86400;
const unsigned long long kMicrosecondsPerSecond = 1000000;

struct TNumber {
    unsigned long long fValue;
    std::size_t fEnd;  // position after the digits
};

std::size_t SkipBlanks(const std::string& text, std::size_t at)
{
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    return at;
}

bool HasHexPrefix(const std::string& text, std::size_t at)
{
    return (text.compare(at, 2, "0x") == 0 || text.compare(at, 2, "0X") == 0) && at + 2 < text.size() &&
           std::isxdigit(static_cast<unsigned char>(text[at + 2]));
}

// The number at `at`, after blanks. The schema writes vendor ranges in
// hexadecimal ("0x8000.."); read as decimal they would be code 0.
std::optional<TNumber> ReadNumber(const std::string& text, std::size_t at)
{
    at = SkipBlanks(text, at);
    int radix = 10;
    if (HasHexPrefix(text, at)) {
        radix = 16;
        at += 2;
    }
    unsigned long long value = 0;
    const std::from_chars_result read =
        std::from_chars(text.data() + at, text.data() + text.size(), value, radix);
    if (read.ec != std::errc())
        return std::nullopt;
    return TNumber{value, static_cast<std::size_t>(read.ptr - text.data())};
}

// Whether the next two non-blank characters are dots ("5.." opens a range).
bool OpensRange(const std::string& text, std::size_t at)
{
    for (int dot = 0; dot < 2; ++dot) {
        at = SkipBlanks(text, at);
        if (at == text.size() || text[at] != '.')
            return false;
        ++at;
    }
    return true;
}

bool LastEntryOpen(const TValueMap& table)
{
    return !table.empty() && table.back().fUpperBound == TCimHTTPProperty::kOpenUpperBound;
}

// "..n": the codes from the end of the previous entry up to n.
void AddRangeUpTo(const std::string& element, const std::string& text, TValueMap& table,
                  unsigned long long& nextLowerBound)
{
    const std::optional<TNumber> upper = ReadNumber(element, 2);
    if (!upper)
        return;
    table.push_back({nextLowerBound, upper->fValue, text});
    nextLowerBound = upper->fValue + 1;
}

// "n" or "n..": one code, or the codes from n up to the next entry's. What
// follows the two dots is not read: the next entry closes the range.
void AddCode(const std::string& element, const std::string& text, TValueMap& table, unsigned long long& nextLowerBound)
{
    const std::optional<TNumber> code = ReadNumber(element, 0);
    if (!code)
        return;
    const unsigned long long n = code->fValue;
    // A code at or below an open range's start (a map out of order) cannot
    // end that range below its start.
    if (LastEntryOpen(table) && n > table.back().fLowerBound)
        table.back().fUpperBound = n - 1;
    table.push_back({n, OpensRange(element, code->fEnd) ? TCimHTTPProperty::kOpenUpperBound : n, text});
    nextLowerBound = n + 1;
}

bool AddElement(const std::string& element, const std::string& text, TValueMap& table, std::string& defaultText,
                unsigned long long& nextLowerBound)
{
    if (element.compare(0, 2, "..") != 0) {
        AddCode(element, text, table, nextLowerBound);
        return true;
    }
    if (LastEntryOpen(table))
        return false;
    if (element.size() == 2)
        defaultText = text;
    else
        AddRangeUpTo(element, text, table, nextLowerBound);
    return true;
}

const TUnit* FindUnit(const std::string& units)
{
    for (const TUnit& unit : kUnits)
        if (units == unit.fName)
            return &unit;
    return nullptr;
}

// One digit after the point, none for a whole number: "1.5", "1024". The
// text of a fixed stream with precision 1 (to_chars writes what printf's
// "%.1f" does), without the cost of a stream for every amount shown.
std::string NumberText(float amount)
{
    char buffer[64];
    const std::to_chars_result written =
        std::to_chars(buffer, std::end(buffer), static_cast<double>(amount), std::chars_format::fixed, 1);
    std::string text(buffer, written.ptr);
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, ".0") == 0)
        text.erase(text.size() - 2);
    return text;
}

// "KiloBytes per Second" reads "Kilobytes per second".
std::string LowerAfterFirst(std::string text)
{
    for (std::size_t i = 1; i < text.size(); ++i)
        text[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    return text;
}

}  // namespace

void FillFromValues(const std::vector<TCIMValue>& values, TValueMap& table)
{
    table.reserve(table.size() + values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        table.push_back({i, i, values[i].ToString(10)});
}

bool FillFromValueMap(const std::vector<TCIMValue>& valueMap, const std::vector<TCIMValue>& values, TValueMap& table,
                      std::string& defaultText)
{
    if (valueMap.size() != values.size())
        return false;
    defaultText.clear();
    table.reserve(table.size() + values.size());
    unsigned long long nextLowerBound = 0;
    for (std::size_t i = 0; i < valueMap.size(); ++i)
        if (!AddElement(valueMap[i].ToString(10), values[i].ToString(10), table, defaultText, nextLowerBound))
            return false;
    return true;
}

int TakeLongPrefix(std::string& units)
{
    for (int i = 0; i < kPrefixCount; ++i) {
        const std::string_view prefix = kLongPrefixes[i];
        if (i != kNoPrefix && std::string_view(units).substr(0, prefix.size()) == prefix) {
            units.erase(0, prefix.size());
            return i;
        }
    }
    return kNoPrefix;
}

std::optional<int> FixedPrefixIndex(const std::string& text)
{
    for (int i = kFirstFixedPrefix; i <= kLastFixedPrefix; ++i)
        if (text == kLongPrefixes[i])
            return i;
    return std::nullopt;
}

std::optional<std::string> DurationText(unsigned long long count, int prefixIndex)
{
    TCIMDateTime interval;
    if (prefixIndex >= kNoPrefix && prefixIndex < kPrefixCount) {
        // Counts per second: 1 for seconds, 1000 for milliseconds, ... A
        // millisecond count too large to multiply by 1000 is far past the
        // longest interval, so nothing here multiplies the count.
        unsigned long long perSecond = 1;
        for (int i = kNoPrefix; i < prefixIndex; ++i)
            perSecond *= 1000;
        const unsigned long long seconds = count / perSecond;
        const unsigned long long microseconds = count % perSecond * kMicrosecondsPerSecond / perSecond;
        const unsigned long long days = seconds / kSecondsPerDay;
        if (days > TCIMDateTime::kMaxIntervalDays)
            return std::nullopt;
        interval.Set(static_cast<unsigned>(days), static_cast<unsigned short>(seconds / 3600 % 24),
                     static_cast<unsigned short>(seconds / 60 % 60), static_cast<unsigned short>(seconds % 60),
                     static_cast<unsigned>(microseconds));
    }
    return interval.ToUIString();
}

bool IsScaledUnit(const std::string& units)
{
    return FindUnit(units) != nullptr;
}

std::string AmountText(unsigned long long count, int prefixIndex, const std::string& units,
                       std::optional<int> fixedIndex, bool abbreviate)
{
    const TUnit& unit = *FindUnit(units);
    float amount = static_cast<float>(count);
    if (fixedIndex) {
        for (; *fixedIndex < prefixIndex; --prefixIndex)
            amount = static_cast<float>(amount / unit.fDivisor);
    } else {
        for (; prefixIndex > 0 && amount > unit.fDivisor; --prefixIndex)
            amount = static_cast<float>(amount / unit.fDivisor);
    }
    const std::string unitText = abbreviate ? std::string(kShortPrefixes[prefixIndex]) + unit.fAbbreviation
                                            : LowerAfterFirst(kLongPrefixes[prefixIndex] + units);
    return NumberText(amount) + " " + unitText;
}

}  // namespace DisplayFormat
}  // namespace NVORNQEL20
