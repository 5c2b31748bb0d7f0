#include <qel/TInmemNamespace.h>

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <qel/ICIMInstance.h>
#include <qel/ICIMMethodDecl.h>
#include <qel/ICIMParameterDecl.h>
#include <qel/ICIMProperty.h>
#include <qel/TCoreLogger.h>
#include <qel/TInmemInstance.h>
#include <qel/TInmemProperty.h>
#include <qel/TQELException.h>
#include <qel/TRootObject.h>

#include "InmemSchema.h"
#include "StatusOf.h"

using namespace NVORNQEL20;

namespace {

typedef TCIMValue::TCIMType TType;
typedef ICIMQualifierDecl::EFlavor EFlavor;

std::vector<std::string> ClassNames(const std::function<void(ICIMClass::TClassCallback)>& enumerate,
                                    const std::string& stopAt = "") {
    std::vector<std::string> names;
    enumerate([&names, &stopAt](boost::shared_ptr<ICIMClass> cimClass) {
        names.push_back(cimClass->GetName(TCIMContext()));
        return names.back() != stopAt;
    });
    return names;
}

std::vector<std::string> PropertyTexts(const ICIMInstance& instance) {
    std::vector<std::string> texts;
    instance.EnumerateProperties(
        [&texts](boost::shared_ptr<ICIMProperty> property) {
            texts.push_back(property->GetDeclaration(TCIMContext())->GetName(TCIMContext()) + "=" +
                            property->ToString());
            return true;
        },
        TCIMContext());
    return texts;
}

class TInmemNamespaceTest : public ::testing::Test {
protected:
    TInmemNamespaceTest() {
        fComputer = fSchema.AddClass("CIM_Computer");
        fSchema.AddProperty(*fComputer, "Name", TCIMValue(TType::eString, 0), true);
        fSchema.AddProperty(*fComputer, "Slot", TCIMValue(TType::eUint16, 0), true);
        fSchema.AddProperty(*fComputer, "Caption", TCIMValue("unnamed"));
        fSchema.AddProperty(*fComputer, "Speeds", TCIMValue(TType::eUint32Array, 0));
        TRootObject::GetCoreLogger()->Clear();
    }

    boost::shared_ptr<ICIMInstance> NewComputer(const std::string& name, unsigned short slot) {
        boost::shared_ptr<ICIMInstance> instance = fComputer->AllocateInstance(TCIMContext());
        instance->SetPropertyValue("NAME", TCIMValue(name), TCIMContext());
        instance->SetPropertyValue("slot", TCIMValue(slot), TCIMContext());
        return instance;
    }

    TInmemSchema fSchema;
    boost::shared_ptr<ICIMClass> fComputer;
};

}  // namespace

TEST_F(TInmemNamespaceTest, QualifierAttachmentRule) {
    ICIMClass& element = *fComputer;
    boost::shared_ptr<ICIMQualifier> first = fSchema.Qualify(element, "Write", TCIMValue(true));
    boost::shared_ptr<ICIMQualifier> same =
        element.AllocateQualifier(fSchema.Declaration("WRITE", TCIMValue(true)), TCIMValue(true), TCIMContext());
    element.AddQualifier(same, TCIMContext());
    EXPECT_EQ(first, element.GetQualifier("write", TCIMContext()));

    boost::shared_ptr<ICIMQualifier> different =
        element.AllocateQualifier(fSchema.Declaration("Write", TCIMValue(true)), TCIMValue(false), TCIMContext());
    EXPECT_EQ(28, StatusOf([&] { element.AddQualifier(different, TCIMContext()); }));
    boost::shared_ptr<ICIMQualifier> otherFlavor = element.AllocateQualifier(
        fSchema.Declaration("Write", TCIMValue(true)), TCIMValue(true), static_cast<EFlavor>(6), TCIMContext());
    EXPECT_EQ(28, StatusOf([&] { element.AddQualifier(otherFlavor, TCIMContext()); }));
    EXPECT_EQ(first, element.GetQualifier("WRITE", TCIMContext()));

    boost::shared_ptr<ICIMQualifierDecl> overridable =
        fSchema.Declaration("Description", TCIMValue(""), ICIMQualifierDecl::eFlavorEnableOverride);
    element.AddQualifier(element.AllocateQualifier(overridable, TCIMValue("old"), TCIMContext()), TCIMContext());
    boost::shared_ptr<ICIMQualifier> replacement =
        element.AllocateQualifier(overridable, TCIMValue("old"), TCIMContext());
    element.AddQualifier(replacement, TCIMContext());
    EXPECT_EQ(replacement, element.GetQualifier("description", TCIMContext()));
    EXPECT_EQ(ICIMQualifierDecl::eFlavorEnableOverride, replacement->GetFlavor(TCIMContext()));

    fSchema.Qualify(element, "Key", TCIMValue(true));
    EXPECT_EQ((std::vector<std::string>{"Description", "Key", "Write"}), QualifierNames(element));
    bool found = true;
    EXPECT_FALSE(element.GetQualifier("Abstract", found, TCIMContext()));
    EXPECT_FALSE(found);
    EXPECT_EQ(25, StatusOf([&] { element.GetQualifier("bad name", TCIMContext()); }));
}

