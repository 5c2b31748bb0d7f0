// Qualifier declarations, qualifiers and the attachment rule that every
// kind of schema element applies.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <boost/smart_ptr/bad_weak_ptr.hpp>

#include "schema/TCimHTTPMethodDecl.h"
#include "schema/TCimHTTPParameterDecl.h"
#include "schema/TCimHTTPPropertyDecl.h"
#include "schema/TCimHTTPQualifier.h"
#include "SchemaTestSupport.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;

class QualifierTest : public SchemaTest {
protected:
    // One element of each kind that carries qualifiers.
    std::vector<boost::shared_ptr<ICIMNamedElement>> Elements()
    {
        auto property = fClass->AllocatePropertyDecl("Name", TCIMValue(""), kNoContext);
        auto method = fClass->AllocateMethodDecl("Reset", TCIMValue::TCIMType::eUint32, kNoContext);
        auto parameter = method->AllocateParameterDecl("Delay", TCIMValue::TCIMType::eUint32, kNoContext);
        fKeepAlive.push_back(method);
        return {fClass, property, method, parameter};
    }

    std::vector<boost::shared_ptr<ICIMNamedElement>> fKeepAlive;
};

TEST_F(QualifierTest, NamesAreCheckedAndLowerCased)
{
    EXPECT_EQ("_a1", TCimHTTPNamespace::NormalizeName("_A1"));
    EXPECT_EQ("cim_computersystem", TCimHTTPNamespace::NormalizeName("CIM_ComputerSystem"));
    EXPECT_EQ("", TCimHTTPNamespace::NormalizeName(""));
    EXPECT_EQ("_", TCimHTTPNamespace::NormalizeName("_"));
    for (const std::string bad : {"1abc", "my-key", "a b", "Käse", "x."}) {
        TRootObject::GetCoreLogger()->Clear();
        EXPECT_EQ(25, ThrownStatus([&] { TCimHTTPNamespace::NormalizeName(bad); })) << bad;
        EXPECT_EQ(std::vector<std::string>{"CimHTTP: CIM name '" + bad + "' is invalid"}, LoggedMessages(0));
    }
}

TEST_F(QualifierTest, DeclarationHoldsTypeScopeAndFlavor)
{
    auto declaration = boost::make_shared<TCimHTTPQualifierDecl>(
        fNamespace, "ValueMap", TCIMValue(TCIMValue::TCIMType::eStringArray, 0), ICIMQualifierDecl::eScopeProperty,
        ICIMQualifierDecl::eFlavorEnableOverride);
    EXPECT_EQ("ValueMap", declaration->GetName(kNoContext));
    EXPECT_EQ(TCIMValue::TCIMType::eStringArray, declaration->GetType(kNoContext));
    EXPECT_TRUE(declaration->IsArray(kNoContext));
    EXPECT_EQ(ICIMQualifierDecl::eScopeProperty, declaration->GetScope(kNoContext));
    EXPECT_EQ(fNamespace, declaration->GetNamespace(kNoContext));

    declaration->SetFlavor(ICIMQualifierDecl::eFlavorToSubclass, kNoContext);
    EXPECT_EQ(3, declaration->GetFlavor(kNoContext));
    declaration->UnsetFlavor(ICIMQualifierDecl::eFlavorEnableOverride, kNoContext);
    EXPECT_EQ(2, declaration->GetFlavor(kNoContext));

    declaration->SetDefaultValue(TCIMValue(7u), kNoContext);
    EXPECT_EQ(TCIMValue::TCIMType::eUint32, declaration->GetType(kNoContext));
    EXPECT_FALSE(declaration->IsArray(kNoContext));

    // Only the names take part, without regard to case.
    EXPECT_TRUE(*declaration == *Declaration("VALUEMAP"));
    EXPECT_FALSE(*declaration == *Declaration("Values"));
    EXPECT_TRUE(*Declaration("alpha") < *Declaration("Beta"));
    EXPECT_FALSE(*Declaration("Beta") < *Declaration("alpha"));
    EXPECT_EQ(25, ThrownStatus([&] { (void)(*declaration == *Declaration("Value-Map")); }));
}

