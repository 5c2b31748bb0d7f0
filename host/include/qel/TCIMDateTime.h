#ifndef QEL_TCIMDATETIME_H
#define QEL_TCIMDATETIME_H

#include <memory>
#include <string>

namespace NVORNQEL20 {

// A CIM datetime: a timestamp "yyyymmddhhmmss.mmmmmmsutc" (s is + or -, utc
// the offset in minutes) or an interval "ddddddddhhmmss.mmmmmm:000".
//
// The least significant fields may be left open with '*' (DMTF DSP0004):
// whole fields from one field to the seconds, and the microseconds digit by
// digit from the right ("2024031509****.******-300"). Such a datetime keeps
// its text, which ToString and ToUIString give back unchanged; it counts as
// the earliest instant it allows, and is equal only to the same text.
class TCIMDateTime {
public:
    // The longest interval has 99999999 days (eight digits).
    static constexpr unsigned kMaxIntervalDays = 99999999;

    // The zero interval.
    TCIMDateTime();
    // Throws TQELException (invalid value) for malformed or out-of-range text.
    explicit TCIMDateTime(const std::string& text);

    // Makes this an interval; throws TQELException (invalid value) when a
    // field is out of range (days above 99999999, hours above 23, ...).
    void Set(unsigned days, unsigned short hours, unsigned short minutes, unsigned short seconds,
             unsigned microseconds);

    bool IsInterval() const;
    // The CIM text.
    std::string ToString() const;
    // For people: intervals as "1 day 01:01:01" or "0 days 00:00:01.500000",
    // timestamps as "2024-03-15 08:15:00 UTC+00:00"; microseconds only when
    // not zero.
    std::string ToUIString() const;

    // Intervals order before timestamps; intervals by length, timestamps by
    // the instant they name (so equal instants in other time zones are
    // equal); at the same instant a datetime with open fields after one
    // without, and those by text.
    bool operator==(const TCIMDateTime& other) const;
    bool operator!=(const TCIMDateTime& other) const;
    bool operator<(const TCIMDateTime& other) const;

private:
    long long MicrosecondsSinceOrigin() const;
    const std::string& WildcardText() const;

    // Widest first: every host value has room for one datetime.
    unsigned fDays;  // intervals only
    unsigned fMicroseconds;
    unsigned short fYear;
    unsigned short fMonth;
    unsigned short fDay;
    unsigned short fHours;
    unsigned short fMinutes;
    unsigned short fSeconds;
    short fUtcOffsetMinutes;  // timestamps only
    bool fInterval;
    // Null unless fields are left open; shared, as it never changes.
    std::shared_ptr<const std::string> fWildcardText;
};

}  // namespace NVORNQEL20

#endif
