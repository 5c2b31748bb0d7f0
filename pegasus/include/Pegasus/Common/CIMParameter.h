#ifndef Pegasus_CIMParameter_h
#define Pegasus_CIMParameter_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMQualifier.h>
#include <Pegasus/Common/CIMType.h>
#include <memory>

PEGASUS_NAMESPACE_BEGIN

class CIMParameterRep;

// A parameter declaration of a method. Copies share their representation.
// A default-constructed parameter is uninitialised; its accessors throw
// UninitializedObjectException.
class PEGASUS_COMMON_LINKAGE CIMParameter
{
public:
    CIMParameter() = default;
    CIMParameter(const CIMName& name,
                 CIMType type,
                 Boolean isArray = false,
                 Uint32 arraySize = 0,
                 const CIMName& referenceClassName = CIMName());

    Boolean isUninitialized() const { return !_rep; }
    const CIMName& getName() const;
    CIMType getType() const;
    Boolean isArray() const;
    Uint32 getArraySize() const;
    const CIMName& getReferenceClassName() const;

    CIMParameter& addQualifier(const CIMQualifier& qualifier);
    Uint32 findQualifier(const CIMName& name) const;
    CIMQualifier getQualifier(Uint32 index) const;
    void removeQualifier(Uint32 index);
    Uint32 getQualifierCount() const;

private:
    CIMParameterRep& rep() const;
    std::shared_ptr<CIMParameterRep> _rep;
};

PEGASUS_NAMESPACE_END

#endif
