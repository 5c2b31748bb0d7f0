// Qualifiers: name, value, flavor and propagation, comparison, and the
// read-only view const elements hand out.

#include <Pegasus/Common/CIMQualifier.h>
#include <gtest/gtest.h>

PEGASUS_USING_PEGASUS;

TEST(CIMQualifier, QualifiersAndTheirConstViewsReadAndCompareAlike)
{
    EXPECT_TRUE(CIMQualifier().isUninitialized());
    EXPECT_THROW(CIMQualifier().getFlavor(), UninitializedObjectException);
    EXPECT_THROW(CIMConstQualifier().getValue(), UninitializedObjectException);

    CIMQualifier version(CIMName("Version"), CIMValue(String("2.0")), CIMFlavor::TRANSLATABLE, true);
    EXPECT_THROW(version.setName(CIMName()), InvalidNameException);
    const CIMConstQualifier view = version;
    EXPECT_EQ(CIMName("Version"), view.getName());
    EXPECT_EQ(CIMTYPE_STRING, view.getType());
    EXPECT_FALSE(view.isArray());
    EXPECT_EQ(CIMValue(String("2.0")), view.getValue());
    EXPECT_EQ(CIMFlavor::TRANSLATABLE, view.getFlavor());
    EXPECT_TRUE(view.getPropagated());
    EXPECT_TRUE(view.identical(version));
    EXPECT_TRUE(version.identical(view));

    CIMQualifier other = view.clone();
    other.setFlavor(CIMFlavor::DEFAULTS);
    EXPECT_FALSE(other.identical(view));
    EXPECT_EQ(CIMFlavor::TRANSLATABLE, view.getFlavor());
    other.setFlavor(CIMFlavor::TRANSLATABLE);
    other.setPropagated(false);
    EXPECT_FALSE(other.identical(view));
    EXPECT_TRUE(CIMConstQualifier(CIMName("Key"), CIMValue(true)).identical(CIMQualifier(CIMName("KEY"), CIMValue(true))));
}
