#include <qel/TCIMDateTime.h>

#include <gtest/gtest.h>

#include <qel/TQELException.h>

using namespace NVORNQEL20;

TEST(TCIMDateTime, ValidTextsReadBackUnchanged) {
    for (const char* text : {"20240315081500.000000+000", "20230615123045.123456+060", "20240315091733.250000-300",
                             "20240229235959.999999+000", "00000012131415.000000:000", "99999999235959.999999:000",
                             "00000000000000.000000:000"}) {
        EXPECT_EQ(text, TCIMDateTime(text).ToString());
    }
    EXPECT_FALSE(TCIMDateTime("20240315081500.000000+000").IsInterval());
    EXPECT_TRUE(TCIMDateTime("00000012131415.000000:000").IsInterval());
    EXPECT_EQ("00000000000000.000000:000", TCIMDateTime().ToString());
}

namespace {

// Each text is refused with status 4 and a detail that quotes it.
void ExpectRefused(std::initializer_list<const char*> texts) {
    for (const char* text : texts) {
        try {
            TCIMDateTime parsed{std::string(text)};
            ADD_FAILURE() << "accepted " << text;
        } catch (const TQELException& error) {
            EXPECT_EQ(4, error.GetStatusCode());
            EXPECT_NE(std::string::npos, error.GetDetail().find(text)) << error.GetDetail();
        }
    }
}

}  // namespace

TEST(TCIMDateTime, MalformedTextsAreRefused) {
    ExpectRefused({"", "2024", "20240315081500.000000+0000", "20240315081500,000000+000",
                   "20240315081500.000000*000", "2024031508150a.000000+000", "20241315081500.000000+000",
                   "20230229081500.000000+000", "20240431081500.000000+000", "20240315241500.000000+000",
                   "20240315086000.000000+000", "20240315081560.000000+000", "00000000000000.000000:001",
                   "00000000240000.000000:000", "2024-03-15 08:15:00 +000"});
}

TEST(TCIMDateTime, ReadableTexts) {
    TCIMDateTime interval;
    interval.Set(1, 1, 1, 1, 0);
    EXPECT_EQ("1 day 01:01:01", interval.ToUIString());
    EXPECT_EQ("00000001010101.000000:000", interval.ToString());
    interval.Set(0, 0, 0, 1, 500000);
    EXPECT_EQ("0 days 00:00:01.500000", interval.ToUIString());
    EXPECT_EQ("12 days 13:14:15", TCIMDateTime("00000012131415.000000:000").ToUIString());
    EXPECT_EQ("2024-03-15 08:15:00 UTC+00:00", TCIMDateTime("20240315081500.000000+000").ToUIString());
    EXPECT_EQ("2024-03-15 09:17:33.250000 UTC-05:00", TCIMDateTime("20240315091733.250000-300").ToUIString());
    EXPECT_EQ("0 days 00:00:00", TCIMDateTime().ToUIString());
}

TEST(TCIMDateTime, SetRefusesFieldsOutOfRange) {
    TCIMDateTime interval;
    interval.Set(99999999, 23, 59, 59, 999999);
    EXPECT_EQ("99999999235959.999999:000", interval.ToString());
    EXPECT_THROW(interval.Set(100000000, 0, 0, 0, 0), TQELException);
    EXPECT_THROW(interval.Set(0, 24, 0, 0, 0), TQELException);
    EXPECT_THROW(interval.Set(0, 0, 60, 0, 0), TQELException);
    EXPECT_THROW(interval.Set(0, 0, 0, 60, 0), TQELException);
    EXPECT_THROW(interval.Set(0, 0, 0, 0, 1000000), TQELException);
    EXPECT_EQ("99999999235959.999999:000", interval.ToString());
}

TEST(TCIMDateTime, ComparisonsFollowTimeNotText) {
    EXPECT_EQ(TCIMDateTime("20240315081500.000000+000"), TCIMDateTime("20240315091500.000000+060"));
    EXPECT_LT(TCIMDateTime("20240315091500.000000+000"), TCIMDateTime("20240315081500.000000-300"));
    EXPECT_LT(TCIMDateTime("20231231235959.999999+000"), TCIMDateTime("20240101000000.000000+000"));
    EXPECT_LT(TCIMDateTime("20240228000000.000000+000"), TCIMDateTime("20240301000000.000000+000"));
    EXPECT_LT(TCIMDateTime("99999999235959.999999:000"), TCIMDateTime("00000101000000.000000+000"));
    EXPECT_LT(TCIMDateTime("00000000235959.999999:000"), TCIMDateTime("00000001000000.000000:000"));
    EXPECT_NE(TCIMDateTime("00000000000000.000000:000"), TCIMDateTime("00000101000000.000000+000"));
    EXPECT_FALSE(TCIMDateTime() < TCIMDateTime());
}

// Seconds since 1970 pass 2^31 in 2038 and 2^32 in 2106: the arithmetic must
// not depend on the width of time_t or long.
TEST(TCIMDateTime, ComparisonsHoldPast2038And2106) {
    EXPECT_LT(TCIMDateTime("20380119031407.000000+000"), TCIMDateTime("20380119031408.000000+000"));
    EXPECT_EQ(TCIMDateTime("20380119031408.000000+000"), TCIMDateTime("20380119041408.000000+060"));
    EXPECT_EQ(TCIMDateTime("21060207062816.000000+000"), TCIMDateTime("21060207012816.000000-300"));
    EXPECT_LT(TCIMDateTime("21060207062815.999999+000"), TCIMDateTime("21060207062816.000000+000"));
    EXPECT_LT(TCIMDateTime("20240101000000.000000+000"), TCIMDateTime("99991231235959.999999+000"));
}

TEST(TCIMDateTime, OpenFieldsKeepTheirText) {
    for (const char* text : {"2024031509****.******-300", "**************.******+000", "20240315081500.123***+000",
                             "202403********.******+060", "0000001213****.******:000", "**************.******:000"}) {
        const TCIMDateTime open{std::string(text)};
        EXPECT_EQ(text, open.ToString());
        EXPECT_EQ(text, open.ToUIString());
        EXPECT_EQ(open, TCIMDateTime(text));
    }
    EXPECT_TRUE(TCIMDateTime("0000001213****.******:000").IsInterval());
    EXPECT_FALSE(TCIMDateTime("2024031509****.******-300").IsInterval());

    // An open datetime is not the instant it starts at, and sorts after it.
    const TCIMDateTime open("2024031509****.******-300");
    const TCIMDateTime start("20240315090000.000000-300");
    EXPECT_NE(start, open);
    EXPECT_LT(start, open);
    EXPECT_FALSE(open < start);
    EXPECT_LT(open, TCIMDateTime("20240315090001.000000-300"));
}

TEST(TCIMDateTime, FieldsLeftOpenOnlyFromTheRight) {
    ExpectRefused({"2024031509*1**.******-300", "202403150915**.000000+000", "20240315091500.******+***",
                   "20240315091500.000000+0*0", "2024031*091500.******+000", "2024031509****.**0***-300",
                   "20241315******.******+000", "202402300*****.******+000", "0000001*******.******:000",
                   "00000012******.******:***"});
}
