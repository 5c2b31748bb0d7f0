#include <qel/TCIMValue.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <ostream>
#include <type_traits>
#include <utility>

#include <qel/TCIMReference.h>
#include <qel/TQELException.h>

#include "NumberText.h"

namespace NVORNQEL20 {

namespace {

typedef TCIMValue::TCIMType TType;

const char* const kScalarTypeNames[] = {"none",   "boolean", "uint8",  "sint8",  "uint16",   "sint16",
                                        "uint32", "sint32",  "uint64", "sint64", "real32",   "real64",
                                        "char16", "string",  "datetime", "reference"};

struct TIntegerLimits {
    long long fMin;
    unsigned long long fMax;
};

bool IsUnsignedInteger(TType::ECIMType type) {
    return type == TType::eUint8 || type == TType::eUint16 || type == TType::eUint32 || type == TType::eUint64;
}

bool IsSignedInteger(TType::ECIMType type) {
    return type == TType::eSint8 || type == TType::eSint16 || type == TType::eSint32 || type == TType::eSint64;
}

TIntegerLimits LimitsOf(TType::ECIMType type) {
    switch (type) {
        case TType::eUint8:
            return {0, 0xFF};
        case TType::eSint8:
            return {-0x80, 0x7F};
        case TType::eUint16:
            return {0, 0xFFFF};
        case TType::eSint16:
            return {-0x8000, 0x7FFF};
        case TType::eUint32:
            return {0, 0xFFFFFFFFULL};
        case TType::eSint32:
            return {-0x80000000LL, 0x7FFFFFFFULL};
        case TType::eSint64:
            return {std::numeric_limits<long long>::min(),
                    static_cast<unsigned long long>(std::numeric_limits<long long>::max())};
        default:
            return {0, std::numeric_limits<unsigned long long>::max()};
    }
}

[[noreturn]] void ThrowMismatch(const std::string& detail) {
    throw TQELException(TQELStatusCode::eTypeMismatch, detail);
}

[[noreturn]] void ThrowOutOfRange(const std::string& value) {
    ThrowMismatch("value " + value + " is out of the range of the type read");
}

template <typename T>
T FromUnsigned(unsigned long long value) {
    if (value > static_cast<unsigned long long>(std::numeric_limits<T>::max())) {
        ThrowOutOfRange(std::to_string(value));
    }
    return static_cast<T>(value);
}

template <typename T>
T FromSigned(long long value) {
    if (value >= 0) {
        return FromUnsigned<T>(static_cast<unsigned long long>(value));
    }
    if (std::is_unsigned<T>::value || value < static_cast<long long>(std::numeric_limits<T>::min())) {
        ThrowOutOfRange(std::to_string(value));
    }
    return static_cast<T>(value);
}

template <typename T>
T FromReal(double value) {
    const double truncated = std::trunc(value);
    const double limit = std::ldexp(1.0, std::numeric_limits<T>::digits);
    const double lowest = std::is_signed<T>::value ? -limit : 0.0;
    if (!(truncated >= lowest && truncated < limit)) {
        ThrowOutOfRange(NumberText::FormatReal(value, false));
    }
    return static_cast<T>(truncated);
}

template <typename T>
T ReadIntegerText(const std::string& text) {
    unsigned long long unsignedValue = 0;
    long long signedValue = 0;
    if (NumberText::ParseUnsigned(text, unsignedValue)) {
        return FromUnsigned<T>(unsignedValue);
    }
    if (NumberText::ParseSigned(text, signedValue)) {
        return FromSigned<T>(signedValue);
    }
    ThrowMismatch("text '" + text + "' is not an integer");
}

bool FitsInFloat(double value) { return !std::isfinite(value) || std::fabs(value) <= FLT_MAX; }

const std::vector<TCIMValue>& EmptyElements() {
    static const std::vector<TCIMValue> kEmpty;
    return kEmpty;
}

// Writes the data of a value as text.
class TTextWriter {
public:
    TTextWriter(TType type, unsigned char radix) : fType(type), fRadix(radix) {}

