// Datetimes: timestamps and intervals, with the fields DSP0004 lets a
// server leave open, and everything else refused.

#include <Pegasus/Common/CIMDateTime.h>
#include <Pegasus/Common/Exception.h>
#include <gtest/gtest.h>

PEGASUS_USING_PEGASUS;

TEST(CIMDateTime, BothFormsAreAcceptedAndOthersRefused)
{
    for (const char* valid : {"20240101000000.000000+000", "99991231235959.999999-720", "00000012131415.000000:000",
                              "2024**********.******+000", "20240315091733.25****-300", "99999999235959.999999:000"})
        EXPECT_NO_THROW(CIMDateTime{valid}) << valid;
    for (const char* invalid : {"", "2024", "20241301000000.000000+000", "20240132000000.000000+000",
                                "20240101240000.000000+000", "20240101000000.000000*000", "00000000240000.000000:000",
                                "00000000000000.000000:001", "20240101000000,000000+000", "2024010100000a.000000+000",
                                "20240101000000.000000+000 ", "2024**01000000.000000+000"})
        EXPECT_THROW(CIMDateTime{invalid}, InvalidDateTimeFormatException) << invalid;
    EXPECT_TRUE(CIMDateTime().isInterval());
    EXPECT_EQ("00000000000000.000000:000", CIMDateTime().toString());
}
