#ifndef CIMHTTP_TESTS_SUPPORT_METHODTESTDATA_H
#define CIMHTTP_TESTS_SUPPORT_METHODTESTDATA_H

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/TCIMContext.h>
#include <qel/TCIMReference.h>
#include <qel/TCIMValue.h>
#include <qel/TInmemInstance.h>

namespace cimhttp_test {

// A host value as failure messages show it: type and text.
inline std::string Shown(const NVORNQEL20::TCIMValue& value)
{
    return value.GetType().GetName() + (value.IsNull() ? std::string(" null") : ":" + value.ToString());
}

// Equal host values (same type, same data), shown when they differ.
inline ::testing::AssertionResult SameValue(const NVORNQEL20::TCIMValue& expected,
                                            const NVORNQEL20::TCIMValue& actual)
{
    if (expected == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << Shown(actual) << " where " << Shown(expected) << " was expected";
}

// The method test classes of the test CIMOM's demo data set (root/cimv2).
const char* const kMethodTestClass = "VORN_MethodTest";
const char* const kMethodTestLinkClass = "VORN_MethodTestLink";

// One VORN_MethodTest instance: its keys and the ElementName Identify returns.
struct TMethodTestInstance {
    std::string fName;
    unsigned long long fNumber;
    int fOffset;
    bool fActive;
    std::string fElementName;
};

// Keys of every type the class has: strings with quotes, backslashes, a
// comma, an equals sign and non-ASCII text, the extremes of the numbers.
inline const std::vector<TMethodTestInstance>& MethodTestInstances()
{
    static const std::vector<TMethodTestInstance> instances = {
        {"esx02 \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC", 1, -1, true, "First"},
        {"esx \"quoted\" C:\\vm\\disk, a=b \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC", 18446744073709551615ULL,
         -2147483647 - 1, false, "Second"},
        {"plain.example.test", 0, 2147483647, true, "Third"},
    };
    return instances;
}

// The VORN_MethodTestLink instances: antecedent and dependent (indexes into
// MethodTestInstances) and ElementName.
struct TMethodTestLink {
    int fAntecedent;
    int fDependent;
    std::string fElementName;
};

inline const std::vector<TMethodTestLink>& MethodTestLinks()
{
    static const std::vector<TMethodTestLink> links = {{0, 1, "First to second"}, {1, 2, "Second to third"}};
    return links;
}

// The host's reference of an instance of the class with these key values:
// an in-memory instance of the class given the values, as the host builds
// the references of the instances it holds.
inline NVORNQEL20::TCIMReference HostReference(const boost::shared_ptr<NVORNQEL20::ICIMClass>& cls,
                                               const NVORNQEL20::TCIMContext& keyValues)
{
    auto instance = boost::make_shared<NVORNQEL20::TInmemInstance>(cls, NVORNQEL20::TInmemInstance::eOwnPropertiesOnly);
    for (const auto& key : keyValues)
        instance->SetPropertyValue(key.first, key.second, NVORNQEL20::TCIMContext());
    return instance->GetReference(NVORNQEL20::TCIMContext());
}

// The key values of a VORN_MethodTest instance, typed as the class declares them.
inline NVORNQEL20::TCIMContext KeyValuesOf(const TMethodTestInstance& instance)
{
    NVORNQEL20::TCIMContext keys;
    keys["Name"] = NVORNQEL20::TCIMValue(instance.fName);
    keys["Number"] = NVORNQEL20::TCIMValue(instance.fNumber);
    keys["Offset"] = NVORNQEL20::TCIMValue(instance.fOffset);
    keys["Active"] = NVORNQEL20::TCIMValue(instance.fActive);
    return keys;
}

// The key values of a VORN_MethodTestLink instance: the host references of
// the two instances it links, made from `testClass`, their class.
inline NVORNQEL20::TCIMContext KeyValuesOf(const TMethodTestLink& link,
                                           const boost::shared_ptr<NVORNQEL20::ICIMClass>& testClass)
{
    const std::vector<TMethodTestInstance>& instances = MethodTestInstances();
    NVORNQEL20::TCIMContext keys;
    keys["Antecedent"] = NVORNQEL20::TCIMValue(HostReference(testClass, KeyValuesOf(instances.at(link.fAntecedent))));
    keys["Dependent"] = NVORNQEL20::TCIMValue(HostReference(testClass, KeyValuesOf(instances.at(link.fDependent))));
    return keys;
}

}  // namespace cimhttp_test

#endif
