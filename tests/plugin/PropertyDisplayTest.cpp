// Display text of property values as the declaration's qualifiers steer
// it: value maps, null display, radix, scaled units and durations, and
// what a server may send that makes no sense.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PropertyTestSupport.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;
typedef TCIMValue::TCIMType TType;
typedef unsigned short Uint16;
typedef unsigned long long Uint64;

// The HealthState, Classifications and RequestStateChange qualifiers of
// the test data's schema.
const std::vector<std::string> kHealthStateMap = {"0", "5", "10", "15", "20", "25", "30", "..", "32768..65535"};
const std::vector<std::string> kHealthStateTexts = {"Unknown",       "OK",           "Degraded/Warning",
                                                    "Minor failure", "Major failure", "Critical failure",
                                                    "Non-recoverable error", "DMTF Reserved", "Vendor Specific"};
const std::vector<std::string> kClassificationsMap = {"0", "1", "2", "3", "4", "5", "..", "0x8000..0xFFFF"};
const std::vector<std::string> kClassificationsTexts = {
    "Unknown",          "Other",           "Driver",        "Configuration Software", "Application Software",
    "Instrumentation", "DMTF Reserved", "Vendor Reserved"};

class PropertyDisplayTest : public PropertyTest {
protected:
    boost::shared_ptr<ICIMPropertyDecl> Mapped(TType type, const std::vector<std::string>& valueMap,
                                               const std::vector<std::string>& values)
    {
        return Declare(type, {{"ValueMap", Strings(valueMap)}, {"Values", Strings(values)}});
    }

    // Values with a null ValueMap.
    boost::shared_ptr<ICIMPropertyDecl> Indexed(TType type, const std::vector<std::string>& values)
    {
        return Declare(type, {{"Values", Strings(values)}, {"ValueMap", TCIMValue(TType::eStringArray, 0)}});
    }

    boost::shared_ptr<ICIMPropertyDecl> WithUnits(TType type, const std::string& units,
                                                  std::vector<std::pair<std::string, TCIMValue>> qualifiers = {})
    {
        qualifiers.emplace_back("Units", TCIMValue(units));
        return Declare(type, qualifiers);
    }
};

TEST_F(PropertyDisplayTest, NullShowsNullDisplayWhenItIsAString)
{
    EXPECT_EQ("", TCimHTTPProperty(Declare(TType::eUint32)).ToString());
    auto declaration = Declare(TType::eUint32, {{"NULLDISPLAY", TCIMValue("n/a")}});
    TCimHTTPProperty property(declaration);
    EXPECT_EQ("n/a", property.ToString());
    EXPECT_EQ((std::vector<std::string>{"n/a"}), property.ToStringVector());
    property.SetValue(TCIMValue(3u), kNoContext);
    property.SetPrevValue();
    EXPECT_EQ("3", property.ToString());
    EXPECT_EQ("n/a", property.PrevValueToString());

    EXPECT_EQ("", TCimHTTPProperty(Declare(TType::eString, {{"NullDisplay", TCIMValue(7u)}})).ToString());
    EXPECT_EQ("", TCimHTTPProperty(Declare(TType::eString, {{"NULLDISPLAY", TCIMValue(TType::eString, 0)}}))
                      .ToString());
}

TEST_F(PropertyDisplayTest, ValuesWithoutCodesNameTheIndexes)
{
    const std::vector<std::string> texts = {"Zero", "One", "Two"};
    auto indexed = Indexed(TType::eUint8, texts);
    EXPECT_EQ("One", Shown(indexed, TCIMValue(static_cast<unsigned char>(1))));
    EXPECT_EQ("7", Shown(indexed, TCIMValue(static_cast<unsigned char>(7))));

    // Without any ValueMap qualifier no table is built.
    auto unmapped = Declare(TType::eUint8, {{"Values", Strings(texts)}, {"Units", TCIMValue("Bytes")}});
    EXPECT_EQ("1 Bytes", Shown(unmapped, TCIMValue(static_cast<unsigned char>(1))));
    // Values must be a string array.
    auto notTexts = Declare(TType::eUint8, {{"Values", TCIMValue("One")}, {"ValueMap", Strings({"1"})}});
    EXPECT_EQ("1", Shown(notTexts, TCIMValue(static_cast<unsigned char>(1))));
}

