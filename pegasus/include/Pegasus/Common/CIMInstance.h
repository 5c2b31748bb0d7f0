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
    CIMQualifier getQualifier(Uint32 index) const;
    void removeQualifier(Uint32 index);
    Uint32 getQualifierCount() const;

    CIMInstance& addProperty(const CIMProperty& property);
    CIMInstance& addProperty(CIMProperty&& property);
    Uint32 findProperty(const CIMName& name) const;
    CIMProperty getProperty(Uint32 index) const;
    void removeProperty(Uint32 index);
    Uint32 getPropertyCount() const;

private:
    CIMInstanceRep& rep() const;
    std::shared_ptr<CIMInstanceRep> _rep;
};

PEGASUS_NAMESPACE_END

#endif
