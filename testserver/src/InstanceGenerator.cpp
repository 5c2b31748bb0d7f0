#include "testcimom/InstanceGenerator.h"

#include "CimXmlWriter.h"
#include "testcimom/CimError.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <map>
#include <mutex>
#include <optional>

namespace testcimom {

namespace {

std::string format(const char* pattern, long long value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string real64(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.16e", value);
    return text;
}

// A CIM timestamp, UTC, this many seconds after 2024-01-01 00:00:00.
std::string timestamp(std::size_t secondsAfter2024)
{
    std::time_t when = static_cast<std::time_t>(1704067200 + secondsAfter2024);
    std::tm utc{};
    gmtime_r(&when, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d%H%M%S.000000+000", &utc);
    return text;
}

std::vector<std::string> firstTags(std::size_t count)
{
    static const std::array<const char*, 4> tags = {"alpha", "beta", "gamma", "delta"};
    return std::vector<std::string>(tags.begin(), tags.begin() + static_cast<long>(count));
}

// Appends without looking for an existing property of the name: generated
// instances name each property once.
void append(Instance& instance, const char* name, Value value)
{
    instance.properties.push_back(Property::of(name, std::move(value)));
}

Instance testBigInstance(std::size_t i, std::size_t count)
{
    static const std::array<const char*, 4> codes = {"0", "2", "3", "6"};
    const auto n = static_cast<long long>(i);
    Instance instance;
    instance.className = "Test_Big";
    instance.properties.reserve(12);
    append(instance, "InstanceID", Value::text(format("TestBig:%05lld", n)));
    append(instance, "Index", Value::scalar(CimType::Uint32, std::to_string(i)));
    append(instance, "Name", Value::text(format("big-%05lld", n)));
    append(instance, "Description", Value::text("Benchmark instance number " + std::to_string(i) + " of " +
                                            std::to_string(count) + ", generated for enumeration timing."));
    append(instance, "Small", Value::scalar(CimType::Uint8, std::to_string(i % 256)));
    append(instance, "Delta", Value::scalar(CimType::Sint32, std::to_string(n - 5000)));
    append(instance, "Counter", Value::scalar(CimType::Uint64, std::to_string(i * 1000003ULL)));
    append(instance, "Ratio", Value::scalar(CimType::Real64, real64(static_cast<double>(i) / 7.0)));
    append(instance, "Flag", Value::boolean(i % 2 == 0));
    append(instance, "Timestamp", Value::scalar(CimType::Datetime, timestamp(i)));
    append(instance, "Tags", Value::array(CimType::String, firstTags(i % 4 + 1)));
    append(instance, "Codes", Value::array(CimType::Uint16, {"2", codes[i % 4]}));
    return instance;
}

struct MixedType {
    CimType type;
    bool isArray;
};

MixedType mixedType(std::size_t index)
{
    static const std::array<MixedType, 8> cycle = {{{CimType::String, false},
                                                    {CimType::Uint32, false},
                                                    {CimType::Sint64, false},
                                                    {CimType::Real64, false},
                                                    {CimType::Boolean, false},
                                                    {CimType::Datetime, false},
                                                    {CimType::Uint16, true},
                                                    {CimType::String, true}}};
    return cycle[index % cycle.size()];
}

std::string mixedPropertyName(std::size_t index)
{
    MixedType type = mixedType(index);
    return format("P%03lld_", static_cast<long long>(index)) + typeName(type.type) + (type.isArray ? "Array" : "");
}

std::string mixedText(CimType type, std::size_t row, std::size_t column)
{
    const std::size_t seed = row * 31 + column;
    switch (type) {
    case CimType::Uint32: return std::to_string(seed % 4000000000ULL);
    case CimType::Sint64: return std::to_string(static_cast<long long>(seed) * -7919);
    case CimType::Real64: return real64(static_cast<double>(seed) / 3.0);
    case CimType::Boolean: return seed % 2 == 0 ? "TRUE" : "FALSE";
    case CimType::Datetime: return timestamp(seed);
    case CimType::Uint16: return std::to_string(seed % 65536);
    default: return "value " + std::to_string(row) + "/" + std::to_string(column);
    }
}

Value mixedValue(std::size_t row, std::size_t column)
{
    MixedType type = mixedType(column);
    if (!type.isArray)
        return Value::scalar(type.type, mixedText(type.type, row, column));
    return Value::array(type.type, {mixedText(type.type, row, column), mixedText(type.type, row + 1, column)});
}

}  // namespace

void InstanceGenerator::addTestBig(Repository& repository, const std::string& nameSpace, std::size_t count)
{
    std::optional<CimClass> testBig = repository.resolvedClass(nameSpace, "Test_Big");
    if (!testBig)
        throw CimError(CimStatus::InvalidClass, "Test_Big");
    // Every node of a cluster serves the same Test_Big instances: they are
    // made once per process and class definition, and shared.
    static std::mutex mutex;
    static std::map<std::string, std::vector<InstanceRef>> made;
    CimXmlWriter definition;
    definition.cimClass(*testBig);
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<InstanceRef>& instances = made[definition.text() + std::to_string(count)];
    if (instances.empty() && count > 0) {
        Repository scratch;
        scratch.addNamespace(nameSpace);
        scratch.addClass(nameSpace, *testBig);
        std::vector<Instance> generated;
        generated.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            generated.push_back(testBigInstance(i, count));
        scratch.addInstances(nameSpace, std::move(generated));
        instances = scratch.instances(nameSpace, "Test_Big");
    }
    repository.shareInstances(nameSpace, instances);
}

void InstanceGenerator::addMixedClass(Repository& repository, const std::string& nameSpace,
                                      const std::string& className, std::size_t propertyCount,
                                      std::size_t instanceCount)
{
    CimClass cimClass;
    cimClass.name = className;
    cimClass.properties.push_back(Property::of("Id", Value::null(CimType::String), {Qualifier::key()}));
    for (std::size_t column = 1; column < propertyCount; ++column)
        cimClass.properties.push_back(
            Property::of(mixedPropertyName(column), Value::null(mixedType(column).type, mixedType(column).isArray)));
    repository.addClass(nameSpace, cimClass);
    std::vector<Instance> instances;
    instances.reserve(instanceCount);
    for (std::size_t row = 0; row < instanceCount; ++row) {
        Instance instance;
        instance.className = className;
        append(instance, "Id", Value::text(className + ":" + std::to_string(row)));
        for (std::size_t column = 1; column < propertyCount; ++column)
            append(instance, cimClass.properties[column].name.c_str(), mixedValue(row, column));
        instances.push_back(std::move(instance));
    }
    repository.addInstances(nameSpace, std::move(instances));
}

}  // namespace testcimom
