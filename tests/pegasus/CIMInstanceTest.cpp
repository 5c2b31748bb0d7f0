// Instances: long property lists found and refused by name without regard
// to case, and the read-only view that const instances are handed out as.

#include <Pegasus/Common/CIMInstance.h>
#include <Pegasus/Common/CIMObject.h>
#include <gtest/gtest.h>
#include <type_traits>
#include <utility>

PEGASUS_USING_PEGASUS;

static_assert(std::is_same<decltype(std::declval<const CIMInstance&>().getProperty(0)), CIMConstProperty>::value, "");
static_assert(std::is_same<decltype(std::declval<const CIMInstance&>().getQualifier(0)), CIMConstQualifier>::value, "");
static_assert(std::is_same<decltype(std::declval<CIMInstance&>().getProperty(0)), CIMProperty>::value, "");

TEST(CIMInstance, LongElementListsFindRefuseAndRemoveByNameWithoutCase)
{
    EXPECT_THROW(CIMInstance().getPath(), UninitializedObjectException);
    EXPECT_THROW(CIMInstance{CIMName()}, InvalidNameException);

    CIMInstance instance(CIMName("C"));
    for (Uint32 i = 0; i < 200; ++i)
        instance.addProperty(CIMProperty(CIMName(String("P" + std::to_string(i))), CIMValue(i)));
    EXPECT_EQ(123u, instance.findProperty(CIMName("p123")));
    EXPECT_EQ(PEG_NOT_FOUND, instance.findProperty(CIMName("P200")));
    EXPECT_THROW(instance.addProperty(CIMProperty(CIMName("p77"), CIMValue(Uint32(0)))), AlreadyExistsException);
    const CIMInstance copy = instance.clone();
    instance.removeProperty(10);
    EXPECT_EQ(PEG_NOT_FOUND, instance.findProperty(CIMName("P10")));
    EXPECT_EQ(10u, instance.findProperty(CIMName("P11")));
    EXPECT_EQ(10u, copy.findProperty(CIMName("P10")));
    instance.addProperty(CIMProperty(CIMName("P10"), CIMValue(Uint32(10))));
    EXPECT_EQ(199u, instance.findProperty(CIMName("P10")));
    while (instance.getPropertyCount() > 3)
        instance.removeProperty(0);
    EXPECT_EQ(2u, instance.findProperty(CIMName("p10")));
    EXPECT_EQ(0u, instance.findProperty(CIMName("P198")));
}

TEST(CIMInstance, ConstInstancesReadTheInstanceAndHandOutConstElements)
{
    CIMInstance instance(CIMName("Test_Big"));
    instance.setPath(CIMObjectPath("Test_Big.Index=1"));
    instance.addQualifier(CIMQualifier(CIMName("Description"), CIMValue(String("big"))));
    instance.addProperty(CIMProperty(CIMName("Index"), CIMValue(Uint32(1))));

    const CIMConstInstance view = instance;
    EXPECT_EQ(CIMName("Test_Big"), view.getClassName());
    EXPECT_EQ(CIMObjectPath("Test_Big.Index=1"), view.getPath());
    const CIMConstProperty index = view.getProperty(view.findProperty(CIMName("index")));
    EXPECT_EQ(CIMValue(Uint32(1)), index.getValue());
    EXPECT_EQ(CIMValue(String("big")), view.getQualifier(view.findQualifier(CIMName("Description"))).getValue());

    instance.addProperty(CIMProperty(CIMName("Name"), CIMValue(String("n"))));
    EXPECT_EQ(2u, view.getPropertyCount());
    CIMInstance copy = view.clone();
    copy.removeProperty(0);
    EXPECT_EQ(2u, view.getPropertyCount());
    EXPECT_EQ(1u, view.getQualifierCount());

    EXPECT_EQ(2u, CIMConstInstance(CIMObject(instance)).getPropertyCount());
    EXPECT_EQ(2u, CIMConstInstance(CIMConstObject(view)).getPropertyCount());
    EXPECT_THROW(CIMConstInstance(CIMObject(CIMClass(CIMName("C")))), DynamicCastFailedException);
    EXPECT_THROW(CIMConstInstance(CIMConstObject(CIMClass(CIMName("C")))), DynamicCastFailedException);
    EXPECT_EQ(0u, CIMConstInstance(CIMName("Other")).getPropertyCount());
    EXPECT_THROW(CIMConstInstance().getClassName(), UninitializedObjectException);
}