TEST_F(PropertyDisplayTest, ValueMapRangesAndDefault)
{
    auto declaration = Mapped(TType::eUint32, {"0", "2..4", "10", ".."}, {"A", "B", "C", "D"});
    // The open range from 2 ends below 10; the 4 after the dots is not read.
    for (const auto& expected : std::vector<std::pair<unsigned, std::string>>{
             {0, "A"}, {1, "D"}, {3, "B"}, {5, "B"}, {9, "B"}, {10, "C"}, {11, "D"}})
        EXPECT_EQ(expected.second, Shown(declaration, TCIMValue(expected.first))) << expected.first;

    auto upTo = Mapped(TType::eUint32, {"1", "..5"}, {"X", "Y"});
    EXPECT_EQ("X", Shown(upTo, TCIMValue(1u)));
    EXPECT_EQ("Y", Shown(upTo, TCIMValue(3u)));
    EXPECT_EQ("Y", Shown(upTo, TCIMValue(5u)));
    EXPECT_EQ("6", Shown(upTo, TCIMValue(6u)));

    auto flags = Mapped(TType::eBoolean, {"0", "1"}, {"No", "Yes"});
    EXPECT_EQ("Yes", Shown(flags, TCIMValue(true)));
    EXPECT_EQ("No", Shown(flags, TCIMValue(false)));
}

TEST_F(PropertyDisplayTest, UnsoundValueMapFallsBackToThePlainText)
{
    EXPECT_EQ("1", Shown(Mapped(TType::eUint16, {"0", "1"}, {"A", "B", "C"}), TCIMValue(Uint16(1))));
    EXPECT_EQ("7", Shown(Mapped(TType::eUint16, {"5..", ".."}, {"A", "B"}), TCIMValue(Uint16(7))));
    EXPECT_EQ("7", Shown(Mapped(TType::eUint16, {"5..", "..9"}, {"A", "B"}), TCIMValue(Uint16(7))));
    auto withUnits = Mapped(TType::eUint16, {"0"}, {"A", "B"});
    Attach(*withUnits, "Units", TCIMValue("Bytes"));
    EXPECT_EQ("2 Bytes", Shown(withUnits, TCIMValue(Uint16(2))));
}

TEST_F(PropertyDisplayTest, HexadecimalCodesOfTheSchema)
{
    auto health = Mapped(TType::eUint16, kHealthStateMap, kHealthStateTexts);
    EXPECT_EQ("Major failure", Shown(health, TCIMValue(Uint16(20))));
    EXPECT_EQ("DMTF Reserved", Shown(health, TCIMValue(Uint16(7))));
    EXPECT_EQ("Vendor Specific", Shown(health, TCIMValue(Uint16(40000))));

    TCimHTTPProperty classifications(Mapped(TType::eUint16Array, kClassificationsMap, kClassificationsTexts));
    classifications.SetValue(ArrayOf(TType::eUint16, {TCIMValue(Uint16(2)), TCIMValue(Uint16(0x7FFF)),
                                                      TCIMValue(Uint16(0x8000)), TCIMValue(Uint16(0xFFFF))}),
                             kNoContext);
    EXPECT_EQ((std::vector<std::string>{"Driver", "DMTF Reserved", "Vendor Reserved", "Vendor Reserved"}),
              classifications.ToStringVector());
    // The whole array is not one code: its text is the plain list.
    EXPECT_EQ("2,32767,32768,65535", classifications.ToString());
}

