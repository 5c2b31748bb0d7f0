// The streaming decoder on its own: value forms, reference forms, lenient
// and strict decoding, and hostile input.

#include "ResponseDecoder.h"
#include <Pegasus/Common/Exception.h>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

PEGASUS_USING_PEGASUS;

namespace
{
std::string wrapped(const std::string& returnValue, const std::string& prolog = "")
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n" + prolog
        + "<CIM CIMVERSION=\"2.0\" DTDVERSION=\"2.0\"><MESSAGE ID=\"1\" PROTOCOLVERSION=\"1.0\"><SIMPLERSP>"
          "<IMETHODRESPONSE NAME=\"EnumerateInstances\"><IRETURNVALUE>\n"
        + returnValue + "</IRETURNVALUE></IMETHODRESPONSE></SIMPLERSP></MESSAGE></CIM>";
}

std::string instanceWith(const std::string& properties)
{
    return wrapped("<VALUE.NAMEDINSTANCE><INSTANCENAME CLASSNAME=\"T\"/><INSTANCE CLASSNAME=\"T\">" + properties
                   + "</INSTANCE></VALUE.NAMEDINSTANCE>");
}

DecodedResponse decode(const std::string& xml, size_t piece = std::string::npos)
{
    ResponseDecoder decoder;
    for (size_t at = 0; at < xml.size(); at += piece)
        decoder.feed(xml.data() + at, std::min(piece, xml.size() - at));
    decoder.finish();
    return std::move(decoder.response());
}

// The decoder's complaint, or "" when the text decoded.
std::string failure(const std::string& xml)
{
    try
    {
        decode(xml);
        return "";
    }
    catch (const CIMClientXmlException& e)
    {
        return e.getMessage().str();
    }
}

CIMValue property(const std::string& xml)
{
    const DecodedResponse r = decode(instanceWith(xml));
    return r.instances[0].getProperty(0).getValue();
}

CIMObjectPath reference(const std::string& xml)
{
    CIMObjectPath path;
    property("<PROPERTY.REFERENCE NAME=\"R\"><VALUE.REFERENCE>" + xml + "</VALUE.REFERENCE></PROPERTY.REFERENCE>").get(path);
    return path;
}

const std::string LOCAL_NS = "<LOCALNAMESPACEPATH><NAMESPACE NAME=\"root\"/><NAMESPACE NAME=\"cimv2\"/></LOCALNAMESPACEPATH>";
const std::string NS = "<NAMESPACEPATH><HOST>h1</HOST>" + LOCAL_NS + "</NAMESPACEPATH>";
const std::string NAME = "<INSTANCENAME CLASSNAME=\"C\"><KEYBINDING NAME=\"K\"><KEYVALUE VALUETYPE=\"numeric\" TYPE=\"\">7</KEYVALUE></KEYBINDING></INSTANCENAME>";

std::string nameWithKey(const std::string& valueType, const std::string& text)
{
    return "<INSTANCENAME CLASSNAME=\"C\"><KEYBINDING NAME=\"K\"><KEYVALUE VALUETYPE=\"" + valueType + "\">" + text
        + "</KEYVALUE></KEYBINDING></INSTANCENAME>";
}

// An instance name whose key refers to an instance name whose key refers
// to ..., depth levels deep.
std::string nestedReferenceKeys(int depth)
{
    std::string name = nameWithKey("string", "\"");
    for (int i = 0; i < depth; ++i)
        name = "<INSTANCENAME CLASSNAME=\"C\"><KEYBINDING NAME=\"K\"><VALUE.REFERENCE>" + name
            + "</VALUE.REFERENCE></KEYBINDING></INSTANCENAME>";
    return wrapped(name);
}

std::string errorWithCode(const std::string& code)
{
    return "<CIM CIMVERSION=\"2.0\" DTDVERSION=\"2.0\"><MESSAGE ID=\"9\" PROTOCOLVERSION=\"1.0\"><SIMPLERSP>"
           "<METHODRESPONSE NAME=\"M\"><ERROR CODE=\"" + code + "\" DESCRIPTION=\"gone\"><INSTANCE CLASSNAME=\"CIM_Error\"/>"
           "</ERROR></METHODRESPONSE></SIMPLERSP></MESSAGE></CIM>";
}
}

