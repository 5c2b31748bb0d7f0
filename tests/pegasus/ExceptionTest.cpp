// Exceptions: status codes by name, and what a CIMException says when the
// server gave no description.

#include <Pegasus/Common/Exception.h>
#include <gtest/gtest.h>

PEGASUS_USING_PEGASUS;

TEST(Exception, StatusCodesHaveTheirNamesAndUnknownOnesTheirNumber)
{
    EXPECT_EQ("CIM_ERR_INVALID_CLASS", cimStatusCodeToString(CIM_ERR_INVALID_CLASS));
    EXPECT_EQ("CIM_ERR_SERVER_IS_SHUTTING_DOWN", cimStatusCodeToString(CIM_ERR_SERVER_IS_SHUTTING_DOWN));
    EXPECT_EQ("CIM_ERR_UNKNOWN(18)", cimStatusCodeToString(CIMStatusCode(18)));
    EXPECT_EQ("CIM_ERR_UNKNOWN(4000)", cimStatusCodeToString(CIMStatusCode(4000)));

    const CIMException bare(CIM_ERR_INVALID_CLASS);
    EXPECT_EQ("CIM_ERR_INVALID_CLASS", bare.getMessage());
    EXPECT_EQ("CIM_ERR_INVALID_CLASS", bare.getCodeText());
    const CIMException described(CIM_ERR_NOT_FOUND, "no such instance");
    EXPECT_EQ("no such instance", described.getMessage());
    EXPECT_EQ(CIM_ERR_NOT_FOUND, described.getCode());
    EXPECT_EQ("CIM_ERR_NOT_FOUND", described.getCodeText());
}