TEST_F(PropertyDisplayTest, NullElementOfAMappedArrayIsNoCode)
{
    auto declaration = Mapped(TType::eUint16Array, kHealthStateMap, kHealthStateTexts);
    TCimHTTPProperty states(declaration, ArrayOf(TType::eUint16, {TCIMValue(Uint16(5)), TCIMValue(TType::eUint16, 0)}));
    EXPECT_EQ((std::vector<std::string>{"OK", ""}), states.ToStringVector());
    Attach(*declaration, "NULLDISPLAY", TCIMValue("-"));
    EXPECT_EQ((std::vector<std::string>{"OK", "-"}), states.ToStringVector());
}

TEST_F(PropertyDisplayTest, TableOfAValueMapWithReservedRanges)
{
    TCimHTTPProperty property(Mapped(TType::eUint32,
                                     {"0", "1", "..", "4096", "4100..32767", "32768..65535"},
                                     {"Done", "Not Supported", "DMTF Reserved", "Job Started", "Method Reserved",
                                      "Vendor Specific"}));
    TCimHTTPProperty::TValueMap table;
    std::string defaultText = "left over";
    ASSERT_TRUE(property.BuildValueMapEntryArray(table, defaultText));
    EXPECT_EQ("DMTF Reserved", defaultText);
    ASSERT_EQ(5u, table.size());
    EXPECT_EQ(4100u, table[3].fLowerBound);
    EXPECT_EQ(32767u, table[3].fUpperBound);
    EXPECT_EQ(TCimHTTPProperty::kOpenUpperBound, table[4].fUpperBound);
    EXPECT_EQ("Method Reserved", property.LookupInTable(TCIMValue(5000u), table, defaultText));
    EXPECT_EQ("DMTF Reserved", property.LookupInTable(TCIMValue(4097u), table, defaultText));
    EXPECT_EQ("4097", property.LookupInTable(TCIMValue(4097u), table, ""));
    EXPECT_EQ(1, ThrownStatus([&] { property.LookupInTable(TCIMValue(-1), table, defaultText); }));
    EXPECT_EQ(1, ThrownStatus([&] { property.LookupInTable(TCIMValue(1.0), table, defaultText); }));

    // Indexed Values leave the default text alone.
    TCimHTTPProperty indexed(Declare(TType::eUint32, {{"Values", Strings({"A"})}, {"ValueMap", TCIMValue(1u)}}));
    table.clear();
    ASSERT_TRUE(indexed.BuildValueMapEntryArray(table, defaultText));
    EXPECT_EQ("DMTF Reserved", defaultText);
    EXPECT_FALSE(TCimHTTPProperty(Declare(TType::eUint32)).BuildValueMapEntryArray(table, defaultText));
}

TEST_F(PropertyDisplayTest, SignedCodesAreNotLookedUp)
{
    auto declaration = Mapped(TType::eSint32, {"-1", "2"}, {"Minus", "Two"});
    EXPECT_EQ("-1", Shown(declaration, TCIMValue(-1)));
    EXPECT_EQ("2", Shown(declaration, TCIMValue(2)));
    TCimHTTPProperty array(Mapped(TType::eSint32Array, {"-1", "2"}, {"Minus", "Two"}),
                           ArrayOf(TType::eSint32, {TCIMValue(-1), TCIMValue(2)}));
    EXPECT_EQ((std::vector<std::string>{"-1", "2"}), array.ToStringVector());
}

