#ifndef Pegasus_CIMQualifier_h
#define Pegasus_CIMQualifier_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/CIMFlavor.h>
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMValue.h>

PEGASUS_NAMESPACE_BEGIN

// A qualifier value on a class, instance, property, method or parameter.
// A default-constructed qualifier is uninitialised; its accessors throw
// UninitializedObjectException.
class PEGASUS_COMMON_LINKAGE CIMQualifier
{
public:
    CIMQualifier() = default;
    CIMQualifier(const CIMName& name,
                 const CIMValue& value,
                 const CIMFlavor& flavor = CIMFlavor(),
                 Boolean propagated = false);

    Boolean isUninitialized() const { return _name.isNull(); }
    const CIMName& getName() const;
    void setName(const CIMName& name);
    CIMType getType() const { return getValue().getType(); }
    Boolean isArray() const { return getValue().isArray(); }
    const CIMValue& getValue() const;
    void setValue(const CIMValue& value);
    const CIMFlavor& getFlavor() const;
    void setFlavor(const CIMFlavor& flavor);
    Boolean getPropagated() const;
    void setPropagated(Boolean propagated);
    Boolean identical(const CIMQualifier& other) const;

private:
    void checkInitialized() const;

    CIMName _name;
    CIMValue _value;
    CIMFlavor _flavor;
    Boolean _propagated = false;
};

PEGASUS_NAMESPACE_END

#endif