TEST_F(QualifierTest, DeclarationsEnterTheNamespaceOnce)
{
    Declaration("Key")->AddToNamespace(kNoContext);
    EXPECT_EQ(16, ThrownStatus([&] { Declaration("KEY")->AddToNamespace(kNoContext); }));
    EXPECT_EQ(std::vector<std::string>{"CimHTTP: TCimHTTPNamespace: qualifier KEY already defined"},
              LoggedMessages(3));

    auto replacing = boost::make_shared<TCimHTTPNamespace>(true, "root/cimv2");
    auto declaration = [&] {
        return boost::make_shared<TCimHTTPQualifierDecl>(replacing, "Key", TCIMValue(false),
                                                         ICIMQualifierDecl::eScopeAny, ICIMQualifierDecl::eFlavorNone);
    };
    declaration()->AddToNamespace(kNoContext);
    EXPECT_EQ(0, ThrownStatus([&] { declaration()->AddToNamespace(kNoContext); }));

    // The namespace is held weakly.
    auto orphan = declaration();
    replacing.reset();
    EXPECT_FALSE(orphan->GetNamespace(kNoContext));
    EXPECT_EQ("Key", orphan->GetName(kNoContext));
    EXPECT_THROW(orphan->AddToNamespace(kNoContext), boost::bad_weak_ptr);
}

TEST_F(QualifierTest, QualifierValueFlavorAndPropagation)
{
    auto declaration = Declaration("Description", ICIMQualifierDecl::eFlavorEnableOverride, TCIMValue(""));
    TCimHTTPQualifier qualifier(fClass, declaration, TCIMValue(TCIMValue::TCIMType::eString, 2, {}));
    EXPECT_EQ("Description", qualifier.GetName(kNoContext));
    EXPECT_EQ(declaration, qualifier.GetDeclaration(kNoContext));
    EXPECT_EQ(ICIMQualifierDecl::eFlavorEnableOverride, qualifier.GetFlavor(kNoContext));
    // Type and array flag are the qualifier's own value's, not the declaration's.
    EXPECT_EQ(TCIMValue::TCIMType::eStringArray, qualifier.GetType(kNoContext));
    EXPECT_TRUE(qualifier.IsArray(kNoContext));
    EXPECT_FALSE(qualifier.GetPropagated(kNoContext));

    qualifier.SetFlavor(ICIMQualifierDecl::eFlavorToSubclass, kNoContext);
    EXPECT_EQ(3, qualifier.GetFlavor(kNoContext));
    EXPECT_EQ(ICIMQualifierDecl::eFlavorEnableOverride, declaration->GetFlavor(kNoContext));

    qualifier.SetPropagated(true);
    TCimHTTPQualifier copy(fClass, qualifier);
    EXPECT_TRUE(copy.GetPropagated(kNoContext));
    EXPECT_EQ(3, copy.GetFlavor(kNoContext));
    EXPECT_EQ(qualifier.GetValue(kNoContext), copy.GetValue(kNoContext));
    copy.SetValue(TCIMValue("x"), kNoContext);
    EXPECT_FALSE(copy.GetPropagated(kNoContext));
    qualifier.UnsetFlavor(ICIMQualifierDecl::eFlavorEnableOverride, kNoContext);
    EXPECT_EQ(2, qualifier.GetFlavor(kNoContext));
    EXPECT_FALSE(qualifier.GetPropagated(kNoContext));

    // Compared by declaration name only.
    TCimHTTPQualifier other(fClass, Declaration("DESCRIPTION"), TCIMValue("another"), ICIMQualifierDecl::eFlavorNone);
    EXPECT_TRUE(qualifier == other);
    EXPECT_FALSE(qualifier < other);
    EXPECT_TRUE(TCimHTTPQualifier(fClass, Declaration("Abstract"), TCIMValue(true)) < qualifier);
}

