#include <Pegasus/Common/CIMValue.h>

#include "TypeVisit.h"
#include "ValueText.h"
#include <Pegasus/Common/Exception.h>
#include <cstring>
#include <type_traits>

PEGASUS_NAMESPACE_BEGIN

// Holds what does not fit into the value's 64 inline bits: strings,
// datetimes, object paths and every array.
class CIMValueStore
{
public:
    virtual ~CIMValueStore() = default;
};

namespace
{
template <class T>
class TypedStore : public CIMValueStore
{
public:
    explicit TypedStore(T x) : value(std::move(x)) {}
    T value;
};

template <class T> struct TypeOf;
#define PEGASUS_TYPE_OF(T, CODE) \
    template <> struct TypeOf<T> { static constexpr CIMType type = CODE; };
PEGASUS_TYPE_OF(Boolean, CIMTYPE_BOOLEAN)
PEGASUS_TYPE_OF(Uint8, CIMTYPE_UINT8)
PEGASUS_TYPE_OF(Sint8, CIMTYPE_SINT8)
PEGASUS_TYPE_OF(Uint16, CIMTYPE_UINT16)
PEGASUS_TYPE_OF(Sint16, CIMTYPE_SINT16)
PEGASUS_TYPE_OF(Uint32, CIMTYPE_UINT32)
PEGASUS_TYPE_OF(Sint32, CIMTYPE_SINT32)
PEGASUS_TYPE_OF(Uint64, CIMTYPE_UINT64)
PEGASUS_TYPE_OF(Sint64, CIMTYPE_SINT64)
PEGASUS_TYPE_OF(Real32, CIMTYPE_REAL32)
PEGASUS_TYPE_OF(Real64, CIMTYPE_REAL64)
PEGASUS_TYPE_OF(Char16, CIMTYPE_CHAR16)
PEGASUS_TYPE_OF(String, CIMTYPE_STRING)
PEGASUS_TYPE_OF(CIMDateTime, CIMTYPE_DATETIME)
PEGASUS_TYPE_OF(CIMObjectPath, CIMTYPE_REFERENCE)
#undef PEGASUS_TYPE_OF

// Numbers, booleans and char16 sit in the inline bits.
template <class T>
constexpr bool isInline()
{
    return std::is_arithmetic<T>::value || std::is_same<T, Char16>::value;
}

template <class T>
const T& storedAs(const std::shared_ptr<const CIMValueStore>& store)
{
    return static_cast<const TypedStore<T>&>(*store).value;
}

template <class T>
T inlineAs(Uint64 bits)
{
    T x;
    std::memcpy(static_cast<void*>(&x), &bits, sizeof x);
    return x;
}

// The scalar of a non-null value, whether inline or stored.
template <class T>
T scalarOf(Uint64 bits, const std::shared_ptr<const CIMValueStore>& store)
{
    if constexpr (isInline<T>())
        return inlineAs<T>(bits);
    else
        return storedAs<T>(store);
}

// toString() writes what OpenPegasus writes, which clients compare and
// parse: a real32 widened to a real64's seventeen digits, and every array
// element followed by one blank.
template <class T>
void appendShown(std::string& out, const T& x)
{
    ValueText::append(out, x);
}

void appendShown(std::string& out, Real32 x)
{
    ValueText::appendReal64(out, x);
}

template <class T>
void appendShown(std::string& out, const Array<T>& x)
{
    for (Uint32 i = 0; i < x.size(); ++i)
    {
        appendShown(out, x[i]);
        out += ' ';
    }
}
}

CIMValue::CIMValue() : CIMValue(CIMTYPE_BOOLEAN, false)
{
}

CIMValue::CIMValue(CIMType type, Boolean isArray, Uint32) : _type(type), _isArray(isArray), _isNull(true), _bits(0)
{
}

CIMValue::CIMValue(const char* x) : CIMValue(String(x))
{
}

CIMValue::CIMValue(String&& x) : CIMValue()
{
    _type = CIMTYPE_STRING;
    _isNull = false;
    _store = std::make_shared<TypedStore<String>>(std::move(x));
}

