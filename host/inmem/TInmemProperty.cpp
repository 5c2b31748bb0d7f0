#include <qel/TInmemProperty.h>

#include <qel/ICIMClass.h>
#include <qel/TCoreLogger.h>
#include <qel/TInmemClassChain.h>
#include <qel/TQELException.h>
#include <qel/TRootObject.h>

namespace NVORNQEL20 {

namespace {

[[noreturn]] void RejectValue(const std::string& message) {
    TRootObject::GetCoreLogger()->Log(0, message);
    throw TQELException(TQELStatusCode::eTypeMismatch, message);
}

std::string ClassName(const boost::shared_ptr<ICIMClass>& cimClass) { return cimClass->GetName(TCIMContext()); }

}  // namespace

TInmemProperty::TInmemProperty(boost::weak_ptr<ICIMPropertyDecl const> declaration)
    : fDeclaration(std::move(declaration)) {}

boost::shared_ptr<ICIMPropertyDecl const> TInmemProperty::Declaration() const {
    return boost::shared_ptr<ICIMPropertyDecl const>(fDeclaration);
}

// operation names the check in the messages ("Inmem: SetValue", "SetPrevValue").
// A null of no type stands for a null of the declared type.
std::optional<TCIMValue> TInmemProperty::Check(const TCIMValue& value, const char* operation) const {
    boost::shared_ptr<ICIMPropertyDecl const> declaration = Declaration();
    const TCIMValue::TCIMType declaredType = declaration->GetType(TCIMContext());
    if (value.IsNull() && value.GetType() == TCIMValue::TCIMType::eNoType) {
        return TCIMValue(declaredType, 0);
    }
    if (value.GetType() != declaredType) {
        RejectValue(operation + std::string(": decl is type ") + declaredType.GetName() + " but value is type " +
                    value.GetType().GetName());
    }
    if (declaredType != TCIMValue::TCIMType::eReference) {
        return std::nullopt;
    }
    boost::shared_ptr<ICIMClass> valueClass = value.GetReferencedClass();
    boost::shared_ptr<ICIMClass> declaredClass = declaration->GetDefaultValue(TCIMContext()).GetReferencedClass();
    if (valueClass && declaredClass && !TInmemClassChain::IsSubclass(valueClass, *declaredClass)) {
        RejectValue(operation + std::string(": decl references type ") + ClassName(declaredClass) +
                    " but value references " + ClassName(valueClass));
    }
    return std::nullopt;
}

TCIMValue::TCIMType TInmemProperty::GetType(TCIMContext) const { return Declaration()->GetType(TCIMContext()); }

bool TInmemProperty::IsArray(TCIMContext) const { return Declaration()->IsArray(TCIMContext()); }

bool TInmemProperty::IsDefaultValue(TCIMContext) const { return !fValue; }

const TCIMValue& TInmemProperty::GetValue(TCIMContext) const {
    return fValue ? *fValue : Declaration()->GetDefaultValue(TCIMContext());
}

void TInmemProperty::SetValue(const TCIMValue& value, TCIMContext) {
    std::optional<TCIMValue> typedNull = Check(value, "Inmem: SetValue");
    if (typedNull) {
        fValue = std::move(typedNull);
    } else {
        fValue = value;
    }
}

bool TInmemProperty::GetPropagated(TCIMContext) const { return !fValue; }

boost::shared_ptr<ICIMPropertyDecl const> TInmemProperty::GetDeclaration(TCIMContext) const {
    return fDeclaration.lock();
}

bool TInmemProperty::operator==(const ICIMProperty& other) const {
    return fDeclaration.lock() == other.GetDeclaration(TCIMContext()) &&
           GetValue(TCIMContext()) == other.GetValue(TCIMContext());
}

bool TInmemProperty::operator<(const ICIMProperty& other) const {
    boost::shared_ptr<ICIMPropertyDecl const> mine = fDeclaration.lock();
    boost::shared_ptr<ICIMPropertyDecl const> theirs = other.GetDeclaration(TCIMContext());
    if (mine != theirs) {
        return mine < theirs;
    }
    return GetValue(TCIMContext()) < other.GetValue(TCIMContext());
}

ICIMProperty& TInmemProperty::operator=(const ICIMProperty& other) {
    if (!other.IsDefaultValue(TCIMContext())) {
        SetValue(other.GetValue(TCIMContext()), TCIMContext());
    }
    return *this;
}

const TCIMValue& TInmemProperty::GetPrevValue() const { return fPrevValue ? *fPrevValue : GetValue(TCIMContext()); }

void TInmemProperty::SetPrevValue(const TCIMValue& value) {
    std::optional<TCIMValue> typedNull = value.IsNull() ? std::nullopt : Check(value, "SetPrevValue");
    fPrevValue = typedNull ? std::make_unique<TCIMValue>(std::move(*typedNull)) : std::make_unique<TCIMValue>(value);
}

void TInmemProperty::SetPrevValue() { fPrevValue = std::make_unique<TCIMValue>(); }

bool TInmemProperty::IsPrevValueDifferent() const { return static_cast<bool>(fPrevValue); }

std::string TInmemProperty::ToString() const { return GetValue(TCIMContext()).ToString(10); }

std::string TInmemProperty::PrevValueToString() const { return GetPrevValue().ToString(10); }

std::vector<std::string> TInmemProperty::ToStringVector() const {
    const TCIMValue& value = GetValue(TCIMContext());
    if (!value.IsArray()) {
        return {value.ToString(10)};
    }
    std::vector<std::string> texts;
    for (const TCIMValue& element : static_cast<const std::vector<TCIMValue>&>(value)) {
        texts.push_back(element.ToString(10));
    }
    return texts;
}

}  // namespace NVORNQEL20
