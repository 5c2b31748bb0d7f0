// The method test classes of the demo data set on the wire: their schema in
// GetClass, how the server reads parameter values of every type (typed,
// untyped, oddly spelt, invalid), the errors of wrong calls, instance paths
// whose boolean and numeric keys are spelt differently, and delayed answers.

#include "RawClient.h"
#include "ServerFixture.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

namespace testcimom::test {
namespace {

const std::string kCimv2 = "<LOCALNAMESPACEPATH><NAMESPACE NAME=\"root\"/><NAMESPACE NAME=\"cimv2\"/></LOCALNAMESPACEPATH>";
const std::string kTestClassPath = "<LOCALCLASSPATH>" + kCimv2 + "<CLASSNAME NAME=\"VORN_MethodTest\"/></LOCALCLASSPATH>";

std::string callOn(const std::string& target, const std::string& method, const std::string& params)
{
    return cimRequest(method, "root/cimv2",
                      "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<CIM CIMVERSION=\"2.0\" DTDVERSION=\"2.0\">"
                      "<MESSAGE ID=\"51\" PROTOCOLVERSION=\"1.0\"><SIMPLEREQ><METHODCALL NAME=\"" +
                          method + "\">" + target + params + "</METHODCALL></SIMPLEREQ></MESSAGE></CIM>");
}

// A PARAMVALUE holding one VALUE; without a type it goes untyped.
std::string param(const std::string& name, const std::string& text, const std::string& type = "")
{
    std::string typeAttribute = type.empty() ? "" : " PARAMTYPE=\"" + type + "\"";
    return "<PARAMVALUE NAME=\"" + name + "\"" + typeAttribute + "><VALUE>" + text + "</VALUE></PARAMVALUE>";
}

// The path of the first VORN_MethodTest instance, boolean and numeric keys
// spelt as given.
std::string firstInstancePath(const std::string& active, const std::string& number, const std::string& offset)
{
    auto key = [](const char* name, const char* valueType, const std::string& value) {
        return std::string("<KEYBINDING NAME=\"") + name + "\"><KEYVALUE VALUETYPE=\"" + valueType + "\">" + value +
               "</KEYVALUE></KEYBINDING>";
    };
    return "<LOCALINSTANCEPATH>" + kCimv2 + "<INSTANCENAME CLASSNAME=\"VORN_MethodTest\">" +
           key("Number", "numeric", number) + key("Active", "boolean", active) +
           key("Name", "string", "esx02 \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC") + key("Offset", "numeric", offset) +
           "</INSTANCENAME></LOCALINSTANCEPATH>";
}

class ExtrinsicMethods : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = startedServer(ephemeralOptions(DataSetKind::Demo)).release(); }

    static void TearDownTestSuite()
    {
        delete server_;
        server_ = nullptr;
    }

    static RawClient client() { return RawClient(server_->address(), server_->httpPort()); }

    static std::string answerTo(const std::string& request) { return client().exchange(request).body; }

    static CimServer* server_;
};

CimServer* ExtrinsicMethods::server_ = nullptr;

