#ifndef CIMHTTP_INSTANCE_DISPLAYFORMAT_H
#define CIMHTTP_INSTANCE_DISPLAYFORMAT_H

#include <optional>
#include <string>
#include <vector>

#include <qel/TCIMValue.h>

#include "instance/TCimHTTPProperty.h"

namespace NVORNQEL20 {

// The pieces of a property's display text that need no qualifier lookup:
// value-map tables, unit prefixes, scaled amounts and durations. Nothing
// here throws for what a server sends.
namespace DisplayFormat {

// Unit prefixes by index: 0 "Peta", 1 "Tera", 2 "Giga", 3 "Mega", 4 "Kilo",
// 5 none, 6 "Milli", 7 "Micro", 8 "Nano". Each division by a unit's
// divisor moves one index toward 0.
const int kNoPrefix = 5;

// Entry [i, i] for each Values text i.
void FillFromValues(const std::vector<TCIMValue>& values, TCimHTTPProperty::TValueMap& table);

// The table of a ValueMap and its Values texts of equal count, and the
// text of "..". False for a map that leaves no sound table: an open range
// followed by ".." or by "..n". Numbers are decimal, or hexadecimal after
// "0x"/"0X"; an element whose number does not read as a 64-bit unsigned
// number maps nothing.
bool FillFromValueMap(const std::vector<TCIMValue>& valueMap, const std::vector<TCIMValue>& values,
                      TCimHTTPProperty::TValueMap& table, std::string& defaultText);

// Removes the long prefix that units begins with and returns its index;
// kNoPrefix when there is none.
int TakeLongPrefix(std::string& units);

// The index a DISPLAYFIXEDUNITS text fixes: "Tera" 1 to "Kilo" 4.
std::optional<int> FixedPrefixIndex(const std::string& text);

// A count of seconds (or milli-, micro-, nanoseconds, by prefix index) as
// the host's interval text. Nothing when the interval does not fit the
// host's datetime. Other prefixes give the zero interval.
std::optional<std::string> DurationText(unsigned long long count, int prefixIndex);

// "Bytes", "Bits", "Bytes per Second", "Bits per Second".
bool IsScaledUnit(const std::string& units);

// A count of a scaled unit in the largest multiple that keeps it above
// the divisor (or in the fixed multiple), with one decimal when needed:
// "1.5 Kilobytes", "1.5 KB" abbreviated.
std::string AmountText(unsigned long long count, int prefixIndex, const std::string& units,
                       std::optional<int> fixedIndex, bool abbreviate);

}  // namespace DisplayFormat
}  // namespace NVORNQEL20

#endif
