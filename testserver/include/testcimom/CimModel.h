#pragma once
// The CIM objects the test CIMOM stores and serves: classes, instances,
// qualifiers and values, kept close to their CIM-XML form. Scalar values are
// held as their CIM-XML text, so what a data file says is what goes out.

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testcimom {

enum class CimType {
    Boolean, Uint8, Sint8, Uint16, Sint16, Uint32, Sint32, Uint64, Sint64,
    Real32, Real64, Char16, String, Datetime, Reference
};

// The CIM-XML spelling ("uint16", "datetime", ...); "reference" for references.
const char* typeName(CimType type);
std::optional<CimType> parseTypeName(std::string_view name);

// CIM names compare without regard to case.
bool sameName(std::string_view a, std::string_view b);
std::string lowerName(std::string_view name);

// The first element whose name is `name` (compared without case), or nullptr.
template <class Elements>
auto findByName(Elements& elements, std::string_view name) -> decltype(&elements.front())
{
    auto it = std::find_if(elements.begin(), elements.end(),
                           [&](const auto& element) { return sameName(element.name, name); });
    return it == elements.end() ? nullptr : &*it;
}

struct Qualifier;

// The value of a boolean qualifier such as Key, In, Out or Static; fallback
// when it is missing or null.
bool qualifierFlag(const std::vector<Qualifier>& qualifiers, std::string_view name, bool fallback);

struct ObjectPath;

struct KeyBinding {
    std::string name;
    std::string valueType;                  // "string", "numeric" or "boolean"; empty for a reference
    std::string value;
    std::shared_ptr<ObjectPath> reference;  // set for a reference key
};

struct ObjectPath {
    std::string host;       // set only with a namespace (INSTANCEPATH, CLASSPATH)
    std::string nameSpace;  // empty for a local path
    std::string className;
    std::vector<KeyBinding> keys;  // empty for a class path

    // Same class and same keys, names compared without case, key order ignored.
    bool sameAs(const ObjectPath& other) const;
    // OpenPegasus text form: //host/ns:Class.Key="value",Other=12
    std::string toString() const;
};

struct Value {
    CimType type = CimType::String;
    bool isArray = false;
    bool isNull = true;
    std::vector<std::string> items;        // CIM-XML text of each element
    std::vector<ObjectPath> references;    // elements of a reference value

    static Value null(CimType type, bool isArray = false);
    static Value scalar(CimType type, std::string text);
    static Value array(CimType type, std::vector<std::string> texts);
    static Value reference(ObjectPath path);
    static Value referenceArray(std::vector<ObjectPath> paths);
    static Value text(std::string text) { return scalar(CimType::String, std::move(text)); }
    static Value boolean(bool value) { return scalar(CimType::Boolean, value ? "TRUE" : "FALSE"); }
};

struct Flavor {
    bool overridable = true;
    bool toSubclass = true;
    bool toInstance = false;
    bool translatable = false;
};

struct Qualifier {
    std::string name;
    Value value;
    Flavor flavor;
    bool propagated = false;

    static Qualifier of(std::string name, Value value);
    // Key TRUE, not overridable: how a class marks its keys.
    static Qualifier key();
};

struct Property {
    std::string name;
    Value value;                 // type, array flag and (default) value
    std::string referenceClass;  // for references
    std::vector<Qualifier> qualifiers;
    std::string classOrigin;
    bool propagated = false;

    // A class's declaration (its value the default, null for most) or an
    // instance's value.
    static Property of(std::string name, Value value, std::vector<Qualifier> qualifiers = {});
};

struct Parameter {
    std::string name;
    CimType type = CimType::String;
    bool isArray = false;
    std::string referenceClass;
    std::vector<Qualifier> qualifiers;
};

struct Method {
    std::string name;
    CimType returnType = CimType::Uint32;
    std::vector<Qualifier> qualifiers;
    std::vector<Parameter> parameters;
    std::string classOrigin;
    bool propagated = false;
};

struct CimClass {
    std::string name;
    std::string superClass;
    std::vector<Qualifier> qualifiers;
    std::vector<Property> properties;
    std::vector<Method> methods;

    const Property* findProperty(std::string_view name) const;
    const Qualifier* findQualifier(std::string_view name) const;
    bool isKey(const Property& property) const;
};

struct Instance {
    std::string className;
    std::vector<Qualifier> qualifiers;
    std::vector<Property> properties;

    const Property* findProperty(std::string_view name) const;
    Property* findProperty(std::string_view name);
    // Sets (or adds) a property value; the type comes from the value.
    void set(const std::string& name, Value value);
};

struct QualifierDecl {
    std::string name;
    Value value;  // type, array flag and default
    std::vector<std::string> scopes;  // "CLASS", "PROPERTY", ...
    Flavor flavor;
};

struct ParamValue {
    std::string name;
    Value value;
    bool typed = true;  // false: sent without PARAMTYPE, so its type is the declared one
};

}  // namespace testcimom
