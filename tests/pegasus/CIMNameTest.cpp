// Element and namespace names: validated, compared without regard to case.

#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/Exception.h>
#include <gtest/gtest.h>

PEGASUS_USING_PEGASUS;

TEST(CIMName, NamesAreValidatedAndCompareWithoutCase)
{
    EXPECT_EQ(CIMName("CIM_Slot"), CIMName("cim_slot"));
    EXPECT_THROW(CIMName("1abc"), InvalidNameException);
    EXPECT_THROW(CIMName("a b"), InvalidNameException);
    EXPECT_TRUE(CIMName().isNull());
    EXPECT_EQ("root/cimv2", CIMNamespaceName("/root/cimv2").getString());
    EXPECT_THROW(CIMNamespaceName("root//cimv2"), InvalidNamespaceNameException);
}
