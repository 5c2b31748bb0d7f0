// Property, method and parameter declarations: their tables, their
// registration with their owners, and the owners held weakly.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <boost/pointer_cast.hpp>
#include <boost/smart_ptr/bad_weak_ptr.hpp>

#include "schema/TCimHTTPMethodDecl.h"
#include "schema/TCimHTTPParameterDecl.h"
#include "schema/TCimHTTPPropertyDecl.h"
#include "SchemaTestSupport.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;

class DeclarationTest : public SchemaTest {
protected:
    boost::shared_ptr<TCimHTTPPropertyDecl> Property(const std::string& name, const TCIMValue& defaultValue)
    {
        return boost::dynamic_pointer_cast<TCimHTTPPropertyDecl>(
            fClass->AllocatePropertyDecl(name, defaultValue, kNoContext));
    }

    boost::shared_ptr<TCimHTTPMethodDecl> Method(const std::string& name)
    {
        return boost::dynamic_pointer_cast<TCimHTTPMethodDecl>(
            fClass->AllocateMethodDecl(name, TCIMValue::TCIMType::eUint32, kNoContext));
    }

    std::vector<std::string> PropertyNames()
    {
        std::vector<std::string> names;
        fClass->EnumeratePropertyDecls(
            [&](boost::shared_ptr<ICIMPropertyDecl> declaration) {
                names.push_back(declaration->GetName(kNoContext));
                return true;
            },
            kNoContext);
        return names;
    }
};

std::vector<std::string> ParameterNames(const ICIMMethodDecl& method)
{
    std::vector<std::string> names;
    ICIMMethodDecl::TParameterDeclCallback collect = [&](boost::shared_ptr<ICIMParameterDecl> parameter) {
        names.push_back(parameter->GetName(kNoContext));
        return true;
    };
    method.EnumerateParameterDecls(collect, kNoContext);
    return names;
}

TEST_F(DeclarationTest, PropertyTypeFollowsItsDefaultValue)
{
    auto property = Property("StatusDescriptions", TCIMValue(TCIMValue::TCIMType::eStringArray, 0));
    EXPECT_EQ(TCIMValue::TCIMType::eStringArray, property->GetType(kNoContext));
    EXPECT_TRUE(property->IsArray(kNoContext));
    EXPECT_TRUE(property->GetDefaultValue(kNoContext).IsNull());
    property->SetDefaultValue(TCIMValue(5u), kNoContext);
    EXPECT_EQ(TCIMValue::TCIMType::eUint32, property->GetType(kNoContext));
    EXPECT_FALSE(property->IsArray(kNoContext));

    EXPECT_TRUE(*property == *Property("STATUSDESCRIPTIONS", TCIMValue("other type")));
    EXPECT_TRUE(*Property("alpha", TCIMValue()) < *Property("Beta", TCIMValue()));
    EXPECT_EQ(fClass, property->GetClass(kNoContext));
}

TEST_F(DeclarationTest, PropertyQualifiersLookedUpAndRemovedByAnyCase)
{
    auto property = Property("Name", TCIMValue(""));
    for (const char* name : {"Write", "Key", "DESCRIPTION"})
        Attach(*property, name);
    EXPECT_EQ((std::vector<std::string>{"DESCRIPTION", "Key", "Write"}), QualifierNames(*property));
    EXPECT_EQ("DESCRIPTION", property->GetQualifier("Description", kNoContext)->GetName(kNoContext));
    EXPECT_TRUE(property->LookupQualifier("key").second);
    EXPECT_FALSE(property->LookupQualifier("Override").second);

    auto other = Property("Other", TCIMValue(""))->AllocateQualifier(Declaration("KEY"), TCIMValue(true), kNoContext);
    property->RemoveQualifier(other);
    EXPECT_EQ((std::vector<std::string>{"DESCRIPTION", "Write"}), QualifierNames(*property));
    EXPECT_EQ(15, ThrownStatus([&] { property->RemoveQualifier(other); }));
}