TEST_F(PropertyDisplayTest, ValueMapTextsThatAreNoCodes)
{
    auto declaration = Mapped(
        TType::eUint64,
        {"abc", "-1", "99999999999999999999", "7 (seven)", "0x", "0x1F", ". .", " 40 . .", "50", "0xFFFFFFFFFFFFFFFF"},
        {"Abc", "Minus", "Huge", "Seven", "Zero", "ThirtyOne", "Dots", "Forties", "Fifty", "Top"});
    const std::vector<std::pair<Uint64, std::string>> shown = {
        {7, "Seven"}, {0, "Zero"}, {31, "ThirtyOne"}, {45, "Forties"}, {50, "Fifty"},
        {1, "1"},     {~0ULL, "Top"}, {99999999999999999ULL, "99999999999999999"}};
    for (const auto& expected : shown)
        EXPECT_EQ(expected.second, Shown(declaration, TCIMValue(expected.first))) << expected.first;

    // Ranges out of order neither wrap nor lose the earlier range.
    auto outOfOrder = Mapped(TType::eUint32, {"5..", "0", "..3"}, {"High", "Zero", "Low"});
    EXPECT_EQ("High", Shown(outOfOrder, TCIMValue(9u)));
    EXPECT_EQ("Zero", Shown(outOfOrder, TCIMValue(0u)));
    EXPECT_EQ("Low", Shown(outOfOrder, TCIMValue(2u)));
    EXPECT_EQ("4", Shown(outOfOrder, TCIMValue(4u)));
}

TEST_F(PropertyDisplayTest, HundredThousandCodes)
{
    std::vector<std::string> codes;
    std::vector<std::string> texts;
    for (int i = 0; i < 100000; ++i) {
        codes.push_back(std::to_string(2 * i));
        texts.push_back("V" + std::to_string(i));
    }
    auto declaration = Mapped(TType::eUint32, codes, texts);
    EXPECT_EQ("V99999", Shown(declaration, TCIMValue(199998u)));
    EXPECT_EQ("199999", Shown(declaration, TCIMValue(199999u)));

    auto indexed = Indexed(TType::eUint32, texts);
    EXPECT_EQ("V99999", Shown(indexed, TCIMValue(99999u)));
}

TEST_F(PropertyDisplayTest, RadixOfAnUnsignedByteBase)
{
    auto hex = [&](TCIMValue base) { return Declare(TType::eUint32, {{"BASE", base}}); };
    EXPECT_EQ("ff", Shown(hex(TCIMValue(static_cast<unsigned char>(16))), TCIMValue(255u)));
    EXPECT_EQ("11111111", Shown(hex(TCIMValue(static_cast<unsigned char>(2))), TCIMValue(255u)));
    EXPECT_EQ("73", Shown(hex(TCIMValue(static_cast<unsigned char>(36))), TCIMValue(255u)));
    for (unsigned char unusable : std::vector<unsigned char>{0, 1, 37, 255})
        EXPECT_EQ("255", Shown(hex(TCIMValue(unusable)), TCIMValue(255u))) << int(unusable);
    EXPECT_EQ("255", Shown(hex(TCIMValue(16u)), TCIMValue(255u)));
    EXPECT_EQ("255", Shown(hex(TCIMValue(TType::eUint8, 0)), TCIMValue(255u)));

    auto base16 = TCIMValue(static_cast<unsigned char>(16));
    EXPECT_EQ("-ff", Shown(Declare(TType::eSint32, {{"BASE", base16}}), TCIMValue(-255)));
    EXPECT_EQ("1.5", Shown(Declare(TType::eReal64, {{"BASE", base16}}), TCIMValue(1.5)));
    EXPECT_EQ("960", Shown(WithUnits(TType::eUint32, "MegaHertz", {{"BASE", base16}}), TCIMValue(2400u)));
}

