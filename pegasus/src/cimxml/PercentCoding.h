#ifndef Pegasus_PercentCoding_h
#define Pegasus_PercentCoding_h

#include <Pegasus/Common/Config.h>
#include <string>
#include <string_view>

PEGASUS_NAMESPACE_BEGIN

// The percent-encoding of CIM header values (DMTF DSP0200): every byte but
// letters, digits, "-", "_", ".", "~" and ":" becomes %XX.
std::string percentEncode(std::string_view text);

// The inverse; malformed escapes are kept as they are.
std::string percentDecode(std::string_view text);

PEGASUS_NAMESPACE_END

#endif
