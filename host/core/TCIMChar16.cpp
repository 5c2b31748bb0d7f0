#include <qel/TCIMChar16.h>

#include <qel/TQELException.h>

#include "NumberText.h"
#include "Utf8.h"

namespace NVORNQEL20 {

namespace {

const unsigned kReplacementCharacter = 0xFFFD;

unsigned short CodeFromText(const std::string& text) {
    unsigned long long code = 0;
    if (NumberText::ParseUnsigned(text, code)) {
        if (code > 0xFFFF) {
            throw TQELException(TQELStatusCode::eInvalidValue, "char16 code " + text + " is above 65535");
        }
        return static_cast<unsigned short>(code);
    }
    unsigned codePoint = 0;
    if (!Utf8::DecodeSingle(text, codePoint) || codePoint > 0xFFFF) {
        throw TQELException(TQELStatusCode::eInvalidValue,
                            "'" + text + "' is neither a char16 code nor one character of the BMP");
    }
    return static_cast<unsigned short>(codePoint);
}

bool IsSurrogate(unsigned code) { return code >= 0xD800 && code <= 0xDFFF; }

}  // namespace

TCIMChar16::TCIMChar16(unsigned short code) : fCode(code) {}

TCIMChar16::TCIMChar16(const std::string& text) : fCode(CodeFromText(text)) {}

TCIMChar16::operator unsigned short() const { return fCode; }

std::string TCIMChar16::ToString() const {
    return Utf8::Encode(IsSurrogate(fCode) ? kReplacementCharacter : fCode);
}

}  // namespace NVORNQEL20
