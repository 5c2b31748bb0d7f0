// Properties: extras that copies stop sharing once changed, comparison, and
// the read-only view const classes and instances hand out.

#include <Pegasus/Common/CIMProperty.h>
#include <gtest/gtest.h>
#include <type_traits>
#include <utility>

PEGASUS_USING_PEGASUS;

static_assert(std::is_same<decltype(std::declval<const CIMProperty&>().getQualifier(0)), CIMConstQualifier>::value, "");
static_assert(std::is_same<decltype(std::declval<CIMProperty&>().getQualifier(0)), CIMQualifier>::value, "");

namespace
{
CIMProperty sampleProperty()
{
    CIMProperty property(CIMName("Codes"), CIMValue(Array<Uint16>(2, 6)), 4, CIMName(), CIMName("CIM_Base"), true);
    property.addQualifier(CIMQualifier(CIMName("Key"), CIMValue(true)));
    return property;
}
}

TEST(CIMProperty, CopiesStopSharingExtrasOnceChangedAndCompareAsIdentical)
{
    EXPECT_TRUE(CIMProperty().isUninitialized());
    EXPECT_THROW(CIMProperty().getValue(), UninitializedObjectException);
    EXPECT_THROW(CIMProperty().getQualifierCount(), UninitializedObjectException);

    const CIMProperty original = sampleProperty();
    CIMProperty copy = original;
    EXPECT_TRUE(copy.identical(original));
    copy.addQualifier(CIMQualifier(CIMName("Description"), CIMValue(String("d"))));
    copy.setClassOrigin(CIMName("CIM_Other"));
    EXPECT_EQ(1u, original.getQualifierCount());
    EXPECT_EQ(CIMName("CIM_Base"), original.getClassOrigin());
    EXPECT_EQ(2u, copy.getQualifierCount());
    EXPECT_FALSE(copy.identical(original));
    EXPECT_THROW(copy.addQualifier(CIMQualifier(CIMName("KEY"), CIMValue(false))), AlreadyExistsException);
    EXPECT_THROW(copy.setName(CIMName()), InvalidNameException);

    CIMProperty plain(CIMName("Name"), CIMValue(String("n")));
    EXPECT_EQ(0u, plain.getArraySize());
    EXPECT_TRUE(plain.getClassOrigin().isNull());
    plain.setValue(CIMValue(String("m")));
    EXPECT_FALSE(plain.identical(CIMProperty(CIMName("Name"), CIMValue(String("n")))));
}

TEST(CIMProperty, ConstPropertiesReadThePropertyAndCompare)
{
    const CIMProperty property = sampleProperty();
    const CIMConstProperty view = property;
    EXPECT_EQ(CIMName("Codes"), view.getName());
    EXPECT_EQ(CIMTYPE_UINT16, view.getType());
    EXPECT_TRUE(view.isArray());
    EXPECT_EQ(4u, view.getArraySize());
    EXPECT_EQ(CIMName("CIM_Base"), view.getClassOrigin());
    EXPECT_TRUE(view.getReferenceClassName().isNull());
    EXPECT_TRUE(view.getPropagated());
    EXPECT_EQ("6 6 ", view.getValue().toString());
    const CIMConstQualifier key = view.getQualifier(view.findQualifier(CIMName("key")));
    EXPECT_EQ(CIMValue(true), key.getValue());
    EXPECT_EQ(1u, view.getQualifierCount());

    EXPECT_TRUE(view.identical(property));
    EXPECT_TRUE(property.identical(view));
    CIMProperty changed = view.clone();
    changed.setValue(CIMValue(Array<Uint16>(1, 0)));
    EXPECT_FALSE(view.identical(changed));
    EXPECT_EQ("6 6 ", view.getValue().toString());

    const CIMConstProperty reference(CIMName("Part"), CIMValue(CIMObjectPath("C.K=1")), 0, CIMName("CIM_Slot"));
    EXPECT_EQ(CIMTYPE_REFERENCE, reference.getType());
    EXPECT_EQ(CIMName("CIM_Slot"), reference.getReferenceClassName());
    EXPECT_THROW(CIMConstProperty().getName(), UninitializedObjectException);
}