TEST(ResponseDecoder, ScalarsOfEveryTypeIncludingNonFiniteRealsAndCharacterReferences)
{
    const auto scalar = [](const char* type, const char* text) {
        return property(std::string("<PROPERTY NAME=\"P\" TYPE=\"") + type + "\"><VALUE>" + text + "</VALUE></PROPERTY>");
    };
    Real64 r64 = 0;
    scalar("real64", "INF").get(r64);
    EXPECT_TRUE(std::isinf(r64) && r64 > 0);
    scalar("real64", "-INF").get(r64);
    EXPECT_TRUE(std::isinf(r64) && r64 < 0);
    scalar("real64", "NaN").get(r64);
    EXPECT_TRUE(std::isnan(r64));
    Real32 r32 = 0;
    scalar("real32", "-1.5e-3").get(r32);
    EXPECT_FLOAT_EQ(-1.5e-3f, r32);
    EXPECT_EQ("NaN", scalar("real32", "NaN").toString());
    Char16 c;
    scalar("char16", "&#x41;").get(c);
    EXPECT_EQ(0x41, c.getCode());
    scalar("char16", "\xC3\xA9").get(c);
    EXPECT_EQ(0xE9, c.getCode());
    EXPECT_EQ("a\xC3\xA9<&>\"'", scalar("string", "a&#233;&lt;&amp;&gt;&quot;&apos;").toString());
    Sint8 s8 = 0;
    scalar("sint8", " -128 ").get(s8);
    EXPECT_EQ(-128, s8);
    Uint8 u8 = 0;
    scalar("uint8", "0x1F").get(u8);
    EXPECT_EQ(31, u8);
    Sint64 s64 = 0;
    scalar("sint64", "-9223372036854775808").get(s64);
    EXPECT_EQ(INT64_MIN, s64);
    Boolean b = false;
    scalar("boolean", "true").get(b);
    EXPECT_TRUE(b);
    EXPECT_EQ(CIMTYPE_DATETIME, scalar("datetime", "20240101000000.000000+000").getType());
    CIMDateTime when;
    scalar("datetime", "\n 00000001020304.000005:000 ").get(when);
    EXPECT_EQ("00000001020304.000005:000", when.toString());
    EXPECT_EQ("<INSTANCE CLASSNAME=\"X\"/>",
              property("<PROPERTY NAME=\"E\" TYPE=\"string\" EmbeddedObject=\"instance\"><VALUE>&lt;INSTANCE "
                       "CLASSNAME=&quot;X&quot;/&gt;</VALUE></PROPERTY>").toString());
}

TEST(ResponseDecoder, ArraysWithNullElementsAndNullValues)
{
    Array<Uint32> numbers;
    property("<PROPERTY.ARRAY NAME=\"A\" TYPE=\"uint32\"><VALUE.ARRAY><VALUE>1</VALUE><VALUE.NULL/><VALUE>3</VALUE>"
             "</VALUE.ARRAY></PROPERTY.ARRAY>").get(numbers);
    ASSERT_EQ(3u, numbers.size());
    EXPECT_EQ(0u, numbers[1]);
    EXPECT_EQ(3u, numbers[2]);
    const CIMValue empty = property("<PROPERTY.ARRAY NAME=\"A\" TYPE=\"string\"><VALUE.ARRAY/></PROPERTY.ARRAY>");
    EXPECT_FALSE(empty.isNull());
    EXPECT_EQ(0u, empty.getArraySize());
    const CIMValue null = property("<PROPERTY.ARRAY NAME=\"A\" TYPE=\"sint16\"></PROPERTY.ARRAY>");
    EXPECT_TRUE(null.isNull());
    EXPECT_TRUE(null.isArray());
    EXPECT_EQ(CIMTYPE_SINT16, null.getType());
}