TEST_F(PropertyDisplayTest, ByteAndBitCountsScaleToTheirMultiples)
{
    auto bytes = WithUnits(TType::eUint64, "Bytes");
    for (const auto& expected : std::vector<std::pair<Uint64, std::string>>{{512, "512 Bytes"},
                                                                             {1024, "1024 Bytes"},
                                                                             {1100, "1.1 Kilobytes"},
                                                                             {1536, "1.5 Kilobytes"},
                                                                             {1048576, "1024 Kilobytes"},
                                                                             {3221225472ULL, "3 Gigabytes"},
                                                                             {~0ULL, "16384 Petabytes"},
                                                                             {(3ULL << 62), "12288 Petabytes"}})
        EXPECT_EQ(expected.second, Shown(bytes, TCIMValue(expected.first))) << expected.first;

    EXPECT_EQ("2.5 Megabits per second", Shown(WithUnits(TType::eUint32, "Bits per Second"), TCIMValue(2500000u)));
    EXPECT_EQ("200 Bits", Shown(WithUnits(TType::eUint8, "Bits"), TCIMValue(static_cast<unsigned char>(200))));
    EXPECT_EQ("2 Megabytes", Shown(WithUnits(TType::eUint32, "KiloBytes"), TCIMValue(2048u)));
    EXPECT_EQ("2048 Kilobytes",
              Shown(WithUnits(TType::eUint32, "KiloBytes", {{"DISPLAYFIXEDUNITS", TCIMValue("Kilo")}}),
                    TCIMValue(2048u)));
    EXPECT_EQ("1536 Megabytes", Shown(WithUnits(TType::eUint64, "Bytes", {{"DisplayFixedUnits", TCIMValue("Mega")}}),
                                      TCIMValue(1610612736ULL)));
    // "Peta" and unknown texts fix nothing.
    EXPECT_EQ("1.5 Kilobytes",
              Shown(WithUnits(TType::eUint32, "Bytes", {{"DISPLAYFIXEDUNITS", TCIMValue("Peta")}}), TCIMValue(1536u)));
}

TEST_F(PropertyDisplayTest, AbbreviatedUnitsWhateverTheQualifierHolds)
{
    auto abbreviated = [&](const std::string& units, TCIMValue flag) {
        return WithUnits(TType::eUint32, units, {{"ABBREVIATEUNITS", flag}});
    };
    EXPECT_EQ("1.5 KB", Shown(abbreviated("Bytes", TCIMValue(true)), TCIMValue(1536u)));
    EXPECT_EQ("1.5 KB", Shown(abbreviated("Bytes", TCIMValue(false)), TCIMValue(1536u)));
    EXPECT_EQ("2 Kb", Shown(abbreviated("Bits", TCIMValue(true)), TCIMValue(2048u)));
    EXPECT_EQ("3 KB/s", Shown(abbreviated("Bytes per Second", TCIMValue("yes")), TCIMValue(3072u)));
    EXPECT_EQ("2.5 Mbps", Shown(abbreviated("Bits per Second", TCIMValue(true)), TCIMValue(2500000u)));
    EXPECT_EQ("512 B", Shown(abbreviated("Bytes", TCIMValue(true)), TCIMValue(512u)));
    EXPECT_EQ("1.5 Kilobytes", Shown(abbreviated("Bytes", TCIMValue(TType::eBoolean, 0)), TCIMValue(1536u)));
}

TEST_F(PropertyDisplayTest, OnlyUnsignedCountsOfKnownUnitsScale)
{
    EXPECT_EQ("2048", Shown(WithUnits(TType::eSint32, "Bytes"), TCIMValue(2048)));
    EXPECT_EQ("2400", Shown(WithUnits(TType::eUint32, "MegaHertz"), TCIMValue(2400u)));
    EXPECT_EQ("75", Shown(WithUnits(TType::eUint16, "Percent"), TCIMValue(Uint16(75))));
    EXPECT_EQ("5", Shown(WithUnits(TType::eUint16, "Kilo"), TCIMValue(Uint16(5))));
    EXPECT_EQ("TRUE", Shown(WithUnits(TType::eBoolean, "Bytes"), TCIMValue(true)));
    EXPECT_EQ("2048", Shown(Declare(TType::eUint32, {{"UNITS", TCIMValue(5u)}}), TCIMValue(2048u)));
}

