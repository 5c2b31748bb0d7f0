#include <qel/TInmemInstance.h>

#include <set>

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <qel/ICIMProperty.h>
#include <qel/ICIMQualifier.h>
#include <qel/TCoreLogger.h>
#include <qel/TRootObject.h>

#include "InmemSchema.h"
#include "StatusOf.h"
#include "TCountingClass.h"

using namespace NVORNQEL20;

namespace {

typedef TCIMValue::TCIMType TType;

TCIMValue Strings(const std::vector<std::string>& texts) {
    std::vector<TCIMValue> elements(texts.begin(), texts.end());
    return TCIMValue(TType::eString, 0, elements);
}

// The display text that the declaration's ValueMap and Values give the value.
std::string MappedText(const ICIMProperty& property) {
    boost::shared_ptr<ICIMPropertyDecl const> declaration = property.GetDeclaration(TCIMContext());
    const std::vector<TCIMValue>& keys = declaration->GetQualifier("ValueMap", TCIMContext())->GetValue(TCIMContext());
    const std::vector<TCIMValue>& texts = declaration->GetQualifier("Values", TCIMContext())->GetValue(TCIMContext());
    for (std::size_t i = 0; i < keys.size() && i < texts.size(); ++i) {
        if (keys[i].ToString() == property.ToString()) {
            return texts[i].ToString();
        }
    }
    return "";
}

std::vector<std::string> PropertyNames(const ICIMInstance& instance) {
    std::vector<std::string> names;
    instance.EnumerateProperties(
        [&names](boost::shared_ptr<ICIMProperty> property) {
            names.push_back(property->GetDeclaration(TCIMContext())->GetName(TCIMContext()));
            return true;
        },
        TCIMContext());
    return names;
}

boost::shared_ptr<ICIMInstance> InstanceOf(const boost::shared_ptr<ICIMClass>& cimClass) {
    return boost::make_shared<TInmemInstance>(cimClass, 1);
}

// CIM_ManagedElement <- CIM_System <- CIM_ComputerSystem, each declaring
// only what it defines, as classes loaded with local only true do.
class TInmemInstanceTest : public ::testing::Test {
protected:
    TInmemInstanceTest() {
        fElement = fSchema.AddClass("CIM_ManagedElement");
        fSchema.AddProperty(*fElement, "InstanceID", TCIMValue(TType::eString, 0));
        fSchema.AddProperty(*fElement, "Caption", TCIMValue("element"));
        fHealthState = fElement->AllocatePropertyDecl("HealthState", TCIMValue(TType::eUint16, 0), TCIMContext());
        fSchema.Qualify(*fHealthState, "ValueMap", Strings({"0", "5", "20"}));
        fSchema.Qualify(*fHealthState, "Values", Strings({"Unknown", "OK", "Major failure"}));
        fHealthState->AddToClass(TCIMContext());
        fSystem = fSchema.AddClass("CIM_System", fElement);
        fSchema.AddProperty(*fSystem, "Name", TCIMValue(TType::eString, 0), true);
        fSchema.AddProperty(*fSystem, "CreationClassName", TCIMValue(TType::eString, 0), true);
        fComputer = fSchema.AddClass("CIM_ComputerSystem", fSystem);
        fSchema.AddProperty(*fComputer, "Dedicated", TCIMValue(TType::eUint16Array, 0));
        fOwnCaption = fSchema.AddProperty(*fComputer, "CAPTION", TCIMValue("computer"));
        TRootObject::GetCoreLogger()->Clear();
    }

    boost::shared_ptr<ICIMInstance> NewComputer(const std::string& name) {
        boost::shared_ptr<ICIMInstance> instance = fComputer->AllocateInstance(TCIMContext());
        instance->SetPropertyValue("name", TCIMValue(name), TCIMContext());
        instance->SetPropertyValue("creationclassname", TCIMValue("CIM_ComputerSystem"), TCIMContext());
        return instance;
    }

    TInmemSchema fSchema;
    boost::shared_ptr<ICIMClass> fElement;
    boost::shared_ptr<ICIMClass> fSystem;
    boost::shared_ptr<ICIMClass> fComputer;
    boost::shared_ptr<ICIMPropertyDecl> fHealthState;
    boost::shared_ptr<ICIMPropertyDecl> fOwnCaption;
};

}  // namespace

