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
    CIMProperty getProperty(Uint32 index) const;
    Uint32 getPropertyCount() const;
    Uint32 findQualifier(const CIMName& name) const;
    CIMQualifier getQualifier(Uint32 index) const;
    Uint32 getQualifierCount() const;

private:
    CIMClass _class;
    CIMInstance _instance;
};

PEGASUS_NAMESPACE_END

#endif
