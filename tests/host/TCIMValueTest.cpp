#include <qel/TCIMValue.h>

#include <cmath>
#include <limits>
#include <sstream>

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <qel/ICIMClass.h>
#include <qel/TCIMReference.h>
#include <qel/TInmemNamespace.h>
#include <qel/TQELException.h>

#include "StatusOf.h"

using namespace NVORNQEL20;

namespace {

typedef TCIMValue::TCIMType TType;

}  // namespace

TEST(TCIMValue, EveryConstructorGivesItsCIMTypeNumber) {
    EXPECT_EQ(0, TCIMValue().GetType());
    EXPECT_EQ(1, TCIMValue(true).GetType());
    EXPECT_EQ(2, TCIMValue(static_cast<unsigned char>(1)).GetType());
    EXPECT_EQ(3, TCIMValue(static_cast<signed char>(-1)).GetType());
    EXPECT_EQ(4, TCIMValue(static_cast<unsigned short>(1)).GetType());
    EXPECT_EQ(5, TCIMValue(static_cast<short>(-1)).GetType());
    EXPECT_EQ(6, TCIMValue(1u).GetType());
    EXPECT_EQ(7, TCIMValue(-1).GetType());
    EXPECT_EQ(8, TCIMValue(1ull).GetType());
    EXPECT_EQ(9, TCIMValue(-1ll).GetType());
    EXPECT_EQ(10, TCIMValue(1.5f).GetType());
    EXPECT_EQ(11, TCIMValue(1.5).GetType());
    EXPECT_EQ(12, TCIMValue(TCIMChar16("65")).GetType());
    EXPECT_EQ(13, TCIMValue(std::string("a")).GetType());
    EXPECT_EQ(13, TCIMValue("literal").GetType());
    EXPECT_EQ(14, TCIMValue(TCIMDateTime()).GetType());
    EXPECT_EQ(15, TCIMValue(TCIMReference()).GetType());
    for (int type = 0; type < 32; ++type) {
        TCIMValue null(TType(static_cast<TType::ECIMType>(type)), 0);
        EXPECT_EQ(type, null.GetType());
        EXPECT_TRUE(null.IsNull());
        EXPECT_EQ(type >= 16, null.IsArray());
        EXPECT_EQ(type % 16, null.GetElementType());
    }
    EXPECT_FALSE(TCIMValue(0).IsNull());
    EXPECT_TRUE(TCIMValue(TCIMReference()).IsReference());
}

TEST(TCIMValue, TypeNamesForMessages) {
    std::ostringstream out;
    out << TType(TType::eUint32) << "|" << TType(TType::eStringArray) << "|" << TType(TType::eNoType) << "|"
        << TType(static_cast<TType::ECIMType>(42));
    EXPECT_EQ("uint32|string[]|none|type 42", out.str());
    EXPECT_EQ(TType::eSint64Array, TType(TType::eSint64).GetArrayType());
    EXPECT_EQ(TType::eSint64, TType(TType::eSint64Array).GetElementType());
}

TEST(TCIMValue, ArraysCarryTheArrayTypeAndTheirElements) {
    TCIMValue strings(TType::eString, 0, {TCIMValue("a"), TCIMValue("b")});
    EXPECT_EQ(29, strings.GetType());
    EXPECT_EQ(13, strings.GetElementType());
    EXPECT_TRUE(strings.IsArray());
    const std::vector<TCIMValue>& elements = strings;
    ASSERT_EQ(2u, elements.size());
    EXPECT_EQ("b", static_cast<std::string>(elements[1]));

    TCIMValue fromArrayType(TType::eStringArray, 0, {TCIMValue("x")});
    EXPECT_EQ(29, fromArrayType.GetType());

    TCIMValue padded(TType::eUint8, 3, {TCIMValue(static_cast<unsigned char>(7))});
    const std::vector<TCIMValue>& paddedElements = padded;
    ASSERT_EQ(3u, paddedElements.size());
    EXPECT_TRUE(paddedElements[2].IsNull());
    EXPECT_EQ(2, paddedElements[2].GetType());

    EXPECT_EQ(14, StatusOf([] { TCIMValue(TType::eUint32, 0, {TCIMValue("not a number")}); }));

    TCIMValue nullArray(TType::eUint32Array, 0);
    EXPECT_TRUE(static_cast<const std::vector<TCIMValue>&>(static_cast<const TCIMValue&>(nullArray)).empty());
    std::vector<TCIMValue>& filled = nullArray;
    filled.push_back(TCIMValue(5u));
    EXPECT_FALSE(nullArray.IsNull());
    EXPECT_EQ("5", nullArray.ToString(10));
    EXPECT_EQ(14, StatusOf([] { static_cast<void>(static_cast<const std::vector<TCIMValue>&>(TCIMValue(1))); }));
}

