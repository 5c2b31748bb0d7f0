// A property value bound to its declaration: own value against default,
// the declaration check with its log lines, the previous value, copies and
// comparisons.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <boost/smart_ptr/bad_weak_ptr.hpp>

#include <qel/TCIMReference.h>
#include <qel/TInmemNamespace.h>

#include "PropertyTestSupport.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;
typedef TCIMValue::TCIMType TType;

class PropertyValueTest : public PropertyTest {
};

TEST_F(PropertyValueTest, ShowsTheDefaultUntilItHasAValueOfItsOwn)
{
    auto declaration = DeclareWithDefault(TCIMValue(7u));
    TCimHTTPProperty property(declaration);
    EXPECT_TRUE(property.IsDefaultValue(kNoContext));
    EXPECT_TRUE(property.GetPropagated(kNoContext));
    EXPECT_EQ(TCIMValue(7u), property.GetValue(kNoContext));
    EXPECT_EQ(TType::eUint32, property.GetType(kNoContext));
    EXPECT_FALSE(property.IsArray(kNoContext));
    EXPECT_EQ(declaration, property.GetDeclaration(kNoContext));

    TCIMValue value(42u);
    property.SetValue(value, kNoContext);
    value = TCIMValue(43u);
    EXPECT_FALSE(property.IsDefaultValue(kNoContext));
    EXPECT_FALSE(property.GetPropagated(kNoContext));
    EXPECT_EQ(TCIMValue(42u), property.GetValue(kNoContext));
    EXPECT_EQ(TCIMValue(7u), declaration->GetDefaultValue(kNoContext));

    TCimHTTPProperty constructed(declaration, TCIMValue(9u));
    EXPECT_FALSE(constructed.IsDefaultValue(kNoContext));
    EXPECT_EQ(TCIMValue(9u), constructed.GetValue(kNoContext));
}

TEST_F(PropertyValueTest, ValueOfAnotherTypeIsLoggedAndRefused)
{
    auto declaration = DeclareWithDefault(TCIMValue(TType::eString, 0));
    TCimHTTPProperty property(declaration, TCIMValue("kept"));

    EXPECT_EQ(14, ThrownStatus([&] { property.SetValue(TCIMValue(5u), kNoContext); }));
    EXPECT_EQ(TCIMValue("kept"), property.GetValue(kNoContext));
    EXPECT_EQ(14, ThrownStatus([&] { property.SetPrevValue(TCIMValue(5u)); }));
    EXPECT_FALSE(property.IsPrevValueDifferent());
    EXPECT_EQ(14, ThrownStatus([&] { TCimHTTPProperty(declaration, TCIMValue(true)); }));
    EXPECT_EQ((std::vector<std::string>{"Inmem: SetValue: decl is type string but value is type uint32",
                                        "SetPrevValue: decl is type string but value is type uint32",
                                        "Inmem: SetValue: decl is type string but value is type boolean"}),
              LoggedMessages(0));
}

TEST_F(PropertyValueTest, ArraysMatchTheirDeclarationByTheFullTypeNumber)
{
    TCimHTTPProperty property(DeclareWithDefault(TCIMValue(TType::eUint16Array, 0)));
    EXPECT_TRUE(property.IsArray(kNoContext));
    const TCIMValue codes = ArrayOf(TType::eUint16, {TCIMValue(static_cast<unsigned short>(2))});
    property.SetValue(codes, kNoContext);
    EXPECT_EQ(codes, property.GetValue(kNoContext));

    EXPECT_EQ(14, ThrownStatus([&] { property.SetValue(TCIMValue(static_cast<unsigned short>(2)), kNoContext); }));
    EXPECT_EQ(14, ThrownStatus([&] { property.SetValue(ArrayOf(TType::eUint32, {TCIMValue(2u)}), kNoContext); }));
    EXPECT_EQ((std::vector<std::string>{"Inmem: SetValue: decl is type uint16[] but value is type uint16",
                                        "Inmem: SetValue: decl is type uint16[] but value is type uint32[]"}),
              LoggedMessages(0));
}

