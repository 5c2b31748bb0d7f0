#ifndef CIMHTTP_TESTS_SUPPORT_INSTANCETESTSUPPORT_H
#define CIMHTTP_TESTS_SUPPORT_INSTANCETESTSUPPORT_H

#include <string>
#include <vector>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMInstance.h>
#include <qel/ICIMProperty.h>

#include "instance/TCimHTTPProperty.h"

namespace cimhttp_test {

typedef std::vector<boost::shared_ptr<NVORNQEL20::ICIMInstance>> TInstances;

// The instances an enumeration hands to its callback, in order.
inline TInstances Enumerate(NVORNQEL20::ICIMClass& cls, bool deep = false)
{
    TInstances instances;
    cls.EnumerateInstances(
        [&instances](boost::shared_ptr<NVORNQEL20::ICIMInstance> instance) {
            instances.push_back(instance);
            return true;
        },
        deep, NVORNQEL20::TCIMContext());
    return instances;
}

inline std::string PathOf(const NVORNQEL20::ICIMInstance& instance)
{
    return instance.GetReference(NVORNQEL20::TCIMContext()).GetPath();
}

inline const NVORNQEL20::TCIMValue& ValueOf(const NVORNQEL20::ICIMInstance& instance, const std::string& name)
{
    return instance.GetProperty(name, NVORNQEL20::TCIMContext())->GetValue(NVORNQEL20::TCIMContext());
}

inline std::string ValueText(const NVORNQEL20::ICIMInstance& instance, const std::string& name)
{
    return ValueOf(instance, name).ToString(10);
}

// The text a host shows for the property: its value wrapped in the
// plug-in's exported property class.
inline NVORNQEL20::TCimHTTPProperty Displayed(const NVORNQEL20::ICIMInstance& instance, const std::string& name)
{
    return NVORNQEL20::TCimHTTPProperty(
        boost::shared_ptr<NVORNQEL20::ICIMProperty const>(instance.GetProperty(name, NVORNQEL20::TCIMContext())));
}

inline std::string DisplayText(const NVORNQEL20::ICIMInstance& instance, const std::string& name)
{
    return Displayed(instance, name).ToString();
}

// One text per instance: the named property's value.
inline std::vector<std::string> ValueTexts(const TInstances& instances, const std::string& name)
{
    std::vector<std::string> texts;
    for (const auto& instance : instances)
        texts.push_back(ValueText(*instance, name));
    return texts;
}

}  // namespace cimhttp_test

#endif