TEST(ResponseDecoder, ReferencesInEveryForm)
{
    const CIMObjectPath full = reference("<INSTANCEPATH>" + NS + NAME + "</INSTANCEPATH>");
    EXPECT_EQ("//h1/root/cimv2:C.K=7", full.toString());
    EXPECT_EQ(CIMKeyBinding::NUMERIC, full.getKeyBindings()[0].getType());
    EXPECT_EQ("root/cimv2:C.K=7", reference("<LOCALINSTANCEPATH>" + LOCAL_NS + NAME + "</LOCALINSTANCEPATH>").toString());
    EXPECT_EQ("C.K=7", reference(NAME).toString());
    EXPECT_EQ("//h1/root/cimv2:D", reference("<CLASSPATH>" + NS + "<CLASSNAME NAME=\"D\"/></CLASSPATH>").toString());
    EXPECT_EQ("root/cimv2:D", reference("<LOCALCLASSPATH>" + LOCAL_NS + "<CLASSNAME NAME=\"D\"/></LOCALCLASSPATH>").toString());
    EXPECT_EQ("D", reference("<CLASSNAME NAME=\"D\"/>").toString());
    const CIMObjectPath nested = reference(
        "<INSTANCENAME CLASSNAME=\"A\"><KEYBINDING NAME=\"Ref\"><VALUE.REFERENCE>" + NAME
        + "</VALUE.REFERENCE></KEYBINDING><KEYBINDING NAME=\"On\"><KEYVALUE VALUETYPE=\"boolean\">TRUE</KEYVALUE>"
          "</KEYBINDING><KEYBINDING NAME=\"S\"><KEYVALUE>a\"b</KEYVALUE></KEYBINDING></INSTANCENAME>");
    EXPECT_EQ("A.Ref=\"C.K=7\",On=TRUE,S=\"a\\\"b\"", nested.toString());
    EXPECT_EQ(nested, CIMObjectPath(nested.toString()));

    const DecodedResponse r = decode(wrapped("<OBJECTPATH><INSTANCEPATH>" + NS + NAME + "</INSTANCEPATH></OBJECTPATH>"));
    ASSERT_EQ(1u, r.paths.size());
    EXPECT_EQ("h1", r.paths[0].getHost());
}

// Properties and keys are gathered while their element is open and then
// moved into the instance or path: order, spelling and look-up by name
// survive, in a long list too.
TEST(ResponseDecoder, GatheredPropertiesAndKeysKeepOrderSpellingAndLookUp)
{
    std::string properties;
    for (int i = 0; i < 3000; ++i)
        properties += "<PROPERTY NAME=\"P" + std::to_string(i) + "\" TYPE=\"uint16\"><VALUE>" + std::to_string(i)
            + "</VALUE></PROPERTY>";
    const std::string second = "<VALUE.NAMEDINSTANCE><INSTANCENAME CLASSNAME=\"t\"><KEYBINDING NAME=\"p0\">"
                               "<KEYVALUE VALUETYPE=\"numeric\">1</KEYVALUE></KEYBINDING></INSTANCENAME>"
                               "<INSTANCE CLASSNAME=\"t\"><PROPERTY NAME=\"p0\" TYPE=\"uint16\"><VALUE>1</VALUE>"
                               "</PROPERTY></INSTANCE></VALUE.NAMEDINSTANCE>";
    const DecodedResponse r = decode(wrapped("<VALUE.NAMEDINSTANCE><INSTANCENAME CLASSNAME=\"T\"/><INSTANCE CLASSNAME=\"T\">"
                                             + properties + "</INSTANCE></VALUE.NAMEDINSTANCE>" + second));
    ASSERT_EQ(2u, r.instances.size());
    const CIMInstance& many = r.instances[0];
    ASSERT_EQ(3000u, many.getPropertyCount());
    for (Uint32 i : {0u, 1023u, 1024u, 2999u})
    {
        EXPECT_EQ("P" + std::to_string(i), many.getProperty(i).getName().getString().str());
        EXPECT_EQ(CIMValue(Uint16(i)), many.getProperty(many.findProperty(CIMName(String("p" + std::to_string(i))))).getValue());
    }
    EXPECT_EQ("t", r.instances[1].getClassName().getString());
    EXPECT_EQ("p0", r.instances[1].getProperty(0).getName().getString());
    EXPECT_EQ("p0", r.instances[1].getPath().getKeyBindings()[0].getName().getString());
}

