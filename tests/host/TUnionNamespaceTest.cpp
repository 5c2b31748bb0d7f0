#include <qel/TUnionNamespace.h>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>
#include <gtest/gtest.h>

#include <qel/ICIMInstance.h>
#include <qel/INamespaceProvider.h>
#include <qel/TQELException.h>
#include <qel/TVORNCNamespace.h>

#include "InmemSchema.h"

using namespace NVORNQEL20;

namespace {

// An underlying namespace that asks the union back for every class, as a
// provider whose upcall namespace is the union does.
class TAskingBackNamespace : public TInmemNamespace {
public:
    explicit TAskingBackNamespace(boost::shared_ptr<ICIMNamespace> unionNamespace) : fUnion(unionNamespace) {}
    boost::shared_ptr<ICIMClass> GetClass(const std::string& name, TCIMContext context) override {
        ++fCalls;
        return boost::shared_ptr<ICIMNamespace>(fUnion)->GetClass(name, context);
    }
    int fCalls = 0;

private:
    boost::weak_ptr<ICIMNamespace> fUnion;
};

class TUnionNamespaceTest : public ::testing::Test {
protected:
    TUnionNamespaceTest() : fUnion(boost::make_shared<TUnionNamespace>()) {
        fFirstShared = fFirst.AddClass("CIM_Shared");
        fFirst.AddClass("CIM_OnlyFirst");
        fFirst.Declaration("Key", TCIMValue(false));
        fSecondShared = fSecond.AddClass("cim_shared");
        fSecondOnly = fSecond.AddClass("CIM_OnlySecond");
        fSecond.AddProperty(*fSecondOnly, "Id", TCIMValue(0u), true);
        fSecond.Declaration("KEY", TCIMValue(false));
        fSecond.Declaration("Units", TCIMValue(""));
        fUnion->AddUnderlyingNamespace(fFirst.Namespace(), TCIMContext());
        fUnion->AddUnderlyingNamespace(fSecond.Namespace(), TCIMContext());
        fUnion->AddUnderlyingNamespace(fFirst.Namespace(), TCIMContext());
    }

    TInmemSchema fFirst;
    TInmemSchema fSecond;
    boost::shared_ptr<ICIMClass> fFirstShared;
    boost::shared_ptr<ICIMClass> fSecondShared;
    boost::shared_ptr<ICIMClass> fSecondOnly;
    boost::shared_ptr<TUnionNamespace> fUnion;
};

}  // namespace

TEST_F(TUnionNamespaceTest, NamesAreAnsweredByTheFirstNamespaceThatKnowsThem) {
    EXPECT_EQ(2u, fUnion->GetUnderlyingNamespaces().size());
    EXPECT_EQ(fFirstShared, fUnion->GetClass("CIM_SHARED", TCIMContext()));
    EXPECT_EQ(fSecondOnly, fUnion->GetClass("CIM_OnlySecond", TCIMContext()));
    EXPECT_FALSE(fUnion->GetClass("CIM_Nowhere", TCIMContext()));
    EXPECT_EQ(fFirst.Namespace(), fUnion->GetQualifierDecl("key", TCIMContext())->GetNamespace(TCIMContext()));

    std::vector<std::string> roots;
    fUnion->EnumerateRootClasses(
        [&roots](boost::shared_ptr<ICIMClass> cimClass) {
            roots.push_back(cimClass->GetName(TCIMContext()));
            return true;
        },
        TCIMContext());
    EXPECT_EQ((std::vector<std::string>{"CIM_OnlyFirst", "CIM_Shared", "CIM_OnlySecond"}), roots);

    std::vector<std::string> qualifiers;
    fUnion->EnumerateQualifierDecls(
        [&qualifiers](boost::shared_ptr<ICIMQualifierDecl> declaration) {
            qualifiers.push_back(declaration->GetName(TCIMContext()));
            return qualifiers.size() < 2;
        },
        TCIMContext());
    EXPECT_EQ((std::vector<std::string>{"Key", "Units"}), qualifiers);
}

TEST_F(TUnionNamespaceTest, InstancesGoToTheNamespaceOfTheirClass) {
    boost::shared_ptr<ICIMInstance> instance = fSecondOnly->AllocateInstance(TCIMContext());
    instance->SetPropertyValue("Id", TCIMValue(9u), TCIMContext());
    instance->AddToNamespace(TCIMContext());
    const TCIMReference path = instance->GetReference(TCIMContext());
    EXPECT_EQ(instance, fUnion->GetInstance(path, TCIMContext()));
    fUnion->DeleteInstance(path, TCIMContext());
    EXPECT_FALSE(fSecond.Namespace()->GetInstance(path, TCIMContext()));

    TCIMReference unknown;
    unknown.SetPath("CIM_Nowhere.Id=1");
    EXPECT_FALSE(fUnion->GetInstance(unknown, TCIMContext()));
    EXPECT_THROW(fUnion->DeleteInstance(unknown, TCIMContext()), TQELException);
    EXPECT_THROW(fUnion->AllocateClass("CIM_New", {}, TCIMContext()), TQELException);
}

TEST_F(TUnionNamespaceTest, ALookupThatComesBackToTheUnionEndsEmpty) {
    auto loop = boost::make_shared<TUnionNamespace>();
    auto askingBack = boost::make_shared<TAskingBackNamespace>(loop);
    loop->AddUnderlyingNamespace(askingBack, TCIMContext());
    loop->AddUnderlyingNamespace(fSecond.Namespace(), TCIMContext());
    EXPECT_EQ(fSecondOnly, loop->GetClass("CIM_OnlySecond", TCIMContext()));
    EXPECT_EQ(1, askingBack->fCalls);
    EXPECT_FALSE(loop->GetClass("CIM_Nowhere", TCIMContext()));
    EXPECT_EQ(2, askingBack->fCalls);
}

TEST_F(TUnionNamespaceTest, VORNCNamespaceIsALayerOverTheUnion) {
    auto vornc = boost::make_shared<TVORNCNamespace>(fUnion);
    boost::shared_ptr<ICIMNamespace> upcall = vornc;
    auto viewedAsVORNC = boost::dynamic_pointer_cast<TVORNCNamespace>(upcall);
    ASSERT_TRUE(viewedAsVORNC);
    auto underlying = boost::dynamic_pointer_cast<TUnionNamespace>(viewedAsVORNC->GetUnderlyingNamespace());
    EXPECT_EQ(fUnion, underlying);
    EXPECT_EQ(fSecondOnly, vornc->GetClass("cim_onlysecond", TCIMContext()));

    TInmemSchema third;
    boost::shared_ptr<ICIMClass> added = third.AddClass("CIM_Third");
    vornc->AddUnderlyingNamespace(third.Namespace(), TCIMContext());
    EXPECT_EQ(added, fUnion->GetClass("CIM_Third", TCIMContext()));

    vornc->SetUpcallNamespace(third.Namespace(), TCIMContext());
    EXPECT_EQ(third.Namespace(), vornc->GetUpcallNamespace());
    EXPECT_TRUE(boost::dynamic_pointer_cast<TUnionNamespace>(TVORNCNamespace().GetUnderlyingNamespace()));
    EXPECT_THROW(TVORNCNamespace(boost::shared_ptr<ICIMNamespace>()), TQELException);
}
