// Our client's extrinsic method calls against the test CIMOM's
// VORN_MethodTest and VORN_MethodTestLink (demo data set): every CIM type in
// and out, instance paths of every key type through their text form, chosen
// CIM errors, delayed answers and the errors a CIMOM gives wrong calls.

#include "ClientFixture.h"

#include <Pegasus/Client/CIMClient.h>
#include <gtest/gtest.h>
#include <testcimom/CimServer.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <future>
#include <limits>
#include <set>
#include <vector>

PEGASUS_USING_PEGASUS;

namespace
{
const CIMNamespaceName kNamespace("root/cimv2");
const CIMObjectPath kTestClass("VORN_MethodTest");
const char* const kQuotedName = "esx \"quoted\" C:\\vm\\disk, a=b \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC";

// An input, and how the server describes it when it arrived intact.
struct Input
{
    const char* name;
    CIMValue value;
    std::string described;
};

template <class T>
CIMValue arrayOf(std::initializer_list<T> items)
{
    Array<T> array;
    for (const T& item : items)
        array.append(item);
    return CIMValue(array);
}

// The instance with the string key full of quotes, backslashes and
// non-ASCII text, its keys built one by one.
CIMObjectPath quotedInstance()
{
    Array<CIMKeyBinding> keys;
    keys.append(CIMKeyBinding(CIMName("Active"), CIMValue(Boolean(false))));
    keys.append(CIMKeyBinding(CIMName("Name"), CIMValue(String(kQuotedName))));
    keys.append(CIMKeyBinding(CIMName("Number"), CIMValue(std::numeric_limits<Uint64>::max())));
    keys.append(CIMKeyBinding(CIMName("Offset"), CIMValue(std::numeric_limits<Sint32>::min())));
    return CIMObjectPath(String(), CIMNamespaceName(), CIMName("VORN_MethodTest"), keys);
}

const std::string kQuotedInstanceText = "VORN_MethodTest.Active=FALSE,Name=\"esx \\\"quoted\\\" C:\\\\vm\\\\disk, a=b "
                                        "\xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC\",Number=18446744073709551615,"
                                        "Offset=-2147483648";

std::vector<Input> scalarsAtTheirLimits()
{
    return {
        {"InBoolean", CIMValue(Boolean(true)), "TRUE"},
        {"InUint8", CIMValue(Uint8(255)), "255"},
        {"InSint8", CIMValue(Sint8(-128)), "-128"},
        {"InUint16", CIMValue(Uint16(65535)), "65535"},
        {"InSint16", CIMValue(Sint16(-32768)), "-32768"},
        {"InUint32", CIMValue(Uint32(4294967295u)), "4294967295"},
        {"InSint32", CIMValue(std::numeric_limits<Sint32>::min()), "-2147483648"},
        {"InUint64", CIMValue(std::numeric_limits<Uint64>::max()), "18446744073709551615"},
        {"InSint64", CIMValue(std::numeric_limits<Sint64>::min()), "-9223372036854775808"},
        {"InReal32", CIMValue(Real32(-0.1f)), "-0.1"},
        {"InReal64", CIMValue(Real64(0.1 + 0.2)), "0.30000000000000004"},
        {"InChar16", CIMValue(Char16(0x20AC)), "U+20AC"},
        {"InString", CIMValue(String("a \"quoted\" \\ <tag> & \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC")),
         "\"a \\\"quoted\\\" \\\\ <tag> & \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC\""},
        {"InTimestamp", CIMValue(CIMDateTime("20240229235959.123456-300")), "20240229235959.123456-300"},
        {"InInterval", CIMValue(CIMDateTime("12345678235959.999999:000")), "12345678235959.999999:000"},
        {"InReference", CIMValue(quotedInstance()), kQuotedInstanceText},
    };
}

std::vector<Input> otherScalars()
{
    const char* withHost = "//cimom.example.test/root/cimv2:VORN_MethodTest.Active=TRUE,Name=\"plain.example.test\","
                           "Number=0,Offset=2147483647";
    return {
        {"InBoolean", CIMValue(Boolean(false)), "FALSE"},
        {"InUint8", CIMValue(Uint8(0)), "0"},
        {"InSint8", CIMValue(Sint8(127)), "127"},
        {"InSint64", CIMValue(std::numeric_limits<Sint64>::max()), "9223372036854775807"},
        {"InReal32", CIMValue(std::numeric_limits<Real32>::max()), "3.4028235e+38"},
        {"InReal64", CIMValue(-std::numeric_limits<Real64>::infinity()), "-INF"},
        {"InChar16", CIMValue(Char16('A')), "U+0041"},
        {"InString", CIMValue(String("  two\r\nlines\t ")), "\"  two\r\nlines\t \""},
        {"InReference", CIMValue(CIMObjectPath(withHost)), withHost},
        {"InUint16", CIMValue(CIMTYPE_UINT16, false), "null"},
    };
}

std::vector<Input> arrays()
{
    const std::string first =
        "root/cimv2:VORN_MethodTest.Active=TRUE,Name=\"esx02 \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC\",Number=1,Offset=-1";
    return {
        {"InBooleanArray", arrayOf<Boolean>({true, false}), "[TRUE,FALSE]"},
        {"InUint8Array", arrayOf<Uint8>({0, 255}), "[0,255]"},
        {"InSint8Array", arrayOf<Sint8>({-128, 127}), "[-128,127]"},
        {"InUint16Array", arrayOf<Uint16>({65535}), "[65535]"},
        {"InSint16Array", arrayOf<Sint16>({}), "[]"},
        {"InUint32Array", arrayOf<Uint32>({1, 2, 3}), "[1,2,3]"},
        {"InSint32Array", arrayOf<Sint32>({-2147483647 - 1}), "[-2147483648]"},
        {"InUint64Array", arrayOf<Uint64>({std::numeric_limits<Uint64>::max(), 0}), "[18446744073709551615,0]"},
        {"InSint64Array", arrayOf<Sint64>({-1}), "[-1]"},
        {"InReal32Array", arrayOf<Real32>({1.5f, std::numeric_limits<Real32>::denorm_min()}), "[1.5,1e-45]"},
        {"InReal64Array", arrayOf<Real64>({-2.5, 1e300}), "[-2.5,1e+300]"},
        {"InChar16Array", arrayOf<Char16>({Char16('x'), Char16(0xE4)}), "[U+0078,U+00E4]"},
        {"InStringArray", arrayOf<String>({String("a,b"), String(""), String("<&>"), String("\xF0\x9D\x84\x9E")}),
         "[\"a,b\",\"\",\"<&>\",\"\xF0\x9D\x84\x9E\"]"},
        {"InDatetimeArray", arrayOf<CIMDateTime>({CIMDateTime("20240101000000.000000+000"),
                                                  CIMDateTime("00000000000001.000000:000")}),
         "[20240101000000.000000+000,00000000000001.000000:000]"},
        {"InReferenceArray", arrayOf<CIMObjectPath>({CIMObjectPath(first.c_str()), quotedInstance()}),
         "[" + first + "," + kQuotedInstanceText + "]"},
    };
}

Array<CIMParamValue> parametersOf(const std::vector<Input>& inputs)
{
    Array<CIMParamValue> parameters;
    for (const Input& input : inputs)
        parameters.append(CIMParamValue(input.name, input.value));
    return parameters;
}

// What the server says it received: Name=described, ordered by name.
std::string describedAll(std::vector<Input> inputs)
{
    std::sort(inputs.begin(), inputs.end(),
              [](const Input& a, const Input& b) { return String::compareNoCase(a.name, b.name) < 0; });
    std::string text;
    for (const Input& input : inputs)
        text += (text.empty() ? "" : ";") + std::string(input.name) + "=" + input.described;
    return text;
}

// The output of that name; the test fails when there is none.
CIMValue outputNamed(const Array<CIMParamValue>& outputs, const String& name)
{
    for (Uint32 i = 0; i < outputs.size(); ++i)
        if (String::equalNoCase(outputs[i].getParameterName(), name))
            return outputs[i].getValue();
    ADD_FAILURE() << "no output " << name;
    return CIMValue();
}

void expectEchoed(const std::vector<Input>& inputs, const Array<CIMParamValue>& outputs)
{
    for (const Input& input : inputs)
    {
        SCOPED_TRACE(input.name);
        const CIMValue echoed = outputNamed(outputs, String("Out") + String(input.name + 2));
        EXPECT_EQ(input.value.getType(), echoed.getType());
        EXPECT_EQ(input.value.isArray(), echoed.isArray());
        EXPECT_EQ(input.value, echoed);
    }
}

std::string textOf(const CIMValue& value)
{
    String text;
    value.get(text);
    return text.str();
}

class MethodCall : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        testcimom::ServerOptions options;
        options.httpPort = options.httpsPort = 0;
        options.dataSet.kind = testcimom::DataSetKind::Demo;
        server = new testcimom::CimServer(options);
        server->start();
    }

    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    static void connect(CIMClient& client)
    {
        client.connect("127.0.0.1", server->httpPort(), "", "");
    }

    MethodCall() { connect(client); }

    CIMValue invoke(const CIMObjectPath& path, const char* method, const Array<CIMParamValue>& inputs,
                    Array<CIMParamValue>& outputs)
    {
        return client.invokeMethod(kNamespace, path, CIMName(method), inputs, outputs);
    }

    // The CIM status the call fails with.
    CIMStatusCode statusOf(const CIMObjectPath& path, const char* method, const Array<CIMParamValue>& inputs)
    {
        Array<CIMParamValue> outputs;
        std::optional<CIMException> e = caught<CIMException>([&] { invoke(path, method, inputs, outputs); });
        return e ? e->getCode() : CIM_ERR_SUCCESS;
    }

    static testcimom::CimServer* server;
    CIMClient client;
};