TEST_F(DeclarationTest, MethodKeepsParametersByLowerCasedName)
{
    auto method = Method("RequestStateChange");
    EXPECT_EQ(TCIMValue::TCIMType::eUint32, method->GetReturnType(kNoContext));
    EXPECT_TRUE(ParameterNames(*method).empty());

    for (const char* name : {"Zeta", "alpha", "Beta"})
        method->AllocateParameterDecl(name, TCIMValue::TCIMType::eString, kNoContext)->AddToMethod(kNoContext);
    EXPECT_EQ((std::vector<std::string>{"alpha", "Beta", "Zeta"}), ParameterNames(*method));
    EXPECT_EQ("Beta", method->GetParameterDecl("BETA", kNoContext)->GetName(kNoContext));
    EXPECT_EQ(15, ThrownStatus([&] { method->GetParameterDecl("Gamma", kNoContext); }));

    int visits = 0;
    ICIMMethodDecl::TParameterDeclCallback first = [&](boost::shared_ptr<ICIMParameterDecl>) { return ++visits > 5; };
    method->EnumerateParameterDecls(first, kNoContext);
    EXPECT_EQ(1, visits);

    auto zeta = boost::dynamic_pointer_cast<TCimHTTPParameterDecl>(method->GetParameterDecl("zeta", kNoContext));
    method->RemoveParameterDecl(zeta);
    EXPECT_EQ((std::vector<std::string>{"alpha", "Beta"}), ParameterNames(*method));
    EXPECT_EQ(15, ThrownStatus([&] { method->RemoveParameterDecl(zeta); }));
}

TEST_F(DeclarationTest, SecondParameterOfTheSameNameIsRefused)
{
    auto method = Method("Reset");
    method->AllocateParameterDecl("Data", TCIMValue::TCIMType::eString, kNoContext)->AddToMethod(kNoContext);
    auto duplicate = method->AllocateParameterDecl("DATA", TCIMValue::TCIMType::eUint8, kNoContext);
    EXPECT_EQ(16, ThrownStatus([&] { duplicate->AddToMethod(kNoContext); }));
    EXPECT_EQ(std::vector<std::string>{"Inmem: Attempt to add property DATA to method Reset: already exists"},
              LoggedMessages(0));
    EXPECT_EQ(TCIMValue::TCIMType::eString, method->GetParameterDecl("data", kNoContext)->GetType(kNoContext));
}

TEST_F(DeclarationTest, ParametersCarryNoArrayFlag)
{
    auto method = Method("Reset");
    for (TCIMValue::TCIMType type : {TCIMValue::TCIMType::eUint8, TCIMValue::TCIMType::eStringArray}) {
        auto parameter = method->AllocateParameterDecl("P", type, kNoContext);
        EXPECT_EQ(type, parameter->GetType(kNoContext));
        EXPECT_EQ(TCIMValue().IsArray(), parameter->IsArray(kNoContext));
    }
    auto parameter = method->AllocateParameterDecl("Delay", TCIMValue::TCIMType::eUint32, kNoContext);
    EXPECT_TRUE(*parameter == *method->AllocateParameterDecl("DELAY", TCIMValue::TCIMType::eString, kNoContext));
    EXPECT_TRUE(*method == *Method("reset"));
    EXPECT_TRUE(*Method("Alpha") < *method);
}