TEST_F(TInmemInstanceTest, InheritedPropertiesKeepTheDeclarationsOfTheirSuperclass) {
    boost::shared_ptr<ICIMInstance> instance = NewComputer("esx01");
    instance->SetPropertyValue("healthstate", TCIMValue(static_cast<unsigned short>(20)), TCIMContext());
    boost::shared_ptr<ICIMProperty> health = instance->GetProperty("HealthState", TCIMContext());
    EXPECT_EQ(fHealthState, health->GetDeclaration(TCIMContext()));
    EXPECT_EQ("Major failure", MappedText(*health));
    EXPECT_EQ(14, StatusOf([&] { instance->SetPropertyValue("HealthState", TCIMValue("bad"), TCIMContext()); }));
    EXPECT_EQ(fOwnCaption, instance->GetProperty("Caption", TCIMContext())->GetDeclaration(TCIMContext()));
    EXPECT_EQ("computer", instance->GetProperty("caption", TCIMContext())->ToString());

    instance->SetPropertyValue("VendorExtra", TCIMValue(5u), TCIMContext());
    boost::shared_ptr<ICIMProperty> extra = instance->GetProperty("vendorextra", TCIMContext());
    EXPECT_EQ(TType::eUint32, extra->GetType(TCIMContext()));
    EXPECT_EQ("5", extra->ToString());
    EXPECT_EQ("VendorExtra", extra->GetDeclaration(TCIMContext())->GetName(TCIMContext()));
    EXPECT_TRUE(QualifierNames(*extra->GetDeclaration(TCIMContext())).empty());
    EXPECT_EQ(14, StatusOf([&] { instance->SetPropertyValue("VendorExtra", TCIMValue("x"), TCIMContext()); }));
    EXPECT_EQ(15, StatusOf([&] { instance->GetProperty("NeverSet", TCIMContext()); }));

    EXPECT_EQ((std::vector<std::string>{"CAPTION", "CreationClassName", "Dedicated", "HealthState", "InstanceID",
                                        "Name", "VendorExtra"}),
              PropertyNames(*instance));
    auto ownOnly = boost::make_shared<TInmemInstance>(fComputer, TInmemInstance::eOwnPropertiesOnly);
    ownOnly->SetPropertyValue("InstanceID", TCIMValue("i1"), TCIMContext());
    EXPECT_EQ(std::vector<std::string>{"InstanceID"}, PropertyNames(*ownOnly));
}

// A property lives inside its instance: the same object for every look-up,
// it sees the values set on the instance, and while it is held the
// instance lives on.
TEST_F(TInmemInstanceTest, APropertyIsPartOfItsInstance) {
    boost::shared_ptr<ICIMInstance> instance = NewComputer("esx01");
    boost::shared_ptr<ICIMProperty> name = instance->GetProperty("Name", TCIMContext());
    EXPECT_EQ(name, instance->GetProperty("NAME", TCIMContext()));
    instance->SetPropertyValue("name", TCIMValue("esx02"), TCIMContext());
    EXPECT_EQ("esx02", name->ToString());

    boost::weak_ptr<ICIMInstance> held = instance;
    instance.reset();
    ASSERT_FALSE(held.expired());
    EXPECT_EQ("esx02", name->ToString());
    name.reset();
    EXPECT_TRUE(held.expired());
}

TEST_F(TInmemInstanceTest, KeysInheritedFromASuperclassMakeDistinctPaths) {
    boost::shared_ptr<ICIMInstance> first = NewComputer("esx01");
    boost::shared_ptr<ICIMInstance> second = NewComputer("esx02");
    EXPECT_EQ("CIM_ComputerSystem.CreationClassName=\"CIM_ComputerSystem\",Name=\"esx01\"",
              first->BuildPath(TCIMContext()).GetPath());
    EXPECT_FALSE(*first == *second);
    first->AddToNamespace(TCIMContext());
    second->AddToNamespace(TCIMContext());
    TCIMReference path;
    path.SetPath("//esx01/root/cimv2:CIM_ComputerSystem.CreationClassName=\"CIM_ComputerSystem\",Name=\"esx02\"");
    EXPECT_EQ(second, fComputer->GetInstance(path, TCIMContext()));

    boost::shared_ptr<ICIMInstance> nameless = fComputer->AllocateInstance(TCIMContext());
    nameless->SetPropertyValue("CreationClassName", TCIMValue("CIM_ComputerSystem"), TCIMContext());
    EXPECT_EQ(4, StatusOf([&] { nameless->Validate(TCIMContext()); }));
}

