#include "instance/TCimHTTPProperty.h"

#include <functional>
#include <optional>
#include <sstream>

#include <qel/ICIMClass.h>
#include <qel/ICIMQualifier.h>
#include <qel/TCoreLogger.h>
#include <qel/TInmemClassChain.h>
#include <qel/TQELException.h>
#include <qel/TRootObject.h>

#include "instance/DisplayFormat.h"

namespace NVORNQEL20 {

namespace {

typedef TCIMValue::TCIMType TType;

std::string TypeText(const TType& type)
{
    std::ostringstream text;
    text << type;
    return text.str();
}

std::string ClassName(const boost::shared_ptr<ICIMClass>& cls)
{
    return cls->GetName(TCIMContext());
}

[[noreturn]] void RefuseValue(const std::string& message)
{
    TRootObject::GetCoreLogger()->Log(0, message);
    throw TQELException(TQELStatusCode::eTypeMismatch, message);
}

bool IsUnsigned(TType type)
{
    return type == TType::eUint8 || type == TType::eUint16 || type == TType::eUint32 || type == TType::eUint64;
}

bool IsInteger(TType type)
{
    return type >= TType::eUint8 && type <= TType::eSint64;
}

// The types whose codes a value map names.
bool IsCode(TType type)
{
    return type == TType::eBoolean || IsUnsigned(type);
}

// --- display text helpers -----------------------------------------------------

typedef TCimHTTPProperty::TValueMap TValueMap;

// The found-flag lookup: most properties lack most of these qualifiers,
// and a miss should cost no exception.
boost::shared_ptr<ICIMQualifier> FindQualifier(const ICIMPropertyDecl& declaration, const std::string& name)
{
    bool found = false;
    return declaration.GetQualifier(name, found, TCIMContext());
}

// The qualifier when it is there with a value of the type; a null value
// counts as no qualifier.
boost::shared_ptr<ICIMQualifier> FindQualifier(const ICIMPropertyDecl& declaration, const std::string& name,
                                               TType type)
{
    boost::shared_ptr<ICIMQualifier> qualifier = FindQualifier(declaration, name);
    if (qualifier && !qualifier->GetValue(TCIMContext()).IsNull() && qualifier->GetType(TCIMContext()) == type)
        return qualifier;
    return boost::shared_ptr<ICIMQualifier>();
}

std::string NullText(const ICIMPropertyDecl& declaration)
{
    boost::shared_ptr<ICIMQualifier> nullDisplay = FindQualifier(declaration, "NULLDISPLAY", TType::eString);
    return nullDisplay ? nullDisplay->GetValue(TCIMContext()).ToString(10) : std::string();
}

// Only whole numbers are written in a radix; the text of any other value
// does not depend on BASE, so it is not looked up for them.
std::string TextWithBase(const ICIMPropertyDecl& declaration, const TCIMValue& value)
{
    if (!IsInteger(value.GetElementType()))
        return value.ToString(10);
    boost::shared_ptr<ICIMQualifier> base = FindQualifier(declaration, "BASE", TType::eUint8);
    const unsigned char radix = base ? static_cast<unsigned char>(base->GetValue(TCIMContext())) : 10;
    return value.ToString(radix);
}

std::string AmountText(const ICIMPropertyDecl& declaration, unsigned long long count, int prefixIndex,
                       const std::string& units)
{
    boost::shared_ptr<ICIMQualifier> fixed = FindQualifier(declaration, "DISPLAYFIXEDUNITS", TType::eString);
    const std::optional<int> fixedIndex =
        fixed ? DisplayFormat::FixedPrefixIndex(fixed->GetValue(TCIMContext()).ToString(10)) : std::nullopt;
    boost::shared_ptr<ICIMQualifier> abbreviate = FindQualifier(declaration, "ABBREVIATEUNITS");
    const bool abbreviated = abbreviate && !abbreviate->GetValue(TCIMContext()).IsNull();
    return DisplayFormat::AmountText(count, prefixIndex, units, fixedIndex, abbreviated);
}

// An unsigned count in its UNITS: seconds as a duration, bytes, bits and
// their rates scaled; other units as the plain number.
std::string CountText(const ICIMPropertyDecl& declaration, const TCIMValue& value, std::string units)
{
    const unsigned long long count = value;
    const int prefixIndex = DisplayFormat::TakeLongPrefix(units);
    if (units == "Seconds") {
        // Counts past the longest interval (a sentinel of all bits set is
        // common) show as the number rather than fail.
        const std::optional<std::string> duration = DisplayFormat::DurationText(count, prefixIndex);
        return duration ? *duration : TextWithBase(declaration, value);
    }
    if (!DisplayFormat::IsScaledUnit(units))
        return TextWithBase(declaration, value);
    return AmountText(declaration, count, prefixIndex, units);
}

std::string TextWithQualifiers(const ICIMPropertyDecl& declaration, const TCIMValue& value)
{
    if (value.IsNull())
        return NullText(declaration);
    if (!IsUnsigned(value.GetType()))
        return TextWithBase(declaration, value);
    boost::shared_ptr<ICIMQualifier> units = FindQualifier(declaration, "UNITS", TType::eString);
    if (!units)
        return TextWithBase(declaration, value);
    return CountText(declaration, value, units->GetValue(TCIMContext()).ToString(10));
}

// One text per element of an array, one for a scalar.
std::vector<std::string> TextsWithQualifiers(const ICIMPropertyDecl& declaration, const TCIMValue& value)
{
    if (!declaration.IsArray(TCIMContext()))
        return {TextWithQualifiers(declaration, value)};
    const std::vector<TCIMValue>& elements = value;
    std::vector<std::string> texts;
    texts.reserve(elements.size());
    for (const TCIMValue& element : elements)
        texts.push_back(TextWithQualifiers(declaration, element));
    return texts;
}

bool BuildTable(const ICIMPropertyDecl& declaration, TValueMap& table, std::string& defaultText)
{
    boost::shared_ptr<ICIMQualifier> values = FindQualifier(declaration, "Values", TType::eStringArray);
    if (!values)
        return false;
    boost::shared_ptr<ICIMQualifier> valueMap = FindQualifier(declaration, "ValueMap");
    if (!valueMap)
        return false;
    const std::vector<TCIMValue>& texts = values->GetValue(TCIMContext());
    const TCIMValue& codes = valueMap->GetValue(TCIMContext());
    // A ValueMap without codes leaves the Values texts to codes 0, 1, ...
    if (codes.IsNull() || codes.GetType() != TType::eStringArray) {
        DisplayFormat::FillFromValues(texts, table);
        return true;
    }
    return DisplayFormat::FillFromValueMap(codes, texts, table, defaultText);
}

std::string TableText(const TCIMValue& value, const TValueMap& table, const std::string& defaultText)
{
    if (!IsCode(value.GetType()))
        throw TQELException(TQELStatusCode::eNotSupported,
                            "value map look-up of a value of type " + TypeText(value.GetType()));
    const unsigned long long code = value;
    for (const TCimHTTPProperty::TValueMapEntry& entry : table)
        if (entry.fLowerBound <= code && code <= entry.fUpperBound)
            return entry.fText;
    return defaultText.empty() ? value.ToString(10) : defaultText;
}

// A code of an unsigned or boolean property shows its Values text.
std::string MappedText(const ICIMPropertyDecl& declaration, const TCIMValue& value)
{
    if (!value.IsNull() && IsCode(declaration.GetType(TCIMContext()))) {
        TValueMap table;
        std::string defaultText;
        if (BuildTable(declaration, table, defaultText))
            return TableText(value, table, defaultText);
    }
    return TextWithQualifiers(declaration, value);
}

}  // namespace

TCimHTTPProperty::TCimHTTPProperty(boost::shared_ptr<ICIMPropertyDecl const> declaration)
    : fDeclaration(declaration), fPrevValueSet(false)
{
}

TCimHTTPProperty::TCimHTTPProperty(boost::shared_ptr<ICIMPropertyDecl const> declaration, const TCIMValue& value)
    : TCimHTTPProperty(declaration)
{
    SetValue(value, TCIMContext());
}

TCimHTTPProperty::TCimHTTPProperty(boost::shared_ptr<ICIMProperty const> other)
    : TCimHTTPProperty(other->GetDeclaration(TCIMContext()))
{
    const TCIMValue& value = other->GetValue(TCIMContext());
    if (!value.IsNull())
        SetValue(value, TCIMContext());
}

TCimHTTPProperty::~TCimHTTPProperty() = default;

boost::shared_ptr<ICIMPropertyDecl const> TCimHTTPProperty::Declaration() const
{
    return boost::shared_ptr<ICIMPropertyDecl const>(fDeclaration);
}

// operation starts the messages: "Inmem: SetValue" or "SetPrevValue".
void TCimHTTPProperty::CheckAgainstDeclaration(const TCIMValue& value, const char* operation) const
{
    boost::shared_ptr<ICIMPropertyDecl const> declaration = Declaration();
    const TType declaredType = declaration->GetType(TCIMContext());
    if (declaredType != value.GetType())
        RefuseValue(std::string(operation) + ": decl is type " + TypeText(declaredType) + " but value is type " +
                    TypeText(value.GetType()));
    if (declaredType != TType::eReference)
        return;
    // Declarations loaded from the server name no referenced class: with
    // either class unknown there is nothing to compare. With both known, the
    // test walks the superclass chain: a remote class's IsSubclassOf follows
    // its parent, which is the namespace's root class for every class.
    boost::shared_ptr<ICIMClass> declaredClass = declaration->GetDefaultValue(TCIMContext()).GetReferencedClass();
    boost::shared_ptr<ICIMClass> valueClass = value.GetReferencedClass();
    if (declaredClass && valueClass && !TInmemClassChain::IsSubclass(valueClass, *declaredClass))
        RefuseValue(std::string(operation) + ": decl references type " + ClassName(declaredClass) +
                    " but value references " + ClassName(valueClass));
}

TCIMValue::TCIMType TCimHTTPProperty::GetType(TCIMContext) const
{
    return Declaration()->GetType(TCIMContext());
}

bool TCimHTTPProperty::IsArray(TCIMContext) const
{
    return Declaration()->IsArray(TCIMContext());
}

bool TCimHTTPProperty::IsDefaultValue(TCIMContext) const
{
    return !fValue;
}

const TCIMValue& TCimHTTPProperty::GetValue(TCIMContext) const
{
    return fValue ? *fValue : Declaration()->GetDefaultValue(TCIMContext());
}

void TCimHTTPProperty::SetValue(const TCIMValue& value, TCIMContext)
{
    CheckAgainstDeclaration(value, "Inmem: SetValue");
    fValue = value;
}

bool TCimHTTPProperty::GetPropagated(TCIMContext) const
{
    return !fValue;
}

boost::shared_ptr<ICIMPropertyDecl const> TCimHTTPProperty::GetDeclaration(TCIMContext) const
{
    return fDeclaration.lock();
}

bool TCimHTTPProperty::operator==(const ICIMProperty& other) const
{
    return fDeclaration.lock() == other.GetDeclaration(TCIMContext()) &&
           GetValue(TCIMContext()) == other.GetValue(TCIMContext());
}

bool TCimHTTPProperty::operator<(const ICIMProperty& other) const
{
    const ICIMPropertyDecl* mine = fDeclaration.lock().get();
    const ICIMPropertyDecl* theirs = other.GetDeclaration(TCIMContext()).get();
    if (mine != theirs)
        return std::less<const ICIMPropertyDecl*>()(mine, theirs);
    return GetValue(TCIMContext()) < other.GetValue(TCIMContext());
}

ICIMProperty& TCimHTTPProperty::operator=(const ICIMProperty&)
{
    return *this;
}

// Both forms of SetPrevValue store a value, so a recorded previous value
// always exists.
const TCIMValue& TCimHTTPProperty::GetPrevValue() const
{
    return fPrevValueSet ? *fPrevValue : GetValue(TCIMContext());
}

void TCimHTTPProperty::SetPrevValue(const TCIMValue& value)
{
    if (!value.IsNull())
        CheckAgainstDeclaration(value, "SetPrevValue");
    fPrevValue = std::make_unique<TCIMValue>(value);
    fPrevValueSet = true;
}

void TCimHTTPProperty::SetPrevValue()
{
    TCimHTTPProperty::SetPrevValue(TCIMValue());
}

bool TCimHTTPProperty::IsPrevValueDifferent() const
{
    return fPrevValueSet;
}

// --- display text -------------------------------------------------------------
//
// Each operation promotes the declaration once and hands it to the helpers
// above: a display text asks it for several qualifiers.

std::string TCimHTTPProperty::ToString() const
{
    const boost::shared_ptr<ICIMPropertyDecl const> declaration = Declaration();
    return MappedText(*declaration, fValue ? *fValue : declaration->GetDefaultValue(TCIMContext()));
}

std::string TCimHTTPProperty::PrevValueToString() const
{
    return MappedText(*Declaration(), GetPrevValue());
}

std::vector<std::string> TCimHTTPProperty::ToStringVector() const
{
    const boost::shared_ptr<ICIMPropertyDecl const> declaration = Declaration();
    const TCIMValue& value = fValue ? *fValue : declaration->GetDefaultValue(TCIMContext());
    const TType type = declaration->GetType(TCIMContext());
    TValueMap table;
    std::string defaultText;
    if (value.IsNull() || !type.IsArray() || !IsCode(type.GetElementType()) ||
        !BuildTable(*declaration, table, defaultText))
        return TextsWithQualifiers(*declaration, value);
    const std::vector<TCIMValue>& elements = value;
    std::vector<std::string> texts;
    texts.reserve(elements.size());
    // A null element is no code: it shows as a null, not as the text of 0.
    for (const TCIMValue& element : elements)
        texts.push_back(element.IsNull() ? TextWithQualifiers(*declaration, element)
                                         : TableText(element, table, defaultText));
    return texts;
}

std::vector<std::string> TCimHTTPProperty::ToStringVectorWithBase() const
{
    const boost::shared_ptr<ICIMPropertyDecl const> declaration = Declaration();
    return TextsWithQualifiers(*declaration, fValue ? *fValue : declaration->GetDefaultValue(TCIMContext()));
}

std::string TCimHTTPProperty::ToStringWithQualifiers(const TCIMValue& value) const
{
    return TextWithQualifiers(*Declaration(), value);
}

std::string TCimHTTPProperty::ToStringWithBase(const TCIMValue& value) const
{
    return TextWithBase(*Declaration(), value);
}

bool TCimHTTPProperty::BuildValueMapEntryArray(TValueMap& table, std::string& defaultText) const
{
    return BuildTable(*Declaration(), table, defaultText);
}

std::string TCimHTTPProperty::LookupInTable(const TCIMValue& value, const TValueMap& table,
                                            const std::string& defaultText) const
{
    return TableText(value, table, defaultText);
}

}  // namespace NVORNQEL20
