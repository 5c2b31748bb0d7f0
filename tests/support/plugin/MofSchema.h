#ifndef CIMHTTP_TESTS_PLUGIN_MOFSCHEMA_H
#define CIMHTTP_TESTS_PLUGIN_MOFSCHEMA_H

#include <string>
#include <vector>

namespace cimhttp_test {

// A qualifier as a MOF file writes it: values as text (strings without
// quotes, adjacent strings joined; booleans as TRUE or FALSE; a qualifier
// given without a value is TRUE).
struct MofQualifier {
    std::string name;
    std::vector<std::string> values;
    bool isArray = false;
};

// A type as "uint16", "string", "reference" (for "Class REF").
struct MofTyped {
    std::string name;
    std::string type;
    bool isArray = false;
    std::vector<MofQualifier> qualifiers;
};

struct MofProperty : MofTyped {
    std::string defaultValue;  // empty when the MOF gives none
};

struct MofMethod : MofTyped {
    std::vector<MofTyped> parameters;
};

struct MofClass {
    std::string name;
    std::string superClass;
    std::vector<MofQualifier> qualifiers;
    std::vector<MofProperty> properties;
    std::vector<MofMethod> methods;
};

// The class declarations of a MOF file of the tests' data (no pragmas, no
// instances, no qualifier flavors). Throws std::runtime_error on anything
// else.
std::vector<MofClass> ReadMofClasses(const std::string& path);

}  // namespace cimhttp_test

#endif
