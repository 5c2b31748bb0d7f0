#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

#include <qel/TCIMName.h>

namespace NVORNQEL20 {
namespace NumberText {

namespace {

template <typename T>
std::string Format(T value, int radix) {
    char buffer[72];
    std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value, radix);
    return std::string(buffer, result.ptr);
}

template <typename T>
std::string FormatShortest(T value) {
    char buffer[64];
    std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

template <typename T>
bool ParseWhole(const char* begin, const char* end, T& value) {
    if (begin == end) {
        return false;
    }
    std::from_chars_result result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end;
}

// from_chars refuses a leading "+"; CIM texts may carry one.
const char* SkipPlus(const std::string& text) {
    const char* begin = text.data();
    return (!text.empty() && text[0] == '+') ? begin + 1 : begin;
}

bool ParseSpecialReal(const std::string& text, double& value) {
    if (text == "INF") {
        value = std::numeric_limits<double>::infinity();
    } else if (text == "-INF") {
        value = -std::numeric_limits<double>::infinity();
    } else if (text == "NaN") {
        value = std::numeric_limits<double>::quiet_NaN();
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::string FormatUnsigned(unsigned long long value, int radix) { return Format(value, radix); }

std::string FormatSigned(long long value, int radix) { return Format(value, radix); }

std::string FormatReal(double value, bool singlePrecision) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "INF" : "-INF";
    }
    return singlePrecision ? FormatShortest(static_cast<float>(value)) : FormatShortest(value);
}

bool ParseUnsigned(const std::string& text, unsigned long long& value) {
    return ParseWhole(text.data(), text.data() + text.size(), value);
}

bool ParseSigned(const std::string& text, long long& value) {
    return ParseWhole(SkipPlus(text), text.data() + text.size(), value);
}

bool ParseReal(const std::string& text, double& value) {
    return ParseSpecialReal(text, value) || ParseWhole(SkipPlus(text), text.data() + text.size(), value);
}

bool ParseBoolean(const std::string& text, bool& value) {
    if (TCIMName::EqualNoCase(text, "TRUE")) {
        value = true;
        return true;
    }
    if (TCIMName::EqualNoCase(text, "FALSE")) {
        value = false;
        return true;
    }
    return false;
}

}  // namespace NumberText
}  // namespace NVORNQEL20
