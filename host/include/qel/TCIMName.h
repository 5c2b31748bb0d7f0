#ifndef QEL_TCIMNAME_H
#define QEL_TCIMNAME_H

#include <string>

namespace NVORNQEL20 {

// CIM element names: a letter or "_" first, then letters, digits or "_";
// compared without regard to letter case.
class TCIMName {
public:
    static bool IsValid(const std::string& name);
    // The lower-case name; an empty name stays empty. An invalid name throws
    // TQELException, status 25.
    static std::string Normalize(const std::string& name);
    // Lower-cased without any check (for names such as "<root>"); only
    // ASCII letters change, whatever the locale.
    static std::string LowerCase(const std::string& name);
    static char LowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
    static bool EqualNoCase(const std::string& left, const std::string& right);
};

}  // namespace NVORNQEL20

#endif