TEST(ResponseDecoder, PieceByPieceFeedingGivesTheSameObjects)
{
    const std::string xml = instanceWith("<PROPERTY NAME=\"S\" TYPE=\"string\"><VALUE>caf\xC3\xA9 &amp; more</VALUE></PROPERTY>"
                                         "<PROPERTY.ARRAY NAME=\"A\" TYPE=\"uint8\"><VALUE.ARRAY><VALUE>1</VALUE>"
                                         "<VALUE>2</VALUE></VALUE.ARRAY></PROPERTY.ARRAY>");
    const DecodedResponse whole = decode(xml);
    const DecodedResponse bytes = decode(xml, 1);
    ASSERT_EQ(1u, bytes.instances.size());
    EXPECT_EQ(whole.instances[0].getProperty(0).getValue(), bytes.instances[0].getProperty(0).getValue());
    EXPECT_EQ(whole.instances[0].getProperty(1).getValue(), bytes.instances[0].getProperty(1).getValue());
    EXPECT_EQ("caf\xC3\xA9 & more", bytes.instances[0].getProperty(0).getValue().toString());
}

TEST(ResponseDecoder, LenientWhereNothingIsLost)
{
    // Attributes DSP0201 does not define are passed over, however many
    // stand before the ones read.
    std::string undefined;
    for (int i = 0; i < 300; ++i)
        undefined += " x" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    EXPECT_EQ(CIMValue(Uint8(7)), property("<PROPERTY" + undefined + " NAME=\"P\" TYPE=\"uint8\"><VALUE>7</VALUE></PROPERTY>"));
    EXPECT_EQ("", failure(wrapped(NAME, "<!DOCTYPE CIM SYSTEM \"http://127.0.0.1:1/never-fetched.dtd\">\n")));
    EXPECT_EQ("", failure(wrapped("<INSTANCENAME CLASSNAME=\"C\"><KEYBINDING NAME=\"K\"><KEYVALUE>x</KEYVALUE>"
                                  "</KEYBINDING></INSTANCENAME>")));
    const DecodedResponse error = decode(errorWithCode("17"));
    EXPECT_TRUE(error.hasError);
    EXPECT_EQ(CIM_ERR_METHOD_NOT_FOUND, error.errorCode);
    EXPECT_EQ("gone", error.errorDescription);
    // Codes newer than the list keep their number.
    const CIMException unknown(decode(errorWithCode("4000000000")).errorCode);
    EXPECT_EQ(4000000000u, static_cast<Uint32>(unknown.getCode()));
    EXPECT_EQ("CIM_ERR_UNKNOWN(4000000000)", unknown.getCodeText());
}