TEST(TCIMValue, NumbersConvertWhereTheTargetHoldsThem) {
    EXPECT_EQ(300u, static_cast<unsigned int>(TCIMValue(static_cast<unsigned short>(300))));
    EXPECT_EQ(-5ll, static_cast<long long>(TCIMValue(static_cast<signed char>(-5))));
    EXPECT_EQ(200, static_cast<unsigned char>(TCIMValue(200ull)));
    EXPECT_EQ(2, static_cast<int>(TCIMValue(2.9)));
    EXPECT_EQ(-2, static_cast<int>(TCIMValue(-2.9)));
    EXPECT_DOUBLE_EQ(0.5, static_cast<double>(TCIMValue(0.5f)));
    EXPECT_EQ(1, static_cast<int>(TCIMValue(true)));
    EXPECT_EQ(65, static_cast<unsigned short>(TCIMValue(TCIMChar16("A"))));
    EXPECT_TRUE(static_cast<bool>(TCIMValue(3u)));
    EXPECT_FALSE(static_cast<bool>(TCIMValue(0.0)));
    EXPECT_EQ(18446744073709551615ull, static_cast<unsigned long long>(TCIMValue(18446744073709551615ull)));

    EXPECT_EQ(14, StatusOf([] { static_cast<void>(static_cast<unsigned char>(TCIMValue(300))); }));
    EXPECT_EQ(14, StatusOf([] { static_cast<void>(static_cast<unsigned int>(TCIMValue(-1))); }));
    EXPECT_EQ(14, StatusOf([] { static_cast<void>(static_cast<long long>(TCIMValue(18446744073709551615ull))); }));
    EXPECT_EQ(14, StatusOf([] { static_cast<void>(static_cast<int>(TCIMValue(1e10))); }));
    EXPECT_EQ(14, StatusOf([] {
        static_cast<void>(static_cast<int>(TCIMValue(std::numeric_limits<double>::quiet_NaN())));
    }));
    EXPECT_EQ(14, StatusOf([] {
        static_cast<void>(static_cast<unsigned long long>(TCIMValue(1.8446744073709552e19)));
    }));
    EXPECT_EQ(14, StatusOf([] { static_cast<void>(static_cast<float>(TCIMValue(1e300))); }));
}

TEST(TCIMValue, TextsAndNullsConvertByTheDocumentedRules) {
    EXPECT_EQ(42u, static_cast<unsigned int>(TCIMValue("42")));
    EXPECT_EQ(-7, static_cast<int>(TCIMValue("-7")));
    EXPECT_DOUBLE_EQ(2.5, static_cast<double>(TCIMValue("2.5")));
    EXPECT_TRUE(static_cast<bool>(TCIMValue("true")));
    EXPECT_FALSE(static_cast<bool>(TCIMValue("FALSE")));
    EXPECT_EQ(14, StatusOf([] { static_cast<void>(static_cast<int>(TCIMValue("4x"))); }));
    EXPECT_EQ(14, StatusOf([] { static_cast<void>(static_cast<bool>(TCIMValue("yes"))); }));
    EXPECT_EQ(14, StatusOf([] { static_cast<void>(static_cast<int>(TCIMValue(TCIMDateTime()))); }));
    EXPECT_EQ(14, StatusOf([] { static_cast<void>(TCIMValue(1).GetDateTime()); }));

    TCIMValue nullUint(TType::eUint32, 0);
    EXPECT_EQ(0u, static_cast<unsigned int>(nullUint));
    EXPECT_FALSE(static_cast<bool>(nullUint));
    EXPECT_EQ("", static_cast<std::string>(nullUint));
    EXPECT_EQ(14, StatusOf([] { static_cast<void>(static_cast<int>(TCIMValue(TType::eSint32Array, 0))); }));
}

