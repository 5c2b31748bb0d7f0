// Strings: UTF-8 content, appending characters, case-blind comparison and
// printing.

#include <Pegasus/Common/CIMValue.h>
#include <Pegasus/Common/Exception.h>
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

// Half of a surrogate pair is no character: appending one is refused, and
// the text stays as it was rather than gaining a replacement character.
TEST(String, RefusesHalfASurrogatePair)
{
    for (Uint16 code : {Uint16(0xD800), Uint16(0xDBFF), Uint16(0xDC00), Uint16(0xDFFF)})
    {
        String s("kept");
        try
        {
            s.append(Char16(code));
            ADD_FAILURE() << "appended " << code;
        }
        catch (const Exception& e)
        {
            EXPECT_NE(std::string::npos, e.getMessage().str().find("is half of a surrogate pair")) << e.getMessage();
        }
        EXPECT_EQ("kept", s);
        EXPECT_THROW(CIMValue(Char16(code)).toString(), Exception);
    }
    String neighbours;
    neighbours.append(Char16(0xD7FF)).append(Char16(0xE000));
    EXPECT_EQ("\xED\x9F\xBF\xEE\x80\x80", neighbours);
}
