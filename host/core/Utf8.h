#ifndef QEL_CORE_UTF8_H
#define QEL_CORE_UTF8_H

#include <string>

namespace NVORNQEL20 {
namespace Utf8 {

std::string Encode(unsigned codePoint);
// True when the text is exactly one well-formed UTF-8 character.
bool DecodeSingle(const std::string& text, unsigned& codePoint);

}  // namespace Utf8
}  // namespace NVORNQEL20

#endif
