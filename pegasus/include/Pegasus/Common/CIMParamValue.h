#ifndef Pegasus_CIMParamValue_h
#define Pegasus_CIMParamValue_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/CIMValue.h>
#include <Pegasus/Common/String.h>

PEGASUS_NAMESPACE_BEGIN

// A named argument or result of a method call. An untyped value is sent
// without a PARAMTYPE and was received without one.
class PEGASUS_COMMON_LINKAGE CIMParamValue
{
public:
    CIMParamValue() = default;
    CIMParamValue(const String& parameterName, const CIMValue& value, Boolean isTyped = true);

    Boolean isUninitialized() const { return _name.size() == 0; }
    const String& getParameterName() const;
    void setParameterName(const String& parameterName);
    const CIMValue& getValue() const;
    void setValue(const CIMValue& value);
    Boolean isTyped() const;
    void setIsTyped(Boolean isTyped);

private:
    void checkInitialized() const;

    String _name;
    CIMValue _value;
    Boolean _isTyped = true;
};

PEGASUS_NAMESPACE_END

#endif