#define PEGASUS_CIMVALUE_DEFINITIONS(T)                                        \
    CIMValue::CIMValue(const T& x) : CIMValue() { setScalar(x); }              \
    CIMValue::CIMValue(const Array<T>& x) : CIMValue() { setArray(x); }        \
    CIMValue::CIMValue(Array<T>&& x) : CIMValue() { setArray(std::move(x)); }  \
    void CIMValue::get(T& x) const { getScalar(x); }                           \
    void CIMValue::get(Array<T>& x) const { getArray(x); }                     \
    void CIMValue::set(const T& x) { setScalar(x); }                           \
    void CIMValue::set(const Array<T>& x) { setArray(x); }
PEGASUS_CIMVALUE_TYPES(PEGASUS_CIMVALUE_DEFINITIONS)
#undef PEGASUS_CIMVALUE_DEFINITIONS

void CIMValue::expect(CIMType type, Boolean isArray) const
{
    if (type != _type || isArray != _isArray)
    {
        throw TypeMismatchException(String(std::string("value of type ") + cimTypeToString(_type)
                                           + (_isArray ? "[]" : "") + " read as " + cimTypeToString(type)
                                           + (isArray ? "[]" : "")));
    }
}

template <class T>
void CIMValue::getScalar(T& x) const
{
    expect(TypeOf<T>::type, false);
    if (!_isNull)
        x = scalarOf<T>(_bits, _store);
}

template <class T>
void CIMValue::getArray(Array<T>& x) const
{
    expect(TypeOf<T>::type, true);
    if (!_isNull)
        x = storedAs<Array<T>>(_store);
}

template <class T>
void CIMValue::setScalar(const T& x)
{
    _type = TypeOf<T>::type;
    _isArray = false;
    _isNull = false;
    _bits = 0;
    _store.reset();
    if constexpr (isInline<T>())
        std::memcpy(&_bits, static_cast<const void*>(&x), sizeof x);
    else
        _store = std::make_shared<TypedStore<T>>(x);
}

template <class T>
void CIMValue::setArray(Array<T> x)
{
    _type = TypeOf<T>::type;
    _isArray = true;
    _isNull = false;
    _bits = 0;
    _store = std::make_shared<TypedStore<Array<T>>>(std::move(x));
}

Uint32 CIMValue::getArraySize() const
{
    Uint32 size = 0;
    if (_isArray && !_isNull)
        visitCIMType(_type, [&](auto tag) { size = storedAs<Array<typename decltype(tag)::type>>(_store).size(); });
    return size;
}

Boolean CIMValue::typeCompatible(const CIMValue& other) const
{
    return _type == other._type && _isArray == other._isArray;
}

void CIMValue::setNullValue(CIMType type, Boolean isArray, Uint32)
{
    *this = CIMValue(type, isArray);
}

String CIMValue::toString() const
{
    std::string out;
    if (_isNull)
        return String();
    visitCIMType(_type, [&](auto tag) {
        using T = typename decltype(tag)::type;
        if (_isArray)
            appendShown(out, storedAs<Array<T>>(_store));
        else
            appendShown(out, scalarOf<T>(_bits, _store));
    });
    return String(std::move(out));
}

Boolean CIMValue::equal(const CIMValue& other) const
{
    if (!typeCompatible(other) || _isNull != other._isNull)
        return false;
    if (_isNull)
        return true;
    Boolean same = false;
    visitCIMType(_type, [&](auto tag) {
        using T = typename decltype(tag)::type;
        if (_isArray)
            same = storedAs<Array<T>>(_store) == storedAs<Array<T>>(other._store);
        else
            same = scalarOf<T>(_bits, _store) == scalarOf<T>(other._bits, other._store);
    });
    return same;
}

Boolean operator==(const CIMValue& a, const CIMValue& b)
{
    return a.equal(b);
}

Boolean operator!=(const CIMValue& a, const CIMValue& b)
{
    return !a.equal(b);
}

PEGASUS_NAMESPACE_END
