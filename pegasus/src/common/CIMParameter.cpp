#include <Pegasus/Common/CIMParameter.h>

#include "ElementAccessors.h"
#include "Uninitialized.h"

PEGASUS_NAMESPACE_BEGIN

class CIMParameterRep
{
public:
    CIMName name;
    CIMType type;
    Boolean isArray;
    Uint32 arraySize;
    CIMName referenceClassName;
    NamedElementList<CIMQualifier> qualifiers;
};

CIMParameter::CIMParameter(const CIMName& name,
                           CIMType type,
                           Boolean isArray,
                           Uint32 arraySize,
                           const CIMName& referenceClassName)
    : _rep(std::make_shared<CIMParameterRep>(
          CIMParameterRep{name, type, isArray, arraySize, referenceClassName, {}}))
{
    if (name.isNull())
        throw InvalidNameException(String("a parameter name must not be null"));
}

CIMParameterRep& CIMParameter::rep() const
{
    return checkedRep(_rep, "CIMParameter");
}

const CIMName& CIMParameter::getName() const { return rep().name; }
CIMType CIMParameter::getType() const { return rep().type; }
Boolean CIMParameter::isArray() const { return rep().isArray; }
Uint32 CIMParameter::getArraySize() const { return rep().arraySize; }
const CIMName& CIMParameter::getReferenceClassName() const { return rep().referenceClassName; }

CIMParameter CIMParameter::clone() const
{
    CIMParameter copy;
    copy._rep = std::make_shared<CIMParameterRep>(rep());
    return copy;
}

PEGASUS_DEFINE_LIST_ACCESS(CIMParameter, CIMQualifier, CIMConstQualifier, Qualifier, qualifiers)

PEGASUS_NAMESPACE_END