TEST(ResponseDecoder, StrictWhereMeaningWouldBeLostNamingElementAndLine)
{
    const std::string badNumber = failure(instanceWith("<PROPERTY NAME=\"P\" TYPE=\"uint8\"><VALUE>256</VALUE></PROPERTY>"));
    EXPECT_NE(std::string::npos, badNumber.find("not a valid uint8")) << badNumber;
    EXPECT_NE(std::string::npos, badNumber.find("line 3")) << badNumber;
    EXPECT_NE(std::string::npos, badNumber.find("<PROPERTY>")) << badNumber;
    EXPECT_NE("", failure(instanceWith("<PROPERTY NAME=\"P\" TYPE=\"boolean\"><VALUE>yes</VALUE></PROPERTY>")));
    EXPECT_NE("", failure(instanceWith("<PROPERTY NAME=\"P\" TYPE=\"datetime\"><VALUE>2024</VALUE></PROPERTY>")));
    EXPECT_NE("", failure(instanceWith("<PROPERTY NAME=\"P\" TYPE=\"char16\"><VALUE>ab</VALUE></PROPERTY>")));
    EXPECT_NE("", failure(instanceWith("<PROPERTY NAME=\"P\" TYPE=\"complex\"><VALUE>1</VALUE></PROPERTY>")));
    EXPECT_NE("", failure(instanceWith("<PROPERTY NAME=\"P\"><VALUE>1</VALUE></PROPERTY>")));
    EXPECT_NE("", failure(instanceWith("<PROPERTY NAME=\"1st\" TYPE=\"string\"/>")));
    EXPECT_NE("", failure(instanceWith("<PROPERTY NAME=\"D\" TYPE=\"string\"/><PROPERTY NAME=\"d\" TYPE=\"string\"/>")));
    const std::string unknown = failure(instanceWith("<GADGET/>"));
    EXPECT_NE(std::string::npos, unknown.find("unknown element <GADGET>")) << unknown;
    const std::string misplaced = failure(wrapped("<PROPERTY NAME=\"P\" TYPE=\"string\"/>"));
    EXPECT_NE(std::string::npos, misplaced.find("<PROPERTY> is not allowed")) << misplaced;
    // Numeric and boolean keys are printed unquoted in a path's text.
    const std::string badKey = failure(wrapped(nameWithKey("numeric", "-7TOIN")));
    EXPECT_NE(std::string::npos, badKey.find("\"-7TOIN\" is not a numeric key value")) << badKey;
    EXPECT_NE("", failure(wrapped(nameWithKey("boolean", "yes"))));
    EXPECT_EQ("", failure(wrapped(nameWithKey("numeric", " -0x1F ") + nameWithKey("numeric", "2.5e3")
                                  + nameWithKey("boolean", "false"))));
    EXPECT_NE("", failure(wrapped("stray text")));
    EXPECT_NE("", failure("<html><body>502 Bad Gateway</body></html>"));
    EXPECT_NE("", failure(""));
}

TEST(ResponseDecoder, HostileInputIsRefusedWithoutExpansionOrFetching)
{
    const std::string laughs = failure(wrapped(
        "<CLASSNAME NAME=\"&lol9;\"/>",
        "<!DOCTYPE CIM [<!ENTITY lol \"lol\"><!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
        "<!ENTITY lol9 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>\n"));
    EXPECT_NE(std::string::npos, laughs.find("entity declaration \"lol\" refused")) << laughs;
    const std::string external = failure(
        wrapped("<VALUE>&secret;</VALUE>", "<!DOCTYPE CIM [<!ENTITY secret SYSTEM \"file:///etc/passwd\">]>\n"));
    EXPECT_NE(std::string::npos, external.find("refused")) << external;
    EXPECT_NE("", failure(wrapped(NAME, "<!DOCTYPE CIM [<!ATTLIST KEYVALUE TYPE CDATA \"uint8\">]>\n")));
    EXPECT_NE("", failure(wrapped("<CLASSNAME NAME=\"&undeclared;\"/>")));

    const std::string badUtf8 = failure(instanceWith("<PROPERTY NAME=\"P\" TYPE=\"string\"><VALUE>\xC3\x28</VALUE></PROPERTY>"));
    EXPECT_NE(std::string::npos, badUtf8.find("UTF-8")) << badUtf8;
    const std::string whole = instanceWith("<PROPERTY NAME=\"P\" TYPE=\"string\"><VALUE>v</VALUE></PROPERTY>");
    for (size_t cut : {size_t(10), whole.size() / 2, whole.size() - 3})
        EXPECT_NE("", failure(whole.substr(0, cut))) << cut;
    std::string deep;
    for (int i = 0; i < 5000; ++i)
        deep += "<VALUE.ARRAY>";
    EXPECT_NE("", failure(wrapped(deep)));

    // Each level of references in keys doubles the escapes of the path's
    // text: 40 levels would take 2^40 bytes.
    const DecodedResponse eight = decode(nestedReferenceKeys(8));
    ASSERT_EQ(1u, eight.paths.size());
    EXPECT_EQ(eight.paths[0], CIMObjectPath(eight.paths[0].toString()));
    const std::string tooDeep = failure(nestedReferenceKeys(40));
    EXPECT_NE(std::string::npos, tooDeep.find("references nested more than 8 deep")) << tooDeep;
}
