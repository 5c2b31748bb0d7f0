// Requests of every operation and argument kind are valid CIM-XML
// (checked against the DMTF DTD) and carry their arguments.

#include "DtdValidator.h"
#include "RequestEncoder.h"
#include <Pegasus/Common/CIMValue.h>
#include <gtest/gtest.h>

PEGASUS_USING_PEGASUS;

namespace
{
const CIMNamespaceName CIMV2("root/cimv2");

Array<CIMParamValue> everyKindOfParameter()
{
    Array<CIMParamValue> in;
    in.append(CIMParamValue("B", CIMValue(true)));
    in.append(CIMParamValue("U8", CIMValue(Uint8(7))));
    in.append(CIMParamValue("S64", CIMValue(Sint64(-5))));
    in.append(CIMParamValue("R32", CIMValue(Real32(0.5f))));
    in.append(CIMParamValue("R32Exact", CIMValue(Real32(1000.00006f))));
    in.append(CIMParamValue("R64", CIMValue(Real64(-2.25))));
    in.append(CIMParamValue("C", CIMValue(Char16(0xE9))));
    in.append(CIMParamValue("S", CIMValue(String("<a & \"b\">\r\n\ttab"))));
    in.append(CIMParamValue("D", CIMValue(CIMDateTime("00000000000010.000000:000"))));
    in.append(CIMParamValue("Ref", CIMValue(CIMObjectPath("//h/root/cimv2:C.K=\"v\",N=1"))));
    in.append(CIMParamValue("LocalRef", CIMValue(CIMObjectPath("root/cimv2:C"))));
    Array<String> strings;
    strings.append("a1");
    strings.append("a&2");
    in.append(CIMParamValue("Strings", CIMValue(strings)));
    Array<CIMObjectPath> refs;
    refs.append(CIMObjectPath("C.K=TRUE"));
    in.append(CIMParamValue("Refs", CIMValue(refs)));
    in.append(CIMParamValue("Untyped", CIMValue(String("u")), false));
    in.append(CIMParamValue("Null", CIMValue(CIMTYPE_UINT32, false)));
    return in;
}
}

TEST(RequestEncoder, IntrinsicRequestsAreValidAndLeaveDefaultsOut)
{
    Array<CIMName> names;
    names.append(CIMName("Number"));
    RequestEncoder request("Associators", CIMV2);
    request.objectName("ObjectName", CIMObjectPath("CIM_ComputerSystem.Name=\"h\",Ref=\"A.B=2\",Flag=TRUE,N=-3,R=1.5"))
        .className("AssocClass", CIMName("CIM_SystemDevice"))
        .className("ResultClass", CIMName())
        .string("Role", String("GroupComponent"))
        .string("ResultRole", String())
        .flag("IncludeQualifiers", true, false)
        .flag("IncludeClassOrigin", false, false)
        .propertyList(CIMPropertyList(names));
    const EncodedRequest encoded = request.encode(1234);
    EXPECT_EQ("Associators", encoded.cimMethod);
    EXPECT_EQ("root%2Fcimv2", encoded.cimObject);
    EXPECT_EQ("", dtdErrors(encoded.body));
    EXPECT_NE(std::string::npos, encoded.body.find("MESSAGE ID=\"1234\""));
    EXPECT_NE(std::string::npos, encoded.body.find("<IPARAMVALUE NAME=\"IncludeQualifiers\"><VALUE>TRUE</VALUE>"));
    EXPECT_EQ(std::string::npos, encoded.body.find("IncludeClassOrigin"));
    EXPECT_EQ(std::string::npos, encoded.body.find("ResultClass"));
    EXPECT_NE(std::string::npos, encoded.body.find("<KEYVALUE VALUETYPE=\"numeric\" TYPE=\"sint64\">-3</KEYVALUE>"));
    EXPECT_NE(std::string::npos, encoded.body.find("<KEYVALUE VALUETYPE=\"numeric\" TYPE=\"real64\">1.5</KEYVALUE>"));

    RequestEncoder emptyList("EnumerateInstances", CIMNamespaceName("root/test"));
    emptyList.className("ClassName", CIMName("Test_Big")).propertyList(CIMPropertyList(Array<CIMName>()));
    const EncodedRequest empty = emptyList.encode(1);
    EXPECT_EQ("", dtdErrors(empty.body));
    EXPECT_NE(std::string::npos, empty.body.find("<IPARAMVALUE NAME=\"PropertyList\"><VALUE.ARRAY/></IPARAMVALUE>"));
}

