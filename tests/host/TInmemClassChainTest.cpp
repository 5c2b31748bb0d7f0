#include <qel/TInmemClassChain.h>

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <qel/TCoreLogger.h>
#include <qel/TInmemProperty.h>
#include <qel/TRootObject.h>

#include "InmemSchema.h"
#include "StatusOf.h"
#include "TCountingClass.h"

using namespace NVORNQEL20;

namespace {

// Remote-style classes CIM_ComputerSystem <- CIM_System <- CIM_ManagedElement
// and an unrelated CIM_Setting; their IsSubclassOf refuses to answer.
class TInmemClassChainTest : public ::testing::Test {
protected:
    TInmemClassChainTest()
        : fElement(boost::make_shared<TCountingClass>("CIM_ManagedElement")),
          fSystem(boost::make_shared<TCountingClass>("CIM_System")),
          fComputer(boost::make_shared<TCountingClass>("CIM_ComputerSystem")),
          fSetting(boost::make_shared<TCountingClass>("CIM_Setting")) {
        fSystem->SetSuperClass(fElement);
        fComputer->SetSuperClass(fSystem);
        TRootObject::GetCoreLogger()->Clear();
    }

    static TCIMValue Reference(const std::string& path, const boost::shared_ptr<ICIMClass>& referenced) {
        TCIMValue value(TCIMValue::TCIMType::eReference, 0);
        value.Set(path);
        value.SetReferencedClass(referenced);
        return value;
    }

    boost::shared_ptr<TCountingClass> fElement;
    boost::shared_ptr<TCountingClass> fSystem;
    boost::shared_ptr<TCountingClass> fComputer;
    boost::shared_ptr<TCountingClass> fSetting;
};

TEST_F(TInmemClassChainTest, AClassIsASubclassOfItselfAndOfEveryClassUpItsChain) {
    EXPECT_TRUE(TInmemClassChain::IsSubclass(fComputer, *fComputer));
    EXPECT_TRUE(TInmemClassChain::IsSubclass(fComputer, *fSystem));
    EXPECT_TRUE(TInmemClassChain::IsSubclass(fComputer, *fElement));
    EXPECT_TRUE(TInmemClassChain::IsSubclass(fComputer, TCountingClass("cim_managedelement")));
    EXPECT_FALSE(TInmemClassChain::IsSubclass(fComputer, *fSetting));
    EXPECT_FALSE(TInmemClassChain::IsSubclass(fSystem, *fComputer));
    // Walked once for all the questions about the class.
    EXPECT_EQ(1, fComputer->SuperClassCalls());
}

// The check of a reference value walks the chain and never asks IsSubclassOf.
TEST_F(TInmemClassChainTest, ReferenceValuesAreCheckedAlongTheChain) {
    TInmemSchema schema;
    boost::shared_ptr<ICIMClass> link = schema.AddClass("CIM_Link");
    TInmemProperty property(schema.AddProperty(*link, "Target", Reference("", fElement)));
    property.SetValue(Reference("CIM_ComputerSystem.Name=\"a\"", fComputer), TCIMContext());
    property.SetPrevValue(Reference("CIM_System.Name=\"b\"", fSystem));

    const TCIMValue setting = Reference("CIM_Setting.Id=1", fSetting);
    EXPECT_EQ(14, StatusOf([&] { property.SetValue(setting, TCIMContext()); }));
    EXPECT_EQ(14, StatusOf([&] { property.SetPrevValue(setting); }));
    EXPECT_EQ("CIM_ComputerSystem.Name=\"a\"", property.GetValue(TCIMContext()).ToString());
    ASSERT_EQ(2u, TRootObject::GetCoreLogger()->Records().size());
    EXPECT_EQ("Inmem: SetValue: decl references type CIM_ManagedElement but value references CIM_Setting",
              TRootObject::GetCoreLogger()->Records().front().second);
}

}  // namespace