TEST_F(TInmemNamespaceTest, ClassesAndDeclarationsByCaseInsensitiveName) {
    boost::shared_ptr<TInmemNamespace> nameSpace = fSchema.Namespace();
    EXPECT_EQ(fComputer, nameSpace->GetClass("cim_COMPUTER", TCIMContext()));
    EXPECT_FALSE(nameSpace->GetClass("CIM_Missing", TCIMContext()));
    EXPECT_EQ(16, StatusOf([&] { fSchema.AddClass("CIM_computer"); }));
    EXPECT_EQ(25, StatusOf([&] { nameSpace->AllocateClass("9Lives", {}, TCIMContext()); }));
    EXPECT_EQ(25, StatusOf([&] { nameSpace->AllocateClass("<root>", {}, TCIMContext()); }));
    EXPECT_EQ(16, StatusOf([&] { fSchema.AddProperty(*fComputer, "CAPTION", TCIMValue("")); }));
    EXPECT_EQ(25, StatusOf([&] { fComputer->AllocatePropertyDecl("my-property", TCIMValue(), TCIMContext()); }));
    EXPECT_EQ(16, StatusOf([&] {
        nameSpace->AllocateQualifierDecl("key", TCIMValue(false), ICIMQualifierDecl::eScopeProperty,
                                         ICIMQualifierDecl::eFlavorNone, TCIMContext())
            ->AddToNamespace(TCIMContext());
    }));
    EXPECT_EQ(TType::eUint16, fComputer->GetPropertyDecl("SLOT", TCIMContext())->GetType(TCIMContext()));
    EXPECT_FALSE(fComputer->GetPropertyDecl("Missing", TCIMContext()));

    std::vector<std::string> keys;
    fComputer->EnumerateKeyNames(
        [&keys](const std::string* name) {
            keys.push_back(*name);
            return true;
        },
        TCIMContext());
    EXPECT_EQ((std::vector<std::string>{"Name", "Slot"}), keys);
}

TEST_F(TInmemNamespaceTest, HierarchyWalks) {
    boost::shared_ptr<ICIMClass> a = fSchema.AddClass("A", fComputer);
    boost::shared_ptr<ICIMClass> a1 = fSchema.AddClass("A1", a);
    fSchema.AddClass("B", fComputer);
    fSchema.AddClass("Z_Other");
    boost::shared_ptr<TInmemNamespace> nameSpace = fSchema.Namespace();
    auto subclasses = [this](bool deep) {
        return [this, deep](ICIMClass::TClassCallback callback) {
            fComputer->EnumerateSubClasses(callback, deep, TCIMContext());
        };
    };
    EXPECT_EQ((std::vector<std::string>{"A", "A1", "B"}), ClassNames(subclasses(true)));
    EXPECT_EQ((std::vector<std::string>{"A", "B"}), ClassNames(subclasses(false)));
    EXPECT_EQ((std::vector<std::string>{"A", "A1"}), ClassNames(subclasses(true), "A1"));
    EXPECT_EQ((std::vector<std::string>{"CIM_Computer", "Z_Other"}),
              ClassNames([&](ICIMClass::TClassCallback callback) {
                  nameSpace->EnumerateRootClasses(callback, TCIMContext());
              }));
    EXPECT_TRUE(a1->IsSubclassOf(fComputer, TCIMContext()));
    EXPECT_TRUE(a1->IsSubclassOf(a1, TCIMContext()));
    EXPECT_FALSE(fComputer->IsSubclassOf(a1, TCIMContext()));
    EXPECT_EQ(a, a1->GetSuperClass(TCIMContext()));
    EXPECT_FALSE(fComputer->IsRootClass(TCIMContext()));

    a1->RemoveFromNamespace(TCIMContext());
    EXPECT_FALSE(nameSpace->GetClass("A1", TCIMContext()));
    EXPECT_EQ((std::vector<std::string>{"A", "B"}), ClassNames(subclasses(true)));
}

