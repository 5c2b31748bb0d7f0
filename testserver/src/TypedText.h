#pragma once
// What the text of a CIM-XML value means for its type, read the way a CIMOM
// reads what a client sent: whether it is a value of that type at all, and
// its canonical text (decimal integers, shortest exact reals, TRUE or FALSE),
// so what arrives can be checked and answered in one form whatever the
// client's spelling.

#include "testcimom/CimModel.h"

#include <optional>
#include <string>
#include <string_view>

namespace testcimom {

class TypedText {
public:
    // The canonical text of a scalar of any type but reference, or nullopt
    // when the text is not a value of that type.
    static std::optional<std::string> canonical(CimType type, std::string_view text);
    // "U+20AC" for the char16 "€"; the text must be one valid char16.
    static std::string codePoint(std::string_view char16);
};

}  // namespace testcimom
