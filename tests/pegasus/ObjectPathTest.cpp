// The text form of object paths: parsing, printing, quoting and keys of
// every kind.

#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/CIMValue.h>
#include <gtest/gtest.h>

PEGASUS_USING_PEGASUS;

TEST(ObjectPath, TextFormsSurviveARoundTrip)
{
    for (const char* text :
         {"CIM_Slot", "root/cimv2:CIM_Slot", "//host.example:5988/root/cimv2:CIM_Slot.Tag=\"Socket 0\"",
          "C.B=TRUE,N=-42,R=3.5e+00,S=\"\"", "C.S=\"quote \\\" and backslash \\\\ and :,.=\"",
          "CIM_SystemDevice.GroupComponent=\"//vm/root/cimv2:CIM_ComputerSystem.CreationClassName=\\\"CIM_ComputerSystem\\\",Name=\\\"esx01\\\"\",PartComponent=\"CIM_Processor.DeviceID=\\\"CPU0\\\"\""})
    {
        SCOPED_TRACE(text);
        const CIMObjectPath path(text);
        EXPECT_EQ(text, path.toString().str());
        EXPECT_EQ(path, CIMObjectPath(path.toString()));
    }
}

TEST(ObjectPath, PartsAndKeyTypesAreRecognised)
{
    const CIMObjectPath path("//h/root/test:A.Ref=\"B.K=1\",Flag=false,Num=0x1F,Str=\"B.K=1 is text\",Name=\"x\"");
    EXPECT_EQ("h", path.getHost());
    EXPECT_EQ(CIMNamespaceName("root/test"), path.getNameSpace());
    EXPECT_EQ(CIMName("A"), path.getClassName());
    const Array<CIMKeyBinding>& keys = path.getKeyBindings();
    ASSERT_EQ(5u, keys.size());
    EXPECT_EQ(CIMKeyBinding::REFERENCE, keys[0].getType());
    EXPECT_EQ(CIMKeyBinding::BOOLEAN, keys[1].getType());
    EXPECT_EQ(CIMKeyBinding::NUMERIC, keys[2].getType());
    EXPECT_EQ(CIMKeyBinding::STRING, keys[3].getType());
    EXPECT_EQ("x", keys[4].getValue());

    EXPECT_EQ(CIMObjectPath("a.k=\"v\",n=1"), CIMObjectPath("A.N=1,K=\"v\""));
    EXPECT_NE(CIMObjectPath("A.K=\"v\""), CIMObjectPath("A.K=\"V\""));
    EXPECT_EQ(CIMKeyBinding::NUMERIC, CIMKeyBinding(CIMName("K"), CIMValue(Uint16(3))).getType());
    EXPECT_EQ("3", CIMKeyBinding(CIMName("K"), CIMValue(Uint16(3))).getValue());
    // A key made from a value takes the value's text, as OpenPegasus's does.
    EXPECT_EQ("4.1500000000000000e+01", CIMKeyBinding(CIMName("K"), CIMValue(Real32(41.5f))).getValue());
    EXPECT_THROW(CIMKeyBinding(CIMName("K"), CIMValue(CIMTYPE_STRING, false)), TypeMismatchException);
}

TEST(ObjectPath, MalformedTextIsRefused)
{
    for (const char* text : {"", "//host", "//host/CIM_Slot", "1Bad", "C.K", "C.K=\"open", "C.K=\"v\"x", "C.K=notanumber",
                             "C.=1", "root//x:C", "C.K=1,", "//vm///root/cimv2:C"})
        EXPECT_THROW(CIMObjectPath{text}, MalformedObjectNameException) << text;
    EXPECT_THROW(CIMNamespaceName("//root"), InvalidNamespaceNameException);
    EXPECT_FALSE(CIMNamespaceName::legal("//root/cimv2"));
    EXPECT_TRUE(CIMNamespaceName::legal("/root/cimv2"));
}

TEST(ObjectPath, ReferenceKeysThatNameNoPathCompareAsText)
{
    const CIMKeyBinding odd(CIMName("K"), String("C.N=-7TOIN"), CIMKeyBinding::REFERENCE);
    EXPECT_TRUE(odd.equal(odd));
    EXPECT_FALSE(odd.equal(CIMKeyBinding(CIMName("K"), String("C.N=-7"), CIMKeyBinding::REFERENCE)));
    const CIMObjectPath holder(String(), CIMNamespaceName(), CIMName("A"), Array<CIMKeyBinding>(&odd, 1));
    EXPECT_EQ(holder, CIMObjectPath(holder));
}