testcimom::CimServer* MethodCall::server = nullptr;

TEST_F(MethodCall, EchoScalarsReturnsEveryTypeIntactOverHttpAndHttps)
{
    CIMClient secure;
    secure.connect("127.0.0.1", server->httpsPort(), SSLContext("", nullptr), "", "");
    for (CIMClient* each : {&client, &secure})
    {
        for (const std::vector<Input>& inputs : {scalarsAtTheirLimits(), otherScalars()})
        {
            Array<CIMParamValue> outputs;
            const CIMValue returned = each->invokeMethod(kNamespace, kTestClass, CIMName("EchoScalars"),
                                                         parametersOf(inputs), outputs);
            ASSERT_EQ(CIMTYPE_STRING, returned.getType());
            EXPECT_EQ(describedAll(inputs), textOf(returned));
            EXPECT_EQ(inputs.size(), outputs.size());
            expectEchoed(inputs, outputs);
        }
    }
}

TEST_F(MethodCall, EchoArraysReturnsEveryArrayIntact)
{
    const std::vector<Input> inputs = arrays();
    Array<CIMParamValue> outputs;
    const CIMValue returned = invoke(kTestClass, "EchoArrays", parametersOf(inputs), outputs);
    EXPECT_EQ(CIMValue(Uint32(28)), returned) << "elements received";
    EXPECT_EQ(describedAll(inputs), textOf(outputNamed(outputs, "Summary")));
    expectEchoed(inputs, outputs);
}

