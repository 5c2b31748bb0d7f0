#ifndef Pegasus_CIMQualifier_h
#define Pegasus_CIMQualifier_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/CIMFlavor.h>
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMValue.h>

PEGASUS_NAMESPACE_BEGIN

class CIMConstQualifier;

// A qualifier value on a class, instance, property, method or parameter.
// A default-constructed qualifier is uninitialised; its accessors throw
// UninitializedObjectException.
class PEGASUS_COMMON_LINKAGE CIMQualifier
{
public:
    CIMQualifier() = default;
    CIMQualifier(const CIMName& name,
                 CIMValue value,
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
    Boolean identical(const CIMConstQualifier& other) const;

private:
    void checkInitialized() const;

    CIMName _name;
    CIMValue _value;
    CIMFlavor _flavor;
    Boolean _propagated = false;
};

// A qualifier that is only read: what a const element's getQualifier()
// returns. Built from a CIMQualifier, whose value it shares.
class PEGASUS_COMMON_LINKAGE CIMConstQualifier
{
public:
    CIMConstQualifier() = default;
    CIMConstQualifier(const CIMQualifier& qualifier) : _qualifier(qualifier) {}
    CIMConstQualifier(const CIMName& name,
                      const CIMValue& value,
                      const CIMFlavor& flavor = CIMFlavor(),
                      Boolean propagated = false)
        : _qualifier(name, value, flavor, propagated)
    {
    }

    Boolean isUninitialized() const { return _qualifier.isUninitialized(); }
    const CIMName& getName() const { return _qualifier.getName(); }
    CIMType getType() const { return _qualifier.getType(); }
    Boolean isArray() const { return _qualifier.isArray(); }
    const CIMValue& getValue() const { return _qualifier.getValue(); }
    const CIMFlavor& getFlavor() const { return _qualifier.getFlavor(); }
    Boolean getPropagated() const { return _qualifier.getPropagated(); }
    Boolean identical(const CIMConstQualifier& other) const { return _qualifier.identical(other); }
    CIMQualifier clone() const { return _qualifier; }

private:
    friend class CIMQualifier;
    CIMQualifier _qualifier;
};

PEGASUS_NAMESPACE_END

#endif
