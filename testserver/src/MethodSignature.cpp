#include "MethodSignature.h"

#include "TypedText.h"
#include "testcimom/CimError.h"

namespace testcimom {

namespace {

[[noreturn]] void invalid(const std::string& detail)
{
    throw CimError(CimStatus::InvalidParameter, detail);
}

std::string spelling(CimType type, bool isArray)
{
    return std::string(typeName(type)) + (isArray ? "[]" : "");
}

// References are told apart by their element, so even an untyped one
// cannot stand for another type.
void checkType(const Parameter& declared, const ParamValue& given)
{
    const Value& value = given.value;
    bool mismatch = value.type != declared.type &&
                    (given.typed || value.type == CimType::Reference || declared.type == CimType::Reference);
    if (mismatch || value.isArray != declared.isArray)
        invalid("parameter " + declared.name + " is " + spelling(declared.type, declared.isArray) + ", not " +
                spelling(value.type, value.isArray));
}

Value typedValue(const Parameter& declared, const ParamValue& given)
{
    if (given.value.isNull)
        return Value::null(declared.type, declared.isArray);
    checkType(declared, given);
    Value value = given.value;
    value.type = declared.type;
    for (std::string& item : value.items) {
        std::optional<std::string> canonical = TypedText::canonical(declared.type, item);
        if (!canonical)
            invalid("parameter " + declared.name + ": \"" + item + "\" is not a " + typeName(declared.type) +
                    " value");
        item = std::move(*canonical);
    }
    return value;
}

}  // namespace

std::vector<ParamValue> MethodSignature::bind(const std::vector<ParamValue>& given) const
{
    std::vector<ParamValue> bound;
    for (const ParamValue& param : given) {
        ParamValue one = bindOne(param);
        if (findByName(bound, one.name) != nullptr)
            invalid("parameter " + one.name + " given twice");
        bound.push_back(std::move(one));
    }
    checkRequired(bound);
    return bound;
}

ParamValue MethodSignature::bindOne(const ParamValue& given) const
{
    const Parameter* declared = findByName(method_.parameters, given.name);
    if (declared == nullptr)
        invalid("method " + method_.name + " has no parameter " + given.name);
    if (!qualifierFlag(declared->qualifiers, "In", true))
        invalid("parameter " + declared->name + " is an output parameter");
    ParamValue bound;
    bound.name = declared->name;
    bound.value = typedValue(*declared, given);
    return bound;
}

void MethodSignature::checkRequired(const std::vector<ParamValue>& bound) const
{
    for (const Parameter& declared : method_.parameters) {
        if (!qualifierFlag(declared.qualifiers, "Required", false))
            continue;
        const ParamValue* param = findByName(bound, declared.name);
        if (param == nullptr || param->value.isNull)
            invalid("required parameter " + declared.name + " missing");
    }
}

}  // namespace testcimom