    std::string operator()(std::monostate) const { return std::string(); }
    std::string operator()(bool value) const { return value ? "TRUE" : "FALSE"; }
    std::string operator()(unsigned long long value) const {
        return fType.GetElementType() == TType::eChar16 ? TCIMChar16(static_cast<unsigned short>(value)).ToString()
                                                        : NumberText::FormatUnsigned(value, fRadix);
    }
    std::string operator()(long long value) const { return NumberText::FormatSigned(value, fRadix); }
    std::string operator()(double value) const {
        return NumberText::FormatReal(value, fType.GetElementType() == TType::eReal32);
    }
    std::string operator()(const std::string& value) const { return value; }
    std::string operator()(const TCIMDateTime& value) const { return value.ToString(); }
    std::string operator()(const std::shared_ptr<const TCIMReference>& value) const { return value->GetPath(); }
    std::string operator()(const std::vector<TCIMValue>& elements) const {
        std::string text;
        for (std::size_t i = 0; i < elements.size(); ++i) {
            text += (i == 0 ? "" : ",") + elements[i].ToString(fRadix);
        }
        return text;
    }

private:
    TType fType;
    unsigned char fRadix;
};

}  // namespace

// --- TCIMType ---------------------------------------------------------------

TType TType::GetArrayType() const {
    return (fType >= eNoType && fType < eArray) ? TType(static_cast<ECIMType>(fType + eArray)) : *this;
}

std::string TType::GetName() const {
    if (fType >= eNoType && fType < eArray) {
        return kScalarTypeNames[fType];
    }
    if (IsArray()) {
        return GetElementType().GetName() + "[]";
    }
    return "type " + std::to_string(static_cast<int>(fType));
}

std::ostream& operator<<(std::ostream& out, const TType& type) { return out << type.GetName(); }

// --- construction -------------------------------------------------------------

TCIMValue::TCIMValue() : fType(TType::eNoType) {}
TCIMValue::TCIMValue(bool value) : fType(TType::eBoolean), fData(value) {}
TCIMValue::TCIMValue(unsigned char value) : fType(TType::eUint8), fData(static_cast<unsigned long long>(value)) {}
TCIMValue::TCIMValue(signed char value) : fType(TType::eSint8), fData(static_cast<long long>(value)) {}
TCIMValue::TCIMValue(unsigned short value) : fType(TType::eUint16), fData(static_cast<unsigned long long>(value)) {}
TCIMValue::TCIMValue(short value) : fType(TType::eSint16), fData(static_cast<long long>(value)) {}
TCIMValue::TCIMValue(unsigned int value) : fType(TType::eUint32), fData(static_cast<unsigned long long>(value)) {}
TCIMValue::TCIMValue(int value) : fType(TType::eSint32), fData(static_cast<long long>(value)) {}
TCIMValue::TCIMValue(unsigned long value) : fType(TType::eUint64), fData(static_cast<unsigned long long>(value)) {}
TCIMValue::TCIMValue(long value) : fType(TType::eSint64), fData(static_cast<long long>(value)) {}
TCIMValue::TCIMValue(unsigned long long value) : fType(TType::eUint64), fData(value) {}
TCIMValue::TCIMValue(long long value) : fType(TType::eSint64), fData(value) {}
TCIMValue::TCIMValue(float value) : fType(TType::eReal32), fData(static_cast<double>(value)) {}
TCIMValue::TCIMValue(double value) : fType(TType::eReal64), fData(value) {}
TCIMValue::TCIMValue(const std::string& value) : fType(TType::eString), fData(value) {}
TCIMValue::TCIMValue(const char* value) : fType(TType::eString), fData(std::string(value ? value : "")) {}
TCIMValue::TCIMValue(const TCIMChar16& value)
    : fType(TType::eChar16), fData(static_cast<unsigned long long>(static_cast<unsigned short>(value))) {}
TCIMValue::TCIMValue(const TCIMDateTime& value) : fType(TType::eDateTime), fData(value) {}
TCIMValue::TCIMValue(const TCIMReference& value)
    : fType(TType::eReference), fData(std::make_shared<const TCIMReference>(value)) {}
TCIMValue::TCIMValue(TCIMType type, unsigned /*arraySize*/) : fType(type) {}

TCIMValue::TCIMValue(TCIMType elementType, unsigned arraySize, const std::vector<TCIMValue>& elements)
    : fType(elementType.GetElementType().GetArrayType()), fData(elements) {
    std::vector<TCIMValue>& stored = std::get<std::vector<TCIMValue>>(fData);
    if (stored.size() < arraySize) {
        stored.resize(arraySize, TCIMValue(GetElementType(), 0));
    }
    AdoptUntypedNullElements();
    CheckElements();
}

TCIMValue::TCIMValue(TCIMType type, TData data) : fType(type), fData(std::move(data)) {}

TCIMValue::TCIMValue(const TCIMValue& other) = default;
TCIMValue::TCIMValue(TCIMValue&& other) noexcept = default;
TCIMValue& TCIMValue::operator=(const TCIMValue& other) = default;
TCIMValue& TCIMValue::operator=(TCIMValue&& other) noexcept = default;
TCIMValue::~TCIMValue() = default;

void TCIMValue::AdoptUntypedNullElements() {
    for (TCIMValue& element : std::get<std::vector<TCIMValue>>(fData)) {
        if (element.IsNull() && element.fType == TType::eNoType) {
            element.fType = GetElementType();
        }
    }
}

void TCIMValue::CheckElements() const {
    for (const TCIMValue& element : std::get<std::vector<TCIMValue>>(fData)) {
        if (element.fType != GetElementType()) {
            ThrowMismatch("element of type " + element.fType.GetName() + " in an array of " + fType.GetName());
        }
    }
}

// --- reading ------------------------------------------------------------------

template <typename T>
T TCIMValue::ReadInteger() const {
    if (IsNull() && !IsArray()) {
        return 0;
    }
    if (const bool* value = std::get_if<bool>(&fData)) {
        return *value ? 1 : 0;
    }
    if (const unsigned long long* value = std::get_if<unsigned long long>(&fData)) {
        return FromUnsigned<T>(*value);
    }
    if (const long long* value = std::get_if<long long>(&fData)) {
        return FromSigned<T>(*value);
    }
    if (const double* value = std::get_if<double>(&fData)) {
        return FromReal<T>(*value);
    }
    if (const std::string* value = std::get_if<std::string>(&fData)) {
        return ReadIntegerText<T>(*value);
    }
    ThrowMismatch("a value of type " + fType.GetName() + " is not a number");
}

double TCIMValue::ReadReal() const {
    if (const double* value = std::get_if<double>(&fData)) {
        return *value;
    }
    if (const std::string* value = std::get_if<std::string>(&fData)) {
        double real = 0;
        if (!NumberText::ParseReal(*value, real)) {
            ThrowMismatch("text '" + *value + "' is not a number");
        }
        return real;
    }
    if (std::holds_alternative<long long>(fData)) {
        return static_cast<double>(std::get<long long>(fData));
    }
    return static_cast<double>(ReadInteger<unsigned long long>());
}

TCIMValue::operator bool() const {
    if (const bool* value = std::get_if<bool>(&fData)) {
        return *value;
    }
    if (const std::string* value = std::get_if<std::string>(&fData)) {
        bool result = false;
        if (!NumberText::ParseBoolean(*value, result)) {
            ThrowMismatch("text '" + *value + "' is not TRUE or FALSE");
        }
        return result;
    }
    return ReadReal() != 0.0;
}

TCIMValue::operator unsigned char() const { return ReadInteger<unsigned char>(); }
TCIMValue::operator signed char() const { return ReadInteger<signed char>(); }
TCIMValue::operator unsigned short() const { return ReadInteger<unsigned short>(); }
TCIMValue::operator short() const { return ReadInteger<short>(); }
TCIMValue::operator unsigned int() const { return ReadInteger<unsigned int>(); }
TCIMValue::operator int() const { return ReadInteger<int>(); }
TCIMValue::operator unsigned long long() const { return ReadInteger<unsigned long long>(); }
TCIMValue::operator long long() const { return ReadInteger<long long>(); }

TCIMValue::operator float() const {
    const double value = ReadReal();
    if (!FitsInFloat(value)) {
        ThrowOutOfRange(NumberText::FormatReal(value, false));
    }
    return static_cast<float>(value);
}

TCIMValue::operator double() const { return ReadReal(); }

TCIMValue::operator std::string() const { return ToString(10); }

TCIMValue::operator const std::vector<TCIMValue>&() const {
    if (const std::vector<TCIMValue>* elements = std::get_if<std::vector<TCIMValue>>(&fData)) {
        return *elements;
    }
    if (!IsArray()) {
        ThrowMismatch("a value of type " + fType.GetName() + " has no elements");
    }
    return EmptyElements();
}

TCIMValue::operator std::vector<TCIMValue>&() {
    if (!IsArray()) {
        ThrowMismatch("a value of type " + fType.GetName() + " has no elements");
    }
    if (IsNull()) {
        fData = std::vector<TCIMValue>();
    }
    return std::get<std::vector<TCIMValue>>(fData);
}

const TCIMDateTime& TCIMValue::GetDateTime() const {
    static const TCIMDateTime kNullDateTime;
    if (fType != TType::eDateTime) {
        ThrowMismatch("a value of type " + fType.GetName() + " is not a datetime");
    }
    return IsNull() ? kNullDateTime : std::get<TCIMDateTime>(fData);
}

const TCIMReference& TCIMValue::GetReference() const {
    static const TCIMReference kNullReference;
    if (fType != TType::eReference) {
        ThrowMismatch("a value of type " + fType.GetName() + " is not a reference");
    }
    return IsNull() ? kNullReference : *std::get<std::shared_ptr<const TCIMReference>>(fData);
}

// --- writing ------------------------------------------------------------------

TCIMValue TCIMValue::IntegerFromText(TCIMType type, const std::string& text) {
    const TIntegerLimits limits = LimitsOf(type);
    unsigned long long magnitude = 0;
    long long value = 0;
    if (NumberText::ParseUnsigned(text, magnitude) && magnitude <= limits.fMax) {
        return IsUnsignedInteger(type) ? TCIMValue(type, TData(magnitude))
                                       : TCIMValue(type, TData(static_cast<long long>(magnitude)));
    }
    if (IsSignedInteger(type) && NumberText::ParseSigned(text, value) && value >= limits.fMin && value < 0) {
        return TCIMValue(type, TData(value));
    }
    ThrowMismatch("text '" + text + "' is not a " + type.GetName());
}

TCIMValue TCIMValue::RealFromText(TCIMType type, const std::string& text) {
    double value = 0;
    if (!NumberText::ParseReal(text, value) || (type == TType::eReal32 && !FitsInFloat(value))) {
        ThrowMismatch("text '" + text + "' is not a " + type.GetName());
    }
    return type == TType::eReal32 ? TCIMValue(static_cast<float>(value)) : TCIMValue(value);
}

TCIMValue TCIMValue::FromText(TCIMType type, const std::string& text, const TCIMValue& old) {
    const TType::ECIMType number = type;
    if (IsUnsignedInteger(number) || IsSignedInteger(number)) {
        return IntegerFromText(type, text);
    }
    try {
        switch (number) {
            case TType::eBoolean:
                return TCIMValue(static_cast<bool>(TCIMValue(text)));
            case TType::eReal32:
            case TType::eReal64:
                return RealFromText(type, text);
            case TType::eChar16:
                return TCIMValue(TCIMChar16(text));
            case TType::eDateTime:
                return TCIMValue(TCIMDateTime(text));
            case TType::eReference: {
                TCIMReference reference = old.GetReference();
                reference.SetPath(text);
                return TCIMValue(reference);
            }
            default:
                return TCIMValue(text);
        }
    } catch (const TQELException& error) {
        ThrowMismatch("text '" + text + "' is not a " + type.GetName() + ": " + error.GetDetail());
    }
}

void TCIMValue::Set(const std::string& text) {
    if (IsArray()) {
        ThrowMismatch("an array of " + GetElementType().GetName() + " cannot be set from text");
    }
    TCIMValue value = FromText(fType, text, *this);
    fType = value.fType;
    fData = std::move(value.fData);
}

void TCIMValue::Set(const char* text) { Set(std::string(text ? text : "")); }

std::string TCIMValue::ToString(unsigned char radix) const {
    const unsigned char usedRadix = (radix >= 2 && radix <= 36) ? radix : 10;
    return std::visit(TTextWriter(fType, usedRadix), fData);
}

boost::shared_ptr<ICIMClass> TCIMValue::GetReferencedClass() const { return fReferencedClass.lock(); }

void TCIMValue::SetReferencedClass(boost::shared_ptr<ICIMClass> referencedClass) {
    fReferencedClass = referencedClass;
}

// --- comparison ---------------------------------------------------------------

bool TCIMValue::operator==(const TCIMValue& other) const {
    if (fType != other.fType || fData.index() != other.fData.index()) {
        return false;
    }
    if (const auto* reference = std::get_if<std::shared_ptr<const TCIMReference>>(&fData)) {
        return **reference == *std::get<std::shared_ptr<const TCIMReference>>(other.fData);
    }
    return fData == other.fData;
}

bool TCIMValue::operator!=(const TCIMValue& other) const { return !(*this == other); }

bool TCIMValue::operator<(const TCIMValue& other) const {
    if (fType != other.fType) {
        return fType < other.fType;
    }
    if (fData.index() != other.fData.index()) {
        return fData.index() < other.fData.index();
    }
    if (const auto* reference = std::get_if<std::shared_ptr<const TCIMReference>>(&fData)) {
        return **reference < *std::get<std::shared_ptr<const TCIMReference>>(other.fData);
    }
    if (const double* real = std::get_if<double>(&fData)) {
        const double otherReal = std::get<double>(other.fData);
        return !std::isnan(*real) && (std::isnan(otherReal) || *real < otherReal);
    }
    return fData < other.fData;
}

}  // namespace NVORNQEL20