TEST_F(MethodCall, UntypedInputsTakeTheDeclaredType)
{
    Array<CIMParamValue> inputs;
    inputs.append(CIMParamValue("InUint8", CIMValue(String(" 0x1F ")), false));
    inputs.append(CIMParamValue("InBoolean", CIMValue(String("true")), false));
    inputs.append(CIMParamValue("InReal64", CIMValue(String("+1E3")), false));
    inputs.append(CIMParamValue("InReference", CIMValue(quotedInstance()), false));
    Array<CIMParamValue> outputs;
    invoke(kTestClass, "EchoScalars", inputs, outputs);
    EXPECT_EQ(CIMValue(Uint8(31)), outputNamed(outputs, "OutUint8"));
    EXPECT_EQ(CIMValue(Boolean(true)), outputNamed(outputs, "OutBoolean"));
    EXPECT_EQ(CIMValue(Real64(1000)), outputNamed(outputs, "OutReal64"));
    EXPECT_EQ(CIMValue(quotedInstance()), outputNamed(outputs, "OutReference"));

    Array<CIMParamValue> array;
    array.append(CIMParamValue("InUint32Array", arrayOf<String>({String("7"), String("8")}), false));
    invoke(kTestClass, "EchoArrays", array, outputs);
    EXPECT_EQ(arrayOf<Uint32>({7, 8}), outputNamed(outputs, "OutUint32Array"));

    inputs.append(CIMParamValue("InUint16", CIMValue(String("65536")), false));
    EXPECT_EQ(CIM_ERR_INVALID_PARAMETER, statusOf(kTestClass, "EchoScalars", inputs)) << "out of range";
}