TEST(TCIMValue, ToStringWritesEachTypeInTheRadix) {
    EXPECT_EQ("11111111", TCIMValue(static_cast<unsigned char>(255)).ToString(2));
    EXPECT_EQ("ff", TCIMValue(255u).ToString(16));
    EXPECT_EQ("-777", TCIMValue(-511).ToString(8));
    EXPECT_EQ("zz", TCIMValue(1295ull).ToString(36));
    EXPECT_EQ("255", TCIMValue(255u).ToString(1));
    EXPECT_EQ("255", TCIMValue(255u).ToString(37));
    EXPECT_EQ("-9223372036854775808", TCIMValue(std::numeric_limits<long long>::min()).ToString(10));
    EXPECT_EQ("1.1", TCIMValue(1.1f).ToString(10));
    EXPECT_EQ("0.1", TCIMValue(0.1).ToString(16));
    EXPECT_EQ("INF", TCIMValue(std::numeric_limits<double>::infinity()).ToString(10));
    EXPECT_EQ("-INF", TCIMValue(-std::numeric_limits<float>::infinity()).ToString(10));
    EXPECT_EQ("NaN", TCIMValue(std::nan("")).ToString(10));
    EXPECT_EQ("TRUE", TCIMValue(true).ToString(10));
    EXPECT_EQ("FALSE", TCIMValue(false).ToString(10));
    EXPECT_EQ("a,b", TCIMValue("a,b").ToString(10));
    EXPECT_EQ("A", TCIMValue(TCIMChar16("65")).ToString(10));
    EXPECT_EQ("\xC3\xA9", TCIMValue(TCIMChar16("233")).ToString(10));
    EXPECT_EQ("20240315081500.000000+000", TCIMValue(TCIMDateTime("20240315081500.000000+000")).ToString(10));
    EXPECT_EQ("", TCIMValue().ToString(10));
    EXPECT_EQ("1,,3", TCIMValue(TType::eSint8, 0,
                                {TCIMValue(static_cast<signed char>(1)), TCIMValue(TType::eSint8, 0),
                                 TCIMValue(static_cast<signed char>(3))})
                          .ToString(10));
    EXPECT_EQ("a,f", TCIMValue(TType::eUint16, 0,
                               {TCIMValue(static_cast<unsigned short>(10)), TCIMValue(static_cast<unsigned short>(15))})
                         .ToString(16));
}

TEST(TCIMValue, Char16IsBuiltFromADecimalCodeOrOneCharacter) {
    EXPECT_EQ(65, static_cast<unsigned short>(TCIMChar16("65")));
    EXPECT_EQ(7, static_cast<unsigned short>(TCIMChar16("7")));
    EXPECT_EQ('x', static_cast<unsigned short>(TCIMChar16("x")));
    EXPECT_EQ(0x20AC, static_cast<unsigned short>(TCIMChar16("\xE2\x82\xAC")));
    EXPECT_EQ(65535, static_cast<unsigned short>(TCIMChar16("65535")));
    for (const char* bad : {"", "65536", "ab", "\xF0\x9F\x98\x80", "\xC3", "\xC0\x80", "\xED\xA0\x80"}) {
        EXPECT_EQ(4, StatusOf([bad] { TCIMChar16 c{std::string(bad)}; })) << bad;
    }
    EXPECT_EQ("\xEF\xBF\xBD", TCIMChar16(static_cast<unsigned short>(0xD800)).ToString());
}