TEST_F(ExtrinsicMethods, GetClassServesMethodsAndParametersInTheCapturedForm)
{
    std::string answer = answerTo(cimRequest(
        "GetClass", "root/cimv2",
        intrinsicBody("GetClass", "root/cimv2",
                      "<IPARAMVALUE NAME=\"ClassName\"><CLASSNAME NAME=\"VORN_MethodTest\"/></IPARAMVALUE>"
                      "<IPARAMVALUE NAME=\"IncludeClassOrigin\"><VALUE>TRUE</VALUE></IPARAMVALUE>")));
    const std::string in = "<QUALIFIER NAME=\"In\" TYPE=\"boolean\" OVERRIDABLE=\"false\">\n<VALUE>TRUE</VALUE>\n"
                           "</QUALIFIER>\n";
    const std::string outOnly = "<QUALIFIER NAME=\"In\" TYPE=\"boolean\" OVERRIDABLE=\"false\">\n<VALUE>FALSE</VALUE>\n"
                                "</QUALIFIER>\n<QUALIFIER NAME=\"Out\" TYPE=\"boolean\" OVERRIDABLE=\"false\">\n"
                                "<VALUE>TRUE</VALUE>\n</QUALIFIER>\n";
    for (const std::string& expected : std::vector<std::string>{
             "<METHOD NAME=\"EchoScalars\" TYPE=\"string\" CLASSORIGIN=\"VORN_MethodTest\">\n"
             "<QUALIFIER NAME=\"Description\" TYPE=\"string\" TRANSLATABLE=\"true\">\n",
             "<QUALIFIER NAME=\"Static\" TYPE=\"boolean\" OVERRIDABLE=\"false\">\n<VALUE>TRUE</VALUE>\n</QUALIFIER>\n"
             "<PARAMETER NAME=\"InBoolean\" TYPE=\"boolean\">\n" + in,
             "<PARAMETER.REFERENCE NAME=\"InReference\" REFERENCECLASS=\"VORN_MethodTest\">\n" + in,
             "<PARAMETER NAME=\"OutInterval\" TYPE=\"datetime\">\n" + outOnly,
             "<PARAMETER.ARRAY NAME=\"InChar16Array\" TYPE=\"char16\">\n" + in,
             "<PARAMETER.REFARRAY NAME=\"OutReferenceArray\" REFERENCECLASS=\"VORN_MethodTest\">\n" + outOnly,
             "<PARAMETER NAME=\"Code\" TYPE=\"uint32\">\n" + in +
                 "<QUALIFIER NAME=\"Required\" TYPE=\"boolean\" OVERRIDABLE=\"false\">\n<VALUE>TRUE</VALUE>\n",
             "<METHOD NAME=\"Identify\" TYPE=\"string\" CLASSORIGIN=\"VORN_MethodTest\">\n"})
        EXPECT_NE(answer.find(expected), std::string::npos) << expected;
}

TEST_F(ExtrinsicMethods, ValuesAreReadAsTheirTypeAndAnsweredCanonically)
{
    std::string answer = answerTo(callOn(
        kTestClassPath, "EchoScalars",
        param("InUint16", " 0x00FF ") + param("InBoolean", "false") + param("InSint8", "+7", "sint8") +
            param("InSint64", "-0", "sint64") + param("InReal32", "1.0E+01", "real32") +
            param("InChar16", "\xC3\xA4") + param("InString", " a&amp;b&#13; ") +
            param("InTimestamp", "20241231235959.******+000")));
    for (const char* expected : {
             "<RETURNVALUE PARAMTYPE=\"string\">\n<VALUE>InBoolean=FALSE;InChar16=U+00E4;InReal32=10;InSint64=0;"
             "InSint8=7;InString=&quot; a&amp;b&#13; &quot;;InTimestamp=20241231235959.******+000;InUint16=255</VALUE>\n"
             "</RETURNVALUE>\n",
             "<PARAMVALUE NAME=\"OutUint16\" PARAMTYPE=\"uint16\">\n<VALUE>255</VALUE>\n</PARAMVALUE>\n",
             "<PARAMVALUE NAME=\"OutChar16\" PARAMTYPE=\"char16\">\n<VALUE>\xC3\xA4</VALUE>\n</PARAMVALUE>\n",
             "<PARAMVALUE NAME=\"OutString\" PARAMTYPE=\"string\">\n<VALUE> a&amp;b&#13; </VALUE>\n</PARAMVALUE>\n",
             "<PARAMVALUE NAME=\"OutReal32\" PARAMTYPE=\"real32\">\n<VALUE>10</VALUE>\n</PARAMVALUE>\n"})
        EXPECT_NE(answer.find(expected), std::string::npos) << expected << "\nin\n" << answer;
}

