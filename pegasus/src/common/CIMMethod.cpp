#include <Pegasus/Common/CIMMethod.h>

#include "ElementAccessors.h"
#include "Uninitialized.h"

PEGASUS_NAMESPACE_BEGIN

class CIMMethodRep
{
public:
    CIMName name;
    CIMType type;
    CIMName classOrigin;
    Boolean propagated;
    NamedElementList<CIMQualifier> qualifiers;
    NamedElementList<CIMParameter> parameters;
};

CIMMethod::CIMMethod(const CIMName& name, CIMType type, const CIMName& classOrigin, Boolean propagated)
    : _rep(std::make_shared<CIMMethodRep>(CIMMethodRep{name, type, classOrigin, propagated, {}, {}}))
{
    if (name.isNull())
        throw InvalidNameException(String("a method name must not be null"));
}

CIMMethodRep& CIMMethod::rep() const
{
    return checkedRep(_rep, "CIMMethod");
}

const CIMName& CIMMethod::getName() const { return rep().name; }
CIMType CIMMethod::getType() const { return rep().type; }
const CIMName& CIMMethod::getClassOrigin() const { return rep().classOrigin; }
Boolean CIMMethod::getPropagated() const { return rep().propagated; }

CIMMethod CIMMethod::clone() const
{
    CIMMethod copy;
    copy._rep = std::make_shared<CIMMethodRep>(rep());
    copy._rep->parameters = rep().parameters.cloned();
    return copy;
}

PEGASUS_DEFINE_LIST_ACCESS(CIMMethod, CIMQualifier, CIMConstQualifier, Qualifier, qualifiers)
PEGASUS_DEFINE_LIST_ACCESS(CIMMethod, CIMParameter, CIMConstParameter, Parameter, parameters)

PEGASUS_NAMESPACE_END