TEST_F(TInmemInstanceTest, PathKeysAreOrderedWithoutRegardToLetterCase) {
    boost::shared_ptr<ICIMClass> device = fSchema.AddClass("CIM_Device", fSystem);
    for (const char* key : {"systemName", "deviceID", "_Tag"}) {
        fSchema.AddProperty(*device, key, TCIMValue(TType::eString, 0), true);
    }
    boost::shared_ptr<ICIMInstance> instance = InstanceOf(device);
    for (const char* key : {"SystemName", "DeviceID", "_TAG", "Name", "CreationClassName"}) {
        instance->SetPropertyValue(key, TCIMValue(std::string(key).substr(0, 2)), TCIMContext());
    }
    const std::string path = instance->GetReference(TCIMContext()).GetPath();
    EXPECT_EQ("CIM_Device._Tag=\"_T\",CreationClassName=\"Cr\",deviceID=\"De\",Name=\"Na\",systemName=\"Sy\"", path);
    TCIMReference readBack;
    readBack.SetPath(path);
    EXPECT_EQ(path, readBack.GetPath());
}

TEST_F(TInmemInstanceTest, ADeclarationAddedLaterIsSeenByTheInstances) {
    boost::shared_ptr<ICIMInstance> instance = NewComputer("esx01");
    boost::shared_ptr<ICIMPropertyDecl> status = fSchema.AddProperty(*fElement, "Status", TCIMValue(TType::eString, 0));
    instance->SetPropertyValue("Status", TCIMValue("OK"), TCIMContext());
    EXPECT_EQ(status, instance->GetProperty("Status", TCIMContext())->GetDeclaration(TCIMContext()));
    EXPECT_EQ((std::vector<std::string>{"CAPTION", "CreationClassName", "Dedicated", "HealthState", "InstanceID",
                                        "Name", "Status"}),
              PropertyNames(*instance));
    EXPECT_EQ(fHealthState, instance->GetProperty("healthstate", TCIMContext())->GetDeclaration(TCIMContext()));
}

TEST_F(TInmemInstanceTest, TheSuperclassChainIsWalkedOncePerClass) {
    boost::shared_ptr<ICIMClass> carrier = fSchema.AddClass("Carrier");
    auto top = boost::make_shared<TCountingClass>("Top");
    top->Declare(fSchema.AddProperty(*carrier, "Name", TCIMValue(TType::eString, 0), true));
    auto sub = boost::make_shared<TCountingClass>("Sub");
    sub->Declare(fSchema.AddProperty(*carrier, "Size", TCIMValue(TType::eUint32, 0)));
    sub->SetSuperClass(top);

    std::set<std::string> paths;
    for (unsigned i = 0; i < 1000; ++i) {
        boost::shared_ptr<ICIMInstance> instance = InstanceOf(sub);
        instance->SetPropertyValue("name", TCIMValue("n" + std::to_string(i)), TCIMContext());
        instance->SetPropertyValue("size", TCIMValue(i), TCIMContext());
        instance->SetPropertyValue("extra", TCIMValue(true), TCIMContext());
        instance->Validate(TCIMContext());
        paths.insert(instance->GetReference(TCIMContext()).GetPath());
    }
    EXPECT_EQ(1000u, paths.size());
    EXPECT_EQ("Sub.Name=\"n0\"", *paths.begin());
    EXPECT_EQ(1, sub->SuperClassCalls());
    EXPECT_EQ(1, top->SuperClassCalls());
    EXPECT_EQ(0, sub->PropertyDeclCalls() + top->PropertyDeclCalls());
}