TEST_F(DeclarationTest, OwnersAreHeldWeakly)
{
    auto method = Method("Reset");
    auto parameter = method->AllocateParameterDecl("Delay", TCIMValue::TCIMType::eUint32, kNoContext);
    auto property = Property("Name", TCIMValue(""));
    EXPECT_EQ(method, parameter->GetMethodDecl(kNoContext));
    EXPECT_EQ(fClass, method->GetClass(kNoContext));

    method.reset();
    EXPECT_FALSE(parameter->GetMethodDecl(kNoContext));
    EXPECT_EQ("Delay", parameter->GetName(kNoContext));
    EXPECT_THROW(parameter->AddToMethod(kNoContext), boost::bad_weak_ptr);

    auto declaredMethod = Method("Stop");
    fClass.reset();
    EXPECT_FALSE(property->GetClass(kNoContext));
    EXPECT_FALSE(declaredMethod->GetClass(kNoContext));
    EXPECT_EQ(TCIMValue::TCIMType::eString, property->GetType(kNoContext));
    EXPECT_THROW(property->AddToClass(kNoContext), boost::bad_weak_ptr);
    EXPECT_THROW(declaredMethod->AddToClass(kNoContext), boost::bad_weak_ptr);
}

TEST_F(DeclarationTest, ClassRegistersPropertiesUnderItsRules)
{
    Property("Name", TCIMValue(""))->AddToClass(kNoContext);
    EXPECT_EQ("Name", fClass->GetPropertyDecl("NAME", kNoContext)->GetName(kNoContext));
    EXPECT_FALSE(fClass->GetPropertyDecl("DateTimeOfCollection", kNoContext));
    EXPECT_EQ(15, ThrownStatus([&] { fClass->GetPropertyDecl("Caption", kNoContext); }));

    EXPECT_EQ(16, ThrownStatus([&] { Property("NAME", TCIMValue(""))->AddToClass(kNoContext); }));
    EXPECT_EQ(std::vector<std::string>{"TCimHTTP: Attempt to add property NAME to class CIM_Test: already exists"},
              LoggedMessages(0));

    // Port types (by the name's exact spelling) may be declared again; the later declaration stays.
    Property("LinkPortType", TCIMValue(1u))->AddToClass(kNoContext);
    Property("LinkPortType", TCIMValue(""))->AddToClass(kNoContext);
    EXPECT_EQ(TCIMValue::TCIMType::eString, fClass->GetPropertyDecl("linkporttype", kNoContext)->GetType(kNoContext));
    EXPECT_EQ(16, ThrownStatus([&] { Property("LINKPORTTYPE", TCIMValue(""))->AddToClass(kNoContext); }));

    // Overriding needs a declaration of the same type from elsewhere.
    auto overriding = [&](const std::string& name, const TCIMValue& value) {
        auto property = Property(name, value);
        Attach(*property, "Override", TCIMValue(name));
        return property;
    };
    TRootObject::GetCoreLogger()->Clear();
    EXPECT_EQ(15, ThrownStatus([&] { overriding("Caption", TCIMValue(""))->AddToClass(kNoContext); }));
    EXPECT_EQ(14, ThrownStatus([&] { overriding("Name", TCIMValue(1u))->AddToClass(kNoContext); }));
    EXPECT_EQ(16, ThrownStatus([&] { overriding("Name", TCIMValue("x"))->AddToClass(kNoContext); }));
    const std::string prefix = "TCimHTTP: Attempt to override property ";
    EXPECT_EQ((std::vector<std::string>{prefix + "Caption in class CIM_Test: property doesn't exist in base class",
                                        prefix + "Name in class CIM_Test: different types",
                                        prefix + "Name in class CIM_Test: original was defined in this class"}),
              LoggedMessages(0));

    // A reference property needs an association.
    TRootObject::GetCoreLogger()->Clear();
    auto reference = Property("Antecedent", TCIMValue(TCIMValue::TCIMType::eReference, 0));
    EXPECT_EQ(22, ThrownStatus([&] { reference->AddToClass(kNoContext); }));
    EXPECT_EQ(std::vector<std::string>{"TCimHTTP: Attempt to add reference property Antecedent to non-association "
                                       "class CIM_Test"},
              LoggedMessages(0));
    Attach(*fClass, "Association", TCIMValue(true));
    reference->AddToClass(kNoContext);
    EXPECT_EQ((std::vector<std::string>{"Antecedent", "LinkPortType", "Name"}), PropertyNames());
}

}  // namespace