TEST_F(MethodCall, StaticMethodsRunOnClassAndInstancePathsIdentifyOnInstancesOnly)
{
    Array<CIMParamValue> inputs;
    inputs.append(CIMParamValue("InSint16", CIMValue(Sint16(-5))));
    const Array<CIMObjectPath> instances = client.enumerateInstanceNames(kNamespace, CIMName("VORN_MethodTest"));
    ASSERT_EQ(3u, instances.size());
    for (const CIMObjectPath& path : {kTestClass, instances[0], instances[1], instances[2]})
    {
        Array<CIMParamValue> outputs;
        EXPECT_EQ(CIMValue(String("InSint16=-5")), invoke(path, "EchoScalars", inputs, outputs)) << path.toString();
    }
    EXPECT_EQ(CIM_ERR_INVALID_PARAMETER, statusOf(kTestClass, "Identify", Array<CIMParamValue>()));
}

// The Self output names the instance invoked.
CIMObjectPath selfOf(const Array<CIMParamValue>& outputs)
{
    CIMObjectPath self;
    outputNamed(outputs, "Self").get(self);
    return self;
}

// What a client keeping paths as text does: the path's text, with and
// without its namespace, parsed back, names the same instance.
TEST_F(MethodCall, InstancePathsOfEveryKeyTypeSurviveTheirTextForm)
{
    const std::vector<std::pair<const char*, std::set<std::string>>> classes = {
        {"VORN_MethodTest", {"First", "Second", "Third"}},
        {"VORN_MethodTestLink", {"First to second", "Second to third"}}};
    for (const auto& [className, elementNames] : classes)
    {
        std::set<std::string> identified;
        const Array<CIMObjectPath> instances = client.enumerateInstanceNames(kNamespace, CIMName(className));
        for (Uint32 i = 0; i < instances.size(); ++i)
        {
            CIMObjectPath path = instances[i];
            path.setHost(String());
            for (const CIMNamespaceName& nameSpace : {CIMNamespaceName(), kNamespace})
            {
                path.setNameSpace(nameSpace);
                const String text = path.toString();
                SCOPED_TRACE(text);
                const CIMObjectPath parsed(text);
                EXPECT_TRUE(parsed.identical(path));
                Array<CIMParamValue> outputs;
                const CIMValue returned =
                    client.invokeMethod(kNamespace, parsed, CIMName("Identify"), Array<CIMParamValue>(), outputs);
                identified.insert(textOf(returned));
                path.setNameSpace(kNamespace);
                EXPECT_TRUE(selfOf(outputs).identical(path)) << selfOf(outputs).toString();
            }
        }
        EXPECT_EQ(elementNames, identified);
    }
}

