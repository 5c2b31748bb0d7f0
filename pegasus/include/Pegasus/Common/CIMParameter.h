#ifndef Pegasus_CIMParameter_h
#define Pegasus_CIMParameter_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/CIMQualifier.h>
#include <Pegasus/Common/CIMType.h>
#include <memory>

PEGASUS_NAMESPACE_BEGIN

class CIMParameterRep;
class CIMConstParameter;

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
    // An independent copy; copies made otherwise share the parameter.
    CIMParameter clone() const;
    const CIMName& getName() const;
    CIMType getType() const;
    Boolean isArray() const;
    Uint32 getArraySize() const;
    const CIMName& getReferenceClassName() const;

    CIMParameter& addQualifier(const CIMQualifier& qualifier);
    Uint32 findQualifier(const CIMName& name) const;
    CIMQualifier getQualifier(Uint32 index);
    CIMConstQualifier getQualifier(Uint32 index) const;
    void removeQualifier(Uint32 index);
    Uint32 getQualifierCount() const;

private:
    CIMParameterRep& rep() const;
    std::shared_ptr<CIMParameterRep> _rep;
};

// A parameter that is only read: what a const method's getParameter()
// returns. Built from a CIMParameter, whose representation it shares.
class PEGASUS_COMMON_LINKAGE CIMConstParameter
{
public:
    CIMConstParameter() = default;
    CIMConstParameter(const CIMParameter& parameter) : _parameter(parameter) {}
    CIMConstParameter(const CIMName& name,
                      CIMType type,
                      Boolean isArray = false,
                      Uint32 arraySize = 0,
                      const CIMName& referenceClassName = CIMName())
        : _parameter(name, type, isArray, arraySize, referenceClassName)
    {
    }

    Boolean isUninitialized() const { return _parameter.isUninitialized(); }
    CIMParameter clone() const { return _parameter.clone(); }
    const CIMName& getName() const { return _parameter.getName(); }
    CIMType getType() const { return _parameter.getType(); }
    Boolean isArray() const { return _parameter.isArray(); }
    Uint32 getArraySize() const { return _parameter.getArraySize(); }
    const CIMName& getReferenceClassName() const { return _parameter.getReferenceClassName(); }

    Uint32 findQualifier(const CIMName& name) const { return _parameter.findQualifier(name); }
    CIMConstQualifier getQualifier(Uint32 index) const { return _parameter.getQualifier(index); }
    Uint32 getQualifierCount() const { return _parameter.getQualifierCount(); }

private:
    CIMParameter _parameter;
};

PEGASUS_NAMESPACE_END

#endif
