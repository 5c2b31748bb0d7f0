#pragma once
// The captured exchanges of the real OpenPegasus server, and a canonical form
// of CIM-XML for comparing answers: attributes sorted, whitespace between
// elements ignored, and the objects of an enumeration in any order (CIM does
// not order them).

#include <string>
#include <vector>

namespace testcimom::test {

struct Capture {
    std::string name;
    std::string request;   // exactly what the client sent
    std::string response;  // exactly what the server answered
};

Capture loadCapture(const std::string& name);
// Names of the request/response pairs whose name starts with the prefix.
std::vector<std::string> captureNames(const std::string& prefix);
std::string readTextFile(const std::string& path);
std::string captureDirectory();

// Throws std::runtime_error when the text is not well-formed XML.
std::string canonicalXml(const std::string& xml);

}  // namespace testcimom::test
