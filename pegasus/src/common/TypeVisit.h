#ifndef Pegasus_TypeVisit_h
#define Pegasus_TypeVisit_h

#include <Pegasus/Common/CIMDateTime.h>
#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/CIMType.h>
#include <Pegasus/Common/Char16.h>
#include <Pegasus/Common/String.h>

PEGASUS_NAMESPACE_BEGIN

template <class T> struct TypeTag { using type = T; };

// Calls f with a TypeTag of the C++ element type that carries a CIM type;
// object and instance types, which have none, call nothing.
template <class F>
void visitCIMType(CIMType type, F&& f)
{
    switch (type)
    {
    case CIMTYPE_BOOLEAN: f(TypeTag<Boolean>()); break;
    case CIMTYPE_UINT8: f(TypeTag<Uint8>()); break;
    case CIMTYPE_SINT8: f(TypeTag<Sint8>()); break;
    case CIMTYPE_UINT16: f(TypeTag<Uint16>()); break;
    case CIMTYPE_SINT16: f(TypeTag<Sint16>()); break;
    case CIMTYPE_UINT32: f(TypeTag<Uint32>()); break;
    case CIMTYPE_SINT32: f(TypeTag<Sint32>()); break;
    case CIMTYPE_UINT64: f(TypeTag<Uint64>()); break;
    case CIMTYPE_SINT64: f(TypeTag<Sint64>()); break;
    case CIMTYPE_REAL32: f(TypeTag<Real32>()); break;
    case CIMTYPE_REAL64: f(TypeTag<Real64>()); break;
    case CIMTYPE_CHAR16: f(TypeTag<Char16>()); break;
    case CIMTYPE_STRING: f(TypeTag<String>()); break;
    case CIMTYPE_DATETIME: f(TypeTag<CIMDateTime>()); break;
    case CIMTYPE_REFERENCE: f(TypeTag<CIMObjectPath>()); break;
    default: break;
    }
}

PEGASUS_NAMESPACE_END

#endif
