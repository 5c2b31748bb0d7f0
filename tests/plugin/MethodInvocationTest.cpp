// Extrinsic methods called through a class of the plug-in against the test
// CIMOM's VORN_MethodTest: every type in and out, the outputs joining the
// caller's map, instance paths the host builds, and the failures: CIM
// errors, time-outs, servers that are gone, paths and namespaces the client
// library cannot read, classes without a namespace or connection.
#include <algorithm>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/Exception.h>

#include <qel/TCIMChar16.h>
#include <qel/TCIMDateTime.h>
#include <qel/TCIMName.h>

#include "class/TCimHTTPClass.h"
#include "MethodTestData.h"
#include "ServedNamespace.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;
using namespace std::chrono_literals;

namespace {

typedef TCIMValue::TCIMType TType;

const TCIMContext kNoContext;

// An input, and how the server describes it when it arrived intact.
struct TInput {
    std::string fName;
    TCIMValue fValue;
    std::string fDescribed;
};

template <typename T>
TCIMValue HostArray(TType::ECIMType elementType, std::initializer_list<T> items)
{
    std::vector<TCIMValue> elements;
    for (const T& item : items)
        elements.push_back(TCIMValue(item));
    return TCIMValue(elementType, 0, elements);
}

TCIMValue Char16(unsigned short code)
{
    return TCIMValue(TCIMChar16(code));
}

TCIMContext ContextOf(const std::vector<TInput>& inputs)
{
    TCIMContext context;
    for (const TInput& input : inputs)
        context[input.fName] = input.fValue;
    return context;
}

// What the server says it received: Name=described, ordered by name without case.
std::string DescribedAll(std::vector<TInput> inputs)
{
    std::sort(inputs.begin(), inputs.end(), [](const TInput& a, const TInput& b) {
        return TCIMName::LowerCase(a.fName) < TCIMName::LowerCase(b.fName);
    });
    std::string text;
    for (const TInput& input : inputs)
        text += (text.empty() ? "" : ";") + input.fName + "=" + input.fDescribed;
    return text;
}

// Every input came back unchanged in its output Out<Type>.
void ExpectEchoed(const std::vector<TInput>& inputs, const TCIMContext& outputs)
{
    for (const TInput& input : inputs) {
        auto echoed = outputs.find("Out" + input.fName.substr(2));
        ASSERT_NE(outputs.end(), echoed) << input.fName;
        EXPECT_TRUE(SameValue(input.fValue, echoed->second)) << input.fName;
    }
}

TCIMReference ClassPath(const std::string& className = kMethodTestClass)
{
    return TCIMReference(boost::shared_ptr<ICIMNamespace>(), TCIMContext(), className);
}

class MethodInvocationTest : public ServedDemoTest {
protected:
    void SetUp() override
    {
        ServedDemoTest::SetUp();
        fClass = ClassNamed(kMethodTestClass);
        ASSERT_TRUE(fClass);
        ForgetRequestsAndLog();
    }

    boost::shared_ptr<TCimHTTPClass> ClassNamed(const std::string& name)
    {
        return boost::dynamic_pointer_cast<TCimHTTPClass>((*fServed)->GetClass(name, kNoContext));
    }

    TCIMValue Invoke(const TCIMReference& object, const std::string& method, const TCIMContext& in,
                     TCIMContext& out)
    {
        return fClass->InvokeMethod(object, method, in, out, kNoContext);
    }

