// Objects: a class or an instance behind one interface, and the read-only
// view built from any of them.

#include <Pegasus/Common/CIMObject.h>
#include <gtest/gtest.h>
#include <type_traits>
#include <utility>

PEGASUS_USING_PEGASUS;

static_assert(std::is_same<decltype(std::declval<const CIMObject&>().getProperty(0)), CIMConstProperty>::value, "");
static_assert(std::is_same<decltype(std::declval<const CIMObject&>().getQualifier(0)), CIMConstQualifier>::value, "");
static_assert(std::is_same<decltype(std::declval<CIMObject&>().getProperty(0)), CIMProperty>::value, "");

namespace
{
CIMInstance sampleInstance()
{
    CIMInstance instance(CIMName("Test_Big"));
    instance.addProperty(CIMProperty(CIMName("Index"), CIMValue(Uint32(1))));
    return instance;
}
}

TEST(CIMObject, ObjectsHoldAClassOrAnInstanceAndCloneIt)
{
    const CIMObject unset;
    EXPECT_TRUE(unset.isUninitialized());
    EXPECT_THROW(unset.getClassName(), UninitializedObjectException);

    CIMInstance instance = sampleInstance();
    CIMObject object(instance);
    EXPECT_TRUE(object.isInstance());
    EXPECT_FALSE(object.isClass());
    EXPECT_THROW(object.asClass(), DynamicCastFailedException);
    EXPECT_THROW(CIMClass{object}, DynamicCastFailedException);
    EXPECT_EQ(0u, object.findProperty(CIMName("INDEX")));
    EXPECT_EQ(CIMValue(Uint32(1)), object.getProperty(0).getValue());

    // The object shares the instance; its clone does not.
    const CIMObject copy = object.clone();
    object.setPath(CIMObjectPath("Test_Big.Index=1"));
    EXPECT_EQ(CIMObjectPath("Test_Big.Index=1"), instance.getPath());
    EXPECT_EQ(CIMObjectPath(), copy.getPath());
    EXPECT_TRUE(copy.isInstance());
    EXPECT_TRUE(CIMObject(CIMClass(CIMName("C"))).clone().isClass());
}

TEST(CIMObject, ConstObjectsComeFromEveryKindOfElement)
{
    const CIMClass cimClass(CIMName("Test_Class"));
    const CIMInstance instance = sampleInstance();
    for (const CIMConstObject& o : {CIMConstObject(cimClass), CIMConstObject(CIMConstClass(cimClass)),
                                    CIMConstObject(CIMObject(cimClass))})
    {
        EXPECT_TRUE(o.isClass());
        EXPECT_EQ(CIMName("Test_Class"), o.getClassName());
        EXPECT_EQ(0u, o.getPropertyCount());
    }
    for (const CIMConstObject& o : {CIMConstObject(instance), CIMConstObject(CIMConstInstance(instance)),
                                    CIMConstObject(CIMObject(instance))})
    {
        EXPECT_TRUE(o.isInstance());
        EXPECT_EQ(CIMName("Test_Big"), o.getClassName());
        const CIMConstProperty index = o.getProperty(o.findProperty(CIMName("Index")));
        EXPECT_EQ(CIMValue(Uint32(1)), index.getValue());
        EXPECT_EQ(0u, o.getQualifierCount());
        EXPECT_EQ(PEG_NOT_FOUND, o.findQualifier(CIMName("Key")));
    }
    const CIMConstObject view(instance);
    CIMObject copy = view.clone();
    copy.setPath(CIMObjectPath("Test_Big.Index=2"));
    EXPECT_EQ(CIMObjectPath(), view.getPath());
    EXPECT_TRUE(CIMConstObject().isUninitialized());
}
