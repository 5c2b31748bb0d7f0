#include <Pegasus/Common/CIMClass.h>

#include "ElementAccessors.h"
#include "Uninitialized.h"
#include <Pegasus/Common/CIMObject.h>

PEGASUS_NAMESPACE_BEGIN

class CIMClassRep
{
public:
    CIMName className;
    CIMName superClassName;
    CIMObjectPath path;
    NamedElementList<CIMQualifier> qualifiers;
    NamedElementList<CIMProperty> properties;
    NamedElementList<CIMMethod> methods;
};

CIMClass::CIMClass(const CIMName& className, const CIMName& superClassName)
    : _rep(std::make_shared<CIMClassRep>(CIMClassRep{className, superClassName, {}, {}, {}, {}}))
{
    if (className.isNull())
        throw InvalidNameException(String("a class needs a name"));
    _rep->path.setClassName(className);
}

CIMClass::CIMClass(const CIMObject& object) : CIMClass(object.asClass())
{
}

CIMConstClass::CIMConstClass(const CIMObject& object) : _class(object.asClass())
{
}

CIMConstClass::CIMConstClass(const CIMConstObject& object) : _class(object._object.asClass())
{
}

CIMClassRep& CIMClass::rep() const
{
    return checkedRep(_rep, "CIMClass");
}

CIMClass CIMClass::clone() const
{
    CIMClass copy;
    copy._rep = std::make_shared<CIMClassRep>(rep());
    copy._rep->methods = rep().methods.cloned();
    return copy;
}

const CIMName& CIMClass::getClassName() const { return rep().className; }
const CIMName& CIMClass::getSuperClassName() const { return rep().superClassName; }
void CIMClass::setSuperClassName(const CIMName& superClassName) { rep().superClassName = superClassName; }
const CIMObjectPath& CIMClass::getPath() const { return rep().path; }
void CIMClass::setPath(const CIMObjectPath& path) { rep().path = path; }
Boolean CIMClass::isAssociation() const { return hasTrueQualifier("Association"); }
Boolean CIMClass::isAbstract() const { return hasTrueQualifier("Abstract"); }

CIMClass& CIMClass::addProperty(CIMProperty&& property)
{
    rep().properties.add(std::move(property));
    return *this;
}

Boolean CIMClass::hasTrueQualifier(const char* name) const
{
    const Uint32 index = findQualifier(CIMName(name));
    if (index == PEG_NOT_FOUND)
        return false;
    const CIMValue& value = rep().qualifiers.get(index).getValue();
    if (value.getType() != CIMTYPE_BOOLEAN || value.isArray() || value.isNull())
        return false;
    Boolean flag = false;
    value.get(flag);
    return flag;
}

PEGASUS_DEFINE_LIST_ACCESS(CIMClass, CIMQualifier, CIMConstQualifier, Qualifier, qualifiers)
PEGASUS_DEFINE_LIST_ACCESS(CIMClass, CIMProperty, CIMConstProperty, Property, properties)
PEGASUS_DEFINE_LIST_ACCESS(CIMClass, CIMMethod, CIMConstMethod, Method, methods)

PEGASUS_NAMESPACE_END
