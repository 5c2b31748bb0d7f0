// Values of every type: content, type checks, nulls and the text form
// clients print and compare.

#include <Pegasus/Common/CIMValue.h>
#include <gtest/gtest.h>
#include <limits>

PEGASUS_USING_PEGASUS;

namespace
{
template <class T>
void expectRoundTrip(const T& x, CIMType type, const char* text)
{
    const CIMValue value(x);
    EXPECT_EQ(type, value.getType());
    EXPECT_FALSE(value.isArray());
    EXPECT_FALSE(value.isNull());
    T back{};
    value.get(back);
    EXPECT_TRUE(back == x);
    EXPECT_EQ(text, value.toString().str());

    Array<T> items;
    items.append(x);
    items.append(x);
    const CIMValue array(items);
    EXPECT_TRUE(array.isArray());
    EXPECT_EQ(2u, array.getArraySize());
    Array<T> itemsBack;
    array.get(itemsBack);
    EXPECT_TRUE(itemsBack == items);
    EXPECT_EQ(std::string(text) + " " + text + " ", array.toString().str());
    EXPECT_THROW(array.get(back), TypeMismatchException);
    EXPECT_THROW(value.get(itemsBack), TypeMismatchException);
}

template <class T>
CIMValue arrayOf(std::initializer_list<T> items)
{
    Array<T> array;
    for (const T& x : items)
        array.append(x);
    return CIMValue(array);
}
}

TEST(CIMValue, ValuesOfEveryTypeKeepTypeContentAndText)
{
    EXPECT_EQ(12, int(CIMTYPE_STRING));
    EXPECT_EQ(16, int(CIMTYPE_INSTANCE));
    EXPECT_STREQ("datetime", cimTypeToString(CIMTYPE_DATETIME));
    expectRoundTrip(Boolean(true), CIMTYPE_BOOLEAN, "TRUE");
    expectRoundTrip(Uint8(255), CIMTYPE_UINT8, "255");
    expectRoundTrip(Sint8(-128), CIMTYPE_SINT8, "-128");
    expectRoundTrip(Uint16(65535), CIMTYPE_UINT16, "65535");
    expectRoundTrip(Sint16(-32768), CIMTYPE_SINT16, "-32768");
    expectRoundTrip(Uint32(4294967295u), CIMTYPE_UINT32, "4294967295");
    expectRoundTrip(Sint32(-2147483647 - 1), CIMTYPE_SINT32, "-2147483648");
    expectRoundTrip(Uint64(18446744073709551615ULL), CIMTYPE_UINT64, "18446744073709551615");
    expectRoundTrip(Sint64(-9223372036854775807LL - 1), CIMTYPE_SINT64, "-9223372036854775808");
    expectRoundTrip(Real32(41.5f), CIMTYPE_REAL32, "4.1500000000000000e+01");
    expectRoundTrip(Real64(1.0 / 7), CIMTYPE_REAL64, "1.4285714285714285e-01");
    expectRoundTrip(Real64(-std::numeric_limits<double>::infinity()), CIMTYPE_REAL64, "-INF");
    expectRoundTrip(Char16(0x20AC), CIMTYPE_CHAR16, "\xE2\x82\xAC");
    expectRoundTrip(String("caf\xC3\xA9"), CIMTYPE_STRING, "caf\xC3\xA9");
    expectRoundTrip(CIMDateTime("20240101000000.000000+000"), CIMTYPE_DATETIME, "20240101000000.000000+000");
    expectRoundTrip(CIMObjectPath("C.K=\"v\""), CIMTYPE_REFERENCE, "C.K=\"v\"");
    EXPECT_EQ("NaN", CIMValue(std::numeric_limits<Real32>::quiet_NaN()).toString());
    EXPECT_EQ(CIMTYPE_STRING, CIMValue("text").getType());
}

// Programs compare and parse this text, so it is OpenPegasus's to the
// byte, as its cimserver's answers print through OpenPegasus's own client.
TEST(CIMValue, TextIsWhatOpenPegasusWrites)
{
    EXPECT_EQ("2 6 ", arrayOf<Uint16>({2, 6}).toString());
    EXPECT_EQ("alpha beta ", arrayOf<String>({"alpha", "beta"}).toString());
    EXPECT_EQ("TRUE FALSE ", arrayOf<Boolean>({true, false}).toString());
    EXPECT_EQ("", CIMValue(Array<Uint8>()).toString());
    EXPECT_EQ("4.1500000000000000e+01", CIMValue(Real32(41.5f)).toString());
    EXPECT_EQ("-2.5000000000000000e-01", CIMValue(Real32(-0.25f)).toString());
    // The float's own value, not the shortest decimal that reads back.
    EXPECT_EQ("1.0000000610351562e+03", CIMValue(Real32(1000.00006f)).toString());
    EXPECT_EQ("1.0000000149011612e-01 -INF ", arrayOf<Real32>({0.1f, -std::numeric_limits<Real32>::infinity()}).toString());
    EXPECT_EQ("4.1500000000000000e+01 ", arrayOf<Real64>({41.5}).toString());
}

TEST(CIMValue, NullValuesAndTypeMismatches)
{
    const CIMValue null(CIMTYPE_UINT32, true);
    EXPECT_TRUE(null.isNull());
    EXPECT_TRUE(null.isArray());
    EXPECT_EQ("", null.toString());
    Array<Uint32> untouched(2, 9);
    null.get(untouched);
    EXPECT_EQ(2u, untouched.size());
    String text("kept");
    CIMValue(CIMTYPE_STRING, false).get(text);
    EXPECT_EQ("kept", text);
    Uint16 u16 = 0;
    EXPECT_THROW(CIMValue(Uint32(1)).get(u16), TypeMismatchException);
    EXPECT_THROW(CIMValue(String("1")).get(u16), TypeMismatchException);

    CIMValue value(Uint8(3));
    value.setNullValue(CIMTYPE_STRING, false);
    EXPECT_TRUE(value.isNull());
    EXPECT_EQ(CIMTYPE_STRING, value.getType());
    value.set("now a string");
    EXPECT_FALSE(value.isNull());
    EXPECT_EQ(CIMValue(String("now a string")), value);
    EXPECT_NE(CIMValue(Uint8(3)), CIMValue(Uint16(3)));
    EXPECT_NE(CIMValue(CIMTYPE_UINT8, false), CIMValue(Uint8(0)));
    EXPECT_EQ(CIMValue(CIMTYPE_UINT8, false), CIMValue(CIMTYPE_UINT8, false));
    EXPECT_TRUE(CIMValue().isNull());
}