TEST_F(PropertyValueTest, PreviousValueIsTheCurrentOneUntilRecorded)
{
    auto declaration = DeclareWithDefault(TCIMValue(1u));
    TCimHTTPProperty property(declaration);
    EXPECT_FALSE(property.IsPrevValueDifferent());
    EXPECT_EQ(TCIMValue(1u), property.GetPrevValue());
    property.SetValue(TCIMValue(2u), kNoContext);
    EXPECT_EQ(TCIMValue(2u), property.GetPrevValue());

    property.SetPrevValue(TCIMValue(3u));
    property.SetValue(TCIMValue(4u), kNoContext);
    EXPECT_TRUE(property.IsPrevValueDifferent());
    EXPECT_EQ(TCIMValue(3u), property.GetPrevValue());
    EXPECT_EQ(TCIMValue(4u), property.GetValue(kNoContext));

    // A null value goes in unchecked, whatever its type.
    property.SetPrevValue(TCIMValue(TType::eString, 0));
    EXPECT_EQ(TCIMValue(TType::eString, 0), property.GetPrevValue());
    property.SetPrevValue();
    EXPECT_EQ(TCIMValue(), property.GetPrevValue());
    EXPECT_TRUE(property.IsPrevValueDifferent());
    EXPECT_TRUE(LoggedMessages(0).empty());
}

TEST_F(PropertyValueTest, CopyTakesTheDeclarationAndAnyValueButNull)
{
    auto declaration = DeclareWithDefault(TCIMValue(TType::eUint32, 0));
    auto original = boost::make_shared<TCimHTTPProperty>(declaration, TCIMValue(5u));
    original->SetPrevValue(TCIMValue(4u));
    TCimHTTPProperty copy(boost::shared_ptr<ICIMProperty const>{original});
    EXPECT_EQ(declaration, copy.GetDeclaration(kNoContext));
    EXPECT_EQ(TCIMValue(5u), copy.GetValue(kNoContext));
    EXPECT_FALSE(copy.IsPrevValueDifferent());
    EXPECT_TRUE(copy == *original);

    auto nullValued = boost::make_shared<TCimHTTPProperty>(declaration, TCIMValue(TType::eUint32, 0));
    EXPECT_TRUE(TCimHTTPProperty(boost::shared_ptr<ICIMProperty const>(nullValued)).IsDefaultValue(kNoContext));

    // A default that is not null is what the other shows, so it is copied in.
    auto withDefault = boost::make_shared<TCimHTTPProperty>(DeclareWithDefault(TCIMValue(8u)));
    TCimHTTPProperty fromDefault(boost::shared_ptr<ICIMProperty const>{withDefault});
    EXPECT_FALSE(fromDefault.IsDefaultValue(kNoContext));
    EXPECT_EQ(TCIMValue(8u), fromDefault.GetValue(kNoContext));
}

TEST_F(PropertyValueTest, ComparedByDeclarationObjectThenValue)
{
    auto first = DeclareWithDefault(TCIMValue(3u), "Same");
    auto second = DeclareWithDefault(TCIMValue(3u), "Same");
    TCimHTTPProperty unset(first);
    TCimHTTPProperty three(first, TCIMValue(3u));
    TCimHTTPProperty four(first, TCIMValue(4u));
    TCimHTTPProperty otherDeclaration(second, TCIMValue(3u));

    EXPECT_TRUE(unset == three);
    EXPECT_FALSE(three == four);
    EXPECT_FALSE(three == otherDeclaration);
    EXPECT_TRUE(three < four);
    EXPECT_FALSE(four < three);
    EXPECT_FALSE(unset < three);
    const bool firstIsLower = first.get() < second.get();
    EXPECT_EQ(firstIsLower, four < otherDeclaration);
    EXPECT_EQ(!firstIsLower, otherDeclaration < three);

    ICIMProperty& target = four;
    EXPECT_EQ(&four, &(target = three));
    EXPECT_EQ(TCIMValue(4u), four.GetValue(kNoContext));
}