TEST_F(MethodCall, FailAnswersTheChosenCimStatus)
{
    for (Uint32 code = 1; code <= 17; ++code)
    {
        Array<CIMParamValue> inputs;
        inputs.append(CIMParamValue("Code", CIMValue(code)));
        inputs.append(CIMParamValue("Message", CIMValue(String("chosen <failure> " + std::to_string(code)))));
        Array<CIMParamValue> outputs;
        std::optional<CIMException> e = caught<CIMException>([&] { invoke(kTestClass, "Fail", inputs, outputs); });
        ASSERT_TRUE(e);
        EXPECT_EQ(CIMStatusCode(code), e->getCode());
        EXPECT_NE(std::string::npos, e->getMessage().str().find("chosen <failure> " + std::to_string(code)))
            << e->getMessage();
    }
    Array<CIMParamValue> success;
    success.append(CIMParamValue("Code", CIMValue(Uint32(0))));
    Array<CIMParamValue> outputs;
    EXPECT_EQ(CIMValue(Uint32(0)), invoke(quotedInstance(), "Fail", success, outputs));
}

TEST_F(MethodCall, DelayHoldsTheAnswerWithoutHoldingTheServer)
{
    const Uint32 delayMs = 800;
    Array<CIMParamValue> inputs;
    inputs.append(CIMParamValue("Milliseconds", CIMValue(delayMs)));
    Array<CIMParamValue> outputs;
    client.setTimeout(delayMs - 200);
    EXPECT_TRUE(caught<ConnectionTimeoutException>([&] { invoke(kTestClass, "Delay", inputs, outputs); }));

    client.setTimeout(delayMs + 700);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(CIMValue(Uint32(0)), invoke(kTestClass, "Delay", inputs, outputs));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(delayMs));
    EXPECT_EQ(CIMValue(delayMs), outputNamed(outputs, "Delayed"));

    inputs[0] = CIMParamValue("Milliseconds", CIMValue(Uint32(2000)));
    client.setTimeout(10000);
    std::future<CIMValue> delayed = std::async(std::launch::async, [&] {
        Array<CIMParamValue> ignored;
        return invoke(kTestClass, "Delay", inputs, ignored);
    });
    CIMClient other;
    connect(other);
    EXPECT_EQ(3u, other.enumerateInstanceNames(kNamespace, CIMName("VORN_MethodTest")).size());
    EXPECT_EQ(std::future_status::timeout, delayed.wait_for(std::chrono::seconds(0)))
        << "the other connection was served while the delayed answer waited";
    EXPECT_EQ(CIMValue(Uint32(0)), delayed.get());

    inputs[0] = CIMParamValue("Milliseconds", CIMValue(Uint32(10001)));
    EXPECT_EQ(CIM_ERR_INVALID_PARAMETER, statusOf(kTestClass, "Delay", inputs)) << "above the bound";
}

