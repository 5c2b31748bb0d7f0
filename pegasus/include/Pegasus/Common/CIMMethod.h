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
class CIMConstMethod;

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
    // An independent copy, parameters included; copies made otherwise
    // share the method.
    CIMMethod clone() const;
    const CIMName& getName() const;
    CIMType getType() const;
    const CIMName& getClassOrigin() const;
    Boolean getPropagated() const;

    CIMMethod& addQualifier(const CIMQualifier& qualifier);
    Uint32 findQualifier(const CIMName& name) const;
    CIMQualifier getQualifier(Uint32 index);
    CIMConstQualifier getQualifier(Uint32 index) const;
    void removeQualifier(Uint32 index);
    Uint32 getQualifierCount() const;

    CIMMethod& addParameter(const CIMParameter& parameter);
    Uint32 findParameter(const CIMName& name) const;
    CIMParameter getParameter(Uint32 index);
    CIMConstParameter getParameter(Uint32 index) const;
    void removeParameter(Uint32 index);
    Uint32 getParameterCount() const;

private:
    CIMMethodRep& rep() const;
    std::shared_ptr<CIMMethodRep> _rep;
};

// A method that is only read: what a const class's getMethod() returns.
// Built from a CIMMethod, whose representation it shares.
class PEGASUS_COMMON_LINKAGE CIMConstMethod
{
public:
    CIMConstMethod() = default;
    CIMConstMethod(const CIMMethod& method) : _method(method) {}
    CIMConstMethod(const CIMName& name,
                   CIMType type,
                   const CIMName& classOrigin = CIMName(),
                   Boolean propagated = false)
        : _method(name, type, classOrigin, propagated)
    {
    }

    Boolean isUninitialized() const { return _method.isUninitialized(); }
    CIMMethod clone() const { return _method.clone(); }
    const CIMName& getName() const { return _method.getName(); }
    CIMType getType() const { return _method.getType(); }
    const CIMName& getClassOrigin() const { return _method.getClassOrigin(); }
    Boolean getPropagated() const { return _method.getPropagated(); }

    Uint32 findQualifier(const CIMName& name) const { return _method.findQualifier(name); }
    CIMConstQualifier getQualifier(Uint32 index) const { return _method.getQualifier(index); }
    Uint32 getQualifierCount() const { return _method.getQualifierCount(); }

    Uint32 findParameter(const CIMName& name) const { return _method.findParameter(name); }
    CIMConstParameter getParameter(Uint32 index) const { return _method.getParameter(index); }
    Uint32 getParameterCount() const { return _method.getParameterCount(); }

private:
    CIMMethod _method;
};

PEGASUS_NAMESPACE_END

#endif
