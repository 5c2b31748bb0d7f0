// Classes: their named elements, clones that share nothing with the
// original, and the read-only view that const classes are handed out as.

#include <Pegasus/Common/CIMClass.h>
#include <Pegasus/Common/CIMObject.h>
#include <gtest/gtest.h>
#include <type_traits>
#include <utility>

PEGASUS_USING_PEGASUS;

namespace
{
CIMClass sampleClass()
{
    CIMClass cimClass(CIMName("Test_Class"), CIMName("Base"));
    cimClass.addQualifier(CIMQualifier(CIMName("Association"), CIMValue(true)));
    cimClass.addProperty(CIMProperty(CIMName("Key"), CIMValue(String("k"))));
    CIMMethod method(CIMName("Reset"), CIMTYPE_UINT32);
    method.addParameter(CIMParameter(CIMName("Force"), CIMTYPE_BOOLEAN));
    cimClass.addMethod(method);
    return cimClass;
}
}

// What a const class hands out decides which OpenPegasus programs build.
static_assert(std::is_same<decltype(std::declval<const CIMClass&>().getProperty(0)), CIMConstProperty>::value, "");
static_assert(std::is_same<decltype(std::declval<const CIMClass&>().getQualifier(0)), CIMConstQualifier>::value, "");
static_assert(std::is_same<decltype(std::declval<const CIMClass&>().getMethod(0)), CIMConstMethod>::value, "");
static_assert(std::is_same<decltype(std::declval<CIMClass&>().getProperty(0)), CIMProperty>::value, "");
static_assert(std::is_same<decltype(std::declval<CIMClass&>().getMethod(0)), CIMMethod>::value, "");

TEST(CIMClass, ElementsAreFoundByNameDuplicatesRefusedAndClonesShareNothing)
{
    const CIMClass unset;
    EXPECT_TRUE(unset.isUninitialized());
    EXPECT_THROW(unset.getClassName(), UninitializedObjectException);
    EXPECT_THROW(unset.getPropertyCount(), UninitializedObjectException);
    EXPECT_THROW(CIMClass{CIMName()}, InvalidNameException);

    CIMClass cimClass = sampleClass();
    EXPECT_TRUE(cimClass.isAssociation());
    EXPECT_FALSE(cimClass.isAbstract());
    EXPECT_EQ(CIMName("Test_Class"), cimClass.getPath().getClassName());
    EXPECT_EQ(0u, cimClass.findProperty(CIMName("KEY")));
    EXPECT_EQ(PEG_NOT_FOUND, cimClass.findProperty(CIMName("Other")));
    EXPECT_THROW(cimClass.getProperty(1), IndexOutOfBoundsException);
    EXPECT_THROW(cimClass.addProperty(CIMProperty(CIMName("key"), CIMValue(Uint8(1)))), AlreadyExistsException);

    // A method handed out by the class is the class's own: changes to it
    // show in the class, but never in a clone taken before.
    const CIMClass copy = cimClass.clone();
    cimClass.removeProperty(0);
    cimClass.getMethod(0).addQualifier(CIMQualifier(CIMName("Static"), CIMValue(true)));
    cimClass.getMethod(0).getParameter(0).addQualifier(CIMQualifier(CIMName("In"), CIMValue(true)));
    EXPECT_EQ(0u, cimClass.getPropertyCount());
    EXPECT_EQ(1u, cimClass.getMethod(0).getQualifierCount());
    EXPECT_EQ(1u, cimClass.getMethod(0).getParameter(0).getQualifierCount());
    EXPECT_EQ(1u, copy.getPropertyCount());
    EXPECT_EQ(0u, copy.getMethod(0).getQualifierCount());
    EXPECT_EQ(0u, copy.getMethod(0).getParameter(0).getQualifierCount());
}

TEST(CIMClass, ConstClassesReadTheClassAndHandOutConstElements)
{
    CIMClass cimClass = sampleClass();
    const CIMConstClass view = cimClass;
    EXPECT_EQ(CIMName("Test_Class"), view.getClassName());
    EXPECT_EQ(CIMName("Base"), view.getSuperClassName());
    EXPECT_EQ(cimClass.getPath(), view.getPath());
    EXPECT_TRUE(view.isAssociation());
    EXPECT_FALSE(view.isAbstract());

    const CIMConstQualifier association = view.getQualifier(view.findQualifier(CIMName("association")));
    EXPECT_EQ(CIMValue(true), association.getValue());
    const CIMConstProperty key = view.getProperty(view.findProperty(CIMName("Key")));
    EXPECT_EQ(CIMValue(String("k")), key.getValue());
    const CIMConstMethod reset = view.getMethod(view.findMethod(CIMName("RESET")));
    EXPECT_EQ(CIMTYPE_BOOLEAN, reset.getParameter(0).getType());

    // The view shares the class; its clone is a class of its own.
    cimClass.addProperty(CIMProperty(CIMName("Added"), CIMValue(Uint8(1))));
    EXPECT_EQ(2u, view.getPropertyCount());
    CIMClass copy = view.clone();
    copy.removeProperty(0);
    EXPECT_EQ(2u, view.getPropertyCount());
    EXPECT_EQ(1u, view.getQualifierCount());
    EXPECT_EQ(1u, view.getMethodCount());

    EXPECT_EQ(CIMName("Test_Class"), CIMConstClass(CIMObject(cimClass)).getClassName());
    EXPECT_EQ(2u, CIMConstClass(CIMConstObject(view)).getPropertyCount());
    EXPECT_THROW(CIMConstClass(CIMObject(CIMInstance(CIMName("C")))), DynamicCastFailedException);
    EXPECT_THROW(CIMConstClass(CIMConstObject(CIMInstance(CIMName("C")))), DynamicCastFailedException);
    EXPECT_EQ(CIMName("New"), CIMConstClass(CIMName("New"), CIMName("Base")).getClassName());
    const CIMConstClass unset;
    EXPECT_TRUE(unset.isUninitialized());
    EXPECT_THROW(unset.getMethodCount(), UninitializedObjectException);
}
