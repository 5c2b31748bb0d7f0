// Qualifier flavors: combining, testing and naming their bits.

#include <Pegasus/Common/CIMFlavor.h>
#include <gtest/gtest.h>

PEGASUS_USING_PEGASUS;

TEST(CIMFlavor, FlavorsCombineAndNameTheirBits)
{
    CIMFlavor flavor(CIMFlavor::OVERRIDABLE, CIMFlavor::TOSUBCLASS);
    EXPECT_EQ(CIMFlavor::DEFAULTS, flavor);
    EXPECT_EQ("OVERRIDABLE TOSUBCLASS", flavor.toString());
    flavor.addFlavor(CIMFlavor::TRANSLATABLE);
    EXPECT_TRUE(flavor.hasFlavor(CIMFlavor::TRANSLATABLE));
    EXPECT_TRUE(flavor.hasFlavor(CIMFlavor::ENABLEOVERRIDE));
    EXPECT_TRUE(flavor.hasFlavor(CIMFlavor(CIMFlavor::TOSUBCLASS, CIMFlavor::TRANSLATABLE)));
    EXPECT_FALSE(flavor.hasFlavor(CIMFlavor::TOINSTANCE));
    EXPECT_FALSE(flavor.hasFlavor(CIMFlavor::NONE));
    flavor.removeFlavor(CIMFlavor::OVERRIDABLE);
    EXPECT_EQ("TOSUBCLASS TRANSLATABLE", flavor.toString());
    EXPECT_EQ(0x0Au, flavor.cimFlavorToMask());
    EXPECT_EQ("", CIMFlavor::NONE.toString());
    // Every flavor at once has no name of its own, unlike every scope.
    CIMFlavor all;
    for (const CIMFlavor* f : {&CIMFlavor::DEFAULTS, &CIMFlavor::TOINSTANCE, &CIMFlavor::TRANSLATABLE,
                               &CIMFlavor::DISABLEOVERRIDE, &CIMFlavor::RESTRICTED})
        all.addFlavor(*f);
    EXPECT_EQ("OVERRIDABLE TOSUBCLASS TOINSTANCE TRANSLATABLE DISABLEOVERRIDE RESTRICTED", all.toString());
}
