// Method arguments and results: a name, a value and whether it is typed.

#include <Pegasus/Common/CIMParamValue.h>
#include <gtest/gtest.h>

PEGASUS_USING_PEGASUS;

TEST(CIMParamValue, NamedValuesKeepTheirTypingAndRefuseAnEmptyName)
{
    EXPECT_TRUE(CIMParamValue().isUninitialized());
    EXPECT_THROW(CIMParamValue().getValue(), UninitializedObjectException);
    EXPECT_THROW(CIMParamValue(String(), CIMValue(true)), UninitializedObjectException);

    CIMParamValue result("Job", CIMValue(CIMObjectPath("CIM_ConcreteJob.InstanceID=\"j1\"")), false);
    EXPECT_FALSE(result.isTyped());
    EXPECT_EQ(CIMTYPE_REFERENCE, result.getValue().getType());
    result.setIsTyped(true);
    result.setParameterName("Job2");
    result.setValue(CIMValue(Uint32(4096)));
    EXPECT_TRUE(result.isTyped());
    EXPECT_EQ("Job2", result.getParameterName());
    EXPECT_EQ(CIMValue(Uint32(4096)), result.getValue());
}
