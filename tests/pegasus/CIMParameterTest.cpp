// Parameters: type, array and reference class, qualifiers, clones, and the
// read-only view const methods hand out.

#include <Pegasus/Common/CIMParameter.h>
#include <gtest/gtest.h>

PEGASUS_USING_PEGASUS;

TEST(CIMParameter, ParametersAndTheirConstViewsReadAlikeAndClonesShareNothing)
{
    EXPECT_THROW(CIMParameter().getType(), UninitializedObjectException);
    EXPECT_THROW(CIMParameter(CIMName(), CIMTYPE_STRING), InvalidNameException);

    CIMParameter jobs(CIMName("Jobs"), CIMTYPE_REFERENCE, true, 2, CIMName("CIM_ConcreteJob"));
    jobs.addQualifier(CIMQualifier(CIMName("Out"), CIMValue(true)));
    const CIMConstParameter view = jobs;
    EXPECT_EQ(CIMName("Jobs"), view.getName());
    EXPECT_EQ(CIMTYPE_REFERENCE, view.getType());
    EXPECT_TRUE(view.isArray());
    EXPECT_EQ(2u, view.getArraySize());
    EXPECT_EQ(CIMName("CIM_ConcreteJob"), view.getReferenceClassName());
    const CIMConstQualifier out = view.getQualifier(view.findQualifier(CIMName("OUT")));
    EXPECT_EQ(CIMValue(true), out.getValue());

    CIMParameter copy = view.clone();
    copy.addQualifier(CIMQualifier(CIMName("Description"), CIMValue(String("d"))));
    jobs.removeQualifier(0);
    EXPECT_EQ(0u, view.getQualifierCount());
    EXPECT_EQ(2u, copy.getQualifierCount());
    EXPECT_FALSE(CIMConstParameter(CIMName("Name"), CIMTYPE_STRING).isArray());
    EXPECT_THROW(CIMConstParameter().getName(), UninitializedObjectException);
}
