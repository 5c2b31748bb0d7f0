#ifndef Pegasus_CIMProperty_h
#define Pegasus_CIMProperty_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMQualifier.h>
#include <Pegasus/Common/CIMValue.h>
#include <memory>

PEGASUS_NAMESPACE_BEGIN

class CIMPropertyExtras;
class CIMConstProperty;

// A property of a class (declaration with default value) or of an instance
// (its value). A default-constructed property is uninitialised; its
// accessors throw UninitializedObjectException.
class PEGASUS_COMMON_LINKAGE CIMProperty
{
public:
    CIMProperty() = default;
    CIMProperty(const CIMName& name,
                const CIMValue& value,
                Uint32 arraySize = 0,
                const CIMName& referenceClassName = CIMName(),
                const CIMName& classOrigin = CIMName(),
                Boolean propagated = false);
    CIMProperty(CIMName&& name,
                CIMValue&& value,
                Uint32 arraySize = 0,
                const CIMName& referenceClassName = CIMName(),
                const CIMName& classOrigin = CIMName(),
                Boolean propagated = false);

    Boolean isUninitialized() const { return _name.isNull(); }
    const CIMName& getName() const
    {
        checkInitialized();
        return _name;
    }
    void setName(const CIMName& name);
    const CIMValue& getValue() const;
    void setValue(const CIMValue& value);
    CIMType getType() const { return getValue().getType(); }
    Boolean isArray() const { return getValue().isArray(); }
    Uint32 getArraySize() const;
    const CIMName& getReferenceClassName() const;
    const CIMName& getClassOrigin() const;
    void setClassOrigin(const CIMName& classOrigin);
    Boolean getPropagated() const;
    void setPropagated(Boolean propagated);

    CIMProperty& addQualifier(const CIMQualifier& qualifier);
    Uint32 findQualifier(const CIMName& name) const;
    CIMQualifier getQualifier(Uint32 index);
    CIMConstQualifier getQualifier(Uint32 index) const;
    void removeQualifier(Uint32 index);
    Uint32 getQualifierCount() const;

    Boolean identical(const CIMConstProperty& other) const;

private:
    void checkInitialized() const
    {
        if (isUninitialized())
            throwUninitialized();
    }
    [[noreturn]] static void throwUninitialized();
    void setExtras(Uint32 arraySize, const CIMName& referenceClassName, const CIMName& classOrigin, Boolean propagated);
    CIMPropertyExtras& extras();

    CIMName _name;
    CIMValue _value;
    // Class origin, reference class, array size, propagation and
    // qualifiers are absent from most instance properties, so they live
    // apart and are shared between copies until one of them changes.
    std::shared_ptr<const CIMPropertyExtras> _extras;
};

// A property that is only read: what a const class's or instance's
// getProperty() returns. Built from a CIMProperty, whose value and
// qualifiers it shares.
class PEGASUS_COMMON_LINKAGE CIMConstProperty
{
public:
    CIMConstProperty() = default;
    CIMConstProperty(const CIMProperty& property) : _property(property) {}
    CIMConstProperty(const CIMName& name,
                     const CIMValue& value,
                     Uint32 arraySize = 0,
                     const CIMName& referenceClassName = CIMName(),
                     const CIMName& classOrigin = CIMName(),
                     Boolean propagated = false)
        : _property(name, value, arraySize, referenceClassName, classOrigin, propagated)
    {
    }

    Boolean isUninitialized() const { return _property.isUninitialized(); }
    const CIMName& getName() const { return _property.getName(); }
    const CIMValue& getValue() const { return _property.getValue(); }
    CIMType getType() const { return _property.getType(); }
    Boolean isArray() const { return _property.isArray(); }
    Uint32 getArraySize() const { return _property.getArraySize(); }
    const CIMName& getReferenceClassName() const { return _property.getReferenceClassName(); }
    const CIMName& getClassOrigin() const { return _property.getClassOrigin(); }
    Boolean getPropagated() const { return _property.getPropagated(); }

    Uint32 findQualifier(const CIMName& name) const { return _property.findQualifier(name); }
    CIMConstQualifier getQualifier(Uint32 index) const { return _property.getQualifier(index); }
    Uint32 getQualifierCount() const { return _property.getQualifierCount(); }

    Boolean identical(const CIMConstProperty& other) const { return _property.identical(other); }
    CIMProperty clone() const { return _property; }

private:
    friend class CIMProperty;
    CIMProperty _property;
};

PEGASUS_NAMESPACE_END

#endif
