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
class CIMConstObject;
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
    CIMQualifier getQualifier(Uint32 index);
    CIMConstQualifier getQualifier(Uint32 index) const;
    void removeQualifier(Uint32 index);
    Uint32 getQualifierCount() const;

    CIMClass& addProperty(const CIMProperty& property);
    CIMClass& addProperty(CIMProperty&& property);
    Uint32 findProperty(const CIMName& name) const;
    CIMProperty getProperty(Uint32 index);
    CIMConstProperty getProperty(Uint32 index) const;
    void removeProperty(Uint32 index);
    Uint32 getPropertyCount() const;

    CIMClass& addMethod(const CIMMethod& method);
    Uint32 findMethod(const CIMName& name) const;
    CIMMethod getMethod(Uint32 index);
    CIMConstMethod getMethod(Uint32 index) const;
    void removeMethod(Uint32 index);
    Uint32 getMethodCount() const;

private:
    CIMClassRep& rep() const;
    Boolean hasTrueQualifier(const char* name) const;
    std::shared_ptr<CIMClassRep> _rep;
};

// A class that is only read: what clients hand around when they do not
// change it. Built from a CIMClass, whose representation it shares; its
// properties, qualifiers and methods come as const views too.
class PEGASUS_COMMON_LINKAGE CIMConstClass
{
public:
    CIMConstClass() = default;
    CIMConstClass(const CIMClass& cimClass) : _class(cimClass) {}
    explicit CIMConstClass(const CIMName& className, const CIMName& superClassName = CIMName())
        : _class(className, superClassName)
    {
    }
    // Throw DynamicCastFailedException when the object is an instance.
    CIMConstClass(const CIMObject& object);
    CIMConstClass(const CIMConstObject& object);

    Boolean isUninitialized() const { return _class.isUninitialized(); }
    CIMClass clone() const { return _class.clone(); }

    const CIMName& getClassName() const { return _class.getClassName(); }
    const CIMName& getSuperClassName() const { return _class.getSuperClassName(); }
    const CIMObjectPath& getPath() const { return _class.getPath(); }
    Boolean isAssociation() const { return _class.isAssociation(); }
    Boolean isAbstract() const { return _class.isAbstract(); }

    Uint32 findQualifier(const CIMName& name) const { return _class.findQualifier(name); }
    CIMConstQualifier getQualifier(Uint32 index) const { return _class.getQualifier(index); }
    Uint32 getQualifierCount() const { return _class.getQualifierCount(); }

    Uint32 findProperty(const CIMName& name) const { return _class.findProperty(name); }
    CIMConstProperty getProperty(Uint32 index) const { return _class.getProperty(index); }
    Uint32 getPropertyCount() const { return _class.getPropertyCount(); }

    Uint32 findMethod(const CIMName& name) const { return _class.findMethod(name); }
    CIMConstMethod getMethod(Uint32 index) const { return _class.getMethod(index); }
    Uint32 getMethodCount() const { return _class.getMethodCount(); }

private:
    friend class CIMConstObject;
    CIMClass _class;
};

PEGASUS_NAMESPACE_END

#endif
