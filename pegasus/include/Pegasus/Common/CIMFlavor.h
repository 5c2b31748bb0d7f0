#ifndef Pegasus_CIMFlavor_h
#define Pegasus_CIMFlavor_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/String.h>

PEGASUS_NAMESPACE_BEGIN

// The flavor bits of a qualifier (DMTF DSP0004).
class PEGASUS_COMMON_LINKAGE CIMFlavor
{
public:
    static const CIMFlavor NONE;
    static const CIMFlavor OVERRIDABLE;
    static const CIMFlavor ENABLEOVERRIDE;   // the same bit as OVERRIDABLE
    static const CIMFlavor DISABLEOVERRIDE;
    static const CIMFlavor TOSUBCLASS;
    static const CIMFlavor TOINSTANCE;
    static const CIMFlavor TRANSLATABLE;
    static const CIMFlavor RESTRICTED;
    static const CIMFlavor DEFAULTS;         // OVERRIDABLE and TOSUBCLASS

    CIMFlavor() : _bits(0) {}
    CIMFlavor(const CIMFlavor& a, const CIMFlavor& b) : _bits(a._bits | b._bits) {}

    void addFlavor(const CIMFlavor& flavor) { _bits |= flavor._bits; }
    void removeFlavor(const CIMFlavor& flavor) { _bits &= ~flavor._bits; }
    // True when every bit of the argument is set; NONE is never "had".
    Boolean hasFlavor(const CIMFlavor& flavor) const;
    Boolean equal(const CIMFlavor& other) const { return _bits == other._bits; }
    Uint32 cimFlavorToMask() const { return _bits; }

    // The names of the set bits in the order OVERRIDABLE, TOSUBCLASS,
    // TOINSTANCE, TRANSLATABLE, DISABLEOVERRIDE, RESTRICTED, separated by
    // single spaces; "" when no bit is set. Meant for diagnostics.
    String toString() const;

private:
    explicit CIMFlavor(Uint32 bits) : _bits(bits) {}
    Uint32 _bits;
};

PEGASUS_COMMON_LINKAGE Boolean operator==(const CIMFlavor& a, const CIMFlavor& b);

PEGASUS_NAMESPACE_END

#endif
