#include "MethodTestProvider.h"

#include "TypedText.h"
#include "testcimom/CimError.h"

#include <algorithm>
#include <climits>

namespace testcimom {

namespace {

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string describeItem(CimType type, const std::string& text)
{
    if (type == CimType::String)
        return quoted(text);
    if (type == CimType::Char16)
        return TypedText::codePoint(text);
    return text;
}

// "null", the canonical text of a scalar, or "[a,b]": strings quoted,
// char16 as its code point, references as paths.
std::string describe(const Value& value)
{
    if (value.isNull)
        return "null";
    std::vector<std::string> items;
    for (const ObjectPath& path : value.references)
        items.push_back(path.toString());
    for (const std::string& text : value.items)
        items.push_back(describeItem(value.type, text));
    if (!value.isArray)
        return items.empty() ? "null" : items.front();
    std::string text = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : ",") + items[i];
    return text + "]";
}

// Name=value for each input, ordered by name, joined by ';'.
std::string summaryOf(const MethodCall& call)
{
    std::vector<const ParamValue*> inputs;
    for (const ParamValue& param : call.inParameters)
        inputs.push_back(&param);
    std::sort(inputs.begin(), inputs.end(),
              [](const ParamValue* a, const ParamValue* b) { return lowerName(a->name) < lowerName(b->name); });
    std::string summary;
    for (const ParamValue* input : inputs)
        summary += (summary.empty() ? "" : ";") + input->name + "=" + describe(input->value);
    return summary;
}

// InX comes back as OutX.
std::vector<ParamValue> echoed(const MethodCall& call)
{
    std::vector<ParamValue> outputs;
    for (const ParamValue& param : call.inParameters)
        outputs.push_back({"Out" + param.name.substr(2), param.value});
    return outputs;
}

std::size_t elementCount(const MethodCall& call)
{
    std::size_t count = 0;
    for (const ParamValue& param : call.inParameters)
        count += param.value.items.size() + param.value.references.size();
    return count;
}

unsigned long long unsignedParameter(const MethodCall& call, const std::string& name)
{
    const Value* value = call.parameter(name);
    return value != nullptr && !value->isNull ? std::stoull(value->items.front()) : 0;
}

MethodResult echoScalars(const MethodCall& call)
{
    return {Value::text(summaryOf(call)), echoed(call)};
}

MethodResult echoArrays(const MethodCall& call)
{
    MethodResult result{Value::scalar(CimType::Uint32, std::to_string(elementCount(call))), echoed(call)};
    result.outParameters.push_back({"Summary", Value::text(summaryOf(call))});
    return result;
}

MethodResult fail(const MethodCall& call)
{
    unsigned long long code = unsignedParameter(call, "Code");
    if (code == 0)
        return {Value::scalar(CimType::Uint32, "0"), {}};
    if (code > INT_MAX)
        throw CimError(CimStatus::InvalidParameter, "Code " + std::to_string(code) + " is out of range");
    const Value* message = call.parameter("Message");
    bool hasMessage = message != nullptr && !message->isNull;
    throw CimError(static_cast<int>(code), hasMessage ? message->items.front() : "failure requested");
}

MethodResult delay(const MethodCall& call)
{
    unsigned long long milliseconds = unsignedParameter(call, "Milliseconds");
    if (milliseconds > MethodTestProvider::kMaxDelayMilliseconds)
        throw CimError(CimStatus::InvalidParameter,
                       "Milliseconds above " + std::to_string(MethodTestProvider::kMaxDelayMilliseconds));
    MethodResult result{Value::scalar(CimType::Uint32, "0"),
                        {{"Delayed", Value::scalar(CimType::Uint32, std::to_string(milliseconds))}}};
    result.answerDelay = std::chrono::milliseconds(milliseconds);
    return result;
}

MethodResult identify(const MethodCall& call)
{
    if (!call.instance)
        throw CimError(CimStatus::InvalidParameter, call.methodName + " is not static: invoke it on an instance path");
    const Property* name = call.instance->instance.findProperty("ElementName");
    ObjectPath self = call.instance->path;
    self.nameSpace = call.nameSpace;
    return {name != nullptr ? name->value : Value::null(CimType::String), {{"Self", Value::reference(self)}}};
}

}  // namespace

void MethodTestProvider::registerIn(MethodProviders& methods, const std::string& nameSpace)
{
    methods.add(nameSpace, "VORN_MethodTest", "EchoScalars", echoScalars);
    methods.add(nameSpace, "VORN_MethodTest", "EchoArrays", echoArrays);
    methods.add(nameSpace, "VORN_MethodTest", "Fail", fail);
    methods.add(nameSpace, "VORN_MethodTest", "Delay", delay);
    methods.add(nameSpace, "VORN_MethodTest", "Identify", identify);
    methods.add(nameSpace, "VORN_MethodTestLink", "Identify", identify);
}

}  // namespace testcimom
