#include <qel/TCIMCopy.h>

#include <gtest/gtest.h>

#include <qel/ICIMMethodDecl.h>
#include <qel/ICIMParameterDecl.h>

#include "InmemSchema.h"
#include "StatusOf.h"

using namespace NVORNQEL20;

namespace {

typedef TCIMValue::TCIMType TType;

class TCIMCopyTest : public ::testing::Test {
protected:
    TCIMCopyTest() {
        fBase = fSource.AddClass("CIM_ManagedElement");
        fSource.Qualify(*fBase, "Abstract", TCIMValue(true));
        fDisk = fSource.AddClass("CIM_Disk", fBase);
        fSource.Qualify(*fDisk, "Description", TCIMValue("A disk"));
        boost::shared_ptr<ICIMPropertyDecl> id = fSource.AddProperty(*fDisk, "DeviceID", TCIMValue("none"), true);
        fSource.Qualify(*id, "MaxLen", TCIMValue(64u));
        fSource.AddProperty(*fDisk, "Sizes", TCIMValue(TType::eUint64, 0, {TCIMValue(1ull), TCIMValue(2ull)}));
        boost::shared_ptr<ICIMMethodDecl> format = fDisk->AllocateMethodDecl("Format", TType::eUint32, TCIMContext());
        fSource.Qualify(*format, "Description", TCIMValue("Formats"));
        boost::shared_ptr<ICIMParameterDecl> quick =
            format->AllocateParameterDecl("Quick", TType::eBoolean, TCIMContext());
        fSource.Qualify(*quick, "In", TCIMValue(true));
        quick->AddToMethod(TCIMContext());
        format->AllocateParameterDecl("Labels", TType::eStringArray, TCIMContext())->AddToMethod(TCIMContext());
        format->AddToClass(TCIMContext());
    }

    TInmemSchema fSource;
    TInmemSchema fTarget;
    boost::shared_ptr<ICIMClass> fBase;
    boost::shared_ptr<ICIMClass> fDisk;
};

}  // namespace

TEST_F(TCIMCopyTest, CopiesQualifiersPropertiesMethodsAndTheSuperclass) {
    boost::shared_ptr<ICIMClass> copy = TCIMCopy::CopyClass(fDisk, fTarget.Namespace());
    ASSERT_TRUE(copy);
    EXPECT_NE(fDisk, copy);
    EXPECT_EQ(copy, fTarget.Namespace()->GetClass("cim_disk", TCIMContext()));
    EXPECT_EQ(fTarget.Namespace(), copy->GetNamespace(TCIMContext()));
    EXPECT_EQ("A disk", copy->GetQualifier("Description", TCIMContext())->GetValue(TCIMContext()).ToString(10));

    boost::shared_ptr<ICIMClass> base = copy->GetSuperClass(TCIMContext());
    ASSERT_TRUE(base);
    EXPECT_EQ(fTarget.Namespace()->GetClass("CIM_ManagedElement", TCIMContext()), base);
    EXPECT_TRUE(base->IsAbstract(TCIMContext()));

    boost::shared_ptr<ICIMPropertyDecl> id = copy->GetPropertyDecl("DeviceID", TCIMContext());
    ASSERT_TRUE(id);
    EXPECT_EQ(copy, id->GetClass(TCIMContext()));
    EXPECT_EQ(TCIMValue("none"), id->GetDefaultValue(TCIMContext()));
    EXPECT_EQ((std::vector<std::string>{"Key", "MaxLen"}), QualifierNames(*id));
    EXPECT_EQ(TCIMValue(64u), id->GetQualifier("MaxLen", TCIMContext())->GetValue(TCIMContext()));
    EXPECT_EQ("1,2", copy->GetPropertyDecl("Sizes", TCIMContext())->GetDefaultValue(TCIMContext()).ToString(10));

    boost::shared_ptr<ICIMMethodDecl> format = copy->GetMethodDecl("Format", TCIMContext());
    ASSERT_TRUE(format);
    EXPECT_EQ(TType::eUint32, format->GetReturnType(TCIMContext()));
    EXPECT_EQ((std::vector<std::string>{"Description"}), QualifierNames(*format));
    EXPECT_EQ(TType::eStringArray, format->GetParameterDecl("labels", TCIMContext())->GetType(TCIMContext()));
    EXPECT_EQ((std::vector<std::string>{"In"}), QualifierNames(*format->GetParameterDecl("Quick", TCIMContext())));

    for (const char* name : {"Abstract", "Description", "Key", "MaxLen", "In"}) {
        boost::shared_ptr<ICIMQualifierDecl> declaration =
            fTarget.Namespace()->GetQualifierDecl(name, TCIMContext());
        ASSERT_TRUE(declaration) << name;
        EXPECT_EQ(fTarget.Namespace(), declaration->GetNamespace(TCIMContext()));
    }
}

TEST_F(TCIMCopyTest, ReusesWhatTheTargetAlreadyHas) {
    boost::shared_ptr<ICIMQualifierDecl> ownDescription = fTarget.Declaration("DESCRIPTION", TCIMValue("mine"));
    boost::shared_ptr<ICIMClass> ownBase = fTarget.AddClass("CIM_ManagedElement");
    boost::shared_ptr<ICIMClass> copy = TCIMCopy::CopyClass(fDisk, fTarget.Namespace());
    EXPECT_EQ(ownBase, copy->GetSuperClass(TCIMContext()));
    EXPECT_FALSE(ownBase->IsAbstract(TCIMContext()));
    EXPECT_EQ(ownDescription, copy->GetQualifier("Description", TCIMContext())->GetDeclaration(TCIMContext()));
    EXPECT_EQ(16, StatusOf([this] { TCIMCopy::CopyClass(fDisk, fTarget.Namespace()); })) << "second copy";
}
