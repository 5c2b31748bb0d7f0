#include "convert/ValueConversion.h"

#include <utility>

#include <Pegasus/Common/CIMDateTime.h>
#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/Char16.h>
#include <Pegasus/Common/String.h>

#include <qel/ICIMNamespace.h>
#include <qel/TCIMReference.h>

namespace NVORNQEL20 {

namespace {

const int kScalarOffset = 1;
const int kArrayOffset = 17;

template <typename T>
struct TNative {
    typedef T type;
};

// Calls visit with the native client type of the element type, for
// boolean to datetime; other types are not visited.
template <typename TVisit>
void VisitElementType(Pegasus::CIMType type, TVisit visit)
{
    switch (type) {
    case Pegasus::CIMTYPE_BOOLEAN: return visit(TNative<Pegasus::Boolean>());
    case Pegasus::CIMTYPE_UINT8: return visit(TNative<Pegasus::Uint8>());
    case Pegasus::CIMTYPE_SINT8: return visit(TNative<Pegasus::Sint8>());
    case Pegasus::CIMTYPE_UINT16: return visit(TNative<Pegasus::Uint16>());
    case Pegasus::CIMTYPE_SINT16: return visit(TNative<Pegasus::Sint16>());
    case Pegasus::CIMTYPE_UINT32: return visit(TNative<Pegasus::Uint32>());
    case Pegasus::CIMTYPE_SINT32: return visit(TNative<Pegasus::Sint32>());
    case Pegasus::CIMTYPE_UINT64: return visit(TNative<Pegasus::Uint64>());
    case Pegasus::CIMTYPE_SINT64: return visit(TNative<Pegasus::Sint64>());
    case Pegasus::CIMTYPE_REAL32: return visit(TNative<Pegasus::Real32>());
    case Pegasus::CIMTYPE_REAL64: return visit(TNative<Pegasus::Real64>());
    case Pegasus::CIMTYPE_CHAR16: return visit(TNative<Pegasus::Char16>());
    case Pegasus::CIMTYPE_STRING: return visit(TNative<Pegasus::String>());
    case Pegasus::CIMTYPE_DATETIME: return visit(TNative<Pegasus::CIMDateTime>());
    default: return;
    }
}

template <typename T>
T Read(const Pegasus::CIMValue& value)
{
    T holder = T();
    value.get(holder);
    return holder;
}

// Numbers and booleans convert as they are.
template <typename T>
TCIMValue HostElement(const T& element, TStreamText&)
{
    return TCIMValue(element);
}

// A char16 travels as the decimal text of its code.
TCIMValue HostElement(const Pegasus::Char16& element, TStreamText& text)
{
    return TCIMValue(TCIMChar16(text(static_cast<unsigned short>(element))));
}

// The client library's stream output writes the string's UTF-8 unchanged.
TCIMValue HostElement(const Pegasus::String& element, TStreamText& text)
{
    return TCIMValue(text(element));
}

TCIMValue HostElement(const Pegasus::CIMDateTime& element, TStreamText& text)
{
    return TCIMValue(TCIMDateTime(text(element.toString())));
}

TCIMValue HostDateTime(const Pegasus::CIMDateTime& dateTime)
{
    return TCIMValue(TCIMDateTime(std::string(dateTime.toString().getCString())));
}

TCIMValue HostReference(const Pegasus::CIMValue& value, const boost::shared_ptr<ICIMClass>& cls)
{
    TCIMReference reference{boost::shared_ptr<ICIMNamespace>(), TCIMContext()};
    reference.SetNamespace(cls->GetNamespace(TCIMContext()));
    reference.SetPath(std::string(Read<Pegasus::CIMObjectPath>(value).toString().getCString()));
    return TCIMValue(reference);
}

void ScalarToQEL(const Pegasus::CIMValue& value, Pegasus::CIMType type, TCIMValue& out,
                 const boost::shared_ptr<ICIMClass>& cls, TStreamText& text)
{
    switch (type) {
    case Pegasus::CIMTYPE_BOOLEAN:
        out = TCIMValue(value == Pegasus::CIMValue(true));
        return;
    case Pegasus::CIMTYPE_STRING:
        out = TCIMValue(static_cast<const char*>(Read<Pegasus::String>(value).getCString()));
        return;
    case Pegasus::CIMTYPE_DATETIME:
        out = HostDateTime(Read<Pegasus::CIMDateTime>(value));
        return;
    case Pegasus::CIMTYPE_REFERENCE:
        out = HostReference(value, cls);
        return;
    default:
        VisitElementType(type, [&](auto native) {
            out = HostElement(Read<typename decltype(native)::type>(value), text);
        });
    }
}

// The elements are built in the host array itself (its non-const element
// vector), not in a vector the array would copy: each is of the array's
// element type by the mapping of pegTypeToQELType.
void ArrayToQEL(const Pegasus::CIMValue& value, Pegasus::CIMType type, TCIMValue& out, TStreamText& text)
{
    VisitElementType(type, [&](auto native) {
        const auto items = Read<Pegasus::Array<typename decltype(native)::type>>(value);
        TCIMValue array(pegTypeToQELType(type, true), 0);
        std::vector<TCIMValue>& elements = array;
        elements.reserve(items.size());
        for (Pegasus::Uint32 i = 0; i < items.size(); ++i)
            elements.push_back(HostElement(items[i], text));
        out = std::move(array);
    });
}

template <typename T>
void SetScalar(const TCIMValue& value, Pegasus::CIMValue& out)
{
    out.set(static_cast<T>(value));
}

template <typename T>
void SetFromText(const TCIMValue& value, Pegasus::CIMValue& out)
{
    out.set(T(Pegasus::String(value.ToString(10))));
}

void ScalarToPeg(const TCIMValue& value, Pegasus::CIMValue& out)
{
    switch (value.GetType()) {
    case TCIMValue::TCIMType::eBoolean: out = Pegasus::CIMValue(static_cast<bool>(value)); return;
    case TCIMValue::TCIMType::eUint8: return SetScalar<unsigned char>(value, out);
    case TCIMValue::TCIMType::eSint8: return SetScalar<signed char>(value, out);
    case TCIMValue::TCIMType::eUint16: return SetScalar<unsigned short>(value, out);
    case TCIMValue::TCIMType::eSint16: return SetScalar<short>(value, out);
    case TCIMValue::TCIMType::eUint32: return SetScalar<unsigned int>(value, out);
    case TCIMValue::TCIMType::eSint32: return SetScalar<int>(value, out);
    case TCIMValue::TCIMType::eUint64: return SetScalar<unsigned long long>(value, out);
    case TCIMValue::TCIMType::eSint64: return SetScalar<long long>(value, out);
    case TCIMValue::TCIMType::eReal32: return SetScalar<float>(value, out);
    case TCIMValue::TCIMType::eReal64: return SetScalar<double>(value, out);
    case TCIMValue::TCIMType::eChar16: out.set(Pegasus::Char16(static_cast<unsigned short>(value))); return;
    case TCIMValue::TCIMType::eString: return SetFromText<Pegasus::String>(value, out);
    case TCIMValue::TCIMType::eDateTime: return SetFromText<Pegasus::CIMDateTime>(value, out);
    case TCIMValue::TCIMType::eReference: return SetFromText<Pegasus::CIMObjectPath>(value, out);
    default: return;
    }
}

// Strings and datetimes are built from each element's text.
template <typename T>
void TextArrayToPeg(const TCIMValue& value, Pegasus::CIMValue& out)
{
    const std::vector<TCIMValue>& elements = value;
    Pegasus::Array<T> converted;
    converted.reserveCapacity(static_cast<Pegasus::Uint32>(elements.size()));
    for (const TCIMValue& element : elements)
        converted.append(T(Pegasus::String(static_cast<std::string>(element))));
    out.set(converted);
}

void ArrayToPeg(const TCIMValue& value, Pegasus::CIMValue& out)
{
    // The host reports an array value's full type number (29 for an array
    // of strings), as declarations do; the conversion switches on the
    // element number, which GetElementType gives.
    switch (value.GetElementType()) {
    case TCIMValue::TCIMType::eBoolean: return qelArrayToPeg(value, out, Pegasus::Boolean(), Pegasus::Boolean());
    case TCIMValue::TCIMType::eUint8: return qelArrayToPeg(value, out, Pegasus::Uint8(), Pegasus::Uint8());
    case TCIMValue::TCIMType::eSint8: return qelArrayToPeg(value, out, Pegasus::Sint8(), Pegasus::Sint8());
    case TCIMValue::TCIMType::eUint16: return qelArrayToPeg(value, out, Pegasus::Uint16(), Pegasus::Uint16());
    case TCIMValue::TCIMType::eSint16: return qelArrayToPeg(value, out, Pegasus::Sint16(), Pegasus::Sint16());
    case TCIMValue::TCIMType::eUint32: return qelArrayToPeg(value, out, Pegasus::Uint32(), Pegasus::Uint32());
    case TCIMValue::TCIMType::eSint32: return qelArrayToPeg(value, out, Pegasus::Sint32(), Pegasus::Sint32());
    case TCIMValue::TCIMType::eUint64: return qelArrayToPeg(value, out, Pegasus::Uint64(), Pegasus::Uint64());
    case TCIMValue::TCIMType::eSint64: return qelArrayToPeg(value, out, Pegasus::Sint64(), Pegasus::Sint64());
    case TCIMValue::TCIMType::eReal32: return qelArrayToPeg(value, out, Pegasus::Real32(), Pegasus::Real32());
    case TCIMValue::TCIMType::eReal64: return qelArrayToPeg(value, out, Pegasus::Real64(), Pegasus::Real64());
    case TCIMValue::TCIMType::eChar16: return qelArrayToPeg(value, out, Pegasus::Uint16(), Pegasus::Char16());
    case TCIMValue::TCIMType::eString: return TextArrayToPeg<Pegasus::String>(value, out);
    case TCIMValue::TCIMType::eDateTime: return TextArrayToPeg<Pegasus::CIMDateTime>(value, out);
    default: return;
    }
}

}  // namespace

TCIMValue::TCIMType pegTypeToQELType(Pegasus::CIMType type, bool isArray)
{
    const bool known = type >= Pegasus::CIMTYPE_BOOLEAN && type <= Pegasus::CIMTYPE_REFERENCE;
    if (isArray)
        return static_cast<TCIMValue::TCIMType::ECIMType>(known ? type + kArrayOffset : TCIMValue::TCIMType::eArray);
    return static_cast<TCIMValue::TCIMType::ECIMType>(known ? type + kScalarOffset : TCIMValue::TCIMType::eNoType);
}

void pegValToQEL(std::string name, Pegasus::CIMValue value, Pegasus::CIMType type, bool isArray, TCIMValue& out,
                 boost::shared_ptr<ICIMClass> cls)
{
    TStreamText text;
    pegValToQEL(std::move(name), std::move(value), type, isArray, out, std::move(cls), text);
}

void pegValToQEL(std::string, Pegasus::CIMValue value, Pegasus::CIMType type, bool isArray, TCIMValue& out,
                 boost::shared_ptr<ICIMClass> cls, TStreamText& text)
{
    if (isArray)
        ArrayToQEL(value, type, out, text);
    else
        ScalarToQEL(value, type, out, cls, text);
}

void qelValToPeg(TCIMValue const& value, Pegasus::CIMValue& out)
{
    if (value.IsArray())
        ArrayToPeg(value, out);
    else
        ScalarToPeg(value, out);
}

}  // namespace NVORNQEL20
