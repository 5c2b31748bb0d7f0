#include <Pegasus/Common/CIMInstance.h>

#include "ElementAccessors.h"
#include "Uninitialized.h"
#include <Pegasus/Common/CIMObject.h>

PEGASUS_NAMESPACE_BEGIN

class CIMInstanceRep
{
public:
    // Made in place: a response makes one for every instance it holds.
    explicit CIMInstanceRep(const CIMName& name) : className(name) {}

    CIMName className;
    CIMObjectPath path;
    NamedElementList<CIMQualifier> qualifiers;
    NamedElementList<CIMProperty> properties;
};

CIMInstance::CIMInstance(const CIMName& className)
    : _rep(std::make_shared<CIMInstanceRep>(className))
{
    if (className.isNull())
        throw InvalidNameException(String("an instance needs a class name"));
}

CIMInstance::CIMInstance(const CIMObject& object) : CIMInstance(object.asInstance())
{
}

CIMConstInstance::CIMConstInstance(const CIMObject& object) : _instance(object.asInstance())
{
}

CIMConstInstance::CIMConstInstance(const CIMConstObject& object) : _instance(object._object.asInstance())
{
}

CIMInstanceRep& CIMInstance::rep() const
{
    return checkedRep(_rep, "CIMInstance");
}

CIMInstance CIMInstance::clone() const
{
    CIMInstance copy;
    copy._rep = std::make_shared<CIMInstanceRep>(rep());
    return copy;
}

const CIMName& CIMInstance::getClassName() const { return rep().className; }
const CIMObjectPath& CIMInstance::getPath() const { return rep().path; }
void CIMInstance::setPath(const CIMObjectPath& path) { rep().path = path; }
void CIMInstance::setPath(CIMObjectPath&& path) { rep().path = std::move(path); }

CIMInstance& CIMInstance::addProperty(CIMProperty&& property)
{
    rep().properties.add(std::move(property));
    return *this;
}

void CIMInstance::reservePropertyCapacity(Uint32 capacity)
{
    rep().properties.reserve(capacity);
}

PEGASUS_DEFINE_LIST_ACCESS(CIMInstance, CIMQualifier, CIMConstQualifier, Qualifier, qualifiers)
PEGASUS_DEFINE_LIST_ACCESS(CIMInstance, CIMProperty, CIMConstProperty, Property, properties)

PEGASUS_NAMESPACE_END
