#include <Pegasus/Common/CIMQualifier.h>

#include "Uninitialized.h"

PEGASUS_NAMESPACE_BEGIN

CIMQualifier::CIMQualifier(const CIMName& name, CIMValue value, const CIMFlavor& flavor, Boolean propagated)
    : _name(name), _value(std::move(value)), _flavor(flavor), _propagated(propagated)
{
    checkInitialized();
}

void CIMQualifier::checkInitialized() const
{
    if (isUninitialized())
        throwUninitialized("CIMQualifier");
}

const CIMName& CIMQualifier::getName() const
{
    checkInitialized();
    return _name;
}

void CIMQualifier::setName(const CIMName& name)
{
    checkInitialized();
    if (name.isNull())
        throw InvalidNameException(String("a qualifier name must not be null"));
    _name = name;
}

const CIMValue& CIMQualifier::getValue() const
{
    checkInitialized();
    return _value;
}

void CIMQualifier::setValue(const CIMValue& value)
{
    checkInitialized();
    _value = value;
}

const CIMFlavor& CIMQualifier::getFlavor() const
{
    checkInitialized();
    return _flavor;
}

void CIMQualifier::setFlavor(const CIMFlavor& flavor)
{
    checkInitialized();
    _flavor = flavor;
}

Boolean CIMQualifier::getPropagated() const
{
    checkInitialized();
    return _propagated;
}

void CIMQualifier::setPropagated(Boolean propagated)
{
    checkInitialized();
    _propagated = propagated;
}

Boolean CIMQualifier::identical(const CIMConstQualifier& other) const
{
    const CIMQualifier& o = other._qualifier;
    return _name == o._name && _value == o._value && _flavor == o._flavor && _propagated == o._propagated;
}

PEGASUS_NAMESPACE_END
