// Methods: qualifiers and parameters, clones that share nothing, and the
// read-only view const classes hand out.

#include <Pegasus/Common/CIMMethod.h>
#include <gtest/gtest.h>
#include <type_traits>
#include <utility>

PEGASUS_USING_PEGASUS;

static_assert(std::is_same<decltype(std::declval<const CIMMethod&>().getParameter(0)), CIMConstParameter>::value, "");
static_assert(std::is_same<decltype(std::declval<const CIMMethod&>().getQualifier(0)), CIMConstQualifier>::value, "");
static_assert(std::is_same<decltype(std::declval<CIMMethod&>().getParameter(0)), CIMParameter>::value, "");

namespace
{
CIMMethod sampleMethod()
{
    CIMMethod method(CIMName("RequestStateChange"), CIMTYPE_UINT32, CIMName("CIM_EnabledLogicalElement"), true);
    method.addQualifier(CIMQualifier(CIMName("ValueMap"), CIMValue(String("0"))));
    method.addParameter(CIMParameter(CIMName("RequestedState"), CIMTYPE_UINT16));
    method.addParameter(CIMParameter(CIMName("Job"), CIMTYPE_REFERENCE, false, 0, CIMName("CIM_ConcreteJob")));
    return method;
}
}

TEST(CIMMethod, ParametersAreFoundByNameAndClonesShareNothing)
{
    EXPECT_THROW(CIMMethod().getParameterCount(), UninitializedObjectException);
    EXPECT_THROW(CIMMethod(CIMName(), CIMTYPE_UINT32), InvalidNameException);

    CIMMethod method = sampleMethod();
    EXPECT_EQ(1u, method.findParameter(CIMName("job")));
    EXPECT_EQ(PEG_NOT_FOUND, method.findParameter(CIMName("Timeout")));
    EXPECT_THROW(method.addParameter(CIMParameter(CIMName("JOB"), CIMTYPE_STRING)), AlreadyExistsException);
    EXPECT_THROW(method.getParameter(2), IndexOutOfBoundsException);

    const CIMMethod shared = method;
    const CIMMethod copy = method.clone();
    method.getParameter(0).addQualifier(CIMQualifier(CIMName("In"), CIMValue(true)));
    method.removeQualifier(0);
    EXPECT_EQ(1u, shared.getParameter(0).getQualifierCount());
    EXPECT_EQ(0u, shared.getQualifierCount());
    EXPECT_EQ(0u, copy.getParameter(0).getQualifierCount());
    EXPECT_EQ(1u, copy.getQualifierCount());
    EXPECT_EQ(CIMName("CIM_EnabledLogicalElement"), copy.getClassOrigin());
}

TEST(CIMMethod, ConstMethodsReadTheMethodAndHandOutConstParameters)
{
    CIMMethod method = sampleMethod();
    const CIMConstMethod view = method;
    EXPECT_EQ(CIMName("RequestStateChange"), view.getName());
    EXPECT_EQ(CIMTYPE_UINT32, view.getType());
    EXPECT_EQ(CIMName("CIM_EnabledLogicalElement"), view.getClassOrigin());
    EXPECT_TRUE(view.getPropagated());
    EXPECT_EQ(CIMValue(String("0")), view.getQualifier(view.findQualifier(CIMName("VALUEMAP"))).getValue());
    const CIMConstParameter job = view.getParameter(view.findParameter(CIMName("Job")));
    EXPECT_EQ(CIMName("CIM_ConcreteJob"), job.getReferenceClassName());

    method.addParameter(CIMParameter(CIMName("TimeoutPeriod"), CIMTYPE_DATETIME));
    EXPECT_EQ(3u, view.getParameterCount());
    CIMMethod copy = view.clone();
    copy.removeParameter(0);
    EXPECT_EQ(3u, view.getParameterCount());
    EXPECT_EQ(1u, view.getQualifierCount());
    EXPECT_EQ(CIMTYPE_STRING, CIMConstMethod(CIMName("Name"), CIMTYPE_STRING).getType());
    EXPECT_TRUE(CIMConstMethod().isUninitialized());
}