TEST_F(MethodCall, WrongCallsAnswerTheErrorsOfACimom)
{
    auto one = [](const char* name, const CIMValue& value) {
        Array<CIMParamValue> inputs;
        inputs.append(CIMParamValue(name, value));
        return inputs;
    };
    const Array<CIMParamValue> none;
    EXPECT_EQ(CIM_ERR_METHOD_NOT_FOUND, statusOf(kTestClass, "NoSuchMethod", none));
    EXPECT_EQ(CIM_ERR_METHOD_NOT_AVAILABLE,
              statusOf(CIMObjectPath("VORN_ComputerSystem"), "RequestStateChange", none))
        << "declared, but no provider";
    EXPECT_EQ(CIM_ERR_INVALID_PARAMETER, statusOf(kTestClass, "EchoScalars", one("InUint8", CIMValue(String("1")))));
    EXPECT_EQ(CIM_ERR_INVALID_PARAMETER, statusOf(kTestClass, "EchoScalars", one("InUint8", arrayOf<Uint8>({1}))));
    EXPECT_EQ(CIM_ERR_INVALID_PARAMETER, statusOf(kTestClass, "EchoArrays", one("InUint8Array", CIMValue(Uint8(1)))));
    EXPECT_EQ(CIM_ERR_INVALID_PARAMETER,
              statusOf(kTestClass, "EchoScalars", one("InReference", CIMValue(String("VORN_MethodTest")))));
    EXPECT_EQ(CIM_ERR_INVALID_PARAMETER, statusOf(kTestClass, "EchoScalars", one("NoSuchInput", CIMValue(Uint8(1)))));
    EXPECT_EQ(CIM_ERR_INVALID_PARAMETER, statusOf(kTestClass, "EchoScalars", one("OutUint8", CIMValue(Uint8(1)))));
    EXPECT_EQ(CIM_ERR_INVALID_PARAMETER, statusOf(kTestClass, "Fail", one("Message", CIMValue(String("no code")))));
    EXPECT_EQ(CIM_ERR_INVALID_PARAMETER, statusOf(kTestClass, "Fail", one("Code", CIMValue(CIMTYPE_UINT32, false))));
    EXPECT_EQ(CIM_ERR_NOT_FOUND,
              statusOf(CIMObjectPath("VORN_MethodTest.Active=TRUE,Name=\"gone\",Number=1,Offset=1"), "Identify", none));

    Array<CIMParamValue> outputs;
    EXPECT_EQ(CIMValue(String("Hello, World!")),
              client.invokeMethod(CIMNamespaceName("root/SampleProvider"), CIMObjectPath("Sample_MethodProviderClass"),
                                  CIMName("SayHello"), one("Name", CIMValue(String("World"))), outputs));
    EXPECT_EQ(CIMValue(String("From Neverland")), outputNamed(outputs, "Place"));
}

TEST_F(MethodCall, GetClassDeclaresEveryParameterType)
{
    const CIMClass cimClass = client.getClass(kNamespace, CIMName("VORN_MethodTest"), false);
    const CIMConstMethod echo = cimClass.getMethod(cimClass.findMethod(CIMName("EchoScalars")));
    EXPECT_EQ(CIMTYPE_STRING, echo.getType());
    EXPECT_NE(PEG_NOT_FOUND, echo.findQualifier(CIMName("Static")));
    std::vector<Input> all = scalarsAtTheirLimits();
    const std::vector<Input> arrayInputs = arrays();
    all.insert(all.end(), arrayInputs.begin(), arrayInputs.end());
    for (const Input& input : all)
    {
        SCOPED_TRACE(input.name);
        const bool isArray = input.value.isArray();
        const CIMConstMethod method = isArray ? cimClass.getMethod(cimClass.findMethod(CIMName("EchoArrays"))) : echo;
        for (const String& name : {String(input.name), String("Out") + String(input.name + 2)})
        {
            const Uint32 index = method.findParameter(CIMName(name));
            ASSERT_NE(PEG_NOT_FOUND, index) << name;
            const CIMConstParameter parameter = method.getParameter(index);
            EXPECT_EQ(input.value.getType(), parameter.getType());
            EXPECT_EQ(isArray, parameter.isArray());
            const char* referenceClass = input.value.getType() == CIMTYPE_REFERENCE ? "VORN_MethodTest" : "";
            EXPECT_EQ(String(referenceClass), parameter.getReferenceClassName().getString());
        }
    }
    const CIMConstMethod identify = cimClass.getMethod(cimClass.findMethod(CIMName("Identify")));
    EXPECT_EQ(PEG_NOT_FOUND, identify.findQualifier(CIMName("Static")));
}
}
