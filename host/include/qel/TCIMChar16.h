#ifndef QEL_TCIMCHAR16_H
#define QEL_TCIMCHAR16_H

#include <string>

namespace NVORNQEL20 {

// One UTF-16 code unit, the CIM char16.
class TCIMChar16 {
public:
    explicit TCIMChar16(unsigned short code = 0);
    // A decimal text gives that code unit ("65" is 'A'); any other text must be
    // exactly one UTF-8 character of the Basic Multilingual Plane. Anything
    // else throws TQELException (invalid value).
    explicit TCIMChar16(const std::string& text);

    operator unsigned short() const;
    // The character as UTF-8; a lone surrogate shows as U+FFFD.
    std::string ToString() const;

private:
    unsigned short fCode;
};

}  // namespace NVORNQEL20

#endif
