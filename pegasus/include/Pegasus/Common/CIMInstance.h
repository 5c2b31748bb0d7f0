#ifndef Pegasus_CIMInstance_h
#define Pegasus_CIMInstance_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/CIMProperty.h>
#include <Pegasus/Common/CIMQualifier.h>
#include <memory>

PEGASUS_NAMESPACE_BEGIN

class CIMObject;
class CIMConstObject;
class CIMInstanceRep;

// An instance: class name, path, qualifiers and property values. Copies
// share their representation (use clone() for an independent copy).
// A default-constructed instance is uninitialised; its accessors throw
// UninitializedObjectException.
class PEGASUS_COMMON_LINKAGE CIMInstance
{
public:
    CIMInstance() = default;
    explicit CIMInstance(const CIMName& className);
    // Throws DynamicCastFailedException when the object is a class.
    CIMInstance(const CIMObject& object);

    Boolean isUninitialized() const { return !_rep; }
    CIMInstance clone() const;

    const CIMName& getClassName() const;
    const CIMObjectPath& getPath() const;
    void setPath(const CIMObjectPath& path);
    void setPath(CIMObjectPath&& path);

    CIMInstance& addQualifier(const CIMQualifier& qualifier);
    Uint32 findQualifier(const CIMName& name) const;
    CIMQualifier getQualifier(Uint32 index);
    CIMConstQualifier getQualifier(Uint32 index) const;
    void removeQualifier(Uint32 index);
    Uint32 getQualifierCount() const;

    CIMInstance& addProperty(const CIMProperty& property);
    CIMInstance& addProperty(CIMProperty&& property);
    // Room for this many properties in all, so that adding them allocates
    // once and no more than needed (beyond the OpenPegasus API).
    void reservePropertyCapacity(Uint32 capacity);
    Uint32 findProperty(const CIMName& name) const;
    CIMProperty getProperty(Uint32 index);
    CIMConstProperty getProperty(Uint32 index) const;
    void removeProperty(Uint32 index);
    Uint32 getPropertyCount() const;

private:
    CIMInstanceRep& rep() const;
    std::shared_ptr<CIMInstanceRep> _rep;
};

// An instance that is only read: what clients hand around when they do not
// change it. Built from a CIMInstance, whose representation it shares; its
// properties and qualifiers come as const views too.
class PEGASUS_COMMON_LINKAGE CIMConstInstance
{
public:
    CIMConstInstance() = default;
    CIMConstInstance(const CIMInstance& instance) : _instance(instance) {}
    explicit CIMConstInstance(const CIMName& className) : _instance(className) {}
    // Throw DynamicCastFailedException when the object is a class.
    CIMConstInstance(const CIMObject& object);
    CIMConstInstance(const CIMConstObject& object);

    Boolean isUninitialized() const { return _instance.isUninitialized(); }
    CIMInstance clone() const { return _instance.clone(); }

    const CIMName& getClassName() const { return _instance.getClassName(); }
    const CIMObjectPath& getPath() const { return _instance.getPath(); }

    Uint32 findQualifier(const CIMName& name) const { return _instance.findQualifier(name); }
    CIMConstQualifier getQualifier(Uint32 index) const { return _instance.getQualifier(index); }
    Uint32 getQualifierCount() const { return _instance.getQualifierCount(); }

    Uint32 findProperty(const CIMName& name) const { return _instance.findProperty(name); }
    CIMConstProperty getProperty(Uint32 index) const { return _instance.getProperty(index); }
    Uint32 getPropertyCount() const { return _instance.getPropertyCount(); }

private:
    friend class CIMConstObject;
    CIMInstance _instance;
};

PEGASUS_NAMESPACE_END

#endif