TEST_F(QualifierTest, AttachmentRuleOnEveryKindOfElement)
{
    for (const auto& element : Elements()) {
        // Key then KEY address one entry.
        auto first = Attach(*element, "Key");
        auto second = Attach(*element, "KEY");
        EXPECT_EQ(std::vector<std::string>{"Key"}, QualifierNames(*element));
        EXPECT_EQ(first, element->GetQualifier("key", kNoContext));

        // A different value or flavor conflicts and changes nothing.
        EXPECT_EQ(28, ThrownStatus([&] { Attach(*element, "Key", TCIMValue(false)); }));
        EXPECT_EQ(28, ThrownStatus([&] {
                      Attach(*element, "Key", TCIMValue(true), ICIMQualifierDecl::eFlavorToSubclass);
                  }));
        EXPECT_EQ(first, element->GetQualifier("KEY", kNoContext));

        // A stored qualifier that enables override is replaced, even by an equal one.
        auto overridable = Attach(*element, "Description", TCIMValue("a"), ICIMQualifierDecl::eFlavorEnableOverride);
        auto replacement = Attach(*element, "DESCRIPTION", TCIMValue("a"), ICIMQualifierDecl::eFlavorEnableOverride);
        EXPECT_EQ(replacement, element->GetQualifier("Description", kNoContext));
        EXPECT_NE(overridable, replacement);

        // The stored qualifier's own flavor decides, not its declaration's.
        auto fixed = element->AllocateQualifier(Declaration("Units", ICIMQualifierDecl::eFlavorEnableOverride),
                                                TCIMValue("KB"), kNoContext);
        fixed->UnsetFlavor(ICIMQualifierDecl::eFlavorEnableOverride, kNoContext);
        element->AddQualifier(fixed, kNoContext);
        EXPECT_EQ(28, ThrownStatus([&] {
                      Attach(*element, "Units", TCIMValue("MB"), ICIMQualifierDecl::eFlavorEnableOverride);
                  }));
        EXPECT_EQ(fixed, element->GetQualifier("units", kNoContext));
    }
}

TEST_F(QualifierTest, EnumerationFollowsLowerCasedNamesAndStopsAtFalse)
{
    for (const auto& element : Elements()) {
        for (const char* name : {"Zeta", "alpha", "Beta"})
            Attach(*element, name);
        EXPECT_EQ((std::vector<std::string>{"alpha", "Beta", "Zeta"}), QualifierNames(*element));
        int visits = 0;
        element->EnumerateQualifiers([&](boost::shared_ptr<ICIMQualifier>) { return ++visits > 5; }, kNoContext);
        EXPECT_EQ(1, visits);
    }
}

TEST_F(QualifierTest, MissingQualifiersAsEachKindReportsThem)
{
    auto property = fClass->AllocatePropertyDecl("Name", TCIMValue(""), kNoContext);
    auto method = fClass->AllocateMethodDecl("Reset", TCIMValue::TCIMType::eUint32, kNoContext);
    auto parameter = method->AllocateParameterDecl("Delay", TCIMValue::TCIMType::eUint32, kNoContext);
    bool found = true;

    EXPECT_EQ(15, ThrownStatus([&] { property->GetQualifier("Key", kNoContext); }));
    EXPECT_FALSE(property->GetQualifier("Key", found, kNoContext));
    EXPECT_FALSE(found);

    EXPECT_EQ(15, ThrownStatus([&] { method->GetQualifier("Key", kNoContext); }));
    EXPECT_FALSE(parameter->GetQualifier("Key", kNoContext));
    EXPECT_FALSE(fClass->GetQualifier("Key", kNoContext));

    // The found-flag form is not supported on classes, methods and parameters.
    Attach(*method, "Key");
    for (const boost::shared_ptr<ICIMNamedElement>& element :
         std::vector<boost::shared_ptr<ICIMNamedElement>>{fClass, method, parameter})
        EXPECT_EQ(1, ThrownStatus([&] { element->GetQualifier("Key", found, kNoContext); }));

    Attach(*property, "Key");
    EXPECT_TRUE(property->GetQualifier("KEY", found, kNoContext));
    EXPECT_TRUE(found);
}

TEST_F(QualifierTest, QualifierAttachesItselfAndOutlivesItsOwner)
{
    auto property = fClass->AllocatePropertyDecl("Name", TCIMValue(""), kNoContext);
    auto qualifier = property->AllocateQualifier(Declaration("Key"), TCIMValue(true), kNoContext);
    EXPECT_EQ(0u, QualifierNames(*property).size());
    qualifier->AddToClassOrProperty(kNoContext);
    EXPECT_EQ(qualifier, property->GetQualifier("key", kNoContext));
    EXPECT_EQ(property, qualifier->GetClassOrProperty(kNoContext));

    property.reset();
    EXPECT_FALSE(qualifier->GetClassOrProperty(kNoContext));
    EXPECT_EQ("Key", qualifier->GetName(kNoContext));
    EXPECT_EQ(TCIMValue(true), qualifier->GetValue(kNoContext));
    EXPECT_THROW(qualifier->AddToClassOrProperty(kNoContext), boost::bad_weak_ptr);
}

}  // namespace