TEST_F(TInmemInstanceTest, AReplacedSuperclassOrAClassMadeAnewGetsANewWalk) {
    boost::shared_ptr<ICIMClass> carrier = fSchema.AddClass("Carrier");
    boost::shared_ptr<TCountingClass> sub(new TCountingClass("Sub"));
    auto oldTop = boost::make_shared<TCountingClass>("Top");
    oldTop->Declare(fSchema.AddProperty(*carrier, "Old", TCIMValue(TType::eString, 0)));
    auto newTop = boost::make_shared<TCountingClass>("Top");
    boost::shared_ptr<ICIMPropertyDecl> fresh = fSchema.AddProperty(*carrier, "Fresh", TCIMValue(TType::eString, 0));
    newTop->Declare(fresh);
    sub->SetSuperClass(oldTop);
    InstanceOf(sub)->SetPropertyValue("Old", TCIMValue("o"), TCIMContext());

    sub->SetSuperClass(newTop);
    oldTop.reset();
    boost::shared_ptr<ICIMInstance> instance = InstanceOf(sub);
    instance->SetPropertyValue("Fresh", TCIMValue("f"), TCIMContext());
    EXPECT_EQ(fresh, instance->GetProperty("Fresh", TCIMContext())->GetDeclaration(TCIMContext()));

    // Made apart from its control block, a destroyed class's memory is
    // free at once, and often handed to the next class of the same size.
    boost::weak_ptr<ICIMClass> gone = sub;
    sub.reset();
    ASSERT_TRUE(gone.expired());
    boost::shared_ptr<TCountingClass> successor(new TCountingClass("Successor"));
    for (const char* inheritedBySub : {"Old", "Fresh"}) {
        EXPECT_EQ(15, StatusOf([&] { InstanceOf(successor)->GetProperty(inheritedBySub, TCIMContext()); }));
    }
    EXPECT_EQ(1, successor->SuperClassCalls());
}

TEST_F(TInmemInstanceTest, LoopingFailingAndOverlongChainsEnd) {
    boost::shared_ptr<ICIMClass> carrier = fSchema.AddClass("Carrier");
    auto a = boost::make_shared<TCountingClass>("A");
    auto b = boost::make_shared<TCountingClass>("B");
    boost::shared_ptr<ICIMPropertyDecl> fromB = fSchema.AddProperty(*carrier, "FromB", TCIMValue(TType::eString, 0));
    b->Declare(fromB);
    a->SetSuperClass(b);
    b->SetSuperClass(a);
    boost::shared_ptr<ICIMInstance> looping = InstanceOf(a);
    looping->SetPropertyValue("FromB", TCIMValue("b"), TCIMContext());
    EXPECT_EQ(fromB, looping->GetProperty("FromB", TCIMContext())->GetDeclaration(TCIMContext()));
    EXPECT_EQ(2, a->SuperClassCalls() + b->SuperClassCalls());
    boost::shared_ptr<ICIMClass> inLoop = fSchema.Namespace()->AllocateClass("InLoop", a, TCIMContext());
    b->SetSuperClass(inLoop);
    EXPECT_FALSE(inLoop->IsSubclassOf(fElement, TCIMContext()));

    auto failing = boost::make_shared<TCountingClass>("Failing");
    failing->FailSuperClass();
    for (int i = 0; i < 2; ++i) {
        InstanceOf(failing)->SetPropertyValue("Kept", TCIMValue(1.5), TCIMContext());
    }
    ASSERT_EQ(1u, TRootObject::GetCoreLogger()->Records().size());
    EXPECT_EQ(0, TRootObject::GetCoreLogger()->Records()[0].first);
    EXPECT_EQ(0u, TRootObject::GetCoreLogger()->Records()[0].second.find("Inmem: no superclass of Failing"));

    std::vector<boost::shared_ptr<TCountingClass>> chain;
    for (int level = 0; level < 1000; ++level) {
        chain.push_back(boost::make_shared<TCountingClass>("Level" + std::to_string(level)));
        if (level > 0) {
            chain[level - 1]->SetSuperClass(chain[level]);
        }
    }
    boost::shared_ptr<ICIMPropertyDecl> near = fSchema.AddProperty(*carrier, "Near", TCIMValue(TType::eString, 0));
    chain[40]->Declare(near);
    chain[999]->Declare(fSchema.AddProperty(*carrier, "Deep", TCIMValue(TType::eString, 0)));
    boost::shared_ptr<ICIMInstance> deep = InstanceOf(chain[0]);
    deep->SetPropertyValue("Near", TCIMValue("n"), TCIMContext());
    deep->SetPropertyValue("Deep", TCIMValue(7u), TCIMContext());
    EXPECT_EQ(near, deep->GetProperty("Near", TCIMContext())->GetDeclaration(TCIMContext()));
    EXPECT_EQ(TType::eUint32, deep->GetProperty("Deep", TCIMContext())->GetType(TCIMContext()));
    int calls = 0;
    for (const boost::shared_ptr<TCountingClass>& level : chain) {
        calls += level->SuperClassCalls();
    }
    EXPECT_EQ(63, calls);
}
