#include "testcimom/HostileData.h"

#include <cstdio>

namespace testcimom {

namespace {

Property declared(const std::string& name, CimType type, std::vector<Qualifier> qualifiers = {})
{
    return Property::of(name, Value::null(type), std::move(qualifiers));
}

CimClass keyedClass(const std::string& className)
{
    CimClass cimClass;
    cimClass.name = className;
    cimClass.properties.push_back(declared("Id", CimType::String, {Qualifier::key()}));
    return cimClass;
}

Instance keyedInstance(const std::string& className, const std::string& id)
{
    Instance instance;
    instance.className = className;
    instance.set("Id", Value::text(id));
    return instance;
}

std::string propertyName(std::size_t index)
{
    char name[32];
    std::snprintf(name, sizeof name, "P%05zu", index);
    return name;
}

void appendUtf8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// XML 1.0's Char production, the characters a CIM-XML document can hold.
std::vector<char32_t> xmlCharacters()
{
    std::vector<char32_t> characters = {0x9, 0xA, 0xD};
    const char32_t ranges[][2] = {{0x20, 0xD7FF}, {0xE000, 0xFFFD}, {0x10000, 0x10FFFF}};
    for (const auto& range : ranges)
        for (char32_t c = range[0]; c <= range[1]; ++c)
            characters.push_back(c);
    return characters;
}

}  // namespace

void HostileData::addWideClass(Repository& repository, const std::string& nameSpace, const std::string& className,
                               std::size_t propertyCount)
{
    CimClass cimClass;
    cimClass.name = className;
    Instance instance;
    instance.className = className;
    for (std::size_t i = 0; i < propertyCount; ++i) {
        const bool isText = i % 2 == 0;
        std::vector<Qualifier> qualifiers = {
            Qualifier::of("Description", Value::text("property number " + std::to_string(i)))};
        if (i == 0)
            qualifiers.push_back(Qualifier::key());
        cimClass.properties.push_back(
            declared(propertyName(i), isText ? CimType::String : CimType::Uint32, qualifiers));
        Property valued = declared(propertyName(i), CimType::String);
        valued.value =
            isText ? Value::text("value " + std::to_string(i)) : Value::scalar(CimType::Uint32, std::to_string(i));
        instance.properties.push_back(std::move(valued));
    }
    repository.addClass(nameSpace, std::move(cimClass));
    repository.addInstance(nameSpace, std::move(instance));
}

void HostileData::addLongValueMap(Repository& repository, const std::string& nameSpace, const std::string& className,
                                  std::size_t entryCount, const std::vector<std::size_t>& codes)
{
    std::vector<std::string> values, valueMap;
    values.reserve(entryCount);
    valueMap.reserve(entryCount);
    for (std::size_t i = 0; i < entryCount; ++i) {
        values.push_back("Value " + std::to_string(i));
        valueMap.push_back(std::to_string(i));
    }
    CimClass cimClass = keyedClass(className);
    cimClass.properties.push_back(
        declared("Code", CimType::Uint32,
                 {Qualifier::of("Values", Value::array(CimType::String, std::move(values))),
                  Qualifier::of("ValueMap", Value::array(CimType::String, std::move(valueMap)))}));
    repository.addClass(nameSpace, std::move(cimClass));
    for (std::size_t code : codes) {
        Instance instance = keyedInstance(className, "code " + std::to_string(code));
        instance.set("Code", Value::scalar(CimType::Uint32, std::to_string(code)));
        repository.addInstance(nameSpace, std::move(instance));
    }
}

void HostileData::addBigInstance(Repository& repository, const std::string& nameSpace, const std::string& className,
                                 std::size_t bytes)
{
    const std::size_t chunkSize = 1024;
    CimClass cimClass = keyedClass(className);
    cimClass.properties.push_back(declared("Text", CimType::String));
    cimClass.properties.push_back(declared("Chunks", CimType::String));
    cimClass.properties.back().value = Value::null(CimType::String, true);
    repository.addClass(nameSpace, std::move(cimClass));
    std::string text;
    text.reserve(bytes / 2);
    while (text.size() < bytes / 2)
        text += "The quick brown fox jumps over the lazy dog " + std::to_string(text.size()) + ". ";
    text.resize(bytes / 2);
    std::vector<std::string> chunks((bytes - text.size()) / chunkSize, std::string(chunkSize, 'c'));
    Instance instance = keyedInstance(className, "big");
    instance.set("Text", Value::text(std::move(text)));
    instance.set("Chunks", Value::array(CimType::String, std::move(chunks)));
    repository.addInstance(nameSpace, std::move(instance));
}

std::vector<std::string> HostileData::addEveryCharacterKeys(Repository& repository, const std::string& nameSpace,
                                                            const std::string& className, std::size_t perInstance)
{
    repository.addClass(nameSpace, keyedClass(className));
    const std::vector<char32_t> characters = xmlCharacters();
    std::vector<std::string> keys;
    std::vector<Instance> instances;
    for (std::size_t first = 0; first < characters.size(); first += perInstance) {
        std::string key;
        for (std::size_t i = first; i < characters.size() && i < first + perInstance; ++i)
            appendUtf8(key, characters[i]);
        keys.push_back(key);
        instances.push_back(keyedInstance(className, key));
    }
    repository.addInstances(nameSpace, std::move(instances));
    return keys;
}

void HostileData::addSelfNamedSuperclass(Repository& repository, const std::string& nameSpace,
                                         const std::string& className, const std::string& superClassName)
{
    CimClass cimClass = keyedClass(className);
    repository.addClass(nameSpace, cimClass);
    // The repository takes a superclass it knows only in place of a class it has.
    cimClass.superClass = superClassName;
    repository.replaceClass(nameSpace, std::move(cimClass));
}

}  // namespace testcimom
