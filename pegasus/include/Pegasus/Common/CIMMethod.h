#ifndef Pegasus_CIMMethod_h
#define Pegasus_CIMMethod_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMParameter.h>
#include <Pegasus/Common/CIMQualifier.h>
#include <Pegasus/Common/CIMType.h>
#include <memory>

PEGASUS_NAMESPACE_BEGIN

class CIMMethodRep;

// A method declaration of a class. Copies share their representation.
// A default-constructed method is uninitialised; its accessors throw
// UninitializedObjectException.
class PEGASUS_COMMON_LINKAGE CIMMethod
{
public:
    CIMMethod() = default;
    CIMMethod(const CIMName& name,
              CIMType type,
              const CIMName& classOrigin = CIMName(),
              Boolean propagated = false);

    Boolean isUninitialized() const { return !_rep; }
    const CIMName& getName() const;
    CIMType getType() const;
    const CIMName& getClassOrigin() const;
    Boolean getPropagated() const;

    CIMMethod& addQualifier(const CIMQualifier& qualifier);
    Uint32 findQualifier(const CIMName& name) const;
    CIMQualifier getQualifier(Uint32 index) const;
    void removeQualifier(Uint32 index);
    Uint32 getQualifierCount() const;

    CIMMethod& addParameter(const CIMParameter& parameter);
    Uint32 findParameter(const CIMName& name) const;
    CIMParameter getParameter(Uint32 index) const;
    void removeParameter(Uint32 index);
    Uint32 getParameterCount() const;

private:
    CIMMethodRep& rep() const;
    std::shared_ptr<CIMMethodRep> _rep;
};

PEGASUS_NAMESPACE_END

#endif
