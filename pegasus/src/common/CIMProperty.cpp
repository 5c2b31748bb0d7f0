#include <Pegasus/Common/CIMProperty.h>

#include "NamedElementList.h"
#include "Uninitialized.h"

PEGASUS_NAMESPACE_BEGIN

class CIMPropertyExtras
{
public:
    CIMName classOrigin;
    CIMName referenceClassName;
    Uint32 arraySize = 0;
    Boolean propagated = false;
    NamedElementList<CIMQualifier> qualifiers;
};

namespace
{
const CIMPropertyExtras NO_EXTRAS;

// A property without extras reads as one whose extras are all empty.
const CIMPropertyExtras& extrasOf(const std::shared_ptr<const CIMPropertyExtras>& extras)
{
    return extras ? *extras : NO_EXTRAS;
}

bool needsExtras(Uint32 arraySize, const CIMName& referenceClassName, const CIMName& classOrigin, Boolean propagated)
{
    return arraySize != 0 || !referenceClassName.isNull() || !classOrigin.isNull() || propagated;
}
}

CIMProperty::CIMProperty(const CIMName& name,
                         const CIMValue& value,
                         Uint32 arraySize,
                         const CIMName& referenceClassName,
                         const CIMName& classOrigin,
                         Boolean propagated)
    : _name(name), _value(value)
{
    setExtras(arraySize, referenceClassName, classOrigin, propagated);
}

CIMProperty::CIMProperty(CIMName&& name,
                         CIMValue&& value,
                         Uint32 arraySize,
                         const CIMName& referenceClassName,
                         const CIMName& classOrigin,
                         Boolean propagated)
    : _name(std::move(name)), _value(std::move(value))
{
    setExtras(arraySize, referenceClassName, classOrigin, propagated);
}

void CIMProperty::setExtras(Uint32 arraySize,
                            const CIMName& referenceClassName,
                            const CIMName& classOrigin,
                            Boolean propagated)
{
    checkInitialized();
    if (needsExtras(arraySize, referenceClassName, classOrigin, propagated))
    {
        CIMPropertyExtras& e = extras();
        e.arraySize = arraySize;
        e.referenceClassName = referenceClassName;
        e.classOrigin = classOrigin;
        e.propagated = propagated;
    }
}

void CIMProperty::throwUninitialized()
{
    Pegasus::throwUninitialized("CIMProperty");
}

CIMPropertyExtras& CIMProperty::extras()
{
    if (!_extras)
        _extras = std::make_shared<CIMPropertyExtras>();
    else if (_extras.use_count() > 1)
        _extras = std::make_shared<CIMPropertyExtras>(*_extras);
    return const_cast<CIMPropertyExtras&>(*_extras);
}

void CIMProperty::setName(const CIMName& name)
{
    checkInitialized();
    if (name.isNull())
        throw InvalidNameException(String("a property name must not be null"));
    _name = name;
}

const CIMValue& CIMProperty::getValue() const
{
    checkInitialized();
    return _value;
}

void CIMProperty::setValue(const CIMValue& value)
{
    checkInitialized();
    _value = value;
}

Uint32 CIMProperty::getArraySize() const
{
    checkInitialized();
    return extrasOf(_extras).arraySize;
}

const CIMName& CIMProperty::getReferenceClassName() const
{
    checkInitialized();
    return extrasOf(_extras).referenceClassName;
}

const CIMName& CIMProperty::getClassOrigin() const
{
    checkInitialized();
    return extrasOf(_extras).classOrigin;
}

void CIMProperty::setClassOrigin(const CIMName& classOrigin)
{
    checkInitialized();
    extras().classOrigin = classOrigin;
}

Boolean CIMProperty::getPropagated() const
{
    checkInitialized();
    return extrasOf(_extras).propagated;
}

void CIMProperty::setPropagated(Boolean propagated)
{
    checkInitialized();
    extras().propagated = propagated;
}

CIMProperty& CIMProperty::addQualifier(const CIMQualifier& qualifier)
{
    checkInitialized();
    extras().qualifiers.add(qualifier);
    return *this;
}

Uint32 CIMProperty::findQualifier(const CIMName& name) const
{
    checkInitialized();
    return extrasOf(_extras).qualifiers.find(name);
}

CIMQualifier CIMProperty::getQualifier(Uint32 index)
{
    checkInitialized();
    return extrasOf(_extras).qualifiers.get(index);
}

CIMConstQualifier CIMProperty::getQualifier(Uint32 index) const
{
    checkInitialized();
    return extrasOf(_extras).qualifiers.get(index);
}

void CIMProperty::removeQualifier(Uint32 index)
{
    checkInitialized();
    extras().qualifiers.remove(index);
}

Uint32 CIMProperty::getQualifierCount() const
{
    checkInitialized();
    return extrasOf(_extras).qualifiers.size();
}

Boolean CIMProperty::identical(const CIMConstProperty& other) const
{
    const CIMProperty& o = other._property;
    if (!(_name == o._name && _value == o._value && getPropagated() == o.getPropagated()
          && getClassOrigin() == o.getClassOrigin() && getReferenceClassName() == o.getReferenceClassName()
          && getQualifierCount() == o.getQualifierCount()))
        return false;
    for (Uint32 i = 0; i < getQualifierCount(); ++i)
        if (!getQualifier(i).identical(o.getQualifier(i)))
            return false;
    return true;
}

PEGASUS_NAMESPACE_END
