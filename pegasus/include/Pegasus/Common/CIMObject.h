#ifndef Pegasus_CIMObject_h
#define Pegasus_CIMObject_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/CIMClass.h>
#include <Pegasus/Common/CIMInstance.h>

PEGASUS_NAMESPACE_BEGIN

// A class or an instance, as the association operations return them.
// A default-constructed object is uninitialised.
class PEGASUS_COMMON_LINKAGE CIMObject
{
public:
    CIMObject() = default;
    CIMObject(const CIMClass& cimClass) : _class(cimClass) {}
    CIMObject(const CIMInstance& instance) : _instance(instance) {}

    // An independent copy of the class or instance.
    CIMObject clone() const;

    Boolean isUninitialized() const { return _class.isUninitialized() && _instance.isUninitialized(); }
    Boolean isClass() const { return !_class.isUninitialized(); }
    Boolean isInstance() const { return !_instance.isUninitialized(); }
    // Throws DynamicCastFailedException when the object is not of that kind.
    const CIMClass& asClass() const;
    const CIMInstance& asInstance() const;

    const CIMName& getClassName() const;
    const CIMObjectPath& getPath() const;
    void setPath(const CIMObjectPath& path);
    Uint32 findProperty(const CIMName& name) const;
    CIMProperty getProperty(Uint32 index);
    CIMConstProperty getProperty(Uint32 index) const;
    Uint32 getPropertyCount() const;
    Uint32 findQualifier(const CIMName& name) const;
    CIMQualifier getQualifier(Uint32 index);
    CIMConstQualifier getQualifier(Uint32 index) const;
    Uint32 getQualifierCount() const;

private:
    CIMClass _class;
    CIMInstance _instance;
};

// A class or an instance that is only read. Built from either, or from a
// CIMObject, whose class or instance it shares.
class PEGASUS_COMMON_LINKAGE CIMConstObject
{
public:
    CIMConstObject() = default;
    CIMConstObject(const CIMObject& object) : _object(object) {}
    CIMConstObject(const CIMClass& cimClass) : _object(cimClass) {}
    CIMConstObject(const CIMInstance& instance) : _object(instance) {}
    CIMConstObject(const CIMConstClass& cimClass) : _object(cimClass._class) {}
    CIMConstObject(const CIMConstInstance& instance) : _object(instance._instance) {}

    Boolean isUninitialized() const { return _object.isUninitialized(); }
    Boolean isClass() const { return _object.isClass(); }
    Boolean isInstance() const { return _object.isInstance(); }
    CIMObject clone() const { return _object.clone(); }

    const CIMName& getClassName() const { return _object.getClassName(); }
    const CIMObjectPath& getPath() const { return _object.getPath(); }
    Uint32 findProperty(const CIMName& name) const { return _object.findProperty(name); }
    CIMConstProperty getProperty(Uint32 index) const { return _object.getProperty(index); }
    Uint32 getPropertyCount() const { return _object.getPropertyCount(); }
    Uint32 findQualifier(const CIMName& name) const { return _object.findQualifier(name); }
    CIMConstQualifier getQualifier(Uint32 index) const { return _object.getQualifier(index); }
    Uint32 getQualifierCount() const { return _object.getQualifierCount(); }

private:
    friend class CIMConstClass;
    friend class CIMConstInstance;
    CIMObject _object;
};

PEGASUS_NAMESPACE_END

#endif
