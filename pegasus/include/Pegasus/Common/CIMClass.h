#ifndef Pegasus_CIMClass_h
#define Pegasus_CIMClass_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/CIMMethod.h>
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMObjectPath.h>
#include <Pegasus/Common/CIMProperty.h>
#include <Pegasus/Common/CIMQualifier.h>
#include <memory>

PEGASUS_NAMESPACE_BEGIN

class CIMObject;
class CIMClassRep;

// A class definition: names, qualifiers, properties and methods. Copies
// share their representation (use clone() for an independent copy).
// A default-constructed class is uninitialised: isUninitialized() is true
// and every other accessor throws UninitializedObjectException.
class PEGASUS_COMMON_LINKAGE CIMClass
{
public:
    CIMClass() = default;
    explicit CIMClass(const CIMName& className, const CIMName& superClassName = CIMName());
    // Throws DynamicCastFailedException when the object is an instance.
    CIMClass(const CIMObject& object);

    Boolean isUninitialized() const { return !_rep; }
    CIMClass clone() const;

    const CIMName& getClassName() const;
    const CIMName& getSuperClassName() const;
    void setSuperClassName(const CIMName& superClassName);
    const CIMObjectPath& getPath() const;
    void setPath(const CIMObjectPath& path);
    // True when the qualifier Association (Abstract) is present and true.
    Boolean isAssociation() const;
    Boolean isAbstract() const;

    CIMClass& addQualifier(const CIMQualifier& qualifier);
    Uint32 findQualifier(const CIMName& name) const;
    CIMQualifier getQualifier(Uint32 index) const;
    void removeQualifier(Uint32 index);
    Uint32 getQualifierCount() const;

    CIMClass& addProperty(const CIMProperty& property);
    Uint32 findProperty(const CIMName& name) const;
    CIMProperty getProperty(Uint32 index) const;
    void removeProperty(Uint32 index);
    Uint32 getPropertyCount() const;

    CIMClass& addMethod(const CIMMethod& method);
    Uint32 findMethod(const CIMName& name) const;
    CIMMethod getMethod(Uint32 index) const;
    void removeMethod(Uint32 index);
    Uint32 getMethodCount() const;

private:
    CIMClassRep& rep() const;
    Boolean hasTrueQualifier(const char* name) const;
    std::shared_ptr<CIMClassRep> _rep;
};

PEGASUS_NAMESPACE_END

#endif