TEST_F(PropertyDisplayTest, SecondsBecomeADuration)
{
    auto shownIn = [&](const std::string& units, Uint64 count) {
        return Shown(WithUnits(TType::eUint64, units), TCIMValue(count));
    };
    EXPECT_EQ("1 day 01:01:01", shownIn("Seconds", 90061));
    EXPECT_EQ("2 days 00:00:00", shownIn("Seconds", 172800));
    EXPECT_EQ("0 days 00:00:00", shownIn("Seconds", 0));
    EXPECT_EQ("0 days 00:00:01.500000", shownIn("MilliSeconds", 1500));
    EXPECT_EQ("0 days 00:00:00.001500", shownIn("MicroSeconds", 1500));
    EXPECT_EQ("0 days 00:00:01.500000", shownIn("NanoSeconds", 1500000000));
    EXPECT_EQ("0 days 00:00:00.000001", shownIn("NanoSeconds", 1999));
    EXPECT_EQ("0 days 00:00:00", shownIn("KiloSeconds", 5));
    EXPECT_EQ("34", Shown(WithUnits(TType::eUint32, "seconds"), TCIMValue(34u)));
}

TEST_F(PropertyDisplayTest, DurationsPastTheLongestIntervalShowTheNumber)
{
    auto shownIn = [&](const std::string& units, Uint64 count) {
        return Shown(WithUnits(TType::eUint64, units), TCIMValue(count));
    };
    EXPECT_EQ("99999999 days 23:59:59", shownIn("Seconds", 8639999999999ULL));
    EXPECT_EQ("8640000000000", shownIn("Seconds", 8640000000000ULL));
    EXPECT_EQ("18446744073709551615", shownIn("Seconds", ~0ULL));
    EXPECT_EQ("99999999 days 23:59:59.999000", shownIn("MilliSeconds", 8639999999999999ULL));
    // Beyond 2^64 once multiplied by 1000.
    EXPECT_EQ("18446744073709552", shownIn("MilliSeconds", 18446744073709552ULL));
    EXPECT_EQ("18446744073709551615", shownIn("MilliSeconds", ~0ULL));
    EXPECT_EQ("18446744073709551615", shownIn("MicroSeconds", ~0ULL));
    EXPECT_EQ("213503 days 23:34:33.709551", shownIn("NanoSeconds", ~0ULL));
    EXPECT_EQ("ffffffffffffffff",
              Shown(WithUnits(TType::eUint64, "Seconds", {{"BASE", TCIMValue(static_cast<unsigned char>(16))}}),
                    TCIMValue(~0ULL)));
}

TEST_F(PropertyDisplayTest, ElementTextsOfArrays)
{
    TCimHTTPProperty sizes(WithUnits(TType::eUint32Array, "Bytes"));
    EXPECT_TRUE(sizes.ToStringVector().empty());
    sizes.SetValue(ArrayOf(TType::eUint32, {TCIMValue(512u), TCIMValue(1536u)}), kNoContext);
    EXPECT_EQ((std::vector<std::string>{"512 Bytes", "1.5 Kilobytes"}), sizes.ToStringVector());
    EXPECT_EQ("512,1536", sizes.ToString());

    TCimHTTPProperty names(Declare(TType::eStringArray, {{"NULLDISPLAY", TCIMValue("-")}}),
                           ArrayOf(TType::eString, {TCIMValue("a"), TCIMValue(TType::eString, 0)}));
    EXPECT_EQ((std::vector<std::string>{"a", "-"}), names.ToStringVector());
    EXPECT_EQ((std::vector<std::string>{"a", "-"}), names.ToStringVectorWithBase());

    TCimHTTPProperty scalar(Declare(TType::eUint32, {{"Units", TCIMValue("Bytes")}}), TCIMValue(2048u));
    EXPECT_EQ((std::vector<std::string>{"2 Kilobytes"}), scalar.ToStringVector());
}

TEST_F(PropertyDisplayTest, PreviousValueShownTheSameWay)
{
    TCimHTTPProperty health(Mapped(TType::eUint16, kHealthStateMap, kHealthStateTexts), TCIMValue(Uint16(5)));
    EXPECT_EQ("OK", health.PrevValueToString());
    health.SetPrevValue(TCIMValue(Uint16(20)));
    EXPECT_EQ("Major failure", health.PrevValueToString());
    EXPECT_EQ("OK", health.ToString());
}

}  // namespace
