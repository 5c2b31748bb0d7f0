#ifndef CIMHTTP_TESTS_PLUGIN_PROPERTYTESTSUPPORT_H
#define CIMHTTP_TESTS_PLUGIN_PROPERTYTESTSUPPORT_H

#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMPropertyDecl.h>
#include <qel/TCIMValue.h>

#include "instance/TCimHTTPProperty.h"
#include "SchemaTestSupport.h"

namespace cimhttp_test {

// Property declarations of a class that is never loaded, with the
// qualifiers a test gives them, and property values bound to them.
class PropertyTest : public SchemaTest {
protected:
    typedef NVORNQEL20::TCIMValue TCIMValue;

    boost::shared_ptr<NVORNQEL20::ICIMPropertyDecl> DeclareWithDefault(const TCIMValue& defaultValue,
                                                                       const std::string& name = "Value")
    {
        fDeclarations.push_back(fClass->AllocatePropertyDecl(name, defaultValue, NVORNQEL20::TCIMContext()));
        return fDeclarations.back();
    }

    // A declaration of the type with a null default and the qualifiers,
    // given as name and value in turn.
    boost::shared_ptr<NVORNQEL20::ICIMPropertyDecl> Declare(
        TCIMValue::TCIMType type, const std::vector<std::pair<std::string, TCIMValue>>& qualifiers = {})
    {
        auto declaration = DeclareWithDefault(TCIMValue(type, 0));
        for (const auto& qualifier : qualifiers)
            Attach(*declaration, qualifier.first, qualifier.second);
        return declaration;
    }

    // What a property of the declaration with the value shows.
    std::string Shown(const boost::shared_ptr<NVORNQEL20::ICIMPropertyDecl>& declaration, const TCIMValue& value)
    {
        return NVORNQEL20::TCimHTTPProperty(declaration, value).ToString();
    }

    // Properties hold their declarations weakly; the test keeps them, as
    // a class would.
    std::vector<boost::shared_ptr<NVORNQEL20::ICIMPropertyDecl>> fDeclarations;
};

// A string array, as Values and ValueMap qualifiers hold them.
inline NVORNQEL20::TCIMValue Strings(const std::vector<std::string>& texts)
{
    std::vector<NVORNQEL20::TCIMValue> elements(texts.begin(), texts.end());
    return NVORNQEL20::TCIMValue(NVORNQEL20::TCIMValue::TCIMType::eString, static_cast<unsigned>(elements.size()),
                                 elements);
}

// An array of the element type holding the values.
inline NVORNQEL20::TCIMValue ArrayOf(NVORNQEL20::TCIMValue::TCIMType elementType,
                                     const std::vector<NVORNQEL20::TCIMValue>& elements)
{
    return NVORNQEL20::TCIMValue(elementType, static_cast<unsigned>(elements.size()), elements);
}

}  // namespace cimhttp_test

#endif