TEST_F(TInmemNamespaceTest, PropertyValuesAreCheckedAgainstTheirDeclarations) {
    boost::shared_ptr<ICIMInstance> instance = NewComputer("n1", 1);
    EXPECT_EQ(14, StatusOf([&] { instance->SetPropertyValue("Caption", TCIMValue(5u), TCIMContext()); }));
    const std::vector<TCoreLogger::TRecord> expected = {
        {0, "Inmem: SetValue: decl is type string but value is type uint32"}};
    EXPECT_EQ(expected, TRootObject::GetCoreLogger()->Records());
    EXPECT_EQ("unnamed", instance->GetProperty("caption", TCIMContext())->ToString());
    EXPECT_TRUE(instance->GetProperty("caption", TCIMContext())->IsDefaultValue(TCIMContext()));
    EXPECT_EQ(15, StatusOf([&] { instance->GetProperty("Missing", TCIMContext()); }));
    EXPECT_EQ(14, StatusOf([&] {
        instance->SetPropertyValue("Speeds", TCIMValue(TType::eUint32, 0, {}), TCIMContext());
        instance->SetPropertyValue("Speeds", TCIMValue(TType::eUint16, 0, {}), TCIMContext());
    }));

    instance->SetPropertyValue("Speeds", TCIMValue(TType::eUint32, 0, {TCIMValue(10u), TCIMValue(20u)}),
                               TCIMContext());
    instance->SetPropertyValue("Caption", TCIMValue(), TCIMContext());
    EXPECT_EQ((std::vector<std::string>{"10", "20"}),
              instance->GetProperty("Speeds", TCIMContext())->ToStringVector());
    EXPECT_EQ((std::vector<std::string>{"Caption=", "Name=n1", "Slot=1", "Speeds=10,20"}), PropertyTexts(*instance));

    auto ownOnly = boost::make_shared<TInmemInstance>(fComputer, TInmemInstance::eOwnPropertiesOnly);
    ownOnly->SetPropertyValue("Slot", TCIMValue(static_cast<unsigned short>(3)), TCIMContext());
    ownOnly->GetProperty("Caption", TCIMContext());
    EXPECT_EQ((std::vector<std::string>{"Slot=3"}), PropertyTexts(*ownOnly));
}

TEST_F(TInmemNamespaceTest, PreviousValuesAndReferencesOfAProperty) {
    boost::shared_ptr<ICIMClass> part = fSchema.AddClass("CIM_Part", fComputer);
    boost::shared_ptr<ICIMClass> elsewhere = fSchema.AddClass("CIM_Elsewhere");
    TCIMValue declaredReference(TType::eReference, 0);
    declaredReference.SetReferencedClass(fComputer);
    TInmemProperty property(fSchema.AddProperty(*elsewhere, "Target", declaredReference));

    EXPECT_EQ(&property.GetValue(TCIMContext()), &property.GetPrevValue());
    EXPECT_FALSE(property.IsPrevValueDifferent());
    TCIMValue toPart(TCIMReference{});
    toPart.SetReferencedClass(part);
    property.SetValue(toPart, TCIMContext());
    EXPECT_FALSE(property.IsDefaultValue(TCIMContext()));

    TCIMValue toOther(TCIMReference{});
    toOther.SetReferencedClass(elsewhere);
    EXPECT_EQ(14, StatusOf([&] { property.SetPrevValue(toOther); }));
    EXPECT_EQ(TCoreLogger::TRecord(
                  0, "SetPrevValue: decl references type CIM_Computer but value references CIM_Elsewhere"),
              TRootObject::GetCoreLogger()->Records().back());
    EXPECT_FALSE(property.IsPrevValueDifferent());

    property.SetPrevValue(TCIMValue(TType::eString, 0));
    EXPECT_TRUE(property.IsPrevValueDifferent());
    EXPECT_EQ(TType::eString, property.GetPrevValue().GetType());
    property.SetPrevValue();
    EXPECT_EQ(TCIMValue(), property.GetPrevValue());
}

