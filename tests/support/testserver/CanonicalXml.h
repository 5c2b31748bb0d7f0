#pragma once
// A canonical form of CIM-XML for comparing two servers' answers: attributes
// sorted, whitespace between elements ignored, and the objects of an
// enumeration in any order (CIM does not order them).

#include <string>

namespace testcimom::test {

// Throws std::runtime_error when the text is not well-formed XML.
std::string canonicalXml(const std::string& xml);

}  // namespace testcimom::test
