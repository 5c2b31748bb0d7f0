#ifndef Pegasus_CIMValue_h
#define Pegasus_CIMValue_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/Array.h>
#include <Pegasus/Common/CIMDateTime.h>
#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/CIMType.h>
#include <Pegasus/Common/Char16.h>
#include <Pegasus/Common/String.h>
#include <memory>

PEGASUS_NAMESPACE_BEGIN

class CIMValueStore;

// Every CIM value type the library carries, scalar and array; the macro
// spares writing the same declaration once per type.
#define PEGASUS_CIMVALUE_TYPES(X) \
    X(Boolean) X(Uint8) X(Sint8) X(Uint16) X(Sint16) X(Uint32) X(Sint32) \
    X(Uint64) X(Sint64) X(Real32) X(Real64) X(Char16) X(String) \
    X(CIMDateTime) X(CIMObjectPath)

// A typed CIM value: one element or an array, possibly null. get() throws
// TypeMismatchException when the C++ type does not match the value's CIM
// type and array flag, and leaves its argument unchanged for a null value;
// set() replaces type and value. Copies share the (immutable) storage.
class PEGASUS_COMMON_LINKAGE CIMValue
{
public:
    // A null boolean scalar.
    CIMValue();
    // A null value of that type.
    CIMValue(CIMType type, Boolean isArray, Uint32 arraySize = 0);
    CIMValue(const char* x);
    CIMValue(String&& x);

#define PEGASUS_CIMVALUE_MEMBERS(T)      \
    CIMValue(const T& x);                \
    CIMValue(const Array<T>& x);         \
    CIMValue(Array<T>&& x);              \
    void get(T& x) const;                \
    void get(Array<T>& x) const;         \
    void set(const T& x);                \
    void set(const Array<T>& x);
    PEGASUS_CIMVALUE_TYPES(PEGASUS_CIMVALUE_MEMBERS)
#undef PEGASUS_CIMVALUE_MEMBERS

    CIMType getType() const { return _type; }
    Boolean isArray() const { return _isArray; }
    Boolean isNull() const { return _isNull; }
    Uint32 getArraySize() const;
    Boolean typeCompatible(const CIMValue& other) const;

    void set(const char* x) { set(String(x)); }
    void setNullValue(CIMType type, Boolean isArray, Uint32 arraySize = 0);
    void clear() { setNullValue(CIMTYPE_BOOLEAN, false); }

    // The text OpenPegasus writes: booleans as TRUE/FALSE, integers in
    // decimal, real32 and real64 as "%.16e" of the real64 (INF, -INF and
    // NaN for the non-finite values), char16 as the character, strings as
    // they are, datetimes and references in their text form; each array
    // element followed by one blank ("2 6 "); "" for null.
    String toString() const;
    Boolean equal(const CIMValue& other) const;

private:
    template <class T> void getScalar(T& x) const;
    template <class T> void getArray(Array<T>& x) const;
    template <class T> void setScalar(const T& x);
    template <class T> void setArray(Array<T> x);
    void expect(CIMType type, Boolean isArray) const;

    CIMType _type;
    Boolean _isArray;
    Boolean _isNull;
    Uint64 _bits;
    std::shared_ptr<const CIMValueStore> _store;
};

PEGASUS_COMMON_LINKAGE Boolean operator==(const CIMValue& a, const CIMValue& b);
PEGASUS_COMMON_LINKAGE Boolean operator!=(const CIMValue& a, const CIMValue& b);

PEGASUS_NAMESPACE_END

#endif