TEST_F(TInmemNamespaceTest, InstancesAreFiledByTheirKeyPath) {
    boost::shared_ptr<ICIMInstance> incomplete = fComputer->AllocateInstance(TCIMContext());
    incomplete->SetPropertyValue("Name", TCIMValue("n0"), TCIMContext());
    EXPECT_EQ(4, StatusOf([&] { incomplete->AddToNamespace(TCIMContext()); }));

    boost::shared_ptr<ICIMInstance> instance = NewComputer("a \"b\"", 2);
    EXPECT_EQ("CIM_Computer.Name=\"a \\\"b\\\"\",Slot=2", instance->GetReference(TCIMContext()).GetPath());
    EXPECT_EQ(fSchema.Namespace(), instance->GetReference(TCIMContext()).GetNamespace());
    EXPECT_EQ("", instance->GetPegasusNSPStr());
    instance->AddToNamespace(TCIMContext());
    EXPECT_EQ(16, StatusOf([&] { NewComputer("a \"b\"", 2)->AddToNamespace(TCIMContext()); }));

    TCIMReference fullPath;
    fullPath.SetPath("//host/root/cimv2:CIM_Computer.Name=\"a \\\"b\\\"\",Slot=2");
    boost::shared_ptr<TInmemNamespace> nameSpace = fSchema.Namespace();
    EXPECT_EQ(instance, nameSpace->GetInstance(fullPath, TCIMContext()));

    boost::shared_ptr<ICIMInstance> update = NewComputer("a \"b\"", 2);
    update->SetPropertyValue("Caption", TCIMValue("renamed"), TCIMContext());
    nameSpace->ModifyInstance(update, TCIMContext());
    EXPECT_EQ("renamed", instance->GetProperty("Caption", TCIMContext())->ToString());
    EXPECT_TRUE(*instance == *update);

    std::vector<boost::shared_ptr<ICIMInstance>> seen;
    fComputer->EnumerateInstances([&seen](boost::shared_ptr<ICIMInstance> found) {
        seen.push_back(found);
        return true;
    }, true, TCIMContext());
    EXPECT_EQ(std::vector<boost::shared_ptr<ICIMInstance>>{instance}, seen);

    nameSpace->DeleteInstance(fullPath, TCIMContext());
    EXPECT_FALSE(nameSpace->GetInstance(fullPath, TCIMContext()));
    EXPECT_EQ(15, StatusOf([&] { nameSpace->DeleteInstance(fullPath, TCIMContext()); }));
    EXPECT_EQ(15, StatusOf([&] { nameSpace->ModifyInstance(update, TCIMContext()); }));
}

TEST_F(TInmemNamespaceTest, MethodsKeepTheirParametersByName) {
    boost::shared_ptr<ICIMMethodDecl> method = fComputer->AllocateMethodDecl("Reset", TType::eUint32, TCIMContext());
    for (const char* name : {"Zeta", "alpha", "Beta"}) {
        method->AllocateParameterDecl(name, TType::eStringArray, TCIMContext())->AddToMethod(TCIMContext());
    }
    EXPECT_EQ(16, StatusOf([&] {
        method->AllocateParameterDecl("ALPHA", TType::eString, TCIMContext())->AddToMethod(TCIMContext());
    }));
    method->AddToClass(TCIMContext());
    std::vector<std::string> names;
    ICIMMethodDecl::TParameterDeclCallback collect = [&names](boost::shared_ptr<ICIMParameterDecl> parameter) {
        names.push_back(parameter->GetName(TCIMContext()));
        return parameter->IsArray(TCIMContext());
    };
    fComputer->GetMethodDecl("RESET", TCIMContext())->EnumerateParameterDecls(collect, TCIMContext());
    EXPECT_EQ((std::vector<std::string>{"alpha", "Beta", "Zeta"}), names);
    EXPECT_EQ(method, fComputer->GetMethodDecl("reset", TCIMContext())
                          ->GetParameterDecl("beta", TCIMContext())
                          ->GetMethodDecl(TCIMContext()));
    TCIMContext output;
    EXPECT_EQ(1, StatusOf([&] { fComputer->InvokeMethod("Reset", output, TCIMContext()); }));
}

TEST_F(TInmemNamespaceTest, BackReferencesNeverKeepOwnersAlive) {
    boost::weak_ptr<TInmemNamespace> nameSpace = fSchema.Namespace();
    boost::shared_ptr<ICIMQualifier> qualifier = fSchema.Qualify(*fComputer, "Description", TCIMValue("x"));
    boost::shared_ptr<ICIMPropertyDecl> property = fComputer->GetPropertyDecl("Name", TCIMContext());
    boost::shared_ptr<ICIMInstance> instance = NewComputer("n", 1);
    fSchema = TInmemSchema();
    fComputer.reset();
    EXPECT_TRUE(nameSpace.expired());
    EXPECT_FALSE(qualifier->GetClassOrProperty(TCIMContext()));
    EXPECT_EQ("x", qualifier->GetValue(TCIMContext()).ToString(10));
    EXPECT_FALSE(property->GetClass(TCIMContext()));
    EXPECT_FALSE(instance->GetClass(TCIMContext()));
    EXPECT_THROW(instance->GetReference(TCIMContext()), boost::bad_weak_ptr);
}
