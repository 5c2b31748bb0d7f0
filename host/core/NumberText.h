#ifndef QEL_CORE_NUMBERTEXT_H
#define QEL_CORE_NUMBERTEXT_H

#include <string>

namespace NVORNQEL20 {
namespace NumberText {

// Digits in radix 2..36 (lower-case letters), a leading "-" for negatives.
std::string FormatUnsigned(unsigned long long value, int radix);
std::string FormatSigned(long long value, int radix);
// The shortest decimal text that reads back as the same value (as float when
// singlePrecision); "NaN", "INF" and "-INF" for the special values.
std::string FormatReal(double value, bool singlePrecision);

// Each succeeds only when the whole text is the number ("+" allowed before
// signed and real numbers; reals also as "INF", "-INF", "NaN").
bool ParseUnsigned(const std::string& text, unsigned long long& value);
bool ParseSigned(const std::string& text, long long& value);
bool ParseReal(const std::string& text, double& value);
// "TRUE" or "FALSE" in any letter case.
bool ParseBoolean(const std::string& text, bool& value);

}  // namespace NumberText
}  // namespace NVORNQEL20

#endif