    std::vector<TInput> Scalars()
    {
        const TMethodTestInstance& second = MethodTestInstances()[1];
        return {
            {"InBoolean", TCIMValue(true), "TRUE"},
            {"InUint8", TCIMValue(static_cast<unsigned char>(255)), "255"},
            {"InSint8", TCIMValue(static_cast<signed char>(-128)), "-128"},
            {"InUint16", TCIMValue(static_cast<unsigned short>(65535)), "65535"},
            {"InSint16", TCIMValue(static_cast<short>(-32768)), "-32768"},
            {"InUint32", TCIMValue(4294967295u), "4294967295"},
            {"InSint32", TCIMValue(std::numeric_limits<int>::min()), "-2147483648"},
            {"InUint64", TCIMValue(std::numeric_limits<unsigned long long>::max()), "18446744073709551615"},
            {"InSint64", TCIMValue(std::numeric_limits<long long>::min()), "-9223372036854775808"},
            {"InReal32", TCIMValue(-0.1f), "-0.1"},
            {"InReal64", TCIMValue(0.1 + 0.2), "0.30000000000000004"},
            {"InChar16", Char16(0x20AC), "U+20AC"},
            {"InString", TCIMValue("a \"quoted\" \\ <tag> & \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC"),
             "\"a \\\"quoted\\\" \\\\ <tag> & \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC\""},
            {"InTimestamp", TCIMValue(TCIMDateTime("20240229235959.123456-300")), "20240229235959.123456-300"},
            {"InInterval", TCIMValue(TCIMDateTime("12345678235959.999999:000")), "12345678235959.999999:000"},
            {"InReference", TCIMValue(HostReference(fClass, KeyValuesOf(second))),
             "VORN_MethodTest.Active=FALSE,Name=\"esx \\\"quoted\\\" C:\\\\vm\\\\disk, a=b "
             "\xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC\",Number=18446744073709551615,Offset=-2147483648"},
        };
    }

    static std::vector<TInput> Arrays()
    {
        return {
            {"InBooleanArray", HostArray(TType::eBoolean, {true, false}), "[TRUE,FALSE]"},
            {"InUint8Array", HostArray<unsigned char>(TType::eUint8, {0, 255}), "[0,255]"},
            {"InSint8Array", HostArray<signed char>(TType::eSint8, {-128, 127}), "[-128,127]"},
            {"InUint16Array", HostArray<unsigned short>(TType::eUint16, {65535}), "[65535]"},
            {"InSint16Array", HostArray<short>(TType::eSint16, {}), "[]"},
            {"InUint32Array", HostArray<unsigned int>(TType::eUint32, {1, 2, 3}), "[1,2,3]"},
            {"InSint32Array", HostArray<int>(TType::eSint32, {std::numeric_limits<int>::min()}), "[-2147483648]"},
            {"InUint64Array",
             HostArray<unsigned long long>(TType::eUint64, {std::numeric_limits<unsigned long long>::max(), 0}),
             "[18446744073709551615,0]"},
            {"InSint64Array", HostArray<long long>(TType::eSint64, {-1}), "[-1]"},
            {"InReal32Array", HostArray<float>(TType::eReal32, {1.5f, std::numeric_limits<float>::denorm_min()}),
             "[1.5,1e-45]"},
            {"InReal64Array", HostArray<double>(TType::eReal64, {-2.5, 1e300}), "[-2.5,1e+300]"},
            {"InChar16Array", HostArray(TType::eChar16, {TCIMChar16('x'), TCIMChar16(0xE4)}), "[U+0078,U+00E4]"},
            {"InStringArray", HostArray<std::string>(TType::eString, {"a,b", "", "<&>", "\xF0\x9D\x84\x9E"}),
             "[\"a,b\",\"\",\"<&>\",\"\xF0\x9D\x84\x9E\"]"},
            {"InDatetimeArray",
             HostArray(TType::eDateTime,
                       {TCIMDateTime("20240101000000.000000+000"), TCIMDateTime("00000000000001.000000:000")}),
             "[20240101000000.000000+000,00000000000001.000000:000]"},
        };
    }

