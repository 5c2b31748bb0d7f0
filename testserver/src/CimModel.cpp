#include "testcimom/CimModel.h"

#include <algorithm>
#include <array>

namespace testcimom {

namespace {

// CIM names are ASCII; folding by hand keeps name look-ups off the locale.
char foldCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr std::array<const char*, 15> kTypeNames = {
    "boolean", "uint8", "sint8", "uint16", "sint16", "uint32", "sint32", "uint64",
    "sint64", "real32", "real64", "char16", "string", "datetime", "reference"};

void appendKeyValue(std::string& out, const KeyBinding& key)
{
    if (key.reference) {
        out += key.reference->toString();
    } else if (key.valueType == "string") {
        out += '"';
        for (char c : key.value) {
            if (c == '"' || c == '\\')
                out += '\\';
            out += c;
        }
        out += '"';
    } else {
        out += key.value;
    }
}

bool sameKey(const KeyBinding& a, const KeyBinding& b)
{
    if (!sameName(a.name, b.name) || (a.reference == nullptr) != (b.reference == nullptr))
        return false;
    if (a.reference)
        return a.reference->sameAs(*b.reference);
    return a.value == b.value;
}

}  // namespace

const char* typeName(CimType type)
{
    return kTypeNames[static_cast<std::size_t>(type)];
}

std::optional<CimType> parseTypeName(std::string_view name)
{
    for (std::size_t i = 0; i < kTypeNames.size(); ++i) {
        if (name == kTypeNames[i])
            return static_cast<CimType>(i);
    }
    return std::nullopt;
}

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return foldCase(x) == foldCase(y); });
}

std::string lowerName(std::string_view name)
{
    std::string lower(name);
    for (char& c : lower)
        c = foldCase(c);
    return lower;
}

bool qualifierFlag(const std::vector<Qualifier>& qualifiers, std::string_view name, bool fallback)
{
    const Qualifier* qualifier = findByName(qualifiers, name);
    if (qualifier == nullptr || qualifier->value.isNull || qualifier->value.items.empty())
        return fallback;
    return sameName(qualifier->value.items.front(), "TRUE");
}

bool ObjectPath::sameAs(const ObjectPath& other) const
{
    if (!sameName(className, other.className) || keys.size() != other.keys.size())
        return false;
    return std::all_of(keys.begin(), keys.end(), [&](const KeyBinding& key) {
        return std::any_of(other.keys.begin(), other.keys.end(),
                           [&](const KeyBinding& candidate) { return sameKey(key, candidate); });
    });
}

std::string ObjectPath::toString() const
{
    std::string text = host.empty() ? "" : "//" + host + "/";
    text += nameSpace.empty() ? className : nameSpace + ":" + className;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        text += i == 0 ? '.' : ',';
        text += keys[i].name + "=";
        appendKeyValue(text, keys[i]);
    }
    return text;
}

Value Value::null(CimType type, bool isArray)
{
    Value value;
    value.type = type;
    value.isArray = isArray;
    return value;
}

Value Value::scalar(CimType type, std::string text)
{
    Value value = null(type);
    value.isNull = false;
    value.items.push_back(std::move(text));
    return value;
}

Value Value::array(CimType type, std::vector<std::string> texts)
{
    Value value = null(type, true);
    value.isNull = false;
    value.items = std::move(texts);
    return value;
}

Value Value::reference(ObjectPath path)
{
    Value value = null(CimType::Reference);
    value.isNull = false;
    value.references.push_back(std::move(path));
    return value;
}

Value Value::referenceArray(std::vector<ObjectPath> paths)
{
    Value value = null(CimType::Reference, true);
    value.isNull = false;
    value.references = std::move(paths);
    return value;
}

Qualifier Qualifier::of(std::string name, Value value)
{
    Qualifier qualifier;
    qualifier.name = std::move(name);
    qualifier.value = std::move(value);
    return qualifier;
}

Qualifier Qualifier::key()
{
    Qualifier key = of("Key", Value::boolean(true));
    key.flavor.overridable = false;
    return key;
}

Property Property::of(std::string name, Value value, std::vector<Qualifier> qualifiers)
{
    Property property;
    property.name = std::move(name);
    property.value = std::move(value);
    property.qualifiers = std::move(qualifiers);
    return property;
}

const Property* CimClass::findProperty(std::string_view name) const
{
    return findByName(properties, name);
}

const Qualifier* CimClass::findQualifier(std::string_view name) const
{
    return findByName(qualifiers, name);
}

bool CimClass::isKey(const Property& property) const
{
    return qualifierFlag(property.qualifiers, "Key", false);
}

const Property* Instance::findProperty(std::string_view name) const
{
    return findByName(properties, name);
}

Property* Instance::findProperty(std::string_view name)
{
    return findByName(properties, name);
}

void Instance::set(const std::string& name, Value value)
{
    if (Property* existing = findProperty(name)) {
        existing->value = std::move(value);
        existing->propagated = false;
        return;
    }
    properties.push_back(Property::of(name, std::move(value)));
}

}  // namespace testcimom