TEST(TCIMValue, SetReadsTheTextAsTheValuesType) {
    TCIMValue text("old");
    text.Set("Node1:abc");
    EXPECT_EQ(TCIMValue("Node1:abc"), text);

    TCIMValue untyped;
    untyped.Set("x");
    EXPECT_EQ(13, untyped.GetType());

    TCIMValue number(static_cast<unsigned short>(1));
    number.Set("65535");
    EXPECT_EQ(TCIMValue(static_cast<unsigned short>(65535)), number);
    EXPECT_EQ(14, StatusOf([&number] { number.Set("65536"); }));
    EXPECT_EQ(TCIMValue(static_cast<unsigned short>(65535)), number);

    TCIMValue signedNumber(static_cast<signed char>(0));
    signedNumber.Set("-128");
    EXPECT_EQ(TCIMValue(static_cast<signed char>(-128)), signedNumber);
    EXPECT_EQ(14, StatusOf([&signedNumber] { signedNumber.Set("-129"); }));

    TCIMValue flag(false);
    flag.Set("TRUE");
    EXPECT_EQ(TCIMValue(true), flag);

    TCIMValue real(TType::eReal32, 0);
    real.Set("2.5");
    EXPECT_EQ(TCIMValue(2.5f), real);
    EXPECT_EQ(14, StatusOf([&real] { real.Set("1e300"); }));

    TCIMValue when(TCIMDateTime{});
    EXPECT_EQ(14, StatusOf([&when] { when.Set("yesterday"); }));
    when.Set("00000001000000.000000:000");
    EXPECT_TRUE(when.GetDateTime().IsInterval());

    TCIMValue path(TType::eReference, 0);
    path.Set("root/cimv2:CIM_Foo.Id=1");
    EXPECT_EQ("CIM_Foo", path.GetReference().GetClassName());

    TCIMValue array(TType::eStringArray, 0);
    EXPECT_EQ(14, StatusOf([&array] { array.Set("a"); }));
}

TEST(TCIMValue, ComparisonsAreByTypeThenData) {
    EXPECT_EQ(TCIMValue(5u), TCIMValue(5u));
    EXPECT_NE(TCIMValue(5u), TCIMValue(5));
    EXPECT_NE(TCIMValue(5u), TCIMValue(TType::eUint32, 0));
    EXPECT_EQ(TCIMValue(TType::eUint32, 0), TCIMValue(TType::eUint32, 0));
    EXPECT_LT(TCIMValue(TType::eUint32, 0), TCIMValue(0u));
    EXPECT_LT(TCIMValue(2u), TCIMValue(10u));
    EXPECT_LT(TCIMValue(-3), TCIMValue(2));
    EXPECT_LT(TCIMValue("B"), TCIMValue("a"));
    EXPECT_LT(TCIMValue(1u), TCIMValue(0));  // uint32 before sint32

    const TCIMValue nan(std::nan(""));
    EXPECT_NE(nan, nan);
    EXPECT_FALSE(nan < nan);
    EXPECT_LT(TCIMValue(1e308), nan);
    EXPECT_FALSE(nan < TCIMValue(1.0));

    TCIMReference first;
    first.SetPath("CIM_Foo.Id=1");
    TCIMReference same;
    same.SetPath("CIM_Foo.Id=1");
    TCIMReference other;
    other.SetPath("CIM_Foo.Id=2");
    EXPECT_EQ(TCIMValue(first), TCIMValue(same));
    EXPECT_LT(TCIMValue(first), TCIMValue(other));

    TCIMValue shortArray(TType::eSint32, 0, {TCIMValue(1)});
    TCIMValue longArray(TType::eSint32, 0, {TCIMValue(1), TCIMValue(0)});
    EXPECT_LT(shortArray, longArray);
    EXPECT_NE(shortArray, longArray);
}

TEST(TCIMValue, ReferencedClassIsHeldWeakly) {
    auto nameSpace = boost::make_shared<TInmemNamespace>();
    TCIMValue value(TCIMReference{});
    {
        boost::shared_ptr<ICIMClass> cimClass = nameSpace->AllocateClass("CIM_Target", {}, TCIMContext());
        value.SetReferencedClass(cimClass);
        TCIMValue copy(value);
        EXPECT_EQ(cimClass, copy.GetReferencedClass());
    }
    EXPECT_FALSE(value.GetReferencedClass());
}
