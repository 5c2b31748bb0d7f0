#ifndef Pegasus_CIMScope_h
#define Pegasus_CIMScope_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/String.h>

PEGASUS_NAMESPACE_BEGIN

// The elements a qualifier may be attached to (DMTF DSP0004).
class PEGASUS_COMMON_LINKAGE CIMScope
{
public:
    static const CIMScope NONE;
    static const CIMScope CLASS;
    static const CIMScope ASSOCIATION;
    static const CIMScope INDICATION;
    static const CIMScope PROPERTY;
    static const CIMScope REFERENCE;
    static const CIMScope METHOD;
    static const CIMScope PARAMETER;
    static const CIMScope ANY;

    CIMScope() : _bits(0) {}
    CIMScope(const CIMScope& a, const CIMScope& b) : _bits(a._bits | b._bits) {}

    void addScope(const CIMScope& scope) { _bits |= scope._bits; }
    void removeScope(const CIMScope& scope) { _bits &= ~scope._bits; }
    Boolean hasScope(const CIMScope& scope) const;
    Boolean equal(const CIMScope& other) const { return _bits == other._bits; }
    Uint32 cimScopeToMask() const { return _bits; }

    // "ANY" when every scope is set, otherwise the names of the set scopes
    // ("CLASS", "ASSOCIATION", "INDICATION", "PROPERTY", "REFERENCE",
    // "METHOD", "PARAMETER") separated by single spaces; "" for NONE.
    String toString() const;

private:
    explicit CIMScope(Uint32 bits) : _bits(bits) {}
    Uint32 _bits;
};

PEGASUS_COMMON_LINKAGE Boolean operator==(const CIMScope& a, const CIMScope& b);

PEGASUS_NAMESPACE_END

#endif
