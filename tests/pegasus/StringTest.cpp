// Strings: UTF-8 content, appending characters, case-blind comparison and
// printing.

#include <Pegasus/Common/String.h>
#include <gtest/gtest.h>
#include <sstream>

PEGASUS_USING_PEGASUS;

TEST(String, AppendsCharactersComparesWithoutCaseAndPrints)
{
    String s("a\xC3\xA9");
    s.append(Char16(0x20AC)).append('!');
    EXPECT_EQ("a\xC3\xA9\xE2\x82\xAC!", std::string(static_cast<const char*>(s.getCString())));
    EXPECT_EQ(7u, s.size());
    EXPECT_TRUE(String::equalNoCase("CIM_Slot", "cim_SLOT"));
    EXPECT_FALSE(String::equalNoCase("CIM_Slot", "CIM_Slots"));
    std::ostringstream out;
    out << String("shown");
    EXPECT_EQ("shown", out.str());
    EXPECT_TRUE(String::EMPTY.size() == 0);
}
