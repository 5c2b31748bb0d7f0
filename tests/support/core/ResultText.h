#ifndef TestSupport_ResultText_h
#define TestSupport_ResultText_h

#include <Pegasus/Client/CIMClient.h>
#include <string>

// A canonical text of what an operation returned, so that two servers'
// answers to the same request can be compared object for object. Elements
// inside an object keep their order; the objects of an enumeration are
// sorted, since servers may return them in any order.
namespace ResultText
{
std::string of(const Pegasus::CIMValue& value);
std::string of(const Pegasus::CIMClass& cimClass);
std::string of(const Pegasus::CIMInstance& instance);
std::string of(const Pegasus::CIMObjectPath& path);
std::string of(const Pegasus::CIMName& name);
std::string of(const Pegasus::CIMObject& object);

template <typename T>
std::string of(const Pegasus::Array<T>& objects);

std::string ofMethodResult(const Pegasus::CIMValue& returned, const Pegasus::Array<Pegasus::CIMParamValue>& out);
}

#endif
