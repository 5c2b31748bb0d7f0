#include "Utf8.h"

namespace NVORNQEL20 {
namespace Utf8 {

namespace {

// First byte: how many bytes the character has, and the bits it carries.
bool ReadFirstByte(unsigned char first, std::size_t& length, unsigned& bits) {
    if (first < 0x80) {
        length = 1;
        bits = first;
    } else if ((first & 0xE0) == 0xC0) {
        length = 2;
        bits = first & 0x1F;
    } else if ((first & 0xF0) == 0xE0) {
        length = 3;
        bits = first & 0x0F;
    } else if ((first & 0xF8) == 0xF0) {
        length = 4;
        bits = first & 0x07;
    } else {
        return false;
    }
    return true;
}

bool IsShortestForm(unsigned codePoint, std::size_t length) {
    static const unsigned kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    return codePoint >= kSmallest[length];
}

bool IsScalarValue(unsigned codePoint) {
    return codePoint <= 0x10FFFF && (codePoint < 0xD800 || codePoint > 0xDFFF);
}

}  // namespace

std::string Encode(unsigned codePoint) {
    std::string out;
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

bool DecodeSingle(const std::string& text, unsigned& codePoint) {
    std::size_t length = 0;
    unsigned bits = 0;
    if (text.empty() || !ReadFirstByte(static_cast<unsigned char>(text[0]), length, bits) || text.size() != length) {
        return false;
    }
    for (std::size_t i = 1; i < length; ++i) {
        unsigned char continuation = static_cast<unsigned char>(text[i]);
        if ((continuation & 0xC0) != 0x80) {
            return false;
        }
        bits = (bits << 6) | (continuation & 0x3F);
    }
    if (!IsShortestForm(bits, length) || !IsScalarValue(bits)) {
        return false;
    }
    codePoint = bits;
    return true;
}

}  // namespace Utf8
}  // namespace NVORNQEL20
