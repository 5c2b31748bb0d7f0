#include <Pegasus/Common/CIMParamValue.h>

#include "Uninitialized.h"

PEGASUS_NAMESPACE_BEGIN

CIMParamValue::CIMParamValue(const String& parameterName, const CIMValue& value, Boolean isTyped)
    : _name(parameterName), _value(value), _isTyped(isTyped)
{
    checkInitialized();
}

void CIMParamValue::checkInitialized() const
{
    if (isUninitialized())
        throwUninitialized("CIMParamValue");
}

const String& CIMParamValue::getParameterName() const
{
    checkInitialized();
    return _name;
}

void CIMParamValue::setParameterName(const String& parameterName)
{
    checkInitialized();
    _name = parameterName;
}

const CIMValue& CIMParamValue::getValue() const
{
    checkInitialized();
    return _value;
}

void CIMParamValue::setValue(const CIMValue& value)
{
    checkInitialized();
    _value = value;
}

Boolean CIMParamValue::isTyped() const
{
    checkInitialized();
    return _isTyped;
}

void CIMParamValue::setIsTyped(Boolean isTyped)
{
    checkInitialized();
    _isTyped = isTyped;
}

PEGASUS_NAMESPACE_END
