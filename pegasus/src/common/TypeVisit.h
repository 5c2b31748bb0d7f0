#ifndef Pegasus_TypeVisit_h
#define Pegasus_TypeVisit_h

#include <Pegasus/Common/CIMDateTime.h>
#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/CIMType.h>
#include <Pegasus/Common/Char16.h>
#include <Pegasus/Common/String.h>

PEGASUS_NAMESPACE_BEGIN

template <class T> struct TypeTag { using type = T; };

// Calls f with a TypeTag of the C++ element type that carries a CIM type
// and returns what f returns; object and instance types, which have none,
// call nothing and return a default-made result.
template <class F>
auto visitCIMType(CIMType type, F&& f) -> decltype(f(TypeTag<Boolean>()))
{
    using Result = decltype(f(TypeTag<Boolean>()));
    switch (type)
    {
    case CIMTYPE_BOOLEAN: return f(TypeTag<Boolean>());
    case CIMTYPE_UINT8: return f(TypeTag<Uint8>());
    case CIMTYPE_SINT8: return f(TypeTag<Sint8>());
    case CIMTYPE_UINT16: return f(TypeTag<Uint16>());
    case CIMTYPE_SINT16: return f(TypeTag<Sint16>());
    case CIMTYPE_UINT32: return f(TypeTag<Uint32>());
    case CIMTYPE_SINT32: return f(TypeTag<Sint32>());
    case CIMTYPE_UINT64: return f(TypeTag<Uint64>());
    case CIMTYPE_SINT64: return f(TypeTag<Sint64>());
    case CIMTYPE_REAL32: return f(TypeTag<Real32>());
    case CIMTYPE_REAL64: return f(TypeTag<Real64>());
    case CIMTYPE_CHAR16: return f(TypeTag<Char16>());
    case CIMTYPE_STRING: return f(TypeTag<String>());
    case CIMTYPE_DATETIME: return f(TypeTag<CIMDateTime>());
    case CIMTYPE_REFERENCE: return f(TypeTag<CIMObjectPath>());
    default: return Result();
    }
}

PEGASUS_NAMESPACE_END

#endif
