#include <Pegasus/Common/CIMObject.h>

#include "Uninitialized.h"

PEGASUS_NAMESPACE_BEGIN

namespace
{
// Calls f with whichever of the class or the instance the object holds.
template <class F>
decltype(auto) withElement(const CIMClass& cimClass, const CIMInstance& instance, F&& f)
{
    if (!cimClass.isUninitialized())
        return f(cimClass);
    if (!instance.isUninitialized())
        return f(instance);
    throwUninitialized("CIMObject");
}
}

CIMObject CIMObject::clone() const
{
    return withElement(_class, _instance, [](const auto& e) { return CIMObject(e.clone()); });
}

const CIMClass& CIMObject::asClass() const
{
    if (!isClass())
        throw DynamicCastFailedException(String("the object is not a class"));
    return _class;
}

const CIMInstance& CIMObject::asInstance() const
{
    if (!isInstance())
        throw DynamicCastFailedException(String("the object is not an instance"));
    return _instance;
}

const CIMName& CIMObject::getClassName() const
{
    return withElement(_class, _instance, [](const auto& e) -> const CIMName& { return e.getClassName(); });
}

const CIMObjectPath& CIMObject::getPath() const
{
    return withElement(_class, _instance, [](const auto& e) -> const CIMObjectPath& { return e.getPath(); });
}

void CIMObject::setPath(const CIMObjectPath& path)
{
    withElement(_class, _instance, [&](auto e) { e.setPath(path); });
}

Uint32 CIMObject::findProperty(const CIMName& name) const
{
    return withElement(_class, _instance, [&](const auto& e) { return e.findProperty(name); });
}

CIMProperty CIMObject::getProperty(Uint32 index)
{
    return withElement(_class, _instance, [&](auto e) { return e.getProperty(index); });
}

CIMConstProperty CIMObject::getProperty(Uint32 index) const
{
    return withElement(_class, _instance, [&](const auto& e) { return e.getProperty(index); });
}

Uint32 CIMObject::getPropertyCount() const
{
    return withElement(_class, _instance, [](const auto& e) { return e.getPropertyCount(); });
}

Uint32 CIMObject::findQualifier(const CIMName& name) const
{
    return withElement(_class, _instance, [&](const auto& e) { return e.findQualifier(name); });
}

CIMQualifier CIMObject::getQualifier(Uint32 index)
{
    return withElement(_class, _instance, [&](auto e) { return e.getQualifier(index); });
}

CIMConstQualifier CIMObject::getQualifier(Uint32 index) const
{
    return withElement(_class, _instance, [&](const auto& e) { return e.getQualifier(index); });
}

Uint32 CIMObject::getQualifierCount() const
{
    return withElement(_class, _instance, [](const auto& e) { return e.getQualifierCount(); });
}

PEGASUS_NAMESPACE_END
