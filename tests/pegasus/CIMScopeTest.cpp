// Qualifier scopes: combining, testing and naming their bits, with ANY for
// every scope at once.

#include <Pegasus/Common/CIMScope.h>
#include <gtest/gtest.h>

PEGASUS_USING_PEGASUS;

TEST(CIMScope, ScopesCombineAndNameTheirBits)
{
    EXPECT_EQ("CLASS", CIMScope::CLASS.toString());
    EXPECT_EQ("PROPERTY", CIMScope::PROPERTY.toString());
    EXPECT_EQ("ANY", CIMScope::ANY.toString());
    EXPECT_EQ("", CIMScope::NONE.toString());
    CIMScope scope(CIMScope::CLASS, CIMScope::ASSOCIATION);
    EXPECT_EQ("CLASS ASSOCIATION", scope.toString());
    EXPECT_TRUE(scope.hasScope(CIMScope::ASSOCIATION));
    EXPECT_FALSE(scope.hasScope(CIMScope(CIMScope::CLASS, CIMScope::METHOD)));
    EXPECT_FALSE(scope.hasScope(CIMScope::NONE));
    for (const CIMScope* s : {&CIMScope::INDICATION, &CIMScope::PROPERTY, &CIMScope::REFERENCE, &CIMScope::METHOD,
                              &CIMScope::PARAMETER})
        scope.addScope(*s);
    EXPECT_EQ(CIMScope::ANY, scope);
    EXPECT_EQ("ANY", scope.toString());
    scope.removeScope(CIMScope::CLASS);
    EXPECT_EQ("ASSOCIATION INDICATION PROPERTY REFERENCE METHOD PARAMETER", scope.toString());
    EXPECT_TRUE(CIMScope::ANY.hasScope(CIMScope::PARAMETER));
}
