#include <qel/TCIMDateTime.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <iterator>

#include <qel/TQELException.h>

namespace NVORNQEL20 {

namespace {

const std::size_t kTextLength = 25;
const std::size_t kPointPosition = 14;
const std::size_t kOffsetBegin = 22;
const char kOpen = '*';
const long long kMicrosecondsPerSecond = 1000000;

bool IsLeapYear(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

unsigned DaysInMonth(unsigned year, unsigned month) {
    static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

// Days from 0000-01-01 (proleptic Gregorian calendar, year 0 a leap year).
long long DayNumber(unsigned year, unsigned month, unsigned day) {
    static const unsigned kDaysBeforeMonth[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    long long leapDaysBefore = year == 0 ? 0 : (year - 1) / 4 - (year - 1) / 100 + (year - 1) / 400 + 1;
    long long leapDayThisYear = (month > 2 && IsLeapYear(year)) ? 1 : 0;
    return 365LL * year + leapDaysBefore + kDaysBeforeMonth[month - 1] + leapDayThisYear + day - 1;
}

[[noreturn]] void Reject(const std::string& text, const std::string& reason) {
    throw TQELException(TQELStatusCode::eInvalidValue, "datetime '" + text + "': " + reason);
}

// The decimal number in text[begin, begin + count); every character must be
// a digit, or an open digit ('*', read as 0) where CheckOpenFields allowed it.
unsigned ReadDigits(const std::string& text, std::size_t begin, std::size_t count) {
    unsigned value = 0;
    for (std::size_t i = begin; i < begin + count; ++i) {
        const char c = text[i] == kOpen ? '0' : text[i];
        if (c < '0' || c > '9') {
            Reject(text, "digit expected at position " + std::to_string(i));
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

// A field that is left open reads as its lowest value.
unsigned ReadField(const std::string& text, std::size_t begin, std::size_t count, unsigned lowest) {
    return text[begin] == kOpen ? lowest : ReadDigits(text, begin, count);
}

bool IsFieldStart(std::size_t position, bool interval) {
    static const std::size_t kTimestampStarts[] = {0, 4, 6, 8, 10, 12};
    static const std::size_t kIntervalStarts[] = {0, 8, 10, 12};
    const std::size_t* begin = interval ? std::begin(kIntervalStarts) : std::begin(kTimestampStarts);
    const std::size_t* end = interval ? std::end(kIntervalStarts) : std::end(kTimestampStarts);
    return std::find(begin, end, position) != end;
}

// Open fields run from the first '*' to the last microsecond digit; a date
// or time field is open as a whole, the UTC offset never.
void CheckOpenFields(const std::string& text, bool interval) {
    const std::size_t first = text.find(kOpen);
    if (text.find(kOpen, kOffsetBegin) != std::string::npos) {
        Reject(text, "the UTC offset cannot be left open");
    }
    for (std::size_t i = first; i < kOffsetBegin - 1; ++i) {
        if (i != kPointPosition && text[i] != kOpen) {
            Reject(text, "'*' expected at position " + std::to_string(i));
        }
    }
    if (first < kPointPosition && !IsFieldStart(first, interval)) {
        Reject(text, "a field is only partly left open");
    }
}

void CheckRange(const std::string& text, const char* field, unsigned value, unsigned low, unsigned high) {
    if (value < low || value > high) {
        Reject(text, std::string(field) + " " + std::to_string(value) + " is out of range");
    }
}

// The fields written by a format whose conversions are all "%0<width>u"
// (one digit of width), as snprintf would write them, each number in
// decimal with leading zeros up to its width. Every datetime shown goes
// through here; snprintf costs several times as much.
template <typename... TFields>
std::string Format(const char* format, TFields... fields) {
    const unsigned values[] = {static_cast<unsigned>(fields)...};
    char text[96];
    char* out = text;
    std::size_t field = 0;
    for (const char* c = format; *c != '\0'; ++c) {
        if (*c != '%') {
            *out++ = *c;
            continue;
        }
        char digits[16];
        const char* const digitsEnd = std::to_chars(digits, std::end(digits), values[field++]).ptr;
        for (std::ptrdiff_t pad = (c[2] - '0') - (digitsEnd - digits); pad > 0; --pad) {
            *out++ = '0';
        }
        out = std::copy(static_cast<const char*>(digits), digitsEnd, out);
        c += 3;
    }
    return std::string(text, out);
}

std::string MicrosecondSuffix(unsigned microseconds) {
    return microseconds == 0 ? std::string() : Format(".%06u", microseconds);
}

}  // namespace

TCIMDateTime::TCIMDateTime()
    : fDays(0),
      fMicroseconds(0),
      fYear(0),
      fMonth(0),
      fDay(0),
      fHours(0),
      fMinutes(0),
      fSeconds(0),
      fUtcOffsetMinutes(0),
      fInterval(true) {}

TCIMDateTime::TCIMDateTime(const std::string& text) : TCIMDateTime() {
    if (text.size() != kTextLength || text[14] != '.') {
        Reject(text, "expected yyyymmddhhmmss.mmmmmmsutc or ddddddddhhmmss.mmmmmm:000");
    }
    const char separator = text[21];
    if (separator != '+' && separator != '-' && separator != ':') {
        Reject(text, "expected '+', '-' or ':' at position 21");
    }
    fInterval = separator == ':';
    if (text.find(kOpen) != std::string::npos) {
        CheckOpenFields(text, fInterval);
        fWildcardText = std::make_shared<const std::string>(text);
    }
    fHours = static_cast<unsigned short>(ReadDigits(text, 8, 2));
    fMinutes = static_cast<unsigned short>(ReadDigits(text, 10, 2));
    fSeconds = static_cast<unsigned short>(ReadDigits(text, 12, 2));
    fMicroseconds = ReadDigits(text, 15, 6);
    const unsigned utc = ReadDigits(text, 22, 3);
    CheckRange(text, "hours", fHours, 0, 23);
    CheckRange(text, "minutes", fMinutes, 0, 59);
    CheckRange(text, "seconds", fSeconds, 0, 59);
    if (fInterval) {
        fDays = ReadDigits(text, 0, 8);
        CheckRange(text, "interval offset", utc, 0, 0);
        return;
    }
    fYear = static_cast<unsigned short>(ReadDigits(text, 0, 4));
    fMonth = static_cast<unsigned short>(ReadField(text, 4, 2, 1));
    CheckRange(text, "month", fMonth, 1, 12);
    fDay = static_cast<unsigned short>(ReadField(text, 6, 2, 1));
    CheckRange(text, "day", fDay, 1, DaysInMonth(fYear, fMonth));
    fUtcOffsetMinutes = static_cast<short>(separator == '-' ? -static_cast<int>(utc) : static_cast<int>(utc));
}

void TCIMDateTime::Set(unsigned days, unsigned short hours, unsigned short minutes, unsigned short seconds,
                       unsigned microseconds) {
    if (days > kMaxIntervalDays || hours > 23 || minutes > 59 || seconds > 59 || microseconds > 999999) {
        throw TQELException(TQELStatusCode::eInvalidValue,
                            "interval " + std::to_string(days) + " days " + std::to_string(hours) + ":" +
                                std::to_string(minutes) + ":" + std::to_string(seconds) + "." +
                                std::to_string(microseconds) + " is out of range");
    }
    *this = TCIMDateTime();
    fDays = days;
    fHours = hours;
    fMinutes = minutes;
    fSeconds = seconds;
    fMicroseconds = microseconds;
}

bool TCIMDateTime::IsInterval() const { return fInterval; }

std::string TCIMDateTime::ToString() const {
    if (fWildcardText) {
        return *fWildcardText;
    }
    if (fInterval) {
        return Format("%08u%02u%02u%02u.%06u:000", fDays, fHours, fMinutes, fSeconds, fMicroseconds);
    }
    return Format("%04u%02u%02u%02u%02u%02u.%06u", fYear, fMonth, fDay, fHours, fMinutes, fSeconds, fMicroseconds) +
           (fUtcOffsetMinutes < 0 ? "-" : "+") + Format("%03u", std::abs(fUtcOffsetMinutes));
}

std::string TCIMDateTime::ToUIString() const {
    if (fWildcardText) {
        return *fWildcardText;
    }
    if (fInterval) {
        return std::to_string(fDays) + (fDays == 1 ? " day " : " days ") +
               Format("%02u:%02u:%02u", fHours, fMinutes, fSeconds) + MicrosecondSuffix(fMicroseconds);
    }
    const unsigned offset = static_cast<unsigned>(std::abs(fUtcOffsetMinutes));
    return Format("%04u-%02u-%02u %02u:%02u:%02u", fYear, fMonth, fDay, fHours, fMinutes, fSeconds) +
           MicrosecondSuffix(fMicroseconds) + (fUtcOffsetMinutes < 0 ? " UTC-" : " UTC+") +
           Format("%02u:%02u", offset / 60, offset % 60);
}

const std::string& TCIMDateTime::WildcardText() const {
    static const std::string kNone;
    return fWildcardText ? *fWildcardText : kNone;
}

long long TCIMDateTime::MicrosecondsSinceOrigin() const {
    long long days = fInterval ? fDays : DayNumber(fYear, fMonth, fDay);
    long long minutes = (days * 24 + fHours) * 60 + fMinutes - (fInterval ? 0 : fUtcOffsetMinutes);
    return (minutes * 60 + fSeconds) * kMicrosecondsPerSecond + fMicroseconds;
}

bool TCIMDateTime::operator==(const TCIMDateTime& other) const {
    return fInterval == other.fInterval && MicrosecondsSinceOrigin() == other.MicrosecondsSinceOrigin() &&
           WildcardText() == other.WildcardText();
}

bool TCIMDateTime::operator!=(const TCIMDateTime& other) const { return !(*this == other); }

bool TCIMDateTime::operator<(const TCIMDateTime& other) const {
    if (fInterval != other.fInterval) {
        return fInterval;
    }
    const long long instant = MicrosecondsSinceOrigin();
    const long long otherInstant = other.MicrosecondsSinceOrigin();
    if (instant != otherInstant) {
        return instant < otherInstant;
    }
    return WildcardText() < other.WildcardText();
}

}  // namespace NVORNQEL20
