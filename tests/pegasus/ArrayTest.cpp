// Arrays: Booleans handed out through a pointer, bounds checked on access
// and removal.

#include <Pegasus/Common/Array.h>
#include <gtest/gtest.h>

PEGASUS_USING_PEGASUS;

TEST(Array, BooleansHaveADataPointerAndIndexesAreChecked)
{
    Array<Boolean> flags;
    flags.append(true);
    flags.append(false);
    ASSERT_NE(nullptr, flags.getData());
    EXPECT_TRUE(flags.getData()[0]);
    EXPECT_FALSE(flags.getData()[1]);

    Array<Uint32> numbers;
    numbers.reserveCapacity(4);
    numbers.append(1);
    numbers.append(2);
    numbers.append(3);
    numbers.remove(1);
    EXPECT_EQ(3u, numbers[1]);
    EXPECT_THROW(numbers[2], IndexOutOfBoundsException);
    EXPECT_THROW(numbers.remove(1, 2), IndexOutOfBoundsException);
    numbers.clear();
    EXPECT_EQ(0u, numbers.size());
}