TEST(RequestEncoder, MethodCallsCarryEveryParameterKindValidly)
{
    const EncodedRequest onInstance = RequestEncoder::methodCall(
        7, CIMV2, CIMObjectPath("CIM_ComputerSystem.CreationClassName=\"CIM_ComputerSystem\",Name=\"esx01.example.test\""),
        CIMName("SetHostName"), everyKindOfParameter());
    EXPECT_EQ("", dtdErrors(onInstance.body));
    EXPECT_EQ("root%2Fcimv2:CIM_ComputerSystem.CreationClassName%3D%22CIM_ComputerSystem%22%2CName%3D%22esx01.example.test%22",
              onInstance.cimObject);
    EXPECT_EQ("SetHostName", onInstance.cimMethod);
    for (const char* expected :
         {"<PARAMVALUE NAME=\"C\" PARAMTYPE=\"char16\"><VALUE>\xC3\xA9</VALUE>",
          "<VALUE>&lt;a &amp; \"b\"&gt;&#13;\n\ttab</VALUE>", "<PARAMVALUE NAME=\"Untyped\"><VALUE>u</VALUE>",
          "<PARAMVALUE NAME=\"Null\" PARAMTYPE=\"uint32\"/>", "<VALUE.REFARRAY><VALUE.REFERENCE><INSTANCENAME",
          "<VALUE.REFERENCE><INSTANCEPATH><NAMESPACEPATH><HOST>h</HOST>",
          "<VALUE.REFERENCE><LOCALCLASSPATH><LOCALNAMESPACEPATH>", "<VALUE>-2.2500000000000000e+00</VALUE>",
          // Unlike CIMValue::toString(), a request carries a real32 in the
          // fewest digits that read back exactly, and arrays element by element.
          "<PARAMVALUE NAME=\"R32\" PARAMTYPE=\"real32\"><VALUE>5.0000000e-01</VALUE>",
          "<PARAMVALUE NAME=\"R32Exact\" PARAMTYPE=\"real32\"><VALUE>1.00000006e+03</VALUE>",
          "<VALUE.ARRAY><VALUE>a1</VALUE><VALUE>a&amp;2</VALUE></VALUE.ARRAY>"})
        EXPECT_NE(std::string::npos, onInstance.body.find(expected)) << expected;

    const EncodedRequest onClass = RequestEncoder::methodCall(8, CIMNamespaceName("root/SampleProvider"),
                                                              CIMObjectPath("Sample_MethodProviderClass"),
                                                              CIMName("SayHello"), Array<CIMParamValue>());
    EXPECT_EQ("", dtdErrors(onClass.body));
    EXPECT_EQ("root%2FSampleProvider:Sample_MethodProviderClass", onClass.cimObject);

    Array<CIMParamValue> control;
    control.append(CIMParamValue("S", CIMValue(String("bell\x07"))));
    EXPECT_THROW(RequestEncoder::methodCall(9, CIMV2, CIMObjectPath("C"), CIMName("M"), control), CIMClientXmlException);
}

// What XML 1.0 cannot carry makes a server reject the whole request, so the
// client refuses it before anything is sent; every character XML can carry,
// from the whole range of Unicode, goes as it is.
TEST(RequestEncoder, RefusesTextXmlCannotCarryAndKeepsEveryOtherCharacter)
{
    auto encodedWith = [](const CIMValue& value) {
        Array<CIMParamValue> in;
        in.append(CIMParamValue("P", value));
        return RequestEncoder::methodCall(9, CIMV2, CIMObjectPath("C"), CIMName("M"), in).body;
    };
    auto refusal = [&](const CIMValue& value) -> std::string {
        try
        {
            encodedWith(value);
        }
        catch (const CIMClientXmlException& e)
        {
            return e.getMessage().str();
        }
        return "(sent)";
    };
    EXPECT_EQ("character U+FFFE cannot be sent in CIM-XML", refusal(CIMValue(Char16(0xFFFE))));
    EXPECT_EQ("character U+FFFF cannot be sent in CIM-XML", refusal(CIMValue(Char16(0xFFFF))));
    EXPECT_EQ("character U+FFFF cannot be sent in CIM-XML", refusal(CIMValue(String("ok \xEF\xBF\xBF"))));
    EXPECT_EQ("char16 U+D800 is half of a surrogate pair, not a character, which cannot be sent in CIM-XML",
              refusal(CIMValue(Char16(0xD800))));
    Array<Char16> lowHalf;
    lowHalf.append(Char16('a'));
    lowHalf.append(Char16(0xDFFF));
    EXPECT_EQ("char16 U+DFFF is half of a surrogate pair, not a character, which cannot be sent in CIM-XML",
              refusal(CIMValue(lowHalf)));
    for (const char* notUtf8 : {"latin-1 \xE4", "stray \x80", "overlong \xC0\xAF", "cut \xE2\x82",
                                "surrogate \xED\xA0\x80", "beyond \xF4\x90\x80\x80", "five \xF8\x88\x80\x80\x80"})
        EXPECT_EQ("text that is not UTF-8 cannot be sent in CIM-XML", refusal(CIMValue(String(notUtf8)))) << notUtf8;

    const char* carried[] = {"\xEF\xBF\xBD", "\xEE\x80\x80", "\xED\x9F\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF",
                             "\xC2\x80", "\xEF\xBF\xBC"};
    for (const char* character : carried)
    {
        const std::string body = encodedWith(CIMValue(String(character)));
        EXPECT_NE(std::string::npos, body.find(std::string("<VALUE>") + character + "</VALUE>")) << character;
        EXPECT_EQ("", dtdErrors(body));
    }
    EXPECT_NE(std::string::npos, encodedWith(CIMValue(Char16(0xFFFD))).find("<VALUE>\xEF\xBF\xBD</VALUE>"));
    EXPECT_NE(std::string::npos, encodedWith(CIMValue(Char16(0xE000))).find("<VALUE>\xEE\x80\x80</VALUE>"));
}