TEST_F(ExtrinsicMethods, WrongValuesAndCallsAnswerTheErrorsOfACimom)
{
    const std::vector<std::pair<std::string, std::string>> invalid = {
        {"EchoScalars", param("InUint8", "256", "uint8")},
        {"EchoScalars", param("InUint8", "-1")},
        {"EchoScalars", param("InUint8", "1.5")},
        {"EchoScalars", param("InUint8", "")},
        {"EchoScalars", param("InSint8", "-129")},
        {"EchoScalars", param("InUint64", "18446744073709551616")},
        {"EchoScalars", param("InBoolean", "yes")},
        {"EchoScalars", param("InReal32", "1e39")},
        {"EchoScalars", param("InReal64", "0x1p3")},
        {"EchoScalars", param("InReal64", "1.5 2")},
        {"EchoScalars", param("InChar16", "ab")},
        {"EchoScalars", param("InChar16", "")},
        {"EchoScalars", param("InChar16", "\xF0\x9F\x98\x80")},
        {"EchoScalars", param("InTimestamp", "20241301000000.000000+000")},
        {"EchoScalars", param("InTimestamp", "2024")},
        {"EchoScalars", param("InInterval", "00000000240000.000000:000")},
        {"EchoScalars", param("InInterval", "00000000000000.000000:001")},
        {"EchoScalars", param("InReference", "VORN_MethodTest")},
        {"EchoScalars", param("InString", "x", "uint8")},
        {"EchoScalars", param("InUint8", "1") + param("inuint8", "2")},
        {"EchoScalars", "<PARAMVALUE NAME=\"InUint8\"><VALUE.ARRAY><VALUE>1</VALUE></VALUE.ARRAY></PARAMVALUE>"},
        {"EchoArrays", param("InUint8Array", "1")},
        {"Fail", param("Code", "4294967295")},
        {"Delay", param("Milliseconds", "10001")},
        {"Delay", ""},
    };
    for (const auto& [method, params] : invalid)
        EXPECT_NE(answerTo(callOn(kTestClassPath, method, params)).find("<ERROR CODE=\"4\" DESCRIPTION=\"CIM_ERR_INVALID_PARAMETER: "),
                  std::string::npos)
            << method << " " << params;

    EXPECT_NE(answerTo(callOn(kTestClassPath, "Fail", param("Code", "16") + param("Message", "a\nb"))).find(
                  "<ERROR CODE=\"16\" DESCRIPTION=\"CIM_ERR_METHOD_NOT_AVAILABLE: a&#10;b\"/>"),
              std::string::npos);
    EXPECT_NE(answerTo(callOn(kTestClassPath, "NoSuchMethod", "")).find(
                  "<ERROR CODE=\"17\" DESCRIPTION=\"CIM_ERR_METHOD_NOT_FOUND: NoSuchMethod\"/>"),
              std::string::npos);
    EXPECT_NE(answerTo(callOn(kTestClassPath, "EchoScalars", param("InPlace", "1"))).find(
                  "DESCRIPTION=\"CIM_ERR_INVALID_PARAMETER: method EchoScalars has no parameter InPlace\""),
              std::string::npos);
}

TEST_F(ExtrinsicMethods, BooleanAndNumericKeysNameTheInstanceHoweverSpelt)
{
    for (const auto& [active, number, offset] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"TRUE", "1", "-1"}, {"true", "0x1", "-0x1"}, {"True", "+1", "-01"}}) {
        std::string answer = answerTo(callOn(firstInstancePath(active, number, offset), "Identify", ""));
        EXPECT_NE(answer.find("<RETURNVALUE PARAMTYPE=\"string\">\n<VALUE>First</VALUE>"), std::string::npos)
            << active << " " << number << " " << offset << "\n" << answer;
        EXPECT_NE(answer.find("<PARAMVALUE NAME=\"Self\" PARAMTYPE=\"reference\">\n<VALUE.REFERENCE>\n"
                              "<LOCALINSTANCEPATH>\n<LOCALNAMESPACEPATH>\n<NAMESPACE NAME=\"root\"/>\n"
                              "<NAMESPACE NAME=\"cimv2\"/>\n</LOCALNAMESPACEPATH>\n"
                              "<INSTANCENAME CLASSNAME=\"VORN_MethodTest\">\n<KEYBINDING NAME=\"Active\">\n"
                              "<KEYVALUE VALUETYPE=\"boolean\">TRUE</KEYVALUE>"),
                  std::string::npos);
    }
    EXPECT_NE(answerTo(callOn(firstInstancePath("false", "1", "-1"), "Identify", "")).find("<ERROR CODE=\"6\""),
              std::string::npos);
}

TEST(ExtrinsicMethodDelay, StoppingTheServerEndsADelayedAnswer)
{
    auto server = startedServer(ephemeralOptions(DataSetKind::Demo));
    RawClient waiting(server->address(), server->httpPort());
    waiting.send(callOn(kTestClassPath, "Delay", param("Milliseconds", "10000", "uint32")));
    HttpAnswer meanwhile = RawClient(server->address(), server->httpPort())
                               .exchange(callOn(kTestClassPath, "Delay", param("Milliseconds", "0", "uint32")), 5s);
    EXPECT_NE(meanwhile.body.find("<PARAMVALUE NAME=\"Delayed\" PARAMTYPE=\"uint32\">\n<VALUE>0</VALUE>"),
              std::string::npos);
    server->stop();
    EXPECT_TRUE(waiting.peerCloses(5s)) << "the held answer went with the server";
}

}  // namespace
}  // namespace testcimom::test