TEST_F(PropertyValueTest, DeclarationIsHeldWeakly)
{
    auto declaration = DeclareWithDefault(TCIMValue(1u));
    TCimHTTPProperty property(declaration, TCIMValue(2u));
    declaration.reset();
    fDeclarations.clear();
    EXPECT_FALSE(property.GetDeclaration(kNoContext));
    EXPECT_THROW(property.GetType(kNoContext), boost::bad_weak_ptr);
}

// Referenced classes from the host's in-memory namespace, whose
// IsSubclassOf follows the superclass chain.
class PropertyReferenceTest : public PropertyTest {
protected:
    PropertyReferenceTest() : fClasses(boost::make_shared<TInmemNamespace>())
    {
        fManagedElement = fClasses->AllocateClass("CIM_ManagedElement", nullptr, kNoContext);
        fSystem = fClasses->AllocateClass("CIM_System", fManagedElement, kNoContext);
        fSetting = fClasses->AllocateClass("CIM_Setting", nullptr, kNoContext);
    }

    static TCIMValue Reference(const std::string& path, boost::shared_ptr<ICIMClass> referenced)
    {
        TCIMValue value(TType::eReference, 0);
        value.Set(path);
        value.SetReferencedClass(referenced);
        return value;
    }

    boost::shared_ptr<TInmemNamespace> fClasses;
    boost::shared_ptr<ICIMClass> fManagedElement;
    boost::shared_ptr<ICIMClass> fSystem;
    boost::shared_ptr<ICIMClass> fSetting;
};

TEST_F(PropertyReferenceTest, ReferenceMustPointToASubclassOfTheDeclaredClass)
{
    TCimHTTPProperty property(DeclareWithDefault(Reference("", fManagedElement)));
    const TCIMValue system = Reference("CIM_System.Name=\"a\"", fSystem);
    property.SetValue(system, kNoContext);
    property.SetValue(Reference("CIM_ManagedElement.Id=1", fManagedElement), kNoContext);

    const TCIMValue setting = Reference("CIM_Setting.Id=2", fSetting);
    EXPECT_EQ(14, ThrownStatus([&] { property.SetValue(setting, kNoContext); }));
    EXPECT_EQ(14, ThrownStatus([&] { property.SetPrevValue(setting); }));
    EXPECT_EQ("CIM_ManagedElement.Id=1", property.GetValue(kNoContext).ToString(10));
    EXPECT_FALSE(property.IsPrevValueDifferent());
    EXPECT_EQ((std::vector<std::string>{
                  "Inmem: SetValue: decl references type CIM_ManagedElement but value references CIM_Setting",
                  "SetPrevValue: decl references type CIM_ManagedElement but value references CIM_Setting"}),
              LoggedMessages(0));
}

TEST_F(PropertyReferenceTest, UnknownReferencedClassLeavesNothingToCompare)
{
    // Declarations loaded from a server carry no referenced class.
    TCimHTTPProperty loaded(DeclareWithDefault(TCIMValue(TType::eReference, 0)));
    loaded.SetValue(Reference("CIM_Setting.Id=2", fSetting), kNoContext);
    loaded.SetPrevValue(Reference("CIM_System.Name=\"a\"", fSystem));

    TCimHTTPProperty declared(DeclareWithDefault(Reference("", fManagedElement)));
    declared.SetValue(Reference("CIM_Setting.Id=2", nullptr), kNoContext);
    EXPECT_TRUE(declared.GetValue(kNoContext).IsReference());
    EXPECT_TRUE(LoggedMessages(0).empty());
}

}  // namespace