    boost::shared_ptr<TCimHTTPClass> fClass;
};

TEST_F(MethodInvocationTest, EveryTypeGoesInTypedInNameOrderAndComesBackIntact)
{
    const std::vector<TInput> scalars = Scalars();
    TCIMContext outputs;
    const TCIMValue returned = Invoke(ClassPath(), "EchoScalars", ContextOf(scalars), outputs);
    EXPECT_TRUE(SameValue(TCIMValue(DescribedAll(scalars)), returned));
    EXPECT_EQ(scalars.size(), outputs.size());
    ExpectEchoed(scalars, outputs);

    const std::vector<testcimom::LoggedRequest> calls = fServer->requestLog().of("EchoScalars");
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ("root/cimv2", calls[0].nameSpace);
    EXPECT_EQ(kMethodTestClass, calls[0].target);
    std::vector<std::string> sent;
    for (const testcimom::ParamValue& parameter : calls[0].parameters) {
        sent.push_back(parameter.name);
        EXPECT_TRUE(parameter.typed) << parameter.name;
    }
    std::vector<std::string> ascending;
    for (const auto& input : ContextOf(scalars))
        ascending.push_back(input.first);
    EXPECT_EQ(ascending, sent);

    const std::vector<TInput> arrays = Arrays();
    outputs.clear();
    EXPECT_TRUE(SameValue(TCIMValue(26u), Invoke(ClassPath(), "EchoArrays", ContextOf(arrays), outputs)))
        << "elements received";
    EXPECT_TRUE(SameValue(TCIMValue(DescribedAll(arrays)), outputs["Summary"]));
    ExpectEchoed(arrays, outputs);
}

// What a host sees of values that have no form of their own on its side:
// a null array comes back as a null scalar of its type (CIM-XML cannot mark
// a parameter value as an array) and reads like any null of that type, an
// array of references is not converted, and a null return value, which the
// server leaves out, reads as false, like a failed call.
TEST_F(MethodInvocationTest, OutputsJoinTheMapWithoutReplacingAndConvertByTheirOwnType)
{
    TCIMContext outputs;
    outputs["OutUint8"] = TCIMValue("the caller's");
    outputs["Unrelated"] = TCIMValue(7);
    TCIMContext inputs;
    inputs["InUint8"] = TCIMValue(static_cast<unsigned char>(5));
    inputs["InString"] = TCIMValue("new");
    Invoke(ClassPath(), "EchoScalars", inputs, outputs);
    EXPECT_TRUE(SameValue(TCIMValue("the caller's"), outputs["OutUint8"]));
    EXPECT_TRUE(SameValue(TCIMValue("new"), outputs["OutString"]));
    EXPECT_TRUE(SameValue(TCIMValue(7), outputs["Unrelated"]));
    EXPECT_EQ(3u, outputs.size());

    fServer->methods().add("root/cimv2", kMethodTestClass, "Outputs", [](const testcimom::MethodCall&) {
        testcimom::MethodResult result;
        result.returnValue = testcimom::Value::null(testcimom::CimType::String);
        testcimom::ObjectPath first;
        first.className = kMethodTestClass;
        result.outParameters = {
            {"NullArray", testcimom::Value::null(testcimom::CimType::Uint32, true)},
            {"Paths", testcimom::Value::referenceArray({first})},
            {"Twice", testcimom::Value::scalar(testcimom::CimType::Uint8, "1")},
            {"Twice", testcimom::Value::scalar(testcimom::CimType::Uint8, "2")},
        };
        return result;
    });
    outputs.clear();
    EXPECT_TRUE(SameValue(TCIMValue(false), Invoke(ClassPath(), "Outputs", TCIMContext(), outputs)));
    EXPECT_TRUE(SameValue(TCIMValue(0u), outputs["NullArray"]));
    EXPECT_FALSE(outputs["NullArray"].IsArray());
    EXPECT_TRUE(outputs["Paths"].IsNull());
    EXPECT_TRUE(SameValue(TCIMValue(static_cast<unsigned char>(1)), outputs["Twice"]))
        << "the first of two outputs of one name";
}

// The host's references of the instances it holds: the key values ordered
// by name, strings quoted and escaped, a reference key quoted whole. Their
// text must name the same instance to the client library and the server.
TEST_F(MethodInvocationTest, HostReferencesOfEveryKeyKindReachTheirInstance)
{
    std::set<std::string> identified;
    for (const TMethodTestInstance& instance : MethodTestInstances()) {
        const TCIMReference reference = HostReference(fClass, KeyValuesOf(instance));
        TCIMContext outputs;
        identified.insert(Invoke(reference, "Identify", TCIMContext(), outputs).ToString());
        EXPECT_EQ("root/cimv2:" + reference.GetPath(), outputs["Self"].GetReference().GetPath());
    }
    std::set<std::string> expected;
    for (const TMethodTestInstance& instance : MethodTestInstances())
        expected.insert(instance.fElementName);
    EXPECT_EQ(expected, identified);

    const boost::shared_ptr<TCimHTTPClass> linkClass = ClassNamed(kMethodTestLinkClass);
    ASSERT_TRUE(linkClass);
    for (const TMethodTestLink& link : MethodTestLinks()) {
        const TCIMReference reference = HostReference(linkClass, KeyValuesOf(link, fClass));
        SCOPED_TRACE(reference.GetPath());
        TCIMContext outputs;
        EXPECT_TRUE(SameValue(TCIMValue(link.fElementName),
                              linkClass->InvokeMethod(reference, "Identify", TCIMContext(), outputs, kNoContext)));
        const Pegasus::CIMObjectPath self(outputs["Self"].GetReference().GetPath().c_str());
        EXPECT_TRUE(self.identical(Pegasus::CIMObjectPath(("root/cimv2:" + reference.GetPath()).c_str())));
    }
}

// Every kind of key value, written by the host, read by the client library
// and written again: the text comes back unchanged, and each key has the
// kind and value it was given.
TEST_F(MethodInvocationTest, HostPathTextOfEveryKeyTypeParsesInTheClientLibrary)
{
    const TCIMValue inner = TCIMValue(HostReference(fClass, KeyValuesOf(MethodTestInstances()[1])));
    TCIMContext keys;
    keys["KBoolean"] = TCIMValue(false);
    keys["KUint8"] = TCIMValue(static_cast<unsigned char>(255));
    keys["KSint8"] = TCIMValue(static_cast<signed char>(-128));
    keys["KUint16"] = TCIMValue(static_cast<unsigned short>(65535));
    keys["KSint16"] = TCIMValue(static_cast<short>(-32768));
    keys["KUint32"] = TCIMValue(4294967295u);
    keys["KSint32"] = TCIMValue(std::numeric_limits<int>::min());
    keys["KUint64"] = TCIMValue(std::numeric_limits<unsigned long long>::max());
    keys["KSint64"] = TCIMValue(std::numeric_limits<long long>::min());
    keys["KReal32"] = TCIMValue(-0.1f);
    keys["KReal64"] = TCIMValue(1e300);
    keys["KChar16"] = Char16(0x20AC);
    keys["KString"] = TCIMValue("a \"quoted\" C:\\dir\\, k=v.x \xC3\xA4\xC3\xB6\xC3\xBC");
    keys["KDateTime"] = TCIMValue(TCIMDateTime("20240229235959.123456-300"));
    keys["KReference"] = inner;
    const std::string text = TCIMReference(boost::shared_ptr<ICIMNamespace>(), keys, "Test_Keys").GetPath();
    SCOPED_TRACE(text);

    const Pegasus::CIMObjectPath parsed(text.c_str());
    EXPECT_EQ("Test_Keys", std::string(parsed.getClassName().getString().getCString()));
    const Pegasus::Array<Pegasus::CIMKeyBinding> bindings = parsed.getKeyBindings();
    ASSERT_EQ(keys.size(), bindings.size());
    for (Pegasus::Uint32 i = 0; i < bindings.size(); ++i) {
        const std::string name(bindings[i].getName().getString().getCString());
        const std::string value(bindings[i].getValue().getCString());
        const TCIMValue& given = keys.at(name);
        SCOPED_TRACE(name);
        switch (given.GetType()) {
        case TType::eBoolean:
            EXPECT_EQ(Pegasus::CIMKeyBinding::BOOLEAN, bindings[i].getType());
            EXPECT_EQ("FALSE", value);
            break;
        case TType::eReal32:
            EXPECT_EQ(Pegasus::CIMKeyBinding::NUMERIC, bindings[i].getType());
            EXPECT_EQ(static_cast<float>(given), std::stof(value));
            break;
        case TType::eReal64:
            EXPECT_EQ(Pegasus::CIMKeyBinding::NUMERIC, bindings[i].getType());
            EXPECT_EQ(static_cast<double>(given), std::stod(value));
            break;
        case TType::eReference:
            EXPECT_EQ(Pegasus::CIMKeyBinding::REFERENCE, bindings[i].getType());
            EXPECT_TRUE(Pegasus::CIMObjectPath(value.c_str()).identical(
                Pegasus::CIMObjectPath(inner.GetReference().GetPath().c_str())));
            break;
        case TType::eChar16:
        case TType::eString:
        case TType::eDateTime:
            EXPECT_EQ(Pegasus::CIMKeyBinding::STRING, bindings[i].getType());
            EXPECT_EQ(given.ToString(), value);
            break;
        default:
            EXPECT_EQ(Pegasus::CIMKeyBinding::NUMERIC, bindings[i].getType());
            EXPECT_EQ(given.ToString(), value);
        }
    }
    TCIMReference readBack;
    readBack.SetPath(std::string(parsed.toString().getCString()));
    EXPECT_EQ(text, readBack.GetPath());
}

TEST_F(MethodInvocationTest, CimErrorIsLoggedOnceAndNotRetried)
{
    TCIMContext inputs;
    inputs["Code"] = TCIMValue(6u);
    inputs["Message"] = TCIMValue("chosen <failure>");
    TCIMContext outputs;
    outputs["Kept"] = TCIMValue(1);
    const TCIMValue returned = Invoke(ClassPath(), "Fail", inputs, outputs);
    // What a failed call returns: a null value converted, which reads false.
    EXPECT_TRUE(SameValue(TCIMValue(false), returned));
    EXPECT_EQ(1u, outputs.size());
    EXPECT_EQ(1u, fServer->requestLog().of("Fail").size());
    std::vector<std::string> failures;
    for (const std::string& message : LoggedMessages())
        if (message.find("PegClient::InvokeMethod()") != std::string::npos)
            failures.push_back(message);
    ASSERT_EQ(1u, failures.size());
    EXPECT_TRUE(StartsWith(failures[0], "CIMException in PegClient::InvokeMethod(): ")) << failures[0];
    EXPECT_NE(std::string::npos, failures[0].find("chosen <failure>")) << failures[0];
}

// The class's enumerate-instances time-out bounds the call; a time-out is
// tried again once with twice the time-out.
TEST_F(MethodInvocationTest, TimeOutIsRetriedOnceWithTwiceTheTimeOut)
{
    const int timeoutMs = 500;
    auto shortClass = boost::make_shared<TCimHTTPClass>(fServed->Namespace(), timeoutMs, kMethodTestClass,
                                                        boost::shared_ptr<TCimHTTPClass>());
    auto delayed = [&](unsigned int delayMs, TCIMContext& outputs) {
        TCIMContext inputs;
        inputs["Milliseconds"] = TCIMValue(delayMs);
        return shortClass->InvokeMethod(ClassPath(), "Delay", inputs, outputs, kNoContext);
    };
    auto timeOutsLogged = [] {
        const std::vector<std::string> messages = LoggedMessages();
        return std::count_if(messages.begin(), messages.end(), [](const std::string& message) {
            return StartsWith(message, "ConnectionTimeoutException in PegClient::InvokeMethod(): ");
        });
    };

    TCIMContext outputs;
    EXPECT_TRUE(SameValue(TCIMValue(0u), delayed(750, outputs))) << "answered within the second, longer wait";
    EXPECT_TRUE(SameValue(TCIMValue(750u), outputs["Delayed"]));
    EXPECT_EQ(1, timeOutsLogged());
    EXPECT_EQ(2u, fServer->requestLog().of("Delay").size());

    ForgetRequestsAndLog();
    outputs.clear();
    EXPECT_TRUE(SameValue(TCIMValue(false), delayed(2500, outputs))) << "a null value, converted";
    EXPECT_TRUE(outputs.empty());
    EXPECT_EQ(2, timeOutsLogged());
    EXPECT_EQ(2u, fServer->requestLog().of("Delay").size());
}

// A server that is not there: the call fails as a null value, converted;
// nothing reaches the caller's outputs. Text the client library cannot send
// fails the same way without reaching the server.
TEST_F(MethodInvocationTest, UnreachableServerOrUnsendableInputGivesTheNullValueAndNoOutputs)
{
    TCIMContext outputs;
    outputs["Kept"] = TCIMValue(1);
    TCIMContext inputs;
    inputs["InChar16"] = Char16(0xFFFF);
    EXPECT_TRUE(SameValue(TCIMValue(false), Invoke(ClassPath(), "EchoScalars", inputs, outputs)));
    EXPECT_TRUE(fServer->requestLog().of("EchoScalars").empty());
    const std::vector<std::string> messages = LoggedMessages();
    EXPECT_NE(messages.end(), std::find(messages.begin(), messages.end(),
                                        "Exception in PegClient::InvokeMethod(): character U+FFFF cannot be sent "
                                        "in CIM-XML"));

    fServer->stop();
    TRootObject::GetCoreLogger()->Clear();
    EXPECT_TRUE(SameValue(TCIMValue(false), Invoke(ClassPath(), "EchoScalars", TCIMContext(), outputs)));
    EXPECT_EQ(1u, outputs.size());
    const std::vector<std::string> failures = LoggedMessages();
    EXPECT_EQ(2, std::count_if(failures.begin(), failures.end(), [](const std::string& message) {
                  return StartsWith(message, "Exception in PegClient::InvokeMethod(): ");
              })) << "tried again after a reconnect";

    // Never connected: nothing is sent and nothing logged.
    ServedNamespace nowhere({NodeAddress(5)});
    auto unconnected = boost::make_shared<TCimHTTPClass>(nowhere.Namespace(), 60000, kMethodTestClass,
                                                         boost::shared_ptr<TCimHTTPClass>());
    TRootObject::GetCoreLogger()->Clear();
    EXPECT_TRUE(SameValue(TCIMValue(false),
                          unconnected->InvokeMethod(ClassPath(), "EchoScalars", TCIMContext(), outputs, kNoContext)));
    EXPECT_EQ(1u, outputs.size());
    EXPECT_TRUE(LoggedMessages().empty());
}

// The caller's output map stays as it was whenever the call cannot be made.
TEST_F(MethodInvocationTest, CallsThatCannotBeMadeLeaveTheOutputsAlone)
{
    TCIMContext outputs;
    outputs["Kept"] = TCIMValue(1);
    const TCIMContext expected = outputs;

    EXPECT_TRUE(fClass->InvokeMethod("EchoScalars", outputs, kNoContext).IsNull()) << "no object to call it on";
    TCIMContext badKey;
    badKey["two words"] = TCIMValue(1);
    for (const TCIMReference& unreadable :
         {ClassPath(""), TCIMReference(boost::shared_ptr<ICIMNamespace>(), badKey, kMethodTestClass)}) {
        SCOPED_TRACE(unreadable.GetPath());
        EXPECT_THROW(Invoke(unreadable, "Identify", TCIMContext(), outputs), Pegasus::MalformedObjectNameException);
    }

    auto misnamed = boost::make_shared<TCimHTTPNamespace>(false, "root//cimv2");
    auto onMisnamed = boost::make_shared<TCimHTTPClass>(misnamed, 60000, kMethodTestClass,
                                                        boost::shared_ptr<TCimHTTPClass>());
    EXPECT_THROW(onMisnamed->InvokeMethod(ClassPath(), "Identify", TCIMContext(), outputs, kNoContext),
                 Pegasus::InvalidNamespaceNameException);

    // Before Init the namespace has no first node to call.
    auto uninitialized = boost::make_shared<TCimHTTPNamespace>(false, "root/cimv2");
    auto onUninitialized = boost::make_shared<TCimHTTPClass>(uninitialized, 60000, kMethodTestClass,
                                                             boost::shared_ptr<TCimHTTPClass>());
    EXPECT_TRUE(onUninitialized->InvokeMethod(ClassPath(), "Identify", TCIMContext(), outputs, kNoContext).IsNull());
    EXPECT_EQ(std::vector<std::string>{"TCimHTTPClass::InvokeMethod VORN_MethodTest : the namespace has no connection "
                                       "to its first node"},
              LoggedMessages());

    // A class that outlives its namespace.
    TRootObject::GetCoreLogger()->Clear();
    fServed.reset();
    EXPECT_TRUE(Invoke(ClassPath(), "Identify", TCIMContext(), outputs).IsNull());
    EXPECT_EQ(std::vector<std::string>{"TCimHTTPClass::InvokeMethod VORN_MethodTest : its namespace is gone"},
              LoggedMessages());
    EXPECT_TRUE(expected == outputs);
    EXPECT_TRUE(fServer->requestLog().of("Identify").empty());
}

}  // namespace
